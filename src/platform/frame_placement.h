#pragma once
// Where a window saved in an earlier run comes back. A frame is saved with the monitor it was on
// (the monitor's connector name) and the frame's place relative to that monitor, in device pixels,
// so that it means the same at any scale and whichever monitor is the primary one. It comes back on
// that monitor when it is there, else on the primary one, and always wholly inside the monitor's
// work area.
#include "platform/geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

struct Monitor {
    // The connector ("HDMI-1", "DP-2"); empty when the window system names none.
    std::string name;
    // In logical pixels on the screen.
    Rect geometry;
    Rect workarea;
    int scale = 1;
    bool primary = false;
};

struct SavedFrame {
    std::string monitor;
    // Device pixels from the monitor's top-left corner.
    Rect frame;
    // Written by an earlier version: device pixels from the bottom-left corner of the primary monitor.
    bool fromBottomLeft = false;
};

// The monitor that holds most of a frame, else the primary one; null without monitors.
const Monitor* monitorHolding(Rect frame, const std::vector<Monitor>& monitors);

std::optional<SavedFrame> parseSavedFrame(const std::string& text);
std::string savedFrameText(const SavedFrame& frame);
// What to save of a window's frame (logical pixels on the screen) on the monitor it is on.
SavedFrame frameToSave(Rect frame, const Monitor& monitor);
// Where a saved frame goes among the monitors there are now (logical pixels on the screen); none
// without monitors.
std::optional<Rect> placeSavedFrame(const SavedFrame& saved, const std::vector<Monitor>& monitors);

} // namespace quillane::platform
