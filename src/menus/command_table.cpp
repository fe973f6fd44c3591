#include "menus/command_table.h"

namespace quillane {

const std::vector<CommandDefinition>& commandDefinitions()
{
    static const std::vector<CommandDefinition> definitions {
        { "about", "_About Quillane", {} },
        { "forget-microphone-choices", "Forget _Microphone Choices", {} },
        { "quit", "_Quit Quillane", { "<Primary>q" }, false, true },
        { "open-address", "Open A_ddress\u2026", { "<Primary>l" }, false, true },
        { "undo", "_Undo", { "<Primary>z" } },
        { "redo", "_Redo", { "<Primary><Shift>z" } },
        { "cut", "Cu_t", { "<Primary>x" } },
        { "copy", "_Copy", { "<Primary>c" } },
        { "paste", "_Paste", { "<Primary>v" } },
        { "select-all", "Select _All", { "<Primary>a" } },
        { "reload", "_Reload Page", { "<Primary>r" } },
        { "full-screen", "_Enter Full Screen", { "F11" }, false, true },
        { "float-on-top", "_Float on Top", {}, true },
        { "minimise", "_Minimise", { "<Primary>m" } },
        { "zoom-in", "Zoom _In", { "<Primary>plus", "<Primary>equal", "<Primary>KP_Add" } },
        { "zoom-out", "Zoom _Out", { "<Primary>minus", "<Primary>KP_Subtract" } },
        { "zoom-reset", "_Actual Size", { "<Primary>0", "<Primary>KP_0" } },
        { "find", "_Find\u2026", { "<Primary>f" } },
        { "print", "_Print\u2026", { "<Primary>p" } },
        { "inspect", "Inspect _Element", { "<Primary><Shift>i" } },
        { "move-window", "_Move Window", { "<Alt>F7" } },
        { "resize-window", "Resi_ze Window", { "<Alt>F8" } },
        { "maximise-window", "Ma_ximise Window", { "<Alt>F10" } },
        { "forget-notification-choices", "Forget _Notification Choices", {} },
        { "forget-link-choices", "Forget _Link Choices", {} },
        { "install-app", "Install as Appli_cation\u2026", {} },
        // Through the page's history, as in a browser (the mouse's back and forward buttons too).
        { "go-back", "_Back", { "<Alt>Left" }, false, false, true },
        { "go-forward", "_Forward", { "<Alt>Right" }, false, false, true },
        // A page window's; the main window is never closed by a key a page may have meant for itself.
        { "close-window", "_Close Window", { "<Primary>w" } },
        // The menu bar as one menu over the window: F10 when the page leaves it alone (a terminal in
        // the page takes it), else Ctrl+Shift+M, which terminals keep for themselves; or a
        // right-click on the band, or the page's context menu. A page that does not answer keeps
        // neither from the program.
        { "show-menu", "_Menus", { "F10", "<Primary><Shift>m" }, false, true },
        { "show-menu-at-pointer", "Men_us (F10 or Ctrl+Shift+M)", {} },
    };
    return definitions;
}

std::vector<platform::Menu> menuBar()
{
    return {
        { "_Quillane", { { "about" }, { "forget-microphone-choices" }, { "quit" } } },
        { "_File", { { "open-address" } } },
        { "_Edit", { { "undo", "redo" }, { "cut", "copy", "paste", "select-all" } } },
        { "_View", { { "reload", "full-screen" } } },
        { "_Window", { { "float-on-top" }, { "minimise" } } },
    };
}

std::vector<std::string> keysBeforeThePage()
{
    std::vector<std::string> keys;
    for (const auto& defined : commandDefinitions()) {
        if (defined.beforeThePage)
            keys.insert(keys.end(), defined.accelerators.begin(), defined.accelerators.end());
    }
    return keys;
}

std::string fullScreenLabel(bool inFullScreen)
{
    return inFullScreen ? "E_xit Full Screen" : "_Enter Full Screen";
}

std::vector<platform::ContextMenuEntry> pageContextMenu()
{
    std::vector<platform::ContextMenuEntry> entries;
    for (const char* name : { "", "open-address", "show-menu-at-pointer", "", "zoom-in", "zoom-out", "zoom-reset", "", "find", "print", "", "move-window", "resize-window", "maximise-window", "",
             "forget-notification-choices", "forget-link-choices", "install-app" }) {
        std::string label;
        for (const auto& defined : commandDefinitions()) {
            if (defined.name == name)
                label = defined.label;
        }
        entries.push_back({ label, name });
    }
    return entries;
}

} // namespace quillane
