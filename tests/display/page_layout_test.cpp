// The launch run in this process on a private display: the page view under the band, the band's
// colour, and both after a resize.
#include "harness.h"
#include "in_process.h"
#include "platform/main_queue.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillane;
using namespace quillane::testing;

namespace {
bool near(const Pixel& pixel, int red, int green, int blue)
{
    return std::abs(pixel.red - red) <= 2 && std::abs(pixel.green - green) <= 2 && std::abs(pixel.blue - blue) <= 2;
}

// Rows from the top of the window that show the band's blue before the page's lighter blue begins, at column x.
int bandRows(const Image& image, int x)
{
    int rows = 0;
    while (rows < image.height && near(image.at(x, rows), 0, 0, 255))
        ++rows;
    return rows;
}

bool pageBlue(const Pixel& pixel)
{
    return std::abs(pixel.red - 127) <= 2 && std::abs(pixel.green - 127) <= 2 && pixel.blue == 255;
}

const platform::Colour blue { 0, 0, 1, 1 };

class PageLayout : public ::testing::Test {
protected:
    void SetUp() override { session.enterThisProcess(); }

    void launch(const std::function<void(DrivenQuillane&)>& body) { launchQuillane(session, body); }

    Geometry windowOnScreen(DrivenQuillane& delegate) { return session.geometry(delegate.mainWindow().window().x11Id()); }

    DisplaySession session;
};

// The band takes the top's colour without its alpha (pure blue); the page shows the same blue half
// over white, so band and page can be told apart on screen.
constexpr const char* halfBluePage = "<body style='margin: 0; background: rgba(0, 0, 255, 0.5)'></body>";
} // namespace

TEST_F(PageLayout, ThePageLiesUnderATenPointBandInTheColourOfItsTopBeforeAndAfterAResize)
{
    launch([&](DrivenQuillane& delegate) {
        platform::Window& window = delegate.mainWindow().window();
        delegate.mainWindow().page().loadHTML(halfBluePage, "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return window.bandColour() == blue; })) << "the band follows the top of the page";
        for (platform::Size size : { platform::Size { 640, 400 }, platform::Size { 800, 500 } }) {
            const int width = int(size.width), height = int(size.height);
            session.xdotool({ "windowsize", std::to_string(window.x11Id()), std::to_string(width), std::to_string(height) });
            ASSERT_TRUE(spinUntil([&] { return window.frame().size == size; }));
            Image shot;
            EXPECT_TRUE(spinUntil([&] {
                shot = session.screenshot(windowOnScreen(delegate), "layout");
                return shot.width == width && pageBlue(shot.at(width - 10, height - 1)) && bandRows(shot, width - 10) == 10;
            })) << "the page and the band reach the screen at " << width << "x" << height;
            for (int x : { 10, width / 2, width - 10 })
                EXPECT_EQ(bandRows(shot, x), 10) << "at x = " << x;
            EXPECT_TRUE(pageBlue(shot.at(width / 2, 10)));
        }
    });
}

TEST_F(PageLayout, TheBandIsTheTopTenPointsWhereNoButtonIs)
{
    launch([&](DrivenQuillane& delegate) {
        platform::Window& window = delegate.mainWindow().window();
        ASSERT_TRUE(spinUntil([&] { return window.isBandAt({ 320, 0.5 }); }));
        for (double y : { 0.5, 9.5 })
            EXPECT_TRUE(window.isBandAt({ 320, y })) << y;
        for (double y : { 10.5, 200.0 })
            EXPECT_FALSE(window.isBandAt({ 320, y })) << "the page, at " << y;
        auto buttons = window.buttonsArea();
        ASSERT_TRUE(buttons);
        EXPECT_EQ(*buttons, platform::windowButtonsPlace) << "laid out where the title bar keeps them";
        platform::Point onTheClose { buttons->minX() + 7, 8.5 };
        EXPECT_TRUE(window.isBandAt(onTheClose)) << "a hidden button leaves the band";
        delegate.mainWindow().showButtons(true);
        EXPECT_FALSE(window.isBandAt(onTheClose)) << "a shown one is the button";
    });
}
