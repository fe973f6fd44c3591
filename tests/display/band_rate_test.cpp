// How often a busy page makes the band script report.
#include "harness.h"
#include "http_server.h"
#include "in_process.h"

#include <gtest/gtest.h>

using namespace quillane;
using namespace quillane::testing;

namespace {
class BandRate : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.enterThisProcess();
        // A remembered page keeps the Open Address dialog away.
        blank.serve("/", "");
        session.writePreferences("[Preferences]\naddress='" + blank.url("/") + "'\n");
    }
    DisplaySession session;
    HttpServer blank;
};
} // namespace

TEST_F(BandRate, APageThatChangesEveryTenMillisecondsReportsAtMostTenTimesASecond)
{
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        // The top's colour changes with every change, so every look finds a new colour to report.
        delegate.mainWindow().page().loadHTML("<body style='margin: 0'><div id='strip' style='height: 50px'></div><script>"
                                     "let n = 0; setInterval(() => { n++; strip.setAttribute('data-n', n);"
                                     " strip.style.background = `rgb(${n % 256}, 0, 0)` }, 10)</script></body>",
            "https://example.com/");
        // Timed over twenty reports, once the page is under way.
        ASSERT_TRUE(spinUntil([&] { return delegate.messages.size() >= 5; }));
        auto before = delegate.messages.size();
        auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(spinUntil([&] { return delegate.messages.size() >= before + 20; }, 10s));
        auto perSecond = 20 / std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("band reports per second from a page changing every 10 ms: %.1f\n", perSecond);
        RecordProperty("reports_per_second", std::to_string(perSecond));
        EXPECT_LE(perSecond, 10.5);
        EXPECT_GE(perSecond, 3) << "the band still follows a busy page";
    });
}
