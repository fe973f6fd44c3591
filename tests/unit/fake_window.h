#pragma once
// A main window as the window modes see it, without a display: it records what was done to it.
#include "main_window/window_modes.h"

namespace quillane::testing {

class FakeWindow : public WindowModes::Host {
public:
    bool fullScreen = false;
    bool pageFullScreen = false;
    int level = -1;
    std::uint64_t behaviour = 0xdead;
    bool buttonsShowing = false;
    bool pointerNear = false;
    bool minimised = false;
    int fullScreenToggles = 0;
    int layouts = 0;

    bool isFullScreen() const override { return fullScreen; }
    bool pageIsFullScreen() const override { return pageFullScreen; }
    void setSetup(int newLevel, std::uint64_t newBehaviour) override
    {
        level = newLevel;
        behaviour = newBehaviour;
    }
    void toggleFullScreen() override { ++fullScreenToggles; }
    void minimise() override { minimised = true; }
    void layOutPage() override { ++layouts; }
    void showButtons(bool show) override { buttonsShowing = show || fullScreen; }
    bool pointerNearButtons() const override { return pointerNear; }
};

} // namespace quillane::testing
