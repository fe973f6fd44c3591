// The real program on a private display: the window it opens, where, and what it keeps.
#include "harness.h"
#include "http_server.h"

#include <gtest/gtest.h>

#include <functional>

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
        // In device pixels from the top-left corner of the monitor it is on.
        EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("'screen 100 150 700 450'") != std::string::npos; }))
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

namespace {
class TwoMonitors : public ::testing::Test {
protected:
    void SetUp() override
    {
        blank.serve("/", "");
        session.writePreferences("[Preferences]\naddress='" + blank.url("/") + "'\n");
    }
    // Starts Quillane, and closes it after the body has looked at its window.
    void run(const std::function<void(unsigned long window)>& body)
    {
        auto quillane = session.startQuillane();
        auto window = session.waitForWindow();
        ASSERT_TRUE(window);
        body(*window);
        session.run({ "wmctrl", "-i", "-c", std::to_string(*window) });
        ASSERT_EQ(quillane->waitForExit(10s), 0);
    }
    bool at(unsigned long window, int x, int y) const
    {
        return waitUntil([&] {
            Geometry frame = session.geometry(window);
            return frame.x == x && frame.y == y && frame.width == 700 && frame.height == 450;
        });
    }
    DisplaySession session { DisplaySession::Monitors::two };
    HttpServer blank;
};
} // namespace

TEST_F(TwoMonitors, AFrameSavedOnTheSecondMonitorComesBackThereWhicheverIsPrimary)
{
    run([&](unsigned long window) {
        session.xdotool({ "windowsize", std::to_string(window), "700", "450" });
        session.xdotool({ "windowmove", std::to_string(window), "1500", "200" });
        ASSERT_TRUE(at(window, 1500, 200));
        EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("'DUMMY1 220 200 700 450'") != std::string::npos; }))
            << session.readPreferences();
    });
    run([&](unsigned long window) { EXPECT_TRUE(at(window, 1500, 200)) << "back on the second monitor"; });

    // The other monitor becomes the primary one: the window stays where it was.
    session.run({ "xrandr", "--output", "DUMMY1", "--primary" });
    run([&](unsigned long window) { EXPECT_TRUE(at(window, 1500, 200)) << "a new primary monitor moves nothing"; });

    // Its monitor gone: the same place on the primary one.
    session.run({ "xrandr", "--output", "DUMMY1", "--off", "--output", "DUMMY0", "--primary" });
    run([&](unsigned long window) {
        EXPECT_TRUE(at(window, 220, 200)) << "on the primary monitor, not " << session.geometry(window).x << "," << session.geometry(window).y << " "
                                          << session.geometry(window).width << "x" << session.geometry(window).height << "; "
                                          << session.readPreferences();
    });
}
