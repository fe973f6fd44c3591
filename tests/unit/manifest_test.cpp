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
    return parsed ? readManifest(*parsed, at, *platform::URL::parse(page)) : ManifestFacts {};
}

std::optional<std::string> nameOf(const std::string& name)
{
    return facts(R"({"name": ")" + name + R"(", "short_name": "Short"})").name;
}
} // namespace

TEST(Manifest, TheNameIsNameElseShortNameUpToEightyPrintableBytes)
{
    EXPECT_EQ(nameOf("Mail"), "Mail");
    EXPECT_EQ(nameOf(std::string(80, 'n')), std::string(80, 'n'));
    EXPECT_EQ(nameOf(std::string(81, 'n')), "Short");
    EXPECT_EQ(nameOf("a b ~"), "a b ~");
    for (const char* control : { "\\u0001", "\\u001f", "\\u007f", "\\t", "\\n" })
        EXPECT_EQ(nameOf(std::string("bad") + control), "Short") << control;
    EXPECT_EQ(nameOf(""), "Short");
    EXPECT_FALSE(facts(R"({"name": 42, "short_name": ""})").name);
    EXPECT_FALSE(facts("[1, 2]").name);
}

TEST(Manifest, TheIconIsAnSVGElseTheLargestPNGAsAWebAddress)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        { R"([{"src": "a.png", "sizes": "48x48"}, {"src": "/b.png", "sizes": "64x64 512x512", "type": "image/png"}, {"src": "c.png", "sizes": "256x256"}])",
            "https://mail.example/b.png" },
        { R"([{"src": "big.png", "sizes": "1024x1024"}, {"src": "logo.svg?v=2"}])", "https://mail.example/app/logo.svg?v=2" },
        { R"([{"src": "drawn", "type": "image/svg+xml"}, {"src": "big.png", "sizes": "1024x1024"}])", "https://mail.example/app/drawn" },
        { R"([{"src": "c.webp", "sizes": "1024x1024", "type": "image/webp"}, {"src": "s.png", "sizes": "16x16"}])", "https://mail.example/app/s.png" },
        { R"([{"src": "fake.png", "type": "image/jpeg"}])", std::nullopt },
        { R"([{"src": "javascript:alert(1).png"}, {"src": "file:///etc/passwd.png"}])", std::nullopt },
        { R"([{"sizes": "48x48"}, 7])", std::nullopt },
        { R"("icon.png")", std::nullopt },
    };
    for (const auto& [icons, icon] : cases)
        EXPECT_EQ(facts(R"({"icons": )" + icons + "}").icon, icon) << icons;
}

TEST(Manifest, WithoutTheManifestsIconThePagesLinksBestElseTheirLastElseTheSitesFavicon)
{
    const std::pair<std::string, std::string> cases[] = {
        { R"([{"src": "/favicon.ico", "sizes": "", "type": ""}, {"src": "icon-192.png", "sizes": "192x192", "type": "image/png"},
             {"src": "icon-32.png", "sizes": "32x32", "type": ""}])",
            "https://mail.example/app/icon-192.png" },
        { R"([{"src": "a.png", "sizes": "", "type": ""}, {"src": "mark.svg", "sizes": "any", "type": "image/svg+xml"}])", "https://mail.example/app/mark.svg" },
        // No PNG nor SVG: the last of the others, as browsers take it.
        { R"([{"src": "first.ico", "sizes": "", "type": ""}, {"src": "/second.ico", "sizes": "", "type": "image/x-icon"}])",
            "https://mail.example/second.ico" },
        { R"j([{"src": "javascript:alert(1)", "sizes": "", "type": ""}])j", "https://mail.example/favicon.ico" },
        { "[]", "https://mail.example/favicon.ico" },
        { "null", "https://mail.example/favicon.ico" },
    };
    auto page = *platform::URL::parse("https://mail.example/app/inbox?folder=1");
    for (const auto& [icons, icon] : cases)
        EXPECT_EQ(pageIcon(platform::parseJSON(icons).value_or(platform::ScriptValue {}), page), icon) << icons;
}

