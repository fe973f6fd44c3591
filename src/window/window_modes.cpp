#include "window/window_modes.h"

#include "app/names.h"
#include "platform/window.h"

namespace quillane {

const std::uint64_t WindowModes::everyday = platform::collectionBehaviour::canJoinAllSpaces | platform::collectionBehaviour::fullScreenAuxiliary
    | platform::collectionBehaviour::canJoinAllApplications;

WindowModes::WindowModes(platform::Preferences& preferences, Host& host, std::function<void()> changed)
    : m_preferences(preferences)
    , m_host(host)
    , m_changed(std::move(changed))
{
    m_preferences.registerDefault(keys::floating, true);
}

bool WindowModes::floats() const
{
    return m_preferences.boolean(keys::floating).value_or(false);
}

void WindowModes::settle()
{
    if (floats())
        m_host.setSetup(levels::floating, everyday);
    else
        m_host.setSetup(platform::windowLevel::normal, 0);
}

void WindowModes::toggleFloating()
{
    m_preferences.setBoolean(keys::floating, !floats());
    // In full screen the setup waits for its end, which settles again.
    if (!m_host.isFullScreen())
        settle();
    m_changed();
}

void WindowModes::toggleFullScreen()
{
    if (!m_host.isFullScreen())
        m_host.setSetup(platform::windowLevel::normal, platform::collectionBehaviour::fullScreenPrimary);
    m_host.toggleFullScreen();
}

void WindowModes::minimise()
{
    // Shown when the window comes back, until the pointer says otherwise.
    m_host.showButtons(true);
    m_host.minimise();
}

bool WindowModes::shouldZoom(int clickCount)
{
    if (clickCount == 2)
        return true;
    toggleFullScreen();
    return false;
}

void WindowModes::didEnterFullScreen()
{
    m_host.layOutPage();
    m_host.showButtons(true);
    m_changed();
}

void WindowModes::didExitFullScreen()
{
    settle();
    m_host.layOutPage();
    m_host.showButtons(m_host.pointerNearButtons());
    m_changed();
}

void WindowModes::didFailToEnterFullScreen()
{
    settle();
}

void WindowModes::didUnminimise()
{
    m_host.showButtons(m_host.pointerNearButtons());
}

void WindowModes::pageFullScreenChanged()
{
    if (m_host.isFullScreen())
        return;
    if (m_host.pageIsFullScreen())
        m_host.setSetup(platform::windowLevel::normal, 0);
    else
        settle();
}

} // namespace quillane
