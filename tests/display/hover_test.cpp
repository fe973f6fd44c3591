// The window buttons show while the pointer is near them, on screen.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
// The page is one colour, so a button is seen by its own colour at its centre.
constexpr const char* plainPage = "<body style='margin: 0; background: rgb(240, 240, 240)'></body>";
// The zoom button's right edge, from the window's top-left corner.
constexpr int zoomRight = 62;

class Hover : public QuillaneTest {
protected:
    bool buttonsBecome(bool shown, std::chrono::milliseconds timeout = std::chrono::seconds(3)) const
    {
        return waitUntil([&] { return buttonsShow() == shown; }, timeout);
    }
};
} // namespace

TEST_F(Hover, TheButtonsShowWithinTwentyPointsOfThem)
{
    ASSERT_TRUE(open(plainPage));
    // At first the buttons' corner shows nothing but the band and the empty page: one colour.
    Image corner = session.screenshot({ frame().x, frame().y, 80, 30 }, "corner");
    ASSERT_EQ(corner.width, 80);
    EXPECT_EQ(std::count_if(corner.rgb.begin(), corner.rgb.end(), [](std::uint8_t value) { return value != 240; }), 0);
    pointAt(zoomRight + 19, buttonsY);
    EXPECT_TRUE(buttonsBecome(true));
    pointAt(zoomRight + 20, buttonsY);
    EXPECT_TRUE(buttonsBecome(false));
    pointAt(30, 40);
    EXPECT_TRUE(buttonsBecome(true));
    pointAt(30, 41);
    EXPECT_TRUE(buttonsBecome(false));
    pointAt(0, 0);
    EXPECT_TRUE(buttonsBecome(true));
    // Out of the window entirely, past its top-left corner.
    Geometry here = frame();
    session.xdotool({ "mousemove", std::to_string(here.x - 5), std::to_string(here.y - 5) });
    EXPECT_TRUE(buttonsBecome(false));
}

TEST_F(Hover, APressThatLeavesKeepsThemUntilItEndsOutside)
{
    ASSERT_TRUE(open(plainPage));
    pointAt(30, 30);
    ASSERT_TRUE(buttonsBecome(true));
    session.xdotool({ "mousedown", "1" });
    pointAt(300, 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_TRUE(buttonsShow()) << "kept while the press goes on";
    // Released back inside the area: they stay.
    pointAt(35, 30);
    session.xdotool({ "mouseup", "1" });
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_TRUE(buttonsShow()) << pixel(closeX, buttonsY);

    // Released outside: they go as it ends.
    session.xdotool({ "mousedown", "1" });
    pointAt(300, 200);
    session.xdotool({ "mouseup", "1" });
    auto released = std::chrono::steady_clock::now();
    ASSERT_TRUE(buttonsBecome(false, std::chrono::seconds(2)));
    EXPECT_LT(std::chrono::steady_clock::now() - released, std::chrono::milliseconds(600));
}

TEST_F(Hover, TheAreaFollowsTheButtonsAfterAResize)
{
    ASSERT_TRUE(open(plainPage));
    session.xdotool({ "windowsize", std::to_string(window), "900", "300" });
    ASSERT_TRUE(waitUntil([&] { return frame().width == 900 && frame().height == 300; }));
    pointAt(zoomRight + 10, buttonsY);
    EXPECT_TRUE(buttonsBecome(true));
    pointAt(zoomRight + 10, 60);
    EXPECT_TRUE(buttonsBecome(false));
}

TEST_F(Hover, UnderARightToLeftLanguageTheButtonsSitMirroredAtTheTopRightClearOfTheScrollbar)
{
    // GTK takes its direction from its Hebrew translation.
    session.setExtraEnvironment({ "LANG=C.UTF-8", "LANGUAGE=he" });
    // A long page: its scrollbar runs down the window's right edge, from under the band.
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><div style='height: 3000px'></div></body>"));
    const int width = frame().width;
    // Mirrored: the close button is the rightmost, 22 points in from the right edge.
    const int closeCentre = width - 22 - 7, zoomLeft = width - 22 - 54;
    auto closeShows = [&] {
        Pixel close = pixel(closeCentre + 4, buttonsY);
        return close.red > 200 && close.green < 120;
    };
    EXPECT_FALSE(closeShows());
    pointAt(zoomLeft - 19, buttonsY);
    EXPECT_TRUE(waitUntil(closeShows)) << "the area reaches 20 points beyond them: " << pixel(closeCentre + 4, buttonsY);
    pointAt(zoomLeft - 21, buttonsY);
    EXPECT_TRUE(waitUntil([&] { return !closeShows(); }));
    EXPECT_FALSE(buttonsShow()) << "nothing at the top-left";
    pointAt(closeCentre, buttonsY);
    ASSERT_TRUE(waitUntil(closeShows));
    for (int x = width - 14; x < width; ++x)
        EXPECT_TRUE(near(pixel(x, buttonsY), { 240, 240, 240 }) || pixel(x, buttonsY).red < 200) << "the scrollbar's strip is the page's, at " << x;
    // The middle one still minimises.
    pointAt(width - 22 - 27, buttonsY);
    session.xdotool({ "click", "1" });
    EXPECT_TRUE(waitUntil([&] { return session.property(window, "_NET_WM_STATE").find("HIDDEN") != std::string::npos; }));
}
