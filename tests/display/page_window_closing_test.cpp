// Closing a page window whose page never answers: it goes after the patience the main window has.
#include "quillane_test.h"

using namespace quillane::testing;

using PageWindowClosing = QuillaneTest;

TEST_F(PageWindowClosing, APageWindowWhoseBeforeunloadNeverAnswersStillClosesWithinAFewSeconds)
{
    // Its handler keeps the page's process busy for far longer than anyone waits.
    server.serve("/busy.html", "<title>Busy</title><body style='margin: 0; background: rgb(0, 150, 0)'><script>"
                               "addEventListener('beforeunload', () => { const end = Date.now() + 10000; while (Date.now() < end) { } })"
                               "</script></body>");
    ASSERT_TRUE(open("<title>Main</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                     "<button style='position: fixed; left: 20px; top: 60px; font-size: 30px' onclick=\"window.open('/busy.html', 'busy')\">"
                     "open</button></body>"));
    click(60, 10 + 75);
    auto busy = session.waitForWindowNamed("Busy");
    ASSERT_TRUE(busy);
    // The page has had the user's input, so it would be allowed to object.
    clickInside(*busy);

    auto asked = std::chrono::steady_clock::now();
    session.run({ "wmctrl", "-i", "-c", std::to_string(*busy) });
    ASSERT_TRUE(gone("Busy", std::chrono::seconds(6))) << "the window stayed";
    double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    std::printf("the silent page window went after %.2f s\n", took);
    EXPECT_FALSE(session.waitForWindowNamed("Leave page?", std::chrono::milliseconds(0)));
    EXPECT_TRUE(quillane->running()) << "closing a page window quits nothing";
    EXPECT_TRUE(session.waitForWindow("Quillane", std::chrono::milliseconds(0))) << "the main window stays";
}
