// Moving the window by the page's empty top strip, the band, and a press with the Super key.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
class Drag : public QuillaneTest {
protected:
    // The page numbers the presses it hears, and says at each click how many it has heard.
    std::optional<std::string> firstClickReport() const
    {
        for (const auto& request : server.requests()) {
            if (request.rfind("/clicked?", 0) == 0)
                return request;
        }
        return std::nullopt;
    }
};

// Controls along the top of the page, and an empty strip around them.
constexpr const char* stripPage = R"(<body style='margin: 0; background: rgb(240, 240, 240)'>
<div style='position: fixed; top: 0; left: 100px; display: flex; gap: 10px'>
<a id='link' href='#'>link</a><button>button</button><input value='field' size='6'><span style='cursor: pointer'>pointer</span>
</div>
<script>let presses = 0; addEventListener('mousedown', () => fetch('/press?' + ++presses));
addEventListener('click', () => fetch('/clicked?' + presses))</script></body>)";
} // namespace

TEST_F(Drag, TheEmptyTopStripAndTheBandMoveTheWindowAndOnlyTheStripsPressReachesThePage)
{
    ASSERT_TRUE(open(stripPage));
    EXPECT_TRUE(dragMoves(500, 10 + 5, 40, 30));
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/press?1") == 1; })) << "the page still heard the press";
    EXPECT_TRUE(dragMoves(400, 5, -60, 20));
    EXPECT_TRUE(dragMoves(300, 250, 50, -40, { "super" })) << "a press with Super held, anywhere";
    // A click of the page's own: the presses on the band and with Super held went before it unheard.
    click(300, 300);
    EXPECT_TRUE(waitUntil([&] { return firstClickReport().has_value(); }));
    EXPECT_EQ(firstClickReport(), "/clicked?2");
}

TEST_F(Drag, ClickableThingsInTheStripAndWhatLiesBelowItStayWithThePage)
{
    ASSERT_TRUE(open(stripPage));
    Geometry before = frame();
    // The controls sit from x = 100 along the top of the page; the strip's last row is at 23 (14
    // points under the 10-point band), the page below it at 24.
    const std::pair<int, int> presses[] = { { 105, 10 + 6 }, { 150, 10 + 6 }, { 230, 10 + 6 }, { 300, 10 + 6 }, { 500, 10 + 14 } };
    for (const auto& [x, y] : presses) {
        pointAt(x, y);
        session.xdotool({ "mousedown", "1" });
        // Had a drag started, the window would follow one of these moves.
        int step = 0;
        EXPECT_FALSE(waitUntil([&] {
            session.xdotool({ "mousemove_relative", "--", std::to_string(++step % 2 ? 30 : -30), "20" });
            return frame().x != before.x || frame().y != before.y;
        }, std::chrono::milliseconds(600))) << "x = " << x << ", y = " << y;
        session.xdotool({ "mouseup", "1" });
        if (frame().x != before.x || frame().y != before.y)
            break;
    }
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/press?5") == 1; })) << "the page heard every press";
}

TEST_F(Drag, ADoubleClickOnTheBandZoomsTheWindow)
{
    ASSERT_TRUE(open(stripPage));
    pointAt(400, 5);
    session.xdotool({ "click", "--repeat", "2", "--delay", "80", "1" });
    EXPECT_TRUE(waitUntil([&] { return session.property(window, "_NET_WM_STATE").find("MAXIMIZED_VERT") != std::string::npos; }))
        << session.property(window, "_NET_WM_STATE");
}
