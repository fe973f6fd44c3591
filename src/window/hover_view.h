#pragma once
#include "platform/main_queue.h"
#include "platform/view.h"

#include <functional>

namespace quillane {

// The window's content view. It draws nothing, so the window's colour shows wherever the page view
// leaves it uncovered (the band); it tells, through onHover, whether the pointer has come near the
// window buttons or gone away.
class HoverView : public platform::View {
public:
    using View::View;
    std::string_view typeName() const override { return "HoverView"; }

    std::function<void(bool)> onHover = [](bool) { };
    // How far, in points, the sensitive area reaches beyond the buttons on every side.
    static constexpr double reach = 20;

    // The buttons' area grown by `reach`, within this view; empty when the window has no buttons.
    platform::Rect nearButtons() const;
    bool pointerIsNear() const;

    void updateTrackingAreas() override;
    void mouseEntered(const platform::Event& event) override;
    void mouseExited(const platform::Event& event) override;

private:
    // Checks every 0.1 seconds until the left button is released, then reports where the pointer is.
    void waitForRelease();
    platform::ScheduledBlock m_releasePoll;
};

} // namespace quillane
