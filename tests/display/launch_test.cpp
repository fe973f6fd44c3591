// The real program on a private display: the window it opens, where, and what it keeps.
#include "harness.h"
#include "http_server.h"

#include <gtest/gtest.h>

using namespace quillane::testing;

namespace {
class Launch : public ::testing::Test {
protected:
    // A remembered page (an empty one) keeps the Open Address dialog away.
    void SetUp() override
    {
        blank.serve("/", "");
        session.writePreferences("[Preferences]\naddress='" + blank.url("/") + "'\n");
    }
    DisplaySession session;
    HttpServer blank;
};

bool hasState(const std::string& states, const std::string& state)
{
    return states.find(state) != std::string::npos;
}
} // namespace

TEST_F(Launch, OpensACentredFramelessWindowThatFloatsOnEveryWorkspace)
{
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    Geometry frame = session.geometry(*window);
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 400);
    EXPECT_EQ(frame.x, (1280 - 640) / 2);
    EXPECT_EQ(frame.y, (1024 - 400) / 2);
    EXPECT_TRUE(hasState(session.property(*window, "_NET_WM_STATE"), "_NET_WM_STATE_ABOVE"));
    EXPECT_NE(session.property(*window, "_NET_WM_DESKTOP").find("4294967295"), std::string::npos) << "on every workspace";
    EXPECT_NE(session.property(*window, "_NET_FRAME_EXTENTS").find("0, 0, 0, 0"), std::string::npos) << "no frame from the window manager";
    EXPECT_NE(session.property(*window, "WM_CLASS").find("\"quillane\", \"Quillane\""), std::string::npos);
    EXPECT_TRUE(quillane->running());
}

TEST_F(Launch, AnOrdinaryWindowWhenFloatingIsTurnedOff)
{
    session.writePreferences("[Preferences]\nfloat=false\naddress='" + blank.url("/") + "'\n");
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    EXPECT_FALSE(hasState(session.property(*window, "_NET_WM_STATE"), "_NET_WM_STATE_ABOVE"));
    EXPECT_EQ(session.property(*window, "_NET_WM_DESKTOP").find("4294967295"), std::string::npos);
}

TEST_F(Launch, TheWindowButtonsAreInvisibleAfterLaunch)
{
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    Geometry frame = session.geometry(*window);
    // The buttons' corner shows nothing but the band and the empty page: one colour throughout.
    Image corner = session.screenshot({ frame.x, frame.y, 80, 30 }, "corner");
    ASSERT_EQ(corner.width, 80);
    Pixel first = corner.at(0, 0);
    int others = 0;
    for (int y = 0; y < corner.height; ++y) {
        for (int x = 0; x < corner.width; ++x)
            others += corner.at(x, y) == first ? 0 : 1;
    }
    EXPECT_EQ(others, 0);
}

TEST_F(Launch, ClosingTheWindowQuits)
{
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    session.run({ "wmctrl", "-i", "-c", std::to_string(*window) });
    EXPECT_EQ(quillane->waitForExit(10s), 0);
}

TEST_F(Launch, TheFrameOfTheLastRunIsRestoredTheSameOnScreenAtAnotherScale)
{
    {
        // Saved at twice the scale, restored at the ordinary one: the same pixels on screen.
        session.setExtraEnvironment({ "GDK_SCALE=2" });
        auto quillane = session.startQuillane();
        auto window = session.waitForWindow();
        ASSERT_TRUE(window);
        session.xdotool({ "windowsize", std::to_string(*window), "700", "450" });
        session.xdotool({ "windowmove", std::to_string(*window), "100", "150" });
        ASSERT_TRUE(waitUntil([&] {
            Geometry frame = session.geometry(*window);
            return frame.x == 100 && frame.y == 150 && frame.width == 700;
        }));
        // Screen coordinates from the bottom-left: 1024 - (150 + 450) = 424.
        EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("100 424 700 450") != std::string::npos; }))
            << session.readPreferences();
        session.run({ "wmctrl", "-i", "-c", std::to_string(*window) });
        ASSERT_EQ(quillane->waitForExit(10s), 0);
    }
    session.setExtraEnvironment({});
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return session.geometry(*window).x == 100; }));
    Geometry frame = session.geometry(*window);
    EXPECT_EQ(frame.y, 150);
    EXPECT_EQ(frame.width, 700);
    EXPECT_EQ(frame.height, 450);
}

TEST_F(Launch, ASavedFrameOffEveryScreenIsNotRestored)
{
    session.writePreferences("[Preferences]\nWindow Frame Quillane='5000 5000 640 400'\naddress='" + blank.url("/") + "'\n");
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    Geometry frame = session.geometry(*window);
    EXPECT_EQ(frame.x, 320);
    EXPECT_EQ(frame.y, 312);
}
