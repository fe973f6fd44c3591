#pragma once
// The application's commands as data: each one's name (the action the menu bar, the keys and the
// page's context menu reach it by), what the menus call it, its keys; and where the menu bar and the
// page's context menu show them.
#include "platform/commands.h"
#include "platform/web_view.h"

#include <string>
#include <vector>

namespace quillane {

struct CommandDefinition {
    std::string name;
    // With its access key marked by "_" (GTK's mnemonic), as every menu title is too.
    std::string label;
    std::vector<std::string> accelerators;
    bool checkable = false;
    // Acts even when the page does not answer its keys: nobody is ever locked in.
    bool keptFromAnUnresponsivePage = false;
    // Its keys are the program's before the page sees them (the engine takes Alt+arrows for
    // scrolling, and would never hand them back).
    bool beforeThePage = false;
};

const std::vector<CommandDefinition>& commandDefinitions();
std::vector<platform::Menu> menuBar();
// The keys of the commands that act before the page sees them, in every window of pages.
std::vector<std::string> keysBeforeThePage();
// The full-screen command's label, which says what it will do.
std::string fullScreenLabel(bool inFullScreen);
// What the program adds to the main page's context menu, in order ("" for a separator).
std::vector<platform::ContextMenuEntry> pageContextMenu();

} // namespace quillane
