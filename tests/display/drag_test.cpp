// Moving the window by the page's empty top strip, the band, and a press with the Super key.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
// Presses the left button at a point of the window (top-left coordinates), moves by (dx, dy) and lets go.
class Drag : public QuillaneTest {
protected:
    void pressAndMove(int x, int y, int dx, int dy, const std::vector<std::string>& heldKeys = {})
    {
        for (const auto& key : heldKeys)
            session.xdotool({ "keydown", key });
        pointAt(x, y);
        session.xdotool({ "mousedown", "1" });
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        Geometry here = frame();
        session.xdotool({ "mousemove", std::to_string(here.x + x + dx / 2), std::to_string(here.y + y + dy / 2) });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        session.xdotool({ "mousemove", std::to_string(here.x + x + dx), std::to_string(here.y + y + dy) });
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        session.xdotool({ "mouseup", "1" });
        for (const auto& key : heldKeys)
            session.xdotool({ "keyup", key });
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    bool movedBy(const Geometry& before, int dx, int dy) const
    {
        return waitUntil([&] { return frame().x == before.x + dx && frame().y == before.y + dy; }, std::chrono::seconds(2));
    }
    bool stayed(const Geometry& before) const { return frame().x == before.x && frame().y == before.y; }
};

// Each element turns the page green when it gets its press, so the test sees that the page heard it.
constexpr const char* stripPage = R"(<body style='margin: 0; background: rgb(240, 240, 240)'>
<div style='position: fixed; top: 0; left: 100px; display: flex; gap: 10px'>
<a id='link' href='#'>link</a><button>button</button><input value='field' size='6'><span style='cursor: pointer'>pointer</span>
</div>
<script>addEventListener('mousedown', () => document.body.style.background = 'rgb(0, 200, 0)')</script></body>)";
} // namespace

TEST_F(Drag, APressOnTheEmptyTopStripMovesTheWindow)
{
    ASSERT_TRUE(open(stripPage));
    Geometry before = frame();
    pressAndMove(500, 10 + 5, 40, 30);
    EXPECT_TRUE(movedBy(before, 40, 30));
    EXPECT_TRUE(waitForPixel(300, 300, { 0, 200, 0 })) << "the page still heard the press";
}

TEST_F(Drag, APressOnTheBandMovesTheWindow)
{
    ASSERT_TRUE(open(stripPage));
    Geometry before = frame();
    pressAndMove(400, 5, -60, 20);
    EXPECT_TRUE(movedBy(before, -60, 20));
    EXPECT_TRUE(near(pixel(300, 300), { 240, 240, 240 })) << "the band is not the page";
}

TEST_F(Drag, APressBelowTheStripStaysWithThePage)
{
    ASSERT_TRUE(open(stripPage));
    Geometry before = frame();
    // The strip is 14 points high under the 10-point band: its last row is at 23, the page below at 24.
    pressAndMove(500, 10 + 14, 40, 30);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(stayed(before));
    EXPECT_TRUE(waitForPixel(300, 300, { 0, 200, 0 }));
}

TEST_F(Drag, ClickableThingsInTheStripStayWithThePage)
{
    ASSERT_TRUE(open(stripPage));
    Geometry before = frame();
    // The controls sit from x = 100 along the top of the page; press on each in turn, moving away.
    for (int x : { 105, 150, 230, 300 }) {
        pressAndMove(x, 10 + 6, 30, 40);
        EXPECT_TRUE(stayed(before)) << "x = " << x;
        if (!stayed(before))
            break;
    }
    EXPECT_TRUE(waitForPixel(300, 300, { 0, 200, 0 }));
}

TEST_F(Drag, ASuperPressAnywhereMovesTheWindowAndThePageHearsNothing)
{
    ASSERT_TRUE(open(stripPage));
    Geometry before = frame();
    pressAndMove(300, 250, 50, -40, { "super" });
    EXPECT_TRUE(movedBy(before, 50, -40));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(near(pixel(300, 300), { 240, 240, 240 })) << pixel(300, 300);
}

TEST_F(Drag, ADoubleClickOnTheBandZoomsTheWindow)
{
    ASSERT_TRUE(open(stripPage));
    pointAt(400, 5);
    session.xdotool({ "click", "--repeat", "2", "--delay", "80", "1" });
    EXPECT_TRUE(waitUntil([&] { return session.property(window, "_NET_WM_STATE").find("MAXIMIZED_VERT") != std::string::npos; }))
        << session.property(window, "_NET_WM_STATE");
}