TEST(Manifest, ShortcutsAreOnTheApplicationsOriginNamedAndAtMostTen)
{
    auto read = facts(R"json({"shortcuts": [
        {"name": "  Compose  ", "url": "compose?new=1", "icons": [{"src": "c.png", "sizes": "48x48"}, {"src": "/c96.png", "sizes": "96x96"}]},
        {"name": "Elsewhere", "url": "https://other.example/x"},
        {"name": "Plain", "url": "http://mail.example/app/"},
        {"short_name": "Short", "url": "/inbox"},
        {"name": "No address"},
        {"name": "Empty address", "url": ""},
        {"name": "Bad\u0007name", "url": "/bad"},
        {"name": 7, "url": "/seven"},
        "not a shortcut",
        {"name": "Script", "url": "javascript:alert(1)"}]})json");
    ASSERT_EQ(read.shortcuts.size(), 2u) << "only those on https://mail.example, named";
    EXPECT_EQ(read.shortcuts[0].name, "Compose");
    EXPECT_EQ(read.shortcuts[0].address, "https://mail.example/app/compose?new=1") << "resolved against the manifest";
    EXPECT_EQ(read.shortcuts[0].icon, "https://mail.example/c96.png") << "its largest icon";
    EXPECT_EQ(read.shortcuts[1].name, "Short");
    EXPECT_EQ(read.shortcuts[1].address, "https://mail.example/inbox");
    EXPECT_FALSE(read.shortcuts[1].icon);

    std::string many;
    for (int index = 1; index <= 12; ++index)
        many += std::string(many.empty() ? "" : ", ") + R"({"name": "S)" + std::to_string(index) + R"(", "url": "/s"})";
    read = facts(R"({"shortcuts": [)" + many + "]}");
    ASSERT_EQ(read.shortcuts.size(), 10u);
    EXPECT_EQ(read.shortcuts.back().name, "S10") << "the first ten";
    read = facts(R"({"shortcuts": [{"name": "Elsewhere", "url": "https://other.example/"}, {"name": "No address"}, )" + many + "]}");
    ASSERT_EQ(read.shortcuts.size(), 10u) << "ten of those kept, whatever was passed over before them";
    EXPECT_EQ(read.shortcuts.back().name, "S10");
    EXPECT_TRUE(facts(R"({"shortcuts": {"name": "x", "url": "/"}})").shortcuts.empty()) << "not a list";
    EXPECT_TRUE(facts(R"({"shortcuts": [{"name": "On another origin", "url": "/x"}]})", "https://cdn.example/manifest.json").shortcuts.empty())
        << "resolved on the manifest's origin, which is not the application's";
}

TEST(Manifest, ProtocolHandlersAreAllowedSchemesOnTheApplicationsOrigin)
{
    auto read = facts(R"({"protocol_handlers": [
        {"protocol": "mailto", "url": "compose?to=%s"},
        {"protocol": "mailto", "url": "/second?to=%s"},
        {"protocol": "web+notes", "url": "https://mail.example/notes/%s"},
        {"protocol": "web+elsewhere", "url": "https://other.example/?u=%s"},
        {"protocol": "web+nolink", "url": "/notes"},
        {"protocol": "javascript", "url": "/x?%s"},
        {"protocol": "http", "url": "/x?%s"},
        {"protocol": "web+", "url": "/x?%s"},
        {"protocol": "web+Foo", "url": "/x?%s"},
        {"protocol": "web+foo1", "url": "/x?%s"},
        {"protocol": 5, "url": "/x?%s"},
        {"url": "/x?%s"}]})");
    ASSERT_EQ(read.protocolHandlers.size(), 2u);
    EXPECT_EQ(read.protocolHandlers[0].scheme, "mailto");
    EXPECT_EQ(read.protocolHandlers[0].address, "https://mail.example/app/compose?to=%s") << "resolved, %s kept, the first for its scheme";
    EXPECT_EQ(read.protocolHandlers[1].scheme, "web+notes");
    EXPECT_EQ(read.protocolHandlers[1].address, "https://mail.example/notes/%s");

    // Only the first hundred entries are read, usable or not.
    for (auto [unusable, kept] : { std::pair { 99, 1u }, std::pair { 100, 0u } }) {
        std::string list;
        for (int index = 0; index < unusable; ++index)
            list += R"({"protocol": "javascript", "url": "/x?%s"}, )";
        EXPECT_EQ(facts(R"({"protocol_handlers": [)" + list + R"({"protocol": "mailto", "url": "/m?%s"}]})").protocolHandlers.size(), kept) << unusable;
    }
}

TEST(Manifest, TheColoursAreCSSColoursMadeOpaque)
{
    auto read = facts(R"json({"theme_color": "#336699", "background_color": "rgba(10, 20, 30, 0.5)"})json");
    ASSERT_TRUE(read.themeColour && read.backgroundColour);
    EXPECT_EQ(*read.themeColour, (platform::Colour { 0.2, 0.4, 0.6, 1 }));
    EXPECT_EQ(*read.backgroundColour, (platform::Colour { 10 / 255.0, 20 / 255.0, 30 / 255.0, 1 })) << "made opaque";
    EXPECT_TRUE(facts(R"({"theme_color": "teal"})").themeColour) << "a named colour";
    EXPECT_FALSE(facts(R"({"theme_color": "not a colour"})").themeColour);
    EXPECT_FALSE(facts(R"({"theme_color": 3355545})").themeColour) << "not a text";
    EXPECT_FALSE(facts(R"({"theme_color": ""})").themeColour);
    EXPECT_FALSE(facts(R"({})").backgroundColour);
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
