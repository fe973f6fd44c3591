#pragma once
// An application's commands. Each is one named action of the application (a GAction, reached as
// "app.NAME" from its own windows and dialogs alone) with its keys, and the menu bar, the keys and
// the page's context menu all reach it by its name; a command that is off does nothing, wherever it
// is chosen from.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Application;
class Window;

struct Command {
    std::string name;
    // What the menu bar calls it, with "_" before its access key (GTK's mnemonic).
    std::string label;
    // GTK accelerators ("<Primary>q"); none for a command without keys.
    std::vector<std::string> accelerators;
    std::function<void()> activate;
    // A command with a check mark starts with this state; others have none.
    std::optional<bool> checked;
};

struct Menu {
    std::string title;
    // The commands' names, a section after another (separators between sections).
    std::vector<std::vector<std::string>> sections;
};

// A label as people read it: without the "_" that marks its access key ("__" is a "_" of its own).
std::string withoutMnemonic(const std::string& label);

// A menu bar as it stands, for reading back what was built (labels as given, access keys marked).
struct ShownMenu {
    struct Item {
        std::string label;
        std::string command;
        std::string accelerator;
    };
    std::string title;
    std::vector<Item> items;
};

class Commands {
public:
    explicit Commands(Application& application);
    ~Commands();
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    void add(Command command);
    void setEnabled(const std::string& name, bool enabled);
    bool isEnabled(const std::string& name) const;
    void setChecked(const std::string& name, bool checked);
    bool isChecked(const std::string& name) const;
    void setLabel(const std::string& name, const std::string& label);
    void activate(const std::string& name);

    // The menu bar, opened as one menu over the window from its keys or a right-click on the band.
    void setMenuBar(std::vector<Menu> menus);
    std::vector<ShownMenu> menuBar() const;
    void popUpMenuBar(Window& over, bool atPointer);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
