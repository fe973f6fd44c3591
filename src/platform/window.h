#pragma once
// A top-level window showing a page. An ordinary one is framed by the window manager; the main
// window is frameless and is its own title bar: a band above the page, in the page's colour, and
// the three window buttons over the band's top-left corner. Geometry is GTK's (logical pixels,
// origin at the top-left).
#include "platform/colour.h"
#include "platform/geometry.h"
#include "platform/input.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Application;
class Preferences;
class WebView;

enum class WindowButton { close, minimise, zoom };

// A short note over the bottom of the window's page, gone by itself after a while.
struct Note {
    struct Button {
        std::string label;
        std::function<void()> pressed;
    };
    std::string text;
    // Each hides the note and acts.
    std::vector<Button> buttons;
    double seconds = 4;
};

// On a window of its own title bar: where the window buttons sit, all three together, from the
// window's top-left corner, and the height of the strip at its top that acts as a title bar.
inline constexpr Rect windowButtonsPlace { { 8, 7 }, { 54, 14 } };
inline constexpr double titleBarHeight = 28;

// The size of the primary monitor's work area; none when the window system tells none.
std::optional<Size> primaryWorkAreaSize();

class Window {
public:
    // An ordinary window, framed by the window manager.
    Window(Application& application, WebView& page, Size size);
    // A frameless window with a band `band` high above the page (none while in full screen) and
    // window buttons of its own.
    Window(Application& application, WebView& page, Size size, double band);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // What the window tells, or asks, whoever owns it; each is optional.
    // The user closes the window (its close button, the window manager): true closes it now.
    std::function<bool()> onCloseRequest;
    // The minimise and zoom buttons.
    std::function<void(WindowButton)> onButton;
    // A press on the band, where no button is.
    std::function<void(const Press&)> onBandPress;
    // Every press on the page, before the page has it: true takes it (and its release).
    std::function<bool(const Press&)> onPress;
    // The mouse's back or forward button (buttons 8 and 9) was pressed over the page, which then
    // does not see the press.
    std::function<void(bool forward)> onHistoryButton;
    // Where the pointer is in the window as it moves; none once it has left.
    std::function<void(std::optional<Point>)> onPointer;
    // The user's full screen began or ended (a page's element full screen is not the user's), or the
    // window manager did not grant it within a few seconds.
    std::function<void(bool fullScreen)> onFullScreenChanged;
    std::function<void()> onFullScreenFailed;
    // The window came back from being iconified.
    std::function<void()> onDeiconified;
    // The window got the keyboard, or lost it.
    std::function<void(bool focused)> onFocusChanged;

    void setTitle(const std::string& title);
    bool hasOwnTitleBar() const;
    // The band's colour; it shows only on a window of its own title bar.
    Colour bandColour() const;
    void setBandColour(Colour colour);
    // What shows below the band until the page has drawn itself: the band's colour unless set.
    void setFirstColour(std::optional<Colour> colour);
    // The window buttons appear or go (a hidden button is not there for screen readers either).
    void showButtons(bool show);
    bool buttonsShown() const;
    // Where the buttons are, all three together, in the window; none without buttons.
    std::optional<Rect> buttonsArea() const;
    // Whether a point of the window lies on the band (where no button is).
    bool isBandAt(Point point) const;

    // GDK does not read these back from the window manager: the window answers what it asked for.
    void setKeepAbove(bool above);
    bool keepsAbove() const;
    void setSticky(bool sticky);
    bool isSticky() const;
    bool isResizable() const;
    // A normal top-level window (no dialog, panel or dock).
    bool isOrdinary() const;
    bool isFullScreen() const;
    bool isMaximised() const;
    bool isVisible() const;
    bool isFocused() const;
    // Whether the user has pressed a key or a button in the window.
    bool hadUserInput() const;

    void present();
    void present(std::uint32_t serverTime);
    void hide();
    void iconify();
    void toggleMaximised();
    // The user's full screen; onFullScreenChanged tells how it went.
    void toggleFullScreen();
    // A page's element full screen: the page covers the whole window, the window goes full screen
    // unless the user had it there already.
    void setPageFullScreen(bool fullScreen);
    void close();
    // Draws the user's attention to the window, until it gets the keyboard.
    void setUrgent(bool urgent);
    // A short text over the middle of the page for a moment (the zoom level as it changes), in place
    // of any still showing; the page under it still takes the pointer.
    void showNotice(const std::string& text, double seconds);
    // The text showing now, if any.
    std::optional<std::string> notice() const;
    // A thin line along the bottom of the band showing how far something has come (a fraction from 0
    // to 1; below 0 when that is not known); none hides it.
    void setProgress(std::optional<double> fraction);
    // Shows the note in place of any showing; the text of the one showing, if one is.
    void showNote(Note note);
    std::optional<std::string> noteShown() const;

    // Moves the window with the pointer from this press on, until the button is released.
    void beginMoveDrag(const Press& press);
    // The window manager's keyboard move and resize: arrow keys, then Return.
    void beginKeyboardMove();
    void beginKeyboardResize();
    void setTransientFor(Window* parent);
    void focusPage();

    // On the screen.
    Rect frame() const;
    void setFrame(Rect frame);
    void centre();
    // Centres the window at this size on the primary monitor's work area.
    void centre(Size size);
    // Whether the window has the size last asked for.
    bool hasSettledSize() const;
    // Restores the frame saved under `key` (on the monitor it was saved on, when that is there) and
    // saves it there whenever it changes.
    void rememberFrame(Preferences& preferences, const std::string& key);
    // Never seen, and the real pointer passes through it (the self-test's window).
    void makeInvisible();

    // Keys (GTK accelerators, "<Primary>q") that act a moment after they were sent to a page that has
    // not dealt with them: the page's script never yields, or there is no page.
    void setKeysKeptFromAnUnresponsivePage(std::vector<std::string> accelerators);
    // Keys whose commands act before the page sees them (the page never has them).
    void setKeysBeforeThePage(std::vector<std::string> accelerators);
    // The X11 window, for the window system's own tools; 0 before it is shown.
    unsigned long x11Id() const;

    struct Impl;

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
