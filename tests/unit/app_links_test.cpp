// Links into an application of its own: the schemes it may handle, its handlers' and shortcuts'
// addresses, and what a link handed to it opens.
#include "apps/app_links.h"
#include "page/address_rules.h"

#include <gtest/gtest.h>

#include <map>

using namespace quillane;

namespace {
const platform::URL application = *platform::URL::parse("https://mail.example/app/inbox");

std::string orNone(const std::optional<std::string>& text)
{
    return text.value_or("(none)");
}
} // namespace

TEST(AppLinks, OnlyMailtoTheSafelistedSchemesAndWebPlusLettersAreHandled)
{
    for (const char* allowed : { "mailto", "bitcoin", "ftp", "ftps", "geo", "im", "irc", "ircs", "magnet", "mms", "news", "nntp", "openpgp4fpr", "sftp",
             "sip", "sms", "smsto", "ssh", "tel", "urn", "webcal", "wtai", "xmpp", "web+notes", "web+a" })
        EXPECT_TRUE(isHandledScheme(allowed)) << allowed;
    for (const char* refused : { "http", "https", "javascript", "file", "data", "blob", "quillane", "web+", "web+Foo", "WEB+foo", "Mailto", "web+foo1",
             "web+foo-bar", "web+foo+bar", "web-foo", "mailto:", " mailto", "", "web+\xc3\xa9", "ms" })
        EXPECT_FALSE(isHandledScheme(refused)) << refused;
}

TEST(AppLinks, AHandlersAddressHoldsPercentSAfterTheOriginAndStaysOnTheApplicationsOrigin)
{
    const struct {
        const char* resolved;
        bool usable;
        const char* why;
    } cases[] = {
        { "https://mail.example/compose?to=%s", true, "on the origin, in the query" },
        { "https://mail.example/compose#%s", true, "in the fragment" },
        { "https://mail.example/to/%s", true, "in the path" },
        { "https://mail.example:443/compose?to=%s", true, "the default port written" },
        { "https://other.example/compose?to=%s", false, "another host" },
        { "http://mail.example/compose?to=%s", false, "another scheme" },
        { "https://mail.example:8443/compose?to=%s", false, "another port" },
        { "https://mail.example.evil/compose?to=%s", false, "a host that only begins the same" },
        { "https://mail.example/compose", false, "%s missing" },
        { "https://mail.example/compose?to=%S", false, "%S is not %s" },
        { "https://%s.mail.example/", false, "%s in the host" },
        { "https://mail.example%s/", false, "%s right after the host" },
        { "https://user%s@mail.example/", false, "%s before the host" },
        { "https://mail.example/a?x=%s&y=%s", false, "a second %s escapes nothing" },
        { "https://mail.example/a?x=%zz&y=%s", false, "a broken escape" },
        { "javascript:%s", false, "not a web address" },
        { "mailto:%s", false, "not a web address" },
    };
    for (const auto& each : cases)
        EXPECT_EQ(handlerAddress(each.resolved, application).has_value(), each.usable) << each.resolved << ": " << each.why;
}

TEST(AppLinks, AHandedLinkIsPercentEncodedInPlaceOfTheFirstPercentS)
{
    EXPECT_EQ(percentEncodedComponent("mailto:someone@example.com"), "mailto%3Asomeone%40example.com");
    EXPECT_EQ(percentEncodedComponent("a b&c=d/e?f#g+h,i;j$k%"), "a%20b%26c%3Dd%2Fe%3Ff%23g%2Bh%2Ci%3Bj%24k%25");
    EXPECT_EQ(percentEncodedComponent("AZaz09-_.!~*'()"), "AZaz09-_.!~*'()") << "left as they are";
    EXPECT_EQ(percentEncodedComponent("\xc3\xa9\x7f\n"), "%C3%A9%7F%0A");
    EXPECT_EQ(percentEncodedComponent(""), "");

    const std::string handler = "https://mail.example/compose?to=%s&from=app";
    auto opened = addressForHandedLink(handler, "mailto:someone@example.com?subject=Hi%20there");
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->absoluteString(), "https://mail.example/compose?to=mailto%3Asomeone%40example.com%3Fsubject%3DHi%2520there&from=app");
    opened = addressForHandedLink("https://mail.example/#%s", "web+notes:%s");
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->absoluteString(), "https://mail.example/#web%2Bnotes%3A%25s") << "a %s in the link is the link's";
    EXPECT_FALSE(addressForHandedLink("https://mail.example/compose", "mailto:a@b.example")) << "no %s";
    EXPECT_FALSE(addressForHandedLink("ftp://mail.example/%s", "mailto:a@b.example")) << "not a web address";
    EXPECT_TRUE(addressForHandedLink(handler, "mailto:" + std::string(longestAddress - 7, 'a')));
    EXPECT_FALSE(addressForHandedLink(handler, "mailto:" + std::string(longestAddress - 6, 'a'))) << "a link longer than any address";
}

