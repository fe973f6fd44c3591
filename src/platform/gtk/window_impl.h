#pragma once
// Private to the platform layer.
#include "platform/gtk/application_impl.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"
#include "platform/main_queue.h"
#include "platform/window.h"

#include <gtk/gtk.h>

#include <array>
#include <list>

typedef struct _WebKitWebView WebKitWebView;

namespace quillane::platform {

// The window an event happened in, as the program knows it; null for windows not ours.
Window* windowOf(GtkWidget* widget);
Press pressFrom(const GdkEvent* event, GtkWidget* window);
// A press or key press of the user's in a window of ours.
void countUserInput();

struct Window::Impl {
    Window& owner;
    // The application the window belongs to: its dialogs belong to it too.
    const Application::Impl& application;
    GObjectRef<GtkWidget> window;
    GtkWidget* overlay = nullptr;
    GtkWidget* band = nullptr;
    GtkWidget* buttonsBox = nullptr;
    std::array<GtkWidget*, 3> buttons {};
    GtkWidget* page = nullptr;
    double bandHeight = 0;
    Colour bandColour { 0, 0, 0, 1 };
    std::optional<Colour> firstColour;
    std::optional<double> progress;
    bool buttonsShown = true;
    // The pointer is over one of the buttons: they show their glyphs.
    bool overButtons = false;
    bool keepAbove = false;
    bool sticky = false;
    bool fullScreen = false;
    bool maximised = false;
    bool iconified = false;
    bool destroyed = false;
    // Closed by the program: nobody is asked.
    bool closing = false;
    // The window went full screen for a page's element, not for the user.
    bool fullScreenForPage = false;
    bool pageFullScreen = false;
    ScheduledBlock fullScreenPatience;
    GdkRectangle frame { 0, 0, 0, 0 };

    Preferences* frameStore = nullptr;
    std::string frameKey;
    ScheduledBlock frameSave;

    // The notice over the page, made when first shown, and its label.
    GtkWidget* notice = nullptr;
    GtkWidget* noticeLabel = nullptr;
    ScheduledBlock noticeHiding;
    // The note over the bottom of the page, made when first shown.
    GtkWidget* note = nullptr;
    GtkWidget* noteText = nullptr;
    GObjectRef<GtkCssProvider> noteStyleProvider;
    std::vector<GtkWidget*> noteButtons;
    std::vector<std::function<void()>> noteActions;
    std::vector<SignalConnection> noteButtonSignals;
    ScheduledBlock noteTimer;

    // A press the owner took: its release, and GDK's double-press events for it, are dropped too.
    std::optional<guint> takenButton;
    std::vector<SignalConnection> signals;

    // The program's keys that act even when the page does not answer, and those of them sent to the
    // page that it has not dealt with yet.
    std::vector<std::string> urgentAccelerators;
    std::vector<std::string> acceleratorsBeforeThePage;
    struct WaitingKey {
        unsigned long id = 0;
        std::unique_ptr<GdkEvent, GLibDeleter<GdkEvent, gdk_event_free>> event;
        ScheduledBlock timer;
        bool actedOn = false;
    };
    std::list<WaitingKey> waitingKeys;
    unsigned long lastKeyId = 0;
    std::pair<guint32, guint16> lastCountedKey {};
    // A key or a button was pressed in the window.
    bool hadUserInput = false;
    // For answers that may come after the window has gone.
    std::shared_ptr<Impl*> self = std::make_shared<Impl*>(this);

    Impl(Window& window, Application& application, GtkWidget* page, Size size, bool decorated);
    ~Impl();
    void buildTitleBar(double band);

    gboolean onWindowDraw(GtkWidget*, cairo_t*);
    gboolean onConfigure(GtkWidget*, GdkEventConfigure*);
    gboolean onWindowState(GtkWidget*, GdkEventWindowState*);
    void onDestroy(GtkWidget*);
    gboolean onDelete(GtkWidget*, GdkEvent*);
    gboolean onFocus(GtkWidget*, GdkEventFocus*);
    gboolean onLeave(GtkWidget*, GdkEventCrossing*);
    gboolean onPagePress(GtkWidget*, GdkEventButton*);
    gboolean onPageRelease(GtkWidget*, GdkEventButton*);
    gboolean onMotion(GtkWidget*, GdkEventMotion*);
    gboolean onCrossing(GtkWidget*, GdkEventCrossing*);
    void pointerAt(GdkWindow* eventWindow, double x, double y);
    gboolean onOverlayChildPosition(GtkOverlay*, GtkWidget* child, GdkRectangle* place);
    gboolean onBandDraw(GtkWidget*, cairo_t*);
    gboolean onBandPress(GtkWidget*, GdkEventButton*);
    gboolean onButtonDraw(GtkWidget*, cairo_t*);
    void onButtonClicked(GtkButton*);
    void act(WindowButton button);
    gboolean onButtonCrossing(GtkWidget*, GdkEventCrossing*);
    // Keys go to the page first; the application's keys act on what it leaves.
    gboolean onKeyPress(GtkWidget*, GdkEventKey*);
    void waitForThePage(WebKitWebView* page, GdkEventKey* key);
    void actOnKey(unsigned long id);
    void buildNote();
    void hideNote();
    void onNoteButton(GtkButton*);
    void scheduleFrameSave();
    void saveFrame();
    void layOut();
};

} // namespace quillane::platform
