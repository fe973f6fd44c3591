#pragma once
// The application object: start-up, the run loop, links handed over by the system, termination.
#include "platform/menu.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillane::platform {

class Window;
struct PlatformAccess;

class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching() = 0;
    virtual bool applicationShouldTerminateAfterLastWindowClosed() = 0;
};

// Optional: a delegate that takes links handed to the application (on its command line, or from a
// second launch while this one runs).
class ApplicationOpenDelegate : public virtual ApplicationDelegate {
public:
    virtual void applicationOpen(const std::vector<std::string>& links) = 0;
};

struct ApplicationIdentity {
    std::string id;          // reverse-DNS id: D-Bus name, desktop entry and icon name
    std::string programName; // first part of WM_CLASS, and what messages are signed with
    std::string windowClass; // second part of WM_CLASS
    std::string displayName; // the name people see
};

class Application {
public:
    // A single-instance application forwards what a second launch opens to the first one over D-Bus
    // and that second launch then ends.
    Application(const ApplicationIdentity& identity, bool singleInstance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void setDelegate(ApplicationDelegate* delegate);
    ApplicationDelegate* delegate() const;

    // Runs the loop until the application quits; `links` are handed to the delegate as opened links.
    int run(const std::string& programPath, const std::vector<std::string>& links);
    void terminate();
    // Brings the application's windows forward.
    void activate();
    std::vector<Window*> windows() const;

    // Installs the menu bar: exported to desktops that show one, and reachable by its key equivalents.
    void setMainMenu(std::vector<Menu> menus);
    const std::vector<Menu>& mainMenu() const;
    // Opens the whole menu bar as a menu over the window: at the pointer, or at its top-left corner.
    void popUpMainMenu(Window& window, bool atPointer);
    // The built menu bar as text lines ("title accelerator", submenus indented, "---" between sections).
    std::vector<std::string> describeMainMenu() const;
    // Runs the menus' validation again (after something they show has changed).
    void validateMenus();

    // Commands outside the menu bar: reached by their keys (after the page, like the menus' key
    // equivalents) and by name, from the page's context menu.
    struct Command {
        std::string name;
        // GTK accelerators ("<Primary>plus"); none for a command without keys.
        std::vector<std::string> accelerators;
        std::function<void()> perform;
    };
    void setCommands(std::vector<Command> commands);

    // The standard About panel (name, version, description, icon), kept above `above`; shown again
    // and brought forward when it is already open.
    struct AboutInfo {
        std::string name;
        std::string version;
        std::string comments;
        std::string iconName;
    };
    void orderFrontStandardAboutPanel(const AboutInfo& info, Window* above);

    struct Impl;
    struct AboutPanel;

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
