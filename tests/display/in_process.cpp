#include "in_process.h"

#include "harness.h"
#include "platform/application.h"
#include "platform/preferences.h"

#include <glib.h>

namespace quillane::testing {

bool spinUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(2000);
    }
    return true;
}

void runApplication(const std::function<void(platform::Application&)>& body)
{
    platform::Application application({ "org.quillane.PlatformTest", "quillane", "Quillane", "Quillane" }, false);
    application.onStartup = [&] {
        body(application);
        application.quit();
    };
    application.run("display_tests", {});
}

void launchQuillane(const DisplaySession& session, const std::function<void(DrivenQuillane&)>& body)
{
    platform::Application application({ "org.quillane.LaunchTest", "quillane", "Quillane", "Quillane" }, false);
    platform::Preferences preferences(session.configHome() + "/quillane");
    FixedTexts texts = buildFixedTexts();
    Launch launch(application, preferences, texts, {});
    DrivenQuillane driven { launch, {} };
    application.onStartup = [&] {
        launch.start();
        // Heard as the program hears them, and kept for the test.
        platform::WebView& page = launch.mainWindow().page();
        auto heard = page.onScriptMessage;
        page.onScriptMessage = [&driven, heard](const platform::ScriptValue& body) {
            driven.messages.push_back(body);
            heard(body);
        };
        body(driven);
        application.quit();
    };
    application.run("display_tests", {});
}

} // namespace quillane::testing
