#pragma once
// Moving the window: by a press on the page's empty top strip (the page asks), or by a press with
// the drag modifier held anywhere in the main window. The monitor records the press that is going
// on and decides which requests belong to it; its policy does the dragging.
#include "platform/event.h"

#include <functional>
#include <optional>

namespace quillane {

namespace platform {
class Window;
}

class DragPolicy {
public:
    virtual ~DragPolicy() = default;
    // A press with the drag modifier in the main window; the press reaches nothing else.
    virtual void dragWithModifier(const platform::Event& press) = 0;
    // The page asked for a drag: with the press it belongs to when that is fresh and still held.
    virtual void dragForPage(const std::optional<platform::Event>& press) = 0;
};

// Everyday dragging: the window follows the pointer from the press on.
class WindowDrags : public DragPolicy {
public:
    explicit WindowDrags(platform::Window& window)
        : m_window(window)
    {
    }
    void dragWithModifier(const platform::Event& press) override;
    void dragForPage(const std::optional<platform::Event>& press) override;

private:
    platform::Window& m_window;
};

class DragMonitor {
public:
    // What the monitor reads of the world: the clock events are stamped with, and the left button.
    struct Sensors {
        std::function<double()> now;
        std::function<bool()> leftButtonHeld;
    };
    static Sensors systemSensors();

    // A page's request older than this no longer belongs to the press that is going on.
    static constexpr double freshPress = 0.5;

    DragMonitor(const platform::Window& main, DragPolicy& policy, Sensors sensors = systemSensors());

    // Installs the monitor of left presses for the life of the application.
    void watch();
    // A left press in any window of ours; false consumes it (and its release).
    bool leftMouseDown(const platform::Event& press);
    // The page's drag script asks to move the window.
    void dragRequest();

private:
    const platform::Window& m_main;
    DragPolicy& m_policy;
    Sensors m_sensors;
    std::optional<platform::Event> m_pressed;
};

} // namespace quillane
