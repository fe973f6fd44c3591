// The pages that tell why a page did not come: the user's words first, the engine's in small type,
// every text from outside shown as text, never as markup, and every certificate problem in its own
// words.
#include "menus/command_table.h"
#include "page/failure_pages.h"
#include "page/own_pages.h"
#include "platform/gtk/certificate_problems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

using namespace quillane;
using Kind = platform::LoadFailure::Kind;

namespace {
platform::LoadFailure failure(Kind kind, const std::string& address, const std::string& message, std::vector<std::string> problems = {})
{
    return { kind, address, message, std::move(problems) };
}

// The text between the first `open` and the `close` after it.
std::string between(const std::string& text, const std::string& open, const std::string& close)
{
    auto start = text.find(open);
    if (start == std::string::npos)
        return "";
    start += open.size();
    return text.substr(start, text.find(close, start) - start);
}

const std::string hostileAddress = "https://x.example/'><script>alert(\"&\")</script><a href='";
const std::string hostileMessage = "Error <img src=x onerror=alert(1)> & \"quoted\" 'too'";

// The characters that make markup, in order: texts shown as text add none.
std::string markupOf(const std::string& html)
{
    std::string markup;
    std::copy_if(html.begin(), html.end(), std::back_inserter(markup), [](char c) { return std::string_view("<>'\"").find(c) != std::string_view::npos; });
    return markup;
}

// Each "&" that starts no character reference.
long bareAmpersands(const std::string& html)
{
    std::string rest = std::regex_replace(html, std::regex("&(lt|gt|amp|quot|#39);"), "");
    return std::count(rest.begin(), rest.end(), '&');
}
} // namespace

TEST(FailurePages, EachKindIsToldInWordsWithTheEnginesTextInTheDetail)
{
    struct Case {
        Kind kind;
        const char* message;
        const char* headline;
        const char* words;
    };
    const Case cases[] = {
        { Kind::nameNotFound, "Error resolving \u201cnosuchhost.invalid\u201d: Name or service not known", "The site could not be found",
            "Quillane could not find the site \u201cnosuchhost.invalid\u201d." },
        { Kind::refused, "Could not connect to nosuchhost.invalid: Connection refused", "The site refused the connection",
            "no web site there took the connection" },
        { Kind::timedOut, "No answer came within 60 seconds", "The site took too long to answer", "\u201cnosuchhost.invalid\u201d did not answer in time." },
        { Kind::blockedPort, "Port 25 belongs to another kind of service, and web pages are kept from it", "Pages may not use this port",
            "belongs to another kind of service" },
        { Kind::other, "Internal error", "The page could not be loaded", "Something went wrong while Quillane was loading \u201cnosuchhost.invalid\u201d." },
    };
    for (const auto& each : cases) {
        std::string page = loadFailurePage(failure(each.kind, "https://nosuchhost.invalid/a", each.message));
        EXPECT_EQ(between(page, "<h1>", "</h1>"), each.headline);
        std::string detail = between(page, "<p class='detail'>", "</p>");
        EXPECT_EQ(detail, std::string("https://nosuchhost.invalid/a<br>") + each.message + ".");
        std::string before = page.substr(0, page.find("<p class='detail'>"));
        EXPECT_NE(before.find(each.words), std::string::npos) << page;
        EXPECT_EQ(before.find(each.message), std::string::npos) << "the engine's words are only in the detail: " << page;
        EXPECT_NE(page.find("href='https://nosuchhost.invalid/a'>Try Again</a>"), std::string::npos);
    }
    // A message that ends a sentence of its own gets no second full stop.
    std::string stopped = loadFailurePage(failure(Kind::other, "https://nosuchhost.invalid/", "Internal error."));
    EXPECT_EQ(between(stopped, "<p class='detail'>", "</p>"), "https://nosuchhost.invalid/<br>Internal error.");
}

