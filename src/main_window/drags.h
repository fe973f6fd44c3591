#pragma once
// Moving the main window: a press on the band, a press with the drag modifier held anywhere in the
// window, or a press on the page's empty top strip (the page's drag script asks). The monitor keeps
// the press that is going on and decides which requests belong to it; its policy does the moving.
#include "platform/input.h"

#include <functional>
#include <optional>

namespace quillane {

namespace platform {
class Window;
}

class DragPolicy {
public:
    virtual ~DragPolicy() = default;
    // A press with the drag modifier; it reaches nothing else.
    virtual void dragWithModifier(const platform::Press& press) = 0;
    // The page asked for a drag: with the press it belongs to when that is fresh and still held.
    virtual void dragForPage(const std::optional<platform::Press>& press) = 0;
    virtual void dragFromBand(const platform::Press& press) = 0;
};

// Everyday dragging: the window follows the pointer from the press on.
class WindowDrags : public DragPolicy {
public:
    explicit WindowDrags(platform::Window& window)
        : m_window(window)
    {
    }
    void dragWithModifier(const platform::Press& press) override;
    void dragForPage(const std::optional<platform::Press>& press) override;
    void dragFromBand(const platform::Press& press) override;

private:
    platform::Window& m_window;
};

class Drags {
public:
    // What the monitor reads of the world: the clock presses are stamped with, and the primary button.
    struct Sensors {
        std::function<double()> now;
        std::function<bool()> primaryHeld;
    };

    // A page's request older than this no longer belongs to the press that is going on.
    static constexpr double freshPress = 0.5;

    explicit Drags(DragPolicy& policy);
    Drags(DragPolicy& policy, Sensors sensors);
    // Hears the window's presses; a double-click and a right-click on the band go to these.
    void attach(platform::Window& window, std::function<void()> bandDoubleClick, std::function<void()> bandMenu);
    void setBandActions(std::function<void()> doubleClick, std::function<void()> menu);

    // A press anywhere in the window; true takes it (and its release): nothing else has it.
    bool pressed(const platform::Press& press);
    // The page's drag script asks to move the window.
    void pageRequest();
    void bandPressed(const platform::Press& press);

private:
    DragPolicy& m_policy;
    Sensors m_sensors;
    std::optional<platform::Press> m_pressed;
    std::function<void()> m_bandDoubleClick;
    std::function<void()> m_bandMenu;
};

} // namespace quillane
