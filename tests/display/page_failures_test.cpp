// Pages that do not come: a request that is never answered is given up after the page request's
// time-out, Try Again is held to the same time-out, and a load cancelled later is no time-out.
#include "harness.h"
#include "http_server.h"
#include "in_process.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

using namespace quillane;
using namespace quillane::testing;
using Kind = platform::LoadFailure::Kind;

namespace {
class PageFailures : public ::testing::Test {
protected:
    void SetUp() override { session.enterThisProcess(); }

    static std::string link(const std::string& address)
    {
        char* escaped = g_uri_escape_string(address.c_str(), nullptr, FALSE);
        std::string result = std::string("quillane://open?url=") + escaped;
        g_free(escaped);
        return result;
    }

    // Clicks the element the selector finds in the main page, as the user would, once the page has
    // loaded and the element is what lies at its own centre.
    bool click(DrivenQuillane& driven, const std::string& selector)
    {
        const std::string script = "(() => { const e = document.querySelector('" + selector + "');"
            " if (document.readyState != 'complete' || !e) return '';"
            " const r = e.getBoundingClientRect(), x = Math.round(r.x + r.width / 2), y = Math.round(r.y + r.height / 2);"
            " const there = document.elementFromPoint(x, y);"
            " return there && there.closest('" + selector + "') ? x + ' ' + y : '' })()";
        // Outlives this call should an answer come after the wait gave up.
        struct Asked {
            bool pending = false;
            std::string place;
        };
        auto asked = std::make_shared<Asked>();
        bool found = spinUntil([&] {
            if (!asked->pending) {
                asked->pending = true;
                driven.mainWindow().page().evaluateJavaScript(script, [asked](std::optional<std::string> value, std::optional<std::string>) {
                    asked->place = value.value_or("");
                    asked->pending = false;
                });
            }
            return !asked->place.empty();
        });
        int x = 0, y = 0;
        if (!found || std::sscanf(asked->place.c_str(), "%d %d", &x, &y) != 2)
            return false;
        platform::Rect frame = driven.mainWindow().window().frame();
        session.xdotool({ "mousemove", std::to_string(int(frame.origin.x) + x), std::to_string(int(frame.origin.y + MainWindow::band) + y) });
        session.xdotool({ "click", "1" });
        return true;
    }

    // Quillane started on a page of the server's with this time-out for page requests; the body gets
    // the main page and the load failures it reports from then on.
    using Body = std::function<void(DrivenQuillane&, platform::WebView&, const std::vector<platform::LoadFailure>&)>;
    void startedOnAPage(double pageRequestTimeout, const Body& body)
    {
        server.serve("/start.html", "<title>Start</title>");
        session.writePreferences("[Preferences]\naddress='" + server.url("/start.html") + "'\n");
        LaunchOptions options;
        options.pageRequestTimeout = pageRequestTimeout;
        launchQuillane(session, options, [&](DrivenQuillane& driven) {
            platform::WebView& page = driven.mainWindow().page();
            ASSERT_TRUE(spinUntil([&] { return page.title() == "Start"; }));
            std::vector<platform::LoadFailure> failures;
            auto heard = page.loadFailed.add([&](const platform::LoadFailure& failure) { failures.push_back(failure); });
            body(driven, page, failures);
        });
    }

    DisplaySession session;
    HttpServer server;
};
} // namespace

TEST_F(PageFailures, TryAgainIsHeldToThePageRequestsTimeOutAndALaterCancelledLoadIsNoTimeOut)
{
    server.silent("/never.html");
    startedOnAPage(1, [&](DrivenQuillane& driven, platform::WebView& page, const std::vector<platform::LoadFailure>& failures) {
        // A page that never answers is given up after the time-out, and told.
        driven.launch.open({ link(server.url("/never.html")) });
        ASSERT_TRUE(spinUntil([&] { return failures.size() == 1; }, std::chrono::seconds(5)));
        EXPECT_EQ(failures[0].kind, Kind::timedOut);
        ASSERT_TRUE(spinUntil([&] { return page.title() == "The site took too long to answer"; }));

        // Try Again asks once more, with the same time-out.
        ASSERT_TRUE(click(driven, "a.button"));
        ASSERT_TRUE(spinUntil([&] { return server.timesRequested("/never.html") == 2; })) << "Try Again asked again";
        auto retried = std::chrono::steady_clock::now();
        ASSERT_TRUE(spinUntil([&] { return failures.size() == 2; }, std::chrono::seconds(5))) << "Try Again had no time-out";
        double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - retried).count();
        std::printf("Try Again gave up after %.2f s\n", took);
        EXPECT_EQ(failures[1].kind, Kind::timedOut);
        ASSERT_TRUE(spinUntil([&] { return page.title() == "The site took too long to answer"; }));

        // A load of the page's own that is then cancelled (here by a page of the program's) was
        // not timed out, and is not told.
        // Once the failure page has finished loading: a navigation made before then goes with it.
        struct Asked {
            bool pending = false;
            bool complete = false;
        };
        // Outlives this test's wait should an answer come after it.
        auto asked = std::make_shared<Asked>();
        ASSERT_TRUE(spinUntil([&] {
            if (!asked->pending) {
                asked->pending = true;
                page.evaluateJavaScript("document.readyState", [asked](std::optional<std::string> value, std::optional<std::string>) {
                    asked->complete = value.value_or("") == "complete";
                    asked->pending = false;
                });
            }
            return asked->complete;
        }));
        page.evaluateJavaScript("location.href = '" + server.url("/never.html?again") + "'");
        ASSERT_TRUE(spinUntil([&] { return server.timesRequested("/never.html?again") == 1; }));
        page.loadHTML("<title>Replaced</title>", "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return page.title() == "Replaced"; }));
        EXPECT_FALSE(spinUntil([&] { return page.title() != "Replaced"; }, std::chrono::milliseconds(1500))) << "a failure page came over it";
        for (std::size_t index = 2; index < failures.size(); ++index)
            EXPECT_EQ(failures[index].kind, Kind::cancelled) << index;
    });
}

