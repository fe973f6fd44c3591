#pragma once
// The window buttons come out when the pointer comes within `reach` points of them, and go when it
// leaves; while a press goes on (the window being dragged, say) they stay as they are until the
// button is released.
#include "platform/geometry.h"
#include "platform/main_queue.h"

#include <functional>
#include <optional>

namespace quillane {

class MainWindow;

// How far, in points, the area reaches beyond the buttons on every side.
inline constexpr double hoverReach = 20;

// The buttons' area grown by the reach, within the window; empty without buttons.
platform::Rect nearButtons(const std::optional<platform::Rect>& buttons, platform::Size window);

class HoverArea {
public:
    explicit HoverArea(MainWindow& main);

    platform::Rect area() const;
    // Whether the pointer was last seen in the area.
    bool pointerIsNear() const;

private:
    void pointerAt(std::optional<platform::Point> point);
    void waitForRelease();

    MainWindow& m_main;
    std::optional<platform::Point> m_pointer;
    // Whether the pointer was in the area when last seen: the buttons change as it crosses the edge.
    bool m_inside = false;
    platform::ScheduledBlock m_releasePoll;
};

} // namespace quillane
