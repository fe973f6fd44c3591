#pragma once
// The menu bar, described as data: menus of items, each with the action it sends, its key
// equivalent and what performs and validates it.
#include "platform/event.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillane::platform {

// What validation may change of an item before it is shown or its key equivalent acts.
struct MenuItemState {
    std::string action;
    std::string title;
    bool on = false;
    bool enabled = true;
};

// Validates the items it is the target of.
class MenuItemValidation {
public:
    virtual ~MenuItemValidation() = default;
    virtual bool validateMenuItem(MenuItemState& item) = 0;
};

struct MenuItem {
    bool separator = false;
    std::string title;
    // The action's name as the program knows it ("openAddress", "terminate:").
    std::string action;
    // A single character; an upper-case letter adds Shift. Empty for none.
    std::string keyEquivalent;
    std::uint64_t modifierMask = commandKey;
    // What choosing the item does.
    std::function<void()> perform;
    // Null when the item is not validated (nothing about it changes).
    MenuItemValidation* target = nullptr;
    // An item with a check mark (its state is on or off).
    bool checkable = false;

    static MenuItem separatorItem()
    {
        MenuItem item;
        item.separator = true;
        return item;
    }
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

// The GTK accelerator for a key equivalent: Command is Ctrl, an upper-case letter adds Shift, and
// Control with Command on "f" is F11. Empty for no key equivalent.
std::string acceleratorFor(const MenuItem& item);

// The GIO action name an item is reached by ("app.quillane-3").
std::string actionNameFor(std::size_t menuIndex, std::size_t itemIndex);

} // namespace quillane::platform
