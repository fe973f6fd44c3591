#include "main_window/window_modes.h"

#include "names.h"
#include "platform/web_view.h"
#include "platform/window.h"

namespace quillane {

WindowModes::WindowModes(platform::Preferences& preferences, Host& host, std::function<void()> changed)
    : m_preferences(preferences)
    , m_host(host)
    , m_changed(std::move(changed))
{
    m_preferences.registerDefault(keys::floating, true);
}

void WindowModes::attach(platform::Window& window, platform::WebView& page)
{
    window.onFullScreenChanged = [this](bool entered) { fullScreenChanged(entered); };
    window.onFullScreenFailed = [this] { fullScreenFailed(); };
    window.onDeiconified = [this] { deiconified(); };
    window.onButton = [this](platform::WindowButton button) {
        if (button == platform::WindowButton::minimise)
            minimise();
        else if (button == platform::WindowButton::zoom)
            zoomButton();
    };
    page.onElementFullScreen = [this](bool fullScreen) { pageFullScreenChanged(fullScreen); };
}

bool WindowModes::floats() const
{
    return m_preferences.boolean(keys::floating).value_or(false);
}

void WindowModes::applyFloating()
{
    m_host.setFloating(floats() && !m_pageFullScreen);
}

void WindowModes::toggleFloating()
{
    m_preferences.setBoolean(keys::floating, !floats());
    // In full screen floating waits for its end, which applies it again.
    if (!m_host.isFullScreen())
        applyFloating();
    m_changed();
}

void WindowModes::toggleFullScreen()
{
    // A full-screen window stays on its own workspace, above nothing.
    if (!m_host.isFullScreen())
        m_host.setFloating(false);
    m_host.toggleFullScreen();
}

void WindowModes::minimise()
{
    // Shown when the window comes back, until the pointer says otherwise.
    m_host.showButtons(true);
    m_host.iconify();
}

void WindowModes::fullScreenChanged(bool entered)
{
    if (entered) {
        m_host.showButtons(true);
    } else {
        applyFloating();
        m_host.showButtons(m_host.pointerNearButtons());
    }
    m_changed();
}

void WindowModes::fullScreenFailed()
{
    applyFloating();
}

void WindowModes::deiconified()
{
    m_host.showButtons(m_host.pointerNearButtons());
}

void WindowModes::pageFullScreenChanged(bool fullScreen)
{
    m_pageFullScreen = fullScreen;
    m_host.setPageFullScreen(fullScreen);
    if (!m_host.isFullScreen())
        applyFloating();
}

} // namespace quillane