TEST(AppLinks, LinksHandedToAnApplicationOpenItsShortcutsAndHandlersWithoutBeingRemembered)
{
    const std::map<std::string, std::string> handlers { { "mailto", "https://mail.example/compose?to=%s" }, { "web+notes", "https://mail.example/n/%s" } };
    auto handlerFor = [&](const std::string& scheme) -> std::optional<std::string> {
        auto found = handlers.find(scheme);
        return found == handlers.end() ? std::nullopt : std::optional(found->second);
    };
    const struct {
        std::vector<std::string> links;
        const char* opened;
        bool remembered;
    } cases[] = {
        { { "mailto:a@b.example" }, "https://mail.example/compose?to=mailto%3Aa%40b.example", false },
        { { "MAILTO:a@b.example" }, "https://mail.example/compose?to=MAILTO%3Aa%40b.example", false },
        { { "web+notes:7" }, "https://mail.example/n/web%2Bnotes%3A7", false },
        { { "https://mail.example/compose?new=1" }, "https://mail.example/compose?new=1", false },
        { { "quillane://open?url=https%3A%2F%2Fmail.example%2Fy" }, "https://mail.example/y", true },
        { { "mailto:a@b.example", "tel:123" }, "https://mail.example/compose?to=mailto%3Aa%40b.example", false },
        { { "https://mail.example/a", "mailto:a@b.example" }, "https://mail.example/compose?to=mailto%3Aa%40b.example", false },
        { { "tel:123" }, "", false },
        { { "web+other:1" }, "", false },
        { { "javascript:alert(1)" }, "", false },
        { { "file:///etc/passwd" }, "", false },
        { { "http://" }, "", false },
        { { "not a link" }, "", false },
        { {}, "", false },
    };
    for (const auto& each : cases) {
        auto page = lastAppPageIn(each.links, handlerFor);
        std::string first = each.links.empty() ? "(nothing)" : each.links.front();
        EXPECT_EQ(page ? page->address.absoluteString() : "", each.opened) << first;
        if (page) {
            EXPECT_EQ(page->remembered, each.remembered) << first;
        }
    }
}

TEST(AppLinks, AShortcutsNameIsTrimmedCutAndFreeOfControls)
{
    const std::string fifty(50, 'x');
    const struct {
        std::string given;
        std::string kept;
    } cases[] = {
        { "  Compose \n", "Compose" },
        { "New\u00a0message", "New\u00a0message" },
        { fifty, fifty },
        { fifty + "y", fifty },
        { std::string(49, 'x') + " y", std::string(49, 'x') },
        { [] { std::string text; for (int i = 0; i < 51; ++i) text += "\xc3\xa9"; return text; }(), [] { std::string text; for (int i = 0; i < 50; ++i) text += "\xc3\xa9"; return text; }() },
        { "", "(none)" },
        { " \t ", "(none)" },
        { "Com\npose", "(none)" },
        { "Compose\x7f", "(none)" },
        { "Com\xc2\x85pose", "(none)" },
        { "Com\xc2\xa0pose", "Com\xc2\xa0pose" },
        { "Compose\xff", "(none)" },
    };
    for (const auto& each : cases)
        EXPECT_EQ(orNone(shortcutName(each.given)), each.kept) << each.given;
}

TEST(AppLinks, AShortcutIsOnTheApplicationsOrigin)
{
    EXPECT_EQ(orNone(shortcutAddress("https://mail.example/compose?new=1", application)), "https://mail.example/compose?new=1");
    EXPECT_EQ(orNone(shortcutAddress("https://MAIL.example/", application)), "https://MAIL.example/") << "hosts compare without case";
    for (const char* refused : { "https://other.example/compose", "http://mail.example/compose", "https://mail.example:444/", "javascript:alert(1)",
             "file:///etc/passwd", "https:///nohost", "" })
        EXPECT_FALSE(shortcutAddress(refused, application)) << refused;
}
