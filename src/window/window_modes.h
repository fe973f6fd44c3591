#pragma once
// The main window's setups (floating above other windows on every workspace, ordinary, ready for
// full screen), full screen, zoom and minimising.
#include "platform/preferences.h"

#include <cstdint>
#include <functional>

namespace quillane {

class WindowModes {
public:
    // What the modes act on: the main window and what it shows.
    class Host {
    public:
        virtual ~Host() = default;
        // The user's full screen, and a page's element full screen.
        virtual bool isFullScreen() const = 0;
        virtual bool pageIsFullScreen() const = 0;
        virtual void setSetup(int level, std::uint64_t collectionBehaviour) = 0;
        virtual void toggleFullScreen() = 0;
        virtual void minimise() = 0;
        virtual void layOutPage() = 0;
        virtual void showButtons(bool show) = 0;
        virtual bool pointerNearButtons() const = 0;
    };

    // A floating window's collection behaviour: on every workspace, beside full-screen windows, with
    // every application. An ordinary window has none.
    static const std::uint64_t everyday;

    // `changed` runs whenever what the menus show of the modes may have changed.
    WindowModes(platform::Preferences& preferences, Host& host, std::function<void()> changed);

    bool floats() const;
    bool isFullScreen() const { return m_host.isFullScreen(); }

    // The setup the float preference asks for.
    void settle();
    void toggleFloating();
    void toggleFullScreen();
    void minimise();
    // A zoom (the zoom button, a double-click on the band): a double-click maximises, anything else
    // toggles full screen instead.
    bool shouldZoom(int clickCount);

    void didEnterFullScreen();
    void didExitFullScreen();
    void didFailToEnterFullScreen();
    void didUnminimise();
    void pageFullScreenChanged();

private:
    platform::Preferences& m_preferences;
    Host& m_host;
    std::function<void()> m_changed;
};

} // namespace quillane
