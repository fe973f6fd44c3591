// The self-test run: the probe page in an invisible window, driven once it has loaded.
#include "app/app_delegate.h"
#include "navigation/address_rules.h"
#include "platform/main_queue.h"

#include <cstdlib>

namespace quillane {

namespace {
constexpr double loadTimeout = 10;
constexpr const char* probeBaseAddress = "https://example.com/";
// For the self-test's own tests only: a page of theirs in place of the built-in one, so that a page
// that fails to load, or never finishes, can be tried. The built-in page itself can do neither.
constexpr const char* testPageVariable = "QUILLANE_TEST_PROBE_PAGE";
} // namespace

void AppDelegate::loadProbePage()
{
    const char* testPage = std::getenv(testPageVariable);
    if (auto replacement = testPage ? address(testPage) : std::nullopt) {
        loadPage(*replacement);
        return;
    }
    web->loadHTMLString(m_texts.probePage, probeBaseAddress);
}

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
    if (isProbeRun() && !m_reported)
        driveProbe();
}

} // namespace quillane
