// The window's setups (floating above other windows on every workspace, ordinary, ready for full
// screen), full screen, zoom and minimising.
#include "app/app_delegate.h"
#include "platform/event_monitor.h"

namespace quillane {

namespace {
bool isFullScreen(const platform::Window& window)
{
    return window.styleMask() & platform::styleMask::fullScreen;
}
} // namespace

void AppDelegate::settle()
{
    if (!window)
        return;
    if (m_preferences.boolean("float").value_or(false)) {
        window->setLevel(floating);
        window->setCollectionBehaviour(everyday);
    } else {
        window->setLevel(platform::windowLevel::normal);
        window->setCollectionBehaviour(0);
    }
}

void AppDelegate::toggleFloating()
{
    m_preferences.setBoolean("float", !m_preferences.boolean("float").value_or(false));
    if (window && !isFullScreen(*window))
        settle();
}

void AppDelegate::toggleFullScreen()
{
    if (!window)
        return;
    if (!isFullScreen(*window)) {
        window->setCollectionBehaviour(platform::collectionBehaviour::fullScreenPrimary);
        window->setLevel(platform::windowLevel::normal);
    }
    window->toggleFullScreen();
}

void AppDelegate::minimise()
{
    if (!window)
        return;
    showButtons(true);
    window->miniaturize();
}

bool AppDelegate::windowShouldZoom(platform::Window&, platform::Rect)
{
    const platform::Event* event = platform::currentEvent();
    if (event && event->clickCount == 2)
        return true;
    toggleFullScreen();
    return false;
}

void AppDelegate::windowDidEnterFullScreen(platform::Window&)
{
    layOutPage();
    showButtons(true);
    m_application.validateMenus();
}

void AppDelegate::windowDidExitFullScreen(platform::Window&)
{
    settle();
    layOutPage();
    showButtons(pointerNearButtons());
    m_application.validateMenus();
}

void AppDelegate::windowDidFailToEnterFullScreen(platform::Window&)
{
    settle();
}

void AppDelegate::windowDidDeminiaturize(platform::Window&)
{
    showButtons(pointerNearButtons());
}

void AppDelegate::pageFullScreenChanged()
{
    if (!window || !web || isFullScreen(*window))
        return;
    if (web->fullscreenState() != platform::FullscreenState::notInFullscreen) {
        window->setLevel(platform::windowLevel::normal);
        window->setCollectionBehaviour(0);
    } else {
        settle();
    }
}

} // namespace quillane
