#pragma once
// For tests that run the platform layer, or all of Quillane, in this process on the display of a
// DisplaySession.
#include "launch/launch.h"
#include "page/find_in_page.h"
#include "menus/about_panel.h"
#include "files/file_chooser.h"
#include "main_window/window_modes.h"

#include <chrono>
#include <functional>

namespace quillane::platform {
class Application;
}

namespace quillane::testing {

// Lets the main loop run until the condition holds; whether it did before the timeout.
bool spinUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));
void spinFor(std::chrono::milliseconds duration);

// Runs an application whose launch calls the body; the application quits when the body returns.
void runApplication(const std::function<void(platform::Application&)>& body);

class DisplaySession;

// Quillane's own delegate, with a test's body run right after its launch.
class DrivenDelegate : public AppDelegate {
public:
    using AppDelegate::AppDelegate;
    std::function<void()> afterLaunch;
    // Every message the page posted to the handler, in order.
    std::vector<platform::ScriptValue> messages;

    void applicationDidFinishLaunching() override
    {
        AppDelegate::applicationDidFinishLaunching();
        afterLaunch();
    }
    void didReceiveScriptMessage(const std::string& name, const platform::ScriptValue& body) override
    {
        messages.push_back(body);
        AppDelegate::didReceiveScriptMessage(name, body);
    }
};

// Launches Quillane (a normal run, preferences in the session's folder), runs the body, and quits.
void launchQuillane(const DisplaySession& session, const std::function<void(DrivenDelegate&)>& body);

} // namespace quillane::testing
