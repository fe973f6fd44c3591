// Reading a page's web application manifest for installing it.
#include "platform/json.h"
#include "apps/web_app_manifest.h"

#include <gtest/gtest.h>

using namespace quillane;

namespace {
ManifestFacts facts(const std::string& json, const std::string& at = "https://mail.example/app/manifest.json")
{
    auto parsed = platform::parseJSON(json);
    return parsed ? readManifest(*parsed, at) : ManifestFacts {};
}
} // namespace

TEST(Manifest, TheNameIsNameElseShortNameAndNothingUnsafe)
{
    EXPECT_EQ(facts(R"({"name": "Mail", "short_name": "M"})").name, "Mail");
    EXPECT_EQ(facts(R"({"short_name": "M"})").name, "M");
    EXPECT_EQ(facts(R"({"name": "bad\nname", "short_name": "Ok"})").name, "Ok") << "control characters";
    EXPECT_FALSE(facts(R"({"name": 42})").name) << "wrong type";
    EXPECT_FALSE(facts(R"({"name": ")" + std::string(500, 'x') + R"("})").name) << "absurdly long";
    EXPECT_FALSE(facts("[1, 2]").name);
    EXPECT_FALSE(facts("not json").name);
}

TEST(Manifest, TheIconIsAnSVGElseTheLargestPNGResolvedAgainstTheManifest)
{
    EXPECT_EQ(facts(R"({"icons": [{"src": "a.png", "sizes": "48x48"}, {"src": "/b.png", "sizes": "64x64 512x512", "type": "image/png"},
                        {"src": "c.webp", "sizes": "1024x1024", "type": "image/webp"}]})").icon,
        "https://mail.example/b.png");
    EXPECT_EQ(facts(R"({"icons": [{"src": "big.png", "sizes": "1024x1024"}, {"src": "logo.svg"}]})").icon, "https://mail.example/app/logo.svg");
    EXPECT_FALSE(facts(R"({"icons": [{"src": "javascript:alert(1).png"}, {"src": "file:///etc/passwd.png"}]})").icon) << "not a web address";
    EXPECT_FALSE(facts(R"({"icons": "icon.png"})").icon);
    EXPECT_FALSE(facts(R"({"icons": [{"sizes": "48x48"}, 7]})").icon);
}

TEST(Manifest, AnyTextMakesAnApplicationName)
{
    EXPECT_EQ(appNameFor("My Mail"), "My-Mail");
    EXPECT_EQ(appNameFor("../../etc/passwd"), "etc-passwd");
    EXPECT_EQ(appNameFor("\xe2\x9c\x89 Post"), "Post");
    EXPECT_EQ(appNameFor(""), "web-app");
    EXPECT_EQ(appNameFor(std::string(100, 'a')).size(), 40u);
}
