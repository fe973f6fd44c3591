#pragma once
// A find bar over the top-right of a window's page, below the band: a text field, a count of the
// matches, buttons to the previous and the next match, and a close button. It moves with the
// window's size.
#include <functional>
#include <memory>
#include <string>

namespace quillane::platform {

class Window;

class FindBar {
public:
    struct Handlers {
        // The text changed (typing finds as it goes).
        std::function<void(const std::string&)> changed;
        // Return and the next-match button; Shift+Return and the previous-match button.
        std::function<void()> next;
        std::function<void()> previous;
        // Escape or the close button: the bar has hidden itself.
        std::function<void()> closed;
    };
    // `top` is how far below the window's top edge the bar sits, in points.
    FindBar(Window& window, double top, Handlers handlers);
    ~FindBar();
    FindBar(const FindBar&) = delete;
    FindBar& operator=(const FindBar&) = delete;

    // Shows the bar with its text selected and the keyboard in its field.
    void show();
    void hide();
    bool isShown() const;
    std::string text() const;
    // "3 of 12", "No matches", or nothing.
    void setStatus(const std::string& status);
    // Whether there are matches to go through: the buttons to them can be pressed only then.
    void setCanStep(bool canStep);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