TEST_F(PageFailures, ALoadThatReplacesOneNeverAnsweredKeepsItsOwnTimeOut)
{
    server.silent("/never.html");
    server.silent("/also-never.html");
    startedOnAPage(1.5, [&](DrivenQuillane& driven, platform::WebView&, const std::vector<platform::LoadFailure>& failures) {
        driven.launch.open({ link(server.url("/never.html")) });
        ASSERT_TRUE(spinUntil([&] { return server.timesRequested("/never.html") == 1; }));
        // Another page is asked for while the first still waits: the first is cancelled, quietly.
        driven.launch.open({ link(server.url("/also-never.html")) });
        ASSERT_TRUE(spinUntil([&] {
            return std::any_of(failures.begin(), failures.end(), [](const auto& failure) { return failure.kind == Kind::timedOut; });
        }, std::chrono::seconds(5))) << "the second load was never given up";
        const auto& timedOut = *std::find_if(failures.begin(), failures.end(), [](const auto& failure) { return failure.kind == Kind::timedOut; });
        EXPECT_NE(timedOut.address.find("/also-never.html"), std::string::npos) << timedOut.address;
        for (const auto& failure : failures) {
            if (failure.address.find("/also-never.html") == std::string::npos) {
                EXPECT_EQ(failure.kind, Kind::cancelled) << failure.address;
            }
        }
    });
}

TEST_F(PageFailures, ARedirectToAnAddressThatNeverAnswersIsGivenUpToo)
{
    server.redirect("/moved.html", "/never.html");
    server.silent("/never.html");
    startedOnAPage(1, [&](DrivenQuillane& driven, platform::WebView&, const std::vector<platform::LoadFailure>& failures) {
        driven.launch.open({ link(server.url("/moved.html")) });
        ASSERT_TRUE(spinUntil([&] { return !failures.empty(); }, std::chrono::seconds(5))) << "the redirected load was never given up";
        EXPECT_EQ(failures[0].kind, Kind::timedOut);
        EXPECT_EQ(failures[0].address, server.url("/never.html"));
        EXPECT_EQ(server.timesRequested("/never.html"), 1);
    });
}

TEST_F(PageFailures, ALinkThePageFollowsToASiteThatNeverAnswersIsGivenUpInTheSameTime)
{
    server.silent("/never.html");
    server.serve("/links.html", "<title>Links</title><a href='/never.html' style='font-size: 40px'>never</a>");
    server.serve("/form.html", "<title>Form</title><form method='post' action='/never.html'><input name='note' value='kept'>"
                               "<button style='font-size: 40px'>send</button></form>");
    startedOnAPage(1, [&](DrivenQuillane& driven, platform::WebView& page, const std::vector<platform::LoadFailure>& failures) {
        driven.launch.open({ link(server.url("/links.html")) });
        ASSERT_TRUE(spinUntil([&] { return page.title() == "Links"; }));
        ASSERT_TRUE(click(driven, "a"));
        ASSERT_TRUE(spinUntil([&] { return server.timesRequested("/never.html") == 1; }));
        ASSERT_TRUE(spinUntil([&] { return !failures.empty(); }, std::chrono::seconds(5))) << "the engine waits for ever";
        EXPECT_EQ(failures[0].kind, Kind::timedOut);
        EXPECT_EQ(failures[0].address, server.url("/never.html"));
        EXPECT_TRUE(spinUntil([&] { return page.title() == "The site took too long to answer"; }));

        // A form sent with POST takes what it takes: stopping it would lose what was sent.
        driven.launch.open({ link(server.url("/form.html")) });
        ASSERT_TRUE(spinUntil([&] { return page.title() == "Form"; }));
        ASSERT_TRUE(click(driven, "button"));
        ASSERT_TRUE(spinUntil([&] { return server.timesRequested("/never.html") == 2; }));
        EXPECT_FALSE(spinUntil([&] { return failures.size() > 1; }, std::chrono::milliseconds(2500))) << "given up after the page's time-out";
    });
}
