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

    void launch(const std::function<void(DrivenDelegate&)>& body) { launchQuillane(session, body); }

    Geometry windowOnScreen(DrivenDelegate& delegate) { return session.geometry(delegate.mainWindow().window().windowNumber()); }

    DisplaySession session;
};

// The band takes the top's colour without its alpha (pure blue); the page shows the same blue half
// over white, so band and page can be told apart on screen.
constexpr const char* halfBluePage = "<body style='margin: 0; background: rgba(0, 0, 255, 0.5)'></body>";
} // namespace

TEST_F(PageLayout, ThePageLiesUnderATenPointBandInTheColourOfItsTop)
{
    launch([&](DrivenDelegate& delegate) {
        EXPECT_EQ(delegate.mainWindow().page().frame(), (platform::Rect { { 0, 0 }, { 640, 390 } }));
        EXPECT_EQ(delegate.mainWindow().window().contentView()->typeName(), "HoverView");
        delegate.mainWindow().page().loadHTMLString(halfBluePage, "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return delegate.mainWindow().window().backgroundColour() == blue; }))
            << "the band follows the top of the page";
        Image shot;
        EXPECT_TRUE(spinUntil([&] {
            shot = session.screenshot(windowOnScreen(delegate), "launch");
            return pageBlue(shot.at(320, 399)) && bandRows(shot, 320) == 10;
        })) << "the page and the band reach the screen";
        ASSERT_EQ(shot.width, 640);
        for (int x : { 100, 320, 630 })
            EXPECT_EQ(bandRows(shot, x), 10) << "at x = " << x;
        EXPECT_TRUE(pageBlue(shot.at(320, 10)));
        EXPECT_TRUE(pageBlue(shot.at(320, 399)));
    });
}

TEST_F(PageLayout, AfterAResizeThePageKeepsTheFullWidthAndTheBandItsHeight)
{
    launch([&](DrivenDelegate& delegate) {
        delegate.mainWindow().page().loadHTMLString(halfBluePage, "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return delegate.mainWindow().window().backgroundColour() == blue; }));
        session.xdotool({ "windowsize", std::to_string(delegate.mainWindow().window().windowNumber()), "800", "500" });
        ASSERT_TRUE(spinUntil([&] { return delegate.mainWindow().page().frame().size == platform::Size { 800, 490 }; }))
            << delegate.mainWindow().page().frame().size.width << "x" << delegate.mainWindow().page().frame().size.height;
        EXPECT_EQ(delegate.mainWindow().page().frame().origin, (platform::Point { 0, 0 }));
        EXPECT_EQ(delegate.mainWindow().window().contentLayoutRect(), (platform::Rect { { 0, 0 }, { 800, 472 } }));
        Image shot;
        EXPECT_TRUE(spinUntil([&] {
            shot = session.screenshot(windowOnScreen(delegate), "resized");
            return shot.width == 800 && pageBlue(shot.at(790, 499));
        })) << "the resized page reaches the screen";
        ASSERT_EQ(shot.width, 800);
        EXPECT_EQ(bandRows(shot, 790), 10);
        EXPECT_TRUE(pageBlue(shot.at(790, 499)));
    });
}

TEST_F(PageLayout, HitTestingAndConversionUseBottomLeftHalfOpenFrames)
{
    launch([&](DrivenDelegate& delegate) {
        platform::View* content = delegate.mainWindow().window().contentView();
        ASSERT_TRUE(content);
        // 10 points below the top of the 400-point window lies on the band's edge: the content view's.
        EXPECT_EQ(content->hitTest({ 100, 390 })->typeName(), "HoverView");
        EXPECT_EQ(content->hitTest({ 100, 389.5 })->typeName(), "PageView");
        EXPECT_EQ(content->hitTest({ 0, 0 })->typeName(), "PageView");
        EXPECT_EQ(content->hitTest({ 640, 100 }), nullptr);
        EXPECT_TRUE(content->mouseDownCanMoveWindow());
        EXPECT_FALSE(delegate.mainWindow().page().mouseDownCanMoveWindow());
        EXPECT_EQ(delegate.mainWindow().page().convert(platform::Point { 5, 7 }, nullptr), (platform::Point { 5, 7 }));
        EXPECT_EQ(content->convertFrom(platform::Point { 5, 7 }, &delegate.mainWindow().page()), (platform::Point { 5, 7 }));
        auto close = delegate.mainWindow().window().buttonFrame(platform::WindowButton::close);
        ASSERT_TRUE(close);
        EXPECT_GT(close->minY(), 400 - delegate.mainWindow().window().titleBarHeight()) << "the buttons sit in the hidden title bar";
        EXPECT_LE(close->maxY(), 400);
    });
}
