// The self-test run: the probe page in an invisible window, driven once it has loaded.
#include "app/app_delegate.h"
#include "platform/main_queue.h"

namespace quillane {

namespace {
constexpr double loadTimeout = 10;
} // namespace

void AppDelegate::beginProbeRun()
{
    // Never seen, and the real pointer passes through to whatever lies beneath.
    window->setAlpha(0);
    window->setIgnoresMouseEvents(true);
    // A move started from a synthetic press would follow the real pointer: nothing moves the window.
    window->setMovable(false);
    window->orderFront();
    platform::runOnMainQueueAfter(loadTimeout, [this] { report("the page did not load in 10 seconds"); });
}

void AppDelegate::webViewDidFinish(platform::WebView&)
{
    if (isProbeRun())
        driveProbe();
}

void AppDelegate::webViewDidFailProvisionalNavigation(platform::WebView&, const std::string& message)
{
    // A normal run keeps what it showed; only the self-test has anywhere to say so.
    report("the page failed to load: " + message);
}

} // namespace quillane
