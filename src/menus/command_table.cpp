#include "menus/command_table.h"

namespace quillane {

const std::vector<CommandSpec>& commandSpecs()
{
    static const std::vector<CommandSpec> specs {
        { "about", "About Quillane", {} },
        { "forget-microphone-choices", "Forget Microphone Choices", {} },
        { "quit", "Quit Quillane", { "<Primary>q" }, false, true },
        { "open-address", "Open Address\u2026", { "<Primary>l" }, false, true },
        { "undo", "Undo", { "<Primary>z" } },
        { "redo", "Redo", { "<Primary><Shift>z" } },
        { "cut", "Cut", { "<Primary>x" } },
        { "copy", "Copy", { "<Primary>c" } },
        { "paste", "Paste", { "<Primary>v" } },
        { "select-all", "Select All", { "<Primary>a" } },
        { "reload", "Reload Page", { "<Primary>r" } },
        { "full-screen", "Enter Full Screen", { "F11" }, false, true },
        { "float-on-top", "Float on Top", {}, true },
        { "minimise", "Minimise", { "<Primary>m" } },
        { "zoom-in", "Zoom In", { "<Primary>plus", "<Primary>equal", "<Primary>KP_Add" } },
        { "zoom-out", "Zoom Out", { "<Primary>minus", "<Primary>KP_Subtract" } },
        { "zoom-reset", "Actual Size", { "<Primary>0", "<Primary>KP_0" } },
        { "find", "Find\u2026", { "<Primary>f" } },
        { "print", "Print\u2026", { "<Primary>p" } },
        { "inspect", "Inspect Element", { "<Primary><Shift>i" } },
        { "move-window", "Move Window", { "<Alt>F7" } },
        { "resize-window", "Resize Window", { "<Alt>F8" } },
        { "maximise-window", "Maximise Window", { "<Alt>F10" } },
        { "forget-notification-choices", "Forget Notification Choices", {} },
        { "forget-link-choices", "Forget Link Choices", {} },
        { "install-app", "Install as Application\u2026", {} },
        // A page window's; the main window is never closed by a key a page may have meant for itself.
        { "close-window", "Close Window", { "<Primary>w" } },
        // The menu bar as one menu over the window: F10 when the page leaves it alone (a terminal in
        // the page takes it), else Ctrl+Shift+M, which terminals keep for themselves; or a
        // right-click on the band, or the page's context menu.
        { "show-menu", "Menus", { "F10", "<Primary><Shift>m" } },
        { "show-menu-at-pointer", "Menus (F10 or Ctrl+Shift+M)", {} },
    };
    return specs;
}

std::vector<platform::Menu> menuBar()
{
    return {
        { "Quillane", { { "about" }, { "forget-microphone-choices" }, { "quit" } } },
        { "File", { { "open-address" } } },
        { "Edit", { { "undo", "redo" }, { "cut", "copy", "paste", "select-all" } } },
        { "View", { { "reload", "full-screen" } } },
        { "Window", { { "float-on-top" }, { "minimise" } } },
    };
}

std::vector<platform::ContextMenuEntry> pageContextMenu()
{
    std::vector<platform::ContextMenuEntry> entries;
    for (const char* name : { "", "open-address", "show-menu-at-pointer", "", "zoom-in", "zoom-out", "zoom-reset", "", "find", "print", "", "move-window", "resize-window", "maximise-window", "",
             "forget-notification-choices", "forget-link-choices", "install-app" }) {
        std::string label;
        for (const auto& spec : commandSpecs()) {
            if (spec.name == name)
                label = spec.label;
        }
        entries.push_back({ label, name });
    }
    return entries;
}

} // namespace quillane
