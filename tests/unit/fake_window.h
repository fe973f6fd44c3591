#pragma once
// A main window as the window modes see it, without a display: it records what was done to it.
#include "main_window/window_modes.h"

namespace quillane::testing {

class FakeWindow : public WindowModes::Host {
public:
    bool fullScreen = false;
    std::optional<bool> floating;
    bool pageFullScreen = false;
    bool buttonsShowing = false;
    bool pointerNear = false;
    bool iconified = false;
    int fullScreenToggles = 0;
    int maximiseToggles = 0;

    bool isFullScreen() const override { return fullScreen; }
    void setFloating(bool floats) override { floating = floats; }
    void toggleFullScreen() override { ++fullScreenToggles; }
    void setPageFullScreen(bool fullScreen) override { pageFullScreen = fullScreen; }
    void iconify() override { iconified = true; }
    void toggleMaximised() override { ++maximiseToggles; }
    void showButtons(bool show) override { buttonsShowing = show || fullScreen; }
    bool pointerNearButtons() const override { return pointerNear; }
};

} // namespace quillane::testing
