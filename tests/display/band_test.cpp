// The band above the page takes the colour at the top of the page, on screen.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
class Band : public QuillaneTest {
protected:
    Pixel band() const { return pixel(frame().width / 2, 5); }
    // The band's colour on screen, which follows the page's top (its choice is the band script's test).
    bool bandBecomes(Pixel expected, std::chrono::milliseconds timeout = std::chrono::seconds(5)) const
    {
        return waitForPixel(frame().width / 2, 5, expected, timeout);
    }
};
} // namespace

TEST_F(Band, AnAllTransparentTopShowsTheUnderPageColourWhichTheThemeColourSets)
{
    ASSERT_TRUE(open("<meta name='theme-color' content='#336699'>"
                     "<style>html, body { background: transparent; margin: 0 }</style><p>text</p>"
                     "<script>setTimeout(() => document.querySelector('meta').content = '#993366', 1500)</script>"));
    EXPECT_TRUE(bandBecomes({ 0x33, 0x66, 0x99 })) << band();
    EXPECT_TRUE(bandBecomes({ 0x99, 0x33, 0x66 })) << band();
}

TEST_F(Band, FollowsAChangeOfTheTopBySoonAfter)
{
    ASSERT_TRUE(open("<body style='margin: 0'><div id='strip' style='height: 60px; background: rgb(30, 60, 90)'></div>"
                     "<script>setTimeout(() => document.getElementById('strip').style.background = 'rgb(0, 128, 0)', 1500)</script></body>"));
    ASSERT_TRUE(bandBecomes({ 30, 60, 90 }));
    EXPECT_TRUE(bandBecomes({ 0, 128, 0 }, std::chrono::seconds(3))) << band();
}

TEST_F(Band, FollowsTheScrollingOfAnInnerElement)
{
    ASSERT_TRUE(open("<body style='margin: 0'><div id='scroller' style='height: 100px; overflow: auto'>"
                     "<div style='height: 100px; background: rgb(220, 0, 0)'></div>"
                     "<div style='height: 100px; background: rgb(0, 0, 220)'></div></div>"
                     "<script>setTimeout(() => scroller.scrollTop = 100, 1500)</script></body>"));
    ASSERT_TRUE(bandBecomes({ 220, 0, 0 }));
    EXPECT_TRUE(bandBecomes({ 0, 0, 220 }, std::chrono::seconds(3))) << band();
}

TEST_F(Band, TakesTheColourOfAPageWhoseFirstElementComesLongAfterTheLoadCommitted)
{
    // The load commits with the first bytes (white space, no element yet), so the program's word
    // that this is the main page can come before our page scripts have run.
    server.serveInParts("/page.html",
        { std::string(600, ' '), "<body style='margin: 0; background: rgb(0, 120, 60)'></body>" + std::string(paintedReport) },
        std::chrono::milliseconds(1500));
    session.writePreferences("[Preferences]\naddress='" + server.url("/page.html") + "'\n");
    quillane = session.startQuillane();
    auto found = session.waitForWindow();
    ASSERT_TRUE(found);
    window = *found;
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/painted") >= 1; }));
    EXPECT_TRUE(bandBecomes({ 0, 120, 60 })) << band();
}
