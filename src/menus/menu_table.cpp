#include "menus/menu_table.h"

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

std::vector<platform::Menu> menuTable(const MenuActions& actions, platform::MenuItemValidation& validation)
{
    using platform::EditingCommand;
    auto separator = platform::MenuItem::separatorItem();
    auto fullScreen = item("Enter Full Screen", "toggleFullScreen", "f", actions.toggleFullScreen, &validation);
    fullScreen.modifierMask = platform::controlKey | platform::commandKey;
    auto floatOnTop = item("Float on Top", "toggleFloating", "", actions.toggleFloating, &validation);
    floatOnTop.checkable = true;
    return {
        { "Quillane",
            {
                item("About Quillane", "about", "", actions.about, &validation),
                separator,
                item("Forget Microphone Choices", "forgetMicrophoneChoices", "", actions.forgetMicrophoneChoices, &validation),
                separator,
                item("Quit Quillane", "terminate:", "q", actions.quit),
            } },
        { "File", { item("Open Address\u2026", "openAddress", "l", actions.openAddress, &validation) } },
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
                item("Reload Page", "reloadFromOrigin:", "r", actions.reload),
                fullScreen,
            } },
        { "Window",
            {
                floatOnTop,
                separator,
                item("Minimise", "minimise", "m", actions.minimise, &validation),
            } },
    };
}

bool MenuValidation::validateMenuItem(platform::MenuItemState& item)
{
    if (item.action == "toggleFloating")
        item.on = m_modes.floats();
    if (item.action == "toggleFullScreen")
        item.title = m_modes.isFullScreen() ? "Exit Full Screen" : "Enter Full Screen";
    return true;
}

} // namespace quillane
