// The pages that tell why a page did not come: the user's words first, the engine's in small type,
// and nothing from outside left unescaped.
#include "page/failure_pages.h"
#include "page/own_pages.h"

#include <gtest/gtest.h>

using namespace quillane;
using Kind = platform::LoadFailure::Kind;

namespace {
platform::LoadFailure failure(Kind kind, const std::string& address, const std::string& message)
{
    platform::LoadFailure made;
    made.kind = kind;
    made.address = address;
    made.message = message;
    return made;
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

TEST(FailurePages, AnInternationalisedSiteIsNamedInItsOwnLettersWhereThatIsSafe)
{
    std::string page = loadFailurePage(failure(Kind::nameNotFound, "https://xn--bcher-kva.test/", "Error resolving"));
    EXPECT_NE(page.find("find the site \u201cb\u00fccher.test\u201d"), std::string::npos) << page;
    std::string spoof = loadFailurePage(failure(Kind::nameNotFound, "https://xn--pypal-4ve.com/", "Error resolving"));
    EXPECT_NE(spoof.find("find the site \u201cxn--pypal-4ve.com\u201d"), std::string::npos) << spoof;
}

TEST(FailurePages, TextFromOutsideIsEscapedEverywhere)
{
    const std::string hostile = "https://x.invalid/<script>alert('a')</script>\"";
    for (Kind kind : { Kind::nameNotFound, Kind::refused, Kind::timedOut, Kind::certificate, Kind::blockedPort, Kind::other }) {
        auto told = failure(kind, hostile, "<img src=x onerror=alert(1)>");
        told.certificateProblems = { "<b>bold</b>" };
        std::string page = loadFailurePage(told);
        EXPECT_EQ(page.find("<script>"), std::string::npos) << page;
        EXPECT_EQ(page.find("<img"), std::string::npos) << page;
        EXPECT_EQ(page.find("<b>"), std::string::npos) << page;
        EXPECT_EQ(page.find("'a'"), std::string::npos) << "a quote would end the link's attribute";
    }
    std::string stopped = stoppedPage(hostile);
    EXPECT_EQ(stopped.find("<script>"), std::string::npos);
    EXPECT_NE(stopped.find("<h1>The page stopped working</h1>"), std::string::npos);
}

TEST(FailurePages, ACertificateIsExplainedByItsProblemsAlone)
{
    auto told = failure(Kind::certificate, "https://self-signed.invalid/", "The site's certificate was not accepted");
    told.certificateProblems = { "it is not signed by an authority this computer trusts", "it has expired" };
    std::string page = loadFailurePage(told);
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
