#pragma once
// Private to the platform layer.
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"
#include "platform/download.h"
#include "platform/main_queue.h"
#include "platform/notification.h"
#include "platform/web_view.h"

#include <webkit2/webkit2.h>

#include <list>

namespace quillane::platform {

// `released` runs once the notification has closed.
std::unique_ptr<Notification> notificationAround(WebKitNotification* notification, std::function<void()> released);
bool isClosed(const Notification& notification);

// An observation is an entry in its view's list of observers; it leaves the list when it ends.
struct Observation::Impl {
    std::weak_ptr<View> view;
    int id = 0;
    ~Impl();
};

struct WebView::Impl {
    struct MessageChannel {
        std::string name;
        ScriptMessageHandler* handler = nullptr;
        SignalConnection connection;
        void onMessage(WebKitUserContentManager*, WebKitJavascriptResult* result);
    };

    WebView& owner;
    GObjectRef<WebKitWebView> view;
    WebUIDelegate* uiDelegate = nullptr;
    NavigationDelegate* navigationDelegate = nullptr;
    SignalConnection permissionRequest;
    SignalConnection showNotification;
    SignalConnection contextMenu;
    SignalConnection printSignal;
    SignalConnection foundSignal;
    SignalConnection failedToFindSignal;
    // The page's notifications that are still open; a closed one is let go on the next turn.
    std::list<std::unique_ptr<Notification>> notifications;
    ScheduledBlock releaseNotifications;
    SignalConnection fileChooser;
    SignalConnection decidePolicy;
    SignalConnection downloadStarted;
    GObjectRef<WebKitUserContentManager> contentManager;
    std::list<MessageChannel> channels;
    FullscreenState fullscreen = FullscreenState::notInFullscreen;
    // What a handler observes: the engine's own properties and the page's full-screen state alike.
    enum class Property { underPageColour, fullscreen, title };
    struct Observer {
        int id;
        Property property;
        std::function<void()> handler;
    };
    std::list<Observer> observers;
    int nextObserver = 0;
    Observation observe(Property property, std::function<void()> handler);
    void changed(Property property);
    void setFullscreen(FullscreenState state);
    SignalConnection themeColourSignal;
    SignalConnection titleSignal;
    void onThemeColour(GObject*, GParamSpec*) { changed(Property::underPageColour); }
    void onTitle(GObject*, GParamSpec*) { changed(Property::title); }
    ScheduledBlock loadTimeout;
    // A failed load still ends with a "finished" event; that one is no finished page.
    bool failedProvisionally = false;
    // The load under way was stopped by its time-out.
    bool timedOut = false;
    SignalConnection tlsFailed;
    SignalConnection createSignal;
    SignalConnection readySignal;
    SignalConnection closeSignal;
    SignalConnection scriptDialogSignal;
    bool committed = false;
    std::string scriptWorld;
    std::string scriptOnCommit;
    SignalConnection processTerminated;
    SignalConnection loadChanged;
    SignalConnection loadFailed;
    SignalConnection enterFullscreen;
    SignalConnection leaveFullscreen;

    explicit Impl(WebView& view)
        : owner(view)
    {
    }
    void connectServices();
    void connectWindows();
    gboolean onPermissionRequest(WebKitWebView*, WebKitPermissionRequest*);
    gboolean onNotificationPermissionRequest(WebKitWebView*, WebKitPermissionRequest*);
    gboolean onShowNotification(WebKitWebView*, WebKitNotification*);
    gboolean onContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*);
    gboolean onPrint(WebKitWebView*, WebKitPrintOperation*);
    void connectFind();
    void onFound(WebKitFindController*, guint matches);
    void onFailedToFind(WebKitFindController*);
    gboolean onRunFileChooser(WebKitWebView*, WebKitFileChooserRequest*);
    gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision*, WebKitPolicyDecisionType);
    void onDownloadStarted(WebKitWebContext*, WebKitDownload*);
    void cancelTimeout();
    void onLoadChanged(WebKitWebView*, WebKitLoadEvent event);
    gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*);
    gboolean onLoadFailedWithTLSErrors(WebKitWebView*, gchar*, GTlsCertificate*, GTlsCertificateFlags);
    void onProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason);
    void failed(const LoadFailure& failure);
    GtkWidget* onCreate(WebKitWebView*, WebKitNavigationAction*);
    void onReadyToShow(WebKitWebView*);
    void onClose(WebKitWebView*);
    gboolean onScriptDialog(WebKitWebView*, WebKitScriptDialog*);
    gboolean onEnterFullscreen(WebKitWebView*);
    gboolean onLeaveFullscreen(WebKitWebView*);
};

} // namespace quillane::platform
