#pragma once
// The menu bar as data, and the validation of the items that change.
#include "platform/menu.h"
#include "window/window_modes.h"

#include <functional>
#include <vector>

namespace quillane {

// What the menu items do.
struct MenuActions {
    std::function<void()> about;
    std::function<void()> forgetMicrophoneChoices;
    std::function<void()> quit;
    std::function<void()> openAddress;
    std::function<void()> reload;
    std::function<void()> toggleFullScreen;
    std::function<void()> toggleFloating;
    std::function<void()> minimise;
};

// The items with a check mark or a title that follows the window's modes.
class MenuValidation : public platform::MenuItemValidation {
public:
    explicit MenuValidation(const WindowModes& modes)
        : m_modes(modes)
    {
    }
    bool validateMenuItem(platform::MenuItemState& item) override;

private:
    const WindowModes& m_modes;
};

// The menus in order; items whose state changes are validated by `validation`.
std::vector<platform::Menu> menuTable(const MenuActions& actions, platform::MenuItemValidation& validation);

} // namespace quillane
