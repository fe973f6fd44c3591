#pragma once
// A frameless top-level window with a hidden title bar, three window buttons of its own and a
// content view that fills it. Geometry is in points with the origin at the bottom-left.
#include "platform/colour.h"
#include "platform/event.h"
#include "platform/geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Application;
class Window;
class Preferences;
class View;
struct PlatformAccess;

namespace styleMask {
inline constexpr std::uint64_t titled = 0x1;
inline constexpr std::uint64_t closable = 0x2;
inline constexpr std::uint64_t miniaturizable = 0x4;
inline constexpr std::uint64_t resizable = 0x8;
inline constexpr std::uint64_t fullScreen = 0x4000;
inline constexpr std::uint64_t fullSizeContentView = 0x8000;
} // namespace styleMask

namespace collectionBehaviour {
inline constexpr std::uint64_t canJoinAllSpaces = 0x1;
inline constexpr std::uint64_t fullScreenPrimary = 0x80;
inline constexpr std::uint64_t fullScreenAuxiliary = 0x100;
inline constexpr std::uint64_t canJoinAllApplications = 0x40000;
} // namespace collectionBehaviour

namespace windowLevel {
inline constexpr int normal = 0;
} // namespace windowLevel

enum class WindowButton { close, miniaturize, zoom };

// The window's delegate; the optional calls are interfaces of their own, so the window can tell
// whether its delegate handles them.
class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;
};

class WindowZoomDelegate : public virtual WindowDelegate {
public:
    // Asked before the window zooms (maximises or restores); false keeps it as it is.
    virtual bool windowShouldZoom(Window& window, Rect toFrame) = 0;
};

class WindowFullScreenDelegate : public virtual WindowDelegate {
public:
    virtual void windowDidEnterFullScreen(Window& window) = 0;
    virtual void windowDidExitFullScreen(Window& window) = 0;
    // The window system did not put the window in full screen within a few seconds.
    virtual void windowDidFailToEnterFullScreen(Window& window) = 0;
};

class WindowCloseDelegate : public virtual WindowDelegate {
public:
    // Asked when the user closes the window (its close button, the window manager); false keeps it
    // open, for the delegate to close it later, or not.
    virtual bool windowShouldClose(Window& window) = 0;
};

class WindowMiniaturizeDelegate : public virtual WindowDelegate {
public:
    virtual void windowDidDeminiaturize(Window& window) = 0;
};

class Window {
public:
    // With `fullSizeContentView` in the style mask the window is frameless and draws its own title
    // bar and buttons; without it, the window manager frames it as an ordinary window.
    Window(Application& application, Rect contentRect, std::uint64_t styleMask);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    std::uint64_t styleMask() const;

    // In screen coordinates: points from the bottom-left corner of the primary screen.
    Rect frame() const;
    void setFrame(Rect frame);
    // Whether the window system has given the window the size last asked for.
    bool hasSettledFrame() const;
    void center();
    // The part of the content below the hidden title bar, in window coordinates.
    Rect contentLayoutRect() const;
    double titleBarHeight() const;

    // What task switchers show for the window.
    void setTitle(const std::string& title);
    void setIconName(const std::string& iconName);

    Colour backgroundColour() const;
    void setBackgroundColour(Colour colour);

    // 0 is an ordinary window; any higher level keeps the window above ordinary ones.
    int level() const;
    void setLevel(int level);
    std::uint64_t collectionBehaviour() const;
    void setCollectionBehaviour(std::uint64_t behaviour);

    // The window shares ownership of its content view, which it keeps as large as the window.
    void setContentView(std::shared_ptr<View> view);
    View* contentView() const;
    void makeFirstResponder(View& view);

    // The standard buttons; each has an alpha value of 0 (invisible) to 1. Frames are in window coordinates.
    std::optional<Rect> buttonFrame(WindowButton button) const;
    std::optional<double> buttonAlpha(WindowButton button) const;
    void setButtonAlpha(WindowButton button, double alpha);

    // The whole window's opacity. At 0 the window is never seen, with or without a compositor.
    double alpha() const;
    void setAlpha(double alpha);
    // Whether the real pointer passes through the window to whatever lies beneath.
    bool ignoresMouseEvents() const;
    void setIgnoresMouseEvents(bool ignores);

    // Moves the window with the pointer from the given press on, until the button is released.
    void performDrag(const Event& press);
    // Whether presses on the parts of the window that act as its title bar move it.
    bool isMovable() const;
    void setMovable(bool movable);
    Point convertPointFromScreen(Point point) const;
    // Asks the delegate, then maximises or restores the window (a double-click on the title bar).
    void zoom();
    // Maximises or restores the window, asking no one (the keyboard's way to what zoom does).
    void toggleMaximised();
    // Lets the window manager move or resize the window with the arrow keys, as its own keyboard
    // move does; Return ends it, Escape puts the window back.
    void beginKeyboardMove();
    void beginKeyboardResize();

    // Enters full screen, or leaves it; the delegate hears how that went.
    void toggleFullScreen();
    // Whether the user has the window in full screen (a page's element full screen aside).
    bool isFullScreen() const;
    // Whether the window system treats it as an ordinary top-level window (no panel, pop-up or dock).
    bool isOrdinaryWindow() const;
    void miniaturize();
    // Lays a view over the whole window, with no window buttons, while a page shows an element in
    // full screen; the window goes full screen for it unless the user already put it there.
    void setPageFullScreen(View& view, bool fullScreen);
    bool isPageFullScreen() const;
    // Whether the window takes the keyboard when it is shown (panels and ordinary windows do).
    bool canBecomeKeyWindow() const;

    // The texts the window shows in its labels (not its buttons' titles), in the order of its widget tree.
    std::vector<std::string> labelTexts() const;

    void orderFront();
    // Takes the window off the screen; it lives on.
    void orderOut();
    void makeKeyAndOrderFront();
    bool isVisible() const;
    // The X11 window id, or 0 before the window is shown.
    unsigned long windowNumber() const;

    // Restores the frame saved under this name and saves the frame there whenever it changes.
    void setFrameAutosaveName(const std::string& name, Preferences& preferences);

    void setDelegate(WindowDelegate* delegate);
    WindowDelegate* delegate() const;

    // Closes the window as its close button does: the delegate may keep it open.
    void performClose();
    // Closes the window, asking no one.
    void close();

    // Keeps the window above `parent` and with it (dialogs, a page's own windows); null for none.
    void setTransientFor(Window* parent);

    // Keys (GTK accelerators, "<Primary>q") that act a moment after they were sent to a page that has
    // not dealt with them: the page's script never yields, or there is no page.
    void setKeysKeptFromAnUnresponsivePage(std::vector<std::string> accelerators);

    struct Impl;
    struct Native;

private:
    friend struct PlatformAccess;
    // For the platform's own panels: a Window around a window the platform has built.
    explicit Window(const Native& native);
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
