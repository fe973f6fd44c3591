#include "in_process.h"

#include "harness.h"
#include "platform/application.h"

#include <glib.h>

namespace quillane::testing {

namespace {
class BodyDelegate : public platform::ApplicationDelegate {
public:
    explicit BodyDelegate(const std::function<void()>& body)
        : m_body(body)
    {
    }
    void applicationDidFinishLaunching() override { m_body(); }
    bool applicationShouldTerminateAfterLastWindowClosed() override { return true; }

private:
    const std::function<void()>& m_body;
};
} // namespace

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

void spinFor(std::chrono::milliseconds duration)
{
    auto until = std::chrono::steady_clock::now() + duration;
    spinUntil([&] { return std::chrono::steady_clock::now() >= until; }, duration + std::chrono::seconds(1));
}

void runApplication(const std::function<void(platform::Application&)>& body)
{
    platform::Application application({ "org.quillane.PlatformTest", "quillane", "Quillane", "Quillane" }, false);
    std::function<void()> wrapped = [&] {
        body(application);
        application.terminate();
    };
    BodyDelegate delegate(wrapped);
    application.setDelegate(&delegate);
    application.run("display_tests", {});
}

void launchQuillane(const DisplaySession& session, const std::function<void(DrivenDelegate&)>& body)
{
    platform::Application application({ "org.quillane.LaunchTest", "quillane", "Quillane", "Quillane" }, false);
    platform::Preferences preferences(session.configHome() + "/quillane");
    FixedTexts texts = buildFixedTexts();
    DrivenDelegate delegate(application, preferences, texts, {});
    delegate.afterLaunch = [&] {
        body(delegate);
        application.terminate();
    };
    application.setDelegate(&delegate);
    application.run("display_tests", {});
}

} // namespace quillane::testing