TEST(FailurePages, APageWindowsFailureOffersOnlyWhatWorksThere)
{
    const std::string openAddress = "To open another address, choose File &gt; Open Address";
    const std::string tryAgain = ">Try Again</a>";
    const struct {
        Kind kind;
        FailureShownIn where;
        bool offersTryAgain;
        bool offersOpenAddress;
    } cases[] = {
        { Kind::refused, FailureShownIn::mainWindow, true, true },
        { Kind::refused, FailureShownIn::pageWindow, true, false },
        { Kind::blockedPort, FailureShownIn::mainWindow, true, true },
        // The engine refuses a page window's link there without a word.
        { Kind::blockedPort, FailureShownIn::pageWindow, false, false },
    };
    for (const auto& [kind, where, offersTryAgain, offersOpenAddress] : cases) {
        std::string html = loadFailurePage(failure(kind, "http://127.0.0.1:9/", "refused"), where);
        EXPECT_EQ(html.find(tryAgain) != std::string::npos, offersTryAgain) << int(kind) << int(where);
        EXPECT_EQ(html.find(openAddress) != std::string::npos, offersOpenAddress) << int(kind) << int(where);
    }
}

TEST(FailurePages, AnInternationalisedSiteIsNamedInItsOwnLettersWhereThatIsSafe)
{
    std::string page = loadFailurePage(failure(Kind::nameNotFound, "https://xn--bcher-kva.test/", "Error resolving"));
    EXPECT_NE(page.find("find the site \u201cb\u00fccher.test\u201d"), std::string::npos) << page;
    std::string spoof = loadFailurePage(failure(Kind::nameNotFound, "https://xn--pypal-4ve.com/", "Error resolving"));
    EXPECT_NE(spoof.find("find the site \u201cxn--pypal-4ve.com\u201d"), std::string::npos) << spoof;
}

TEST(FailurePages, ACertificateIsExplainedByItsProblemsAlone)
{
    auto told = failure(Kind::certificate, "https://self-signed.invalid/", "The site's certificate was not accepted");
    told.certificateProblems = { "it is not signed by an authority this computer trusts", "it has expired" };
    std::string page = loadFailurePage(told);
    EXPECT_EQ(between(page, "<h1>", "</h1>"), "The site\u2019s certificate was not accepted");
    EXPECT_NE(page.find("<li>it is not signed by an authority this computer trusts</li><li>it has expired</li>"), std::string::npos) << page;
    EXPECT_EQ(between(page, "<p class='detail'>", "</p>"), "https://self-signed.invalid/");
}

TEST(FailurePages, OurPagesFollowTheEnginesLightOrDarkWhileTheyShow)
{
    for (const std::string& page : { loadFailurePage(failure(Kind::refused, "https://x.invalid/", "Refused")), stoppedPage("https://x.invalid/"), startPage() }) {
        EXPECT_NE(page.find("<meta name='color-scheme' content='light dark'>"), std::string::npos) << page;
        EXPECT_NE(page.find("@media (prefers-color-scheme: dark) { :root { color-scheme: dark; --background: #1f1f22;"), std::string::npos)
            << "the blank window's dark: " << page;
    }
    EXPECT_NE(startPage().find("<h1>No page is open</h1><p>Press <kbd>Ctrl+L</kbd> to open an address"), std::string::npos);
}

