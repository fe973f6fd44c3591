#pragma once
// The main window's modes: floating above other windows on every workspace (the user's choice,
// remembered), ordinary, the user's full screen and a page's element full screen, minimised, and
// what the zoom button and a double-click on the band do.
#include "platform/preferences.h"

#include <functional>

namespace quillane {

namespace platform {
class WebView;
class Window;
}

class WindowModes {
public:
    // What the modes act on: the main window and what it shows.
    class Host {
    public:
        virtual ~Host() = default;
        virtual bool isFullScreen() const = 0;
        // Above other windows and on every workspace, or an ordinary window.
        virtual void setFloating(bool floating) = 0;
        virtual void toggleFullScreen() = 0;
        virtual void setPageFullScreen(bool fullScreen) = 0;
        virtual void iconify() = 0;
        virtual void toggleMaximised() = 0;
        virtual void showButtons(bool show) = 0;
        virtual bool pointerNearButtons() const = 0;
    };

    // `changed` runs whenever what the menus show of the modes may have changed.
    WindowModes(platform::Preferences& preferences, Host& host, std::function<void()> changed);
    // Hears what the window and its page tell of their modes.
    void attach(platform::Window& window, platform::WebView& page);

    bool floats() const;
    bool isFullScreen() const { return m_host.isFullScreen(); }
    bool pageIsFullScreen() const { return m_pageFullScreen; }

    // Floating as the preference says, unless something has suspended it.
    void applyFloating();
    void toggleFloating();
    void toggleFullScreen();
    void minimise();
    // The zoom button toggles full screen; a double-click on the band maximises or restores.
    void zoomButton() { toggleFullScreen(); }
    void doubleClickOnBand() { m_host.toggleMaximised(); }

    void fullScreenChanged(bool entered);
    void fullScreenFailed();
    void deiconified();
    void pageFullScreenChanged(bool fullScreen);

private:
    platform::Preferences& m_preferences;
    Host& m_host;
    std::function<void()> m_changed;
    bool m_pageFullScreen = false;
};

} // namespace quillane
