// Reading a page's web application manifest for installing it.
#include "platform/json.h"
#include "apps/web_app_manifest.h"

#include <gtest/gtest.h>

using namespace quillane;

namespace {
ManifestFacts facts(const std::string& json, const std::string& at = "https://mail.example/app/manifest.json",
    const std::string& page = "https://mail.example/app/inbox?folder=1")
{
    auto parsed = platform::parseJSON(json);
    return parsed ? readManifest(*parsed, at, page) : ManifestFacts {};
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

TEST(Manifest, TheStartAddressIsStartUrlOnThePagesSiteElseNone)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        { R"({"start_url": "start.html?from=app"})", "https://mail.example/app/start.html?from=app" },
        { R"({"start_url": "/"})", "https://mail.example/" },
        { R"({"start_url": "https://mail.example:443/app/"})", "https://mail.example:443/app/" },
        { R"({"start_url": "https://other.example/app/"})", std::nullopt },
        { R"({"start_url": "http://mail.example/app/"})", std::nullopt },
        { R"({"start_url": "https://mail.example:8443/app/"})", std::nullopt },
        { R"({"start_url": "//evil.example/"})", std::nullopt },
        { R"j({"start_url": "javascript:alert(1)"})j", std::nullopt },
        { R"({"start_url": ""})", std::nullopt },
        { R"({"start_url": 7})", std::nullopt },
        { R"({})", std::nullopt },
    };
    for (const auto& [json, expected] : cases)
        EXPECT_EQ(facts(json).startAddress, expected) << json;
    // Resolved against the manifest, wherever that is on the site.
    EXPECT_EQ(facts(R"({"start_url": "./"})", "https://mail.example/static/manifest.json").startAddress, "https://mail.example/static/");
    // A manifest on a CDN still starts the application on the page's site only.
    EXPECT_EQ(facts(R"({"start_url": "/app/"})", "https://cdn.example/manifest.json").startAddress, std::nullopt);
    EXPECT_EQ(facts(R"({"start_url": "https://mail.example/app/"})", "https://cdn.example/manifest.json").startAddress, "https://mail.example/app/");
}

TEST(Manifest, TheScopeIsKeptWhenTheStartAddressLiesWithinIt)
{
    EXPECT_EQ(facts(R"({"scope": "/app/"})").scope, "https://mail.example/app/") << "the page's address, without a start address";
    EXPECT_EQ(facts(R"({"scope": "./", "start_url": "start.html"})").scope, "https://mail.example/app/");
    EXPECT_EQ(facts(R"({"scope": "/"})").scope, "https://mail.example/");
    EXPECT_EQ(facts(R"({"scope": "/app/", "start_url": "/other/start.html"})").scope, std::nullopt) << "the start lies outside";
    EXPECT_EQ(facts(R"({"scope": "/application/"})").scope, std::nullopt);
    EXPECT_EQ(facts(R"({"scope": "https://other.example/app/"})").scope, std::nullopt);
    EXPECT_EQ(facts(R"({"scope": 1})").scope, std::nullopt);
    EXPECT_EQ(facts(R"({})").scope, std::nullopt);
}
