#pragma once
// For tests that run the platform layer, or all of Quillane, in this process on the display of a
// DisplaySession.
#include "launch/launch.h"
#include "main_window/main_window.h"
#include "menus/about_panel.h"
#include "files/file_chooser.h"
#include "page/find_in_page.h"
#include "platform/commands.h"
#include "platform/script_value.h"

#include <chrono>
#include <functional>
#include <vector>

namespace quillane::platform {
class Application;
}

namespace quillane::testing {

// Lets the main loop run until the condition holds; whether it did before the timeout.
bool spinUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Runs an application whose start calls the body; the application quits when the body returns.
void runApplication(const std::function<void(platform::Application&)>& body);

class DisplaySession;

// Quillane as it runs, started in this process.
struct DrivenQuillane {
    Launch& launch;
    // Every message our page scripts posted, in order.
    std::vector<platform::ScriptValue> messages;
    MainWindow& mainWindow() { return launch.mainWindow(); }
    WindowModes& modes() { return launch.modes(); }
    AboutPanel& aboutPanel() { return launch.aboutPanel(); }
    FindInPage& findInPage() { return launch.findInPage(); }
    FileChooser& fileChooser() { return launch.fileChooser(); }
    platform::Commands& commands() { return launch.commands(); }
};

// Starts Quillane (a normal run, preferences in the session's folder), runs the body, and quits.
void launchQuillane(const DisplaySession& session, const std::function<void(DrivenQuillane&)>& body);
void launchQuillane(const DisplaySession& session, const LaunchOptions& options, const std::function<void(DrivenQuillane&)>& body);

} // namespace quillane::testing
