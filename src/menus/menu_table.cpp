// The menu bar, built once at launch, and the validation of the items that change.
#include "app/app_delegate.h"
#include "platform/editing.h"

namespace quillane {

namespace {
platform::MenuItem item(std::string title, std::string action, std::string key, std::function<void()> perform,
    platform::MenuItemValidation* target = nullptr)
{
    platform::MenuItem made;
    made.title = std::move(title);
    made.action = std::move(action);
    made.keyEquivalent = std::move(key);
    made.perform = std::move(perform);
    made.target = target;
    return made;
}

platform::MenuItem editItem(std::string title, std::string action, std::string key, platform::EditingCommand command)
{
    return item(std::move(title), std::move(action), std::move(key), [command] { platform::sendEditingCommand(command); });
}
} // namespace

std::vector<platform::Menu> AppDelegate::menuTable()
{
    using platform::EditingCommand;
    auto separator = platform::MenuItem::separatorItem();
    auto fullScreen = item("Enter Full Screen", "toggleFullScreen", "f", [this] { toggleFullScreen(); }, this);
    fullScreen.modifierMask = platform::controlKey | platform::commandKey;
    auto floatOnTop = item("Float on Top", "toggleFloating", "", [this] { toggleFloating(); }, this);
    floatOnTop.checkable = true;
    return {
        { "Quillane",
            {
                item("About Quillane", "about", "", [this] { about(); }, this),
                separator,
                item("Forget Microphone Choices", "forgetMicrophoneChoices", "", [this] { forgetMicrophoneChoices(); }, this),
                separator,
                item("Quit Quillane", "terminate:", "q", [this] { m_application.terminate(); }),
            } },
        { "File", { item("Open Address\u2026", "openAddress", "l", [this] { openAddress(); }, this) } },
        { "Edit",
            {
                editItem("Undo", "undo:", "z", EditingCommand::undo),
                editItem("Redo", "redo:", "Z", EditingCommand::redo),
                separator,
                editItem("Cut", "cut:", "x", EditingCommand::cut),
                editItem("Copy", "copy:", "c", EditingCommand::copy),
                editItem("Paste", "paste:", "v", EditingCommand::paste),
                editItem("Select All", "selectAll:", "a", EditingCommand::selectAll),
            } },
        { "View",
            {
                item("Reload Page", "reloadFromOrigin:", "r", [view = web] { if (view) view->reloadFromOrigin(); }),
                fullScreen,
            } },
        { "Window",
            {
                floatOnTop,
                separator,
                item("Minimise", "minimise", "m", [this] { minimise(); }, this),
            } },
    };
}

void AppDelegate::buildMenus()
{
    m_application.setMainMenu(menuTable());
}

bool AppDelegate::validateMenuItem(platform::MenuItemState& item)
{
    if (item.action == "toggleFloating")
        item.on = m_preferences.boolean("float").value_or(false);
    if (item.action == "toggleFullScreen") {
        bool fullScreen = window && (window->styleMask() & platform::styleMask::fullScreen);
        item.title = fullScreen ? "Exit Full Screen" : "Enter Full Screen";
    }
    return true;
}

} // namespace quillane
