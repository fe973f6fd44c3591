// The pages of our own shown in the window: every text from outside is shown as text, never as
// markup, and every certificate problem is named in its own words.
#include "page/failure_pages.h"
#include "platform/gtk/certificate_problems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

using namespace quillane;
using Kind = platform::LoadFailure::Kind;

namespace {
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

platform::LoadFailure failure(Kind kind, const std::string& address, const std::string& message, std::vector<std::string> problems = {})
{
    return { kind, address, message, std::move(problems) };
}
} // namespace

TEST(FailurePages, TheFiveCharactersOfMarkupAreWrittenAsReferences)
{
    EXPECT_EQ(escapedForHTML("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
    EXPECT_EQ(escapedForHTML("caf\xc3\xa9 / plain"), "caf\xc3\xa9 / plain");
}

TEST(FailurePages, HostileAddressesMessagesAndProblemsComeOutAsText)
{
    // The same pages of harmless texts have the markup the hostile ones must have.
    const std::pair<std::string, std::string> pages[] = {
        { loadFailurePage(failure(Kind::refused, "https://a.example/", "Connection refused")),
            loadFailurePage(failure(Kind::refused, hostileAddress, hostileMessage)) },
        { loadFailurePage(failure(Kind::certificate, "https://a.example/", "not accepted", { "one", "two" })),
            loadFailurePage(failure(Kind::certificate, hostileAddress, hostileMessage, { hostileMessage, hostileAddress })) },
        { stoppedPage("https://a.example/"), stoppedPage(hostileAddress) },
    };
    for (const auto& [harmless, hostile] : pages) {
        EXPECT_EQ(markupOf(hostile), markupOf(harmless)) << hostile;
        EXPECT_EQ(bareAmpersands(hostile), 0) << hostile;
        EXPECT_NE(hostile.find(escapedForHTML(hostileAddress)), std::string::npos) << "the address is shown";
    }
    EXPECT_NE(pages[0].second.find(escapedForHTML(hostileMessage)), std::string::npos) << "the engine's words are shown";
}

TEST(FailurePages, EachFailureHasItsOwnHeadlineAndEachCertificateProblemItsOwnLine)
{
    std::set<std::string> headlines;
    for (Kind kind : { Kind::refused, Kind::nameNotFound, Kind::timedOut, Kind::certificate, Kind::blockedPort, Kind::other }) {
        std::string page = loadFailurePage(failure(kind, "https://a.example/", ""));
        std::smatch title;
        ASSERT_TRUE(std::regex_search(page, title, std::regex("<title>(.*)</title>")));
        EXPECT_TRUE(headlines.insert(title[1]).second) << title[1];
        EXPECT_NE(page.find("<h1>" + title[1].str() + "</h1>"), std::string::npos);
        EXPECT_NE(page.find("href='https://a.example/'>Try Again"), std::string::npos);
    }
    EXPECT_EQ(headlines.count("The site\u2019s certificate was not accepted"), 1u);

    std::string page = loadFailurePage(failure(Kind::certificate, "https://a.example/", "ignored", { "it has expired", "it is for another site" }));
    EXPECT_NE(page.find("<li>it has expired</li><li>it is for another site</li>"), std::string::npos) << page;
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
