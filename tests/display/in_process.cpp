#include "in_process.h"

#include "harness.h"
#include "platform/application.h"
#include "platform/colour_scheme.h"
#include "platform/program.h"
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
    platform::Program program("org.quillane.PlatformTest", false);
    platform::Application application(program, { "org.quillane.PlatformTest", "quillane", "Quillane", "Quillane", "org.quillane.Quillane" });
    program.onCommandLine = [&](const std::vector<std::string>&) {
        body(application);
        program.quit();
        return 0;
    };
    program.run({ "display_tests" });
}

void launchQuillane(const DisplaySession& session, const std::function<void(DrivenQuillane&)>& body)
{
    launchQuillane(session, {}, body);
}

void launchQuillane(const DisplaySession& session, const LaunchOptions& options, const std::function<void(DrivenQuillane&)>& body)
{
    platform::Program program("org.quillane.LaunchTest", false);
    platform::Application application(program, { "org.quillane.Quillane", "quillane", "Quillane", "Quillane", "org.quillane.Quillane" });
    platform::Preferences preferences(session.configHome() + "/quillane");
    FixedTexts texts = buildFixedTexts();
    std::optional<platform::DesktopColourScheme> colourScheme;
    Launch launch(application, preferences, texts, options);
    DrivenQuillane driven { launch, {} };
    program.onCommandLine = [&](const std::vector<std::string>&) {
        colourScheme.emplace();
        launch.start(*colourScheme);
        // Heard as the program hears them, and kept for the test.
        platform::WebView& page = launch.mainWindow().page();
        auto heard = page.onScriptMessage;
        page.onScriptMessage = [&driven, heard](const platform::ScriptValue& body) {
            driven.messages.push_back(body);
            heard(body);
        };
        body(driven);
        program.quit();
        return 0;
    };
    program.run({ "display_tests" });
}

} // namespace quillane::testing
