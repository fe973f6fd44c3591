#pragma once
// Private to the platform layer.
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"
#include "platform/main_queue.h"
#include "platform/window.h"
#include "platform/gtk/window_buttons.h"

#include <gtk/gtk.h>

#include <list>
#include <vector>

typedef struct _WebKitWebView WebKitWebView;

namespace quillane::platform {

struct Window::Native {
    GtkWindow* window;
};

// A Window around a GTK window the platform has built (its own panels).
std::unique_ptr<Window> windowAround(GtkWindow* window);

struct Window::Impl {
    Window& owner;
    GObjectRef<GtkWidget> window;
    GObjectRef<GtkWidget> overlay;
    std::unique_ptr<WindowButtons> buttons;
    std::shared_ptr<View> contentView;
    WindowDelegate* delegate = nullptr;

    std::uint64_t styleMask = 0;
    int level = 0;
    std::uint64_t behaviour = 0;
    Colour background { 0, 0, 0, 1 };
    // Last known frame in root (top-left) coordinates; GTK only knows it once the window is configured.
    GdkRectangle rootFrame { 0, 0, 0, 0 };
    bool destroyed = false;
    bool maximized = false;
    double alpha = 1;
    bool ignoresMouseEvents = false;

    Preferences* autosaveStore = nullptr;
    std::string autosaveName;
    ScheduledBlock autosaveTimer;

    SignalConnection drawSignal;
    SignalConnection configureSignal;
    SignalConnection stateSignal;
    SignalConnection destroySignal;
    SignalConnection deleteSignal;
    SignalConnection keySignal;
    SignalConnection contentPressSignal;
    bool movable = true;
    // A view that a page's element full screen lays over the whole window, and whether the window
    // went full screen for it (rather than for the user).
    View* pageFullScreenView = nullptr;
    bool fullScreenForPage = false;
    bool iconified = false;
    ScheduledBlock fullScreenTimer;

    // The program's keys that act even when the page does not answer, and those of them sent to the
    // page that it has not dealt with yet.
    std::vector<std::string> urgentAccelerators;
    struct WaitingKey {
        unsigned long id = 0;
        std::unique_ptr<GdkEvent, GLibDeleter<GdkEvent, gdk_event_free>> event;
        ScheduledBlock timer;
        bool actedOn = false;
    };
    std::list<WaitingKey> waitingKeys;
    unsigned long lastKeyId = 0;
    // For answers that may come after the window has gone.
    std::shared_ptr<Impl*> self = std::make_shared<Impl*>(this);

    explicit Impl(Window& window)
        : owner(window)
    {
    }
    ~Impl();

    gboolean onDraw(GtkWidget*, cairo_t*);
    gboolean onConfigure(GtkWidget*, GdkEventConfigure*);
    gboolean onWindowState(GtkWidget*, GdkEventWindowState*);
    void onDestroy(GtkWidget*);
    gboolean onDelete(GtkWidget*, GdkEvent*);
    // Keys go to the focused view first; the menus' key equivalents act on what it leaves.
    gboolean onKeyPress(GtkWidget*, GdkEventKey*);
    void waitForThePage(WebKitWebView* page, GdkEventKey* key);
    void actOnKey(unsigned long id);

    // Presses that land on the content view itself (the band): a title bar's behaviour.
    gboolean onContentPress(GtkWidget*, GdkEventButton*);
    // Tells the views with tracking areas whether the pointer has come or gone.
    void trackPointer(GdkEvent* event);

    void layOutContent();
    void zoom();
    void scheduleAutosave();
    // Saves at once a frame whose save was still waiting.
    void flushAutosave();
    void saveFrame();
};

} // namespace quillane::platform
