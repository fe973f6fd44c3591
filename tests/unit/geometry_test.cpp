// Where things are on screen: rectangles, the area near the window buttons, and where a window saved
// in an earlier run comes back.
#include "main_window/hover_area.h"
#include "platform/frame_placement.h"
#include "platform/geometry.h"
#include "platform/window.h"

#include <gtest/gtest.h>

using namespace quillane::platform;

TEST(Geometry, RectanglesAreHalfOpenAndGrowAndOverlap)
{
    Rect rect { { 10, 20 }, { 30, 40 } };
    EXPECT_TRUE(rect.contains({ 10, 20 }));
    EXPECT_TRUE(rect.contains({ 39.9, 59.9 }));
    EXPECT_FALSE(rect.contains({ 40, 30 }));
    EXPECT_FALSE(rect.contains({ 20, 60 }));
    EXPECT_FALSE(rect.contains({ 9.9, 30 }));
    EXPECT_FALSE((Rect { { 0, 0 }, { 0, 10 } }).contains({ 0, 0 })) << "an empty rectangle holds no point";
    EXPECT_EQ(rect.grownBy(5), (Rect { { 5, 15 }, { 40, 50 } }));
    EXPECT_EQ(rect.intersection({ { 30, 50 }, { 100, 100 } }), (Rect { { 30, 50 }, { 10, 10 } }));
    EXPECT_TRUE(rect.intersection({ { 40, 0 }, { 10, 100 } }).isEmpty()) << "touching edges do not overlap";
}

TEST(HoverArea, TheButtonsGrownByTheReachAndCutAtTheWindowsEdges)
{
    Rect buttons = windowButtonsPlace;
    // Left and top are cut at the window's edge; right and bottom reach 20 beyond the buttons.
    EXPECT_EQ(quillane::nearButtons(buttons, { 640, 400 }), (Rect { { 0, 0 }, { 82, 41 } }));
    EXPECT_EQ(quillane::nearButtons(buttons, { 70, 30 }), (Rect { { 0, 0 }, { 70, 30 } })) << "a window smaller than the area";
    EXPECT_EQ(quillane::nearButtons(Rect { { 100, 100 }, { 10, 10 } }, { 640, 400 }), (Rect { { 80, 80 }, { 50, 50 } })) << "nothing cut inside";
    EXPECT_TRUE(quillane::nearButtons(std::nullopt, { 640, 400 }).isEmpty()) << "a window without buttons";
}

TEST(SavedFrames, TheTextReadsBackAndNonsenseIsRefused)
{
    SavedFrame saved { "HDMI-1", { { 100, 150 }, { 700, 450 } } };
    EXPECT_EQ(savedFrameText(saved), "HDMI-1 100 150 700 450");
    auto read = parseSavedFrame("HDMI-1 100 150 700 450");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->monitor, "HDMI-1");
    EXPECT_EQ(read->frame, saved.frame);
    EXPECT_FALSE(read->fromBottomLeft);
    auto older = parseSavedFrame("100 424 700 450");
    ASSERT_TRUE(older) << "frames written by the earlier version";
    EXPECT_TRUE(older->fromBottomLeft);
    for (const char* refused : { "", "HDMI-1", "1 2 3", "HDMI-1 1 2 3 4 5", "x 1 2 0 4", "x 1 2 3 -4", "x nan 2 3 4", "x 1 2 100001 4", "x 1e7 2 3 4", "x 1 2 3 4q" })
        EXPECT_FALSE(parseSavedFrame(refused)) << refused;
}

namespace {
// Two monitors side by side, the primary on the left, the right one at twice the scale.
const std::vector<Monitor> twoMonitors {
    { "LEFT-1", { { 0, 0 }, { 1280, 1024 } }, { { 0, 0 }, { 1280, 1000 } }, 1, true },
    { "RIGHT-2", { { 1280, 0 }, { 960, 540 } }, { { 1280, 0 }, { 960, 540 } }, 2, false },
};
} // namespace

TEST(SavedFrames, AFrameComesBackOnItsMonitorElseOnThePrimaryWhollyInsideItsWorkArea)
{
    struct Case {
        const char* why;
        SavedFrame saved;
        Rect expected;
    };
    const Case cases[] = {
        { "on its own monitor, device pixels halved", { "RIGHT-2", { { 200, 100 }, { 800, 600 } } }, { { 1380, 50 }, { 400, 300 } } },
        { "its monitor gone: the same place on the primary", { "GONE-9", { { 200, 100 }, { 800, 600 } } }, { { 200, 100 }, { 800, 600 } } },
        { "moved back inside on the right", { "LEFT-1", { { 1000, 10 }, { 640, 400 } } }, { { 640, 10 }, { 640, 400 } } },
        { "moved back inside at the top and left", { "LEFT-1", { { -300, -50 }, { 640, 400 } } }, { { 0, 0 }, { 640, 400 } } },
        { "inside the work area, above the panel", { "LEFT-1", { { 0, 900 }, { 640, 400 } } }, { { 0, 600 }, { 640, 400 } } },
        { "larger than the monitor: as large as its work area", { "RIGHT-2", { { 0, 0 }, { 4000, 4000 } } }, { { 1280, 0 }, { 960, 540 } } },
        { "an earlier version's frame, from the primary's bottom-left", { "", { { 100, 424 }, { 700, 450 } }, true },
            { { 100, 150 }, { 700, 450 } } },
        { "an earlier version's frame mostly on the right monitor", { "", { { 1300, 624 }, { 400, 300 } }, true }, { { 1300, 100 }, { 400, 300 } } },
        { "an earlier version's frame on no monitor: the primary", { "", { { 5000, 424 }, { 700, 450 } }, true }, { { 580, 150 }, { 700, 450 } } },
    };
    for (const auto& [why, saved, expected] : cases)
        EXPECT_EQ(placeSavedFrame(saved, twoMonitors), std::optional<Rect>(expected)) << why;
    EXPECT_FALSE(placeSavedFrame({ "LEFT-1", { { 0, 0 }, { 10, 10 } } }, {})) << "no monitors at all";
}

TEST(SavedFrames, WhatIsSavedIsRelativeToTheMonitorInDevicePixelsAndComesBackTheSame)
{
    for (const auto& monitor : twoMonitors) {
        Rect frame { { monitor.geometry.origin.x + 40, monitor.geometry.origin.y + 30 }, { 300, 200 } };
        SavedFrame saved = frameToSave(frame, monitor);
        EXPECT_EQ(saved.monitor, monitor.name);
        EXPECT_EQ(saved.frame.size.width, 300.0 * monitor.scale);
        EXPECT_EQ(saved.frame.origin.x, 40.0 * monitor.scale);
        auto text = savedFrameText(saved);
        EXPECT_EQ(placeSavedFrame(*parseSavedFrame(text), twoMonitors), std::optional<Rect>(frame)) << text;
    }
}