TEST(FailurePages, TheFiveCharactersOfMarkupAreWrittenAsReferences)
{
    EXPECT_EQ(escapedForHTML("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
    EXPECT_EQ(escapedForHTML("caf\xc3\xa9 / plain"), "caf\xc3\xa9 / plain");
}

TEST(FailurePages, HostileAddressesMessagesAndProblemsComeOutAsText)
{
    // The same pages of harmless texts have the markup the hostile ones must have.
    std::vector<std::pair<std::string, std::string>> pages;
    for (Kind kind : { Kind::refused, Kind::nameNotFound, Kind::timedOut, Kind::certificate, Kind::blockedPort, Kind::other }) {
        pages.emplace_back(loadFailurePage(failure(kind, "https://a.example/", "Connection refused", { "one", "two" })),
            loadFailurePage(failure(kind, hostileAddress, hostileMessage, { hostileMessage, hostileAddress })));
    }
    pages.emplace_back(stoppedPage("https://a.example/"), stoppedPage(hostileAddress));
    for (const auto& [harmless, hostile] : pages) {
        EXPECT_EQ(markupOf(hostile), markupOf(harmless)) << hostile;
        EXPECT_EQ(bareAmpersands(hostile), 0) << hostile;
        EXPECT_NE(hostile.find(escapedForHTML(hostileAddress)), std::string::npos) << "the address is shown: " << hostile;
    }
    EXPECT_NE(pages[0].second.find(escapedForHTML(hostileMessage)), std::string::npos) << "the engine's words are shown";
}

TEST(CertificateProblems, EveryFlagIsNamedInWordsOfItsOwnAndTogetherInOrder)
{
    const std::pair<GTlsCertificateFlags, const char*> flags[] = {
        { G_TLS_CERTIFICATE_UNKNOWN_CA, "authority" },
        { G_TLS_CERTIFICATE_BAD_IDENTITY, "another site" },
        { G_TLS_CERTIFICATE_NOT_ACTIVATED, "not valid yet" },
        { G_TLS_CERTIFICATE_EXPIRED, "expired" },
        { G_TLS_CERTIFICATE_REVOKED, "revoked" },
        { G_TLS_CERTIFICATE_INSECURE, "insecure" },
        { G_TLS_CERTIFICATE_GENERIC_ERROR, "could not be checked" },
    };
    std::vector<std::string> each;
    int all = 0;
    for (const auto& [flag, word] : flags) {
        auto problems = platform::certificateProblems(flag);
        ASSERT_EQ(problems.size(), 1u) << word;
        EXPECT_NE(problems[0].find(word), std::string::npos) << problems[0];
        each.push_back(problems[0]);
        all |= flag;
    }
    EXPECT_EQ(std::set<std::string>(each.begin(), each.end()).size(), each.size()) << "no two flags share their words";
    EXPECT_EQ(platform::certificateProblems(GTlsCertificateFlags(all)), each);
    EXPECT_EQ(platform::certificateProblems(GTlsCertificateFlags(0)), std::vector<std::string> { "it could not be checked" }) << "never nothing";
}

TEST(FailurePages, TheKeysOurPagesNameAreTheCommandsOwn)
{
    auto hasKey = [](const std::string& command, const std::string& accelerator) {
        const auto& table = commandDefinitions();
        auto found = std::find_if(table.begin(), table.end(), [&](const CommandDefinition& each) { return each.name == command; });
        return found != table.end() && std::count(found->accelerators.begin(), found->accelerators.end(), accelerator) == 1;
    };
    const std::string failed = loadFailurePage(failure(Kind::refused, "https://x.invalid/", "Refused"));
    const std::string stopped = stoppedPage("https://x.invalid/");
    const struct {
        const std::string& page;
        const char* words;
        const char* command;
        const char* accelerator;
    } cases[] = {
        { failed, "choose File &gt; Open Address\u2026 (Ctrl+L).", "open-address", "<Primary>l" },
        { stopped, "choose File &gt; Open Address\u2026 (Ctrl+L).", "open-address", "<Primary>l" },
        { startPage(), "Press <kbd>Ctrl+L</kbd> to open an address", "open-address", "<Primary>l" },
        { startPage(), "<kbd>F10</kbd> or <kbd>Ctrl+Shift+M</kbd> opens the menus", "show-menu", "F10" },
        { startPage(), "<kbd>F10</kbd> or <kbd>Ctrl+Shift+M</kbd> opens the menus", "show-menu", "<Primary><Shift>m" },
    };
    for (const auto& each : cases) {
        EXPECT_NE(each.page.find(each.words), std::string::npos) << each.words;
        EXPECT_TRUE(hasKey(each.command, each.accelerator)) << each.command << " " << each.accelerator;
    }
    EXPECT_EQ(between(stopped, "<h1>", "</h1>"), "The page stopped working");
    EXPECT_EQ(between(stopped, "<title>", "</title>"), "The page stopped working");
    EXPECT_NE(stopped.find("href='https://x.invalid/'>Try Again</a>"), std::string::npos);
}
