#pragma once
// Private to the platform layer.
#include "platform/gtk/application_impl.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"
#include "platform/load_time_limit.h"
#include "platform/main_queue.h"
#include "platform/notification.h"
#include "platform/web_view.h"

#include <webkit2/webkit2.h>

#include <list>

namespace quillane::platform {

// `released` runs once the notification has closed.
std::unique_ptr<Notification> notificationAround(WebKitNotification* notification, std::function<void()> released);
bool isClosed(const Notification& notification);

struct WebView::Impl {
    WebView& owner;
    const Application::Impl& application;
    GObjectRef<WebKitWebView> view;
    GObjectRef<WebKitUserContentManager> contentManager;
    std::string scriptWorld;
    std::string scriptOnCommit;
    std::string messageHandler;
    // The page's notifications that are still open; a closed one is let go on the next turn.
    std::list<std::unique_ptr<Notification>> notifications;
    ScheduledBlock releaseNotifications;
    LoadTimeLimit loadLimit;
    // The last navigation the engine asked about sends data (not a GET or a HEAD).
    bool navigationSendsData = false;
    // A failed load still ends with a "finished" event; that one is no finished page.
    bool failedProvisionally = false;
    bool committed = false;
    std::vector<SignalConnection> signals;

    Impl(WebView& view, const Application::Impl& application)
        : owner(view)
        , application(application)
    {
    }
    void connectSignals();
    void onMessage(WebKitUserContentManager*, WebKitJavascriptResult* result);
    void onLoadChanged(WebKitWebView*, WebKitLoadEvent event);
    gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*);
    gboolean onLoadFailedWithTLSErrors(WebKitWebView*, gchar*, GTlsCertificate*, GTlsCertificateFlags);
    void onProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason);
    void failed(const LoadFailure& failure);
    void onThemeColour(GObject*, GParamSpec*) { owner.themeColourChanged(); }
    void onTitle(GObject*, GParamSpec*) { owner.titleChanged(); }
    gboolean onPermissionRequest(WebKitWebView*, WebKitPermissionRequest*);
    gboolean onShowNotification(WebKitWebView*, WebKitNotification*);
    gboolean onAuthenticate(WebKitWebView*, WebKitAuthenticationRequest*);
    gboolean onQueryPermissionState(WebKitWebView*, WebKitPermissionStateQuery*);
    gboolean onRunFileChooser(WebKitWebView*, WebKitFileChooserRequest*);
    gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision*, WebKitPolicyDecisionType);
    gboolean decideNavigation(WebKitNavigationPolicyDecision* decision);
    void onDownloadStarted(WebKitWebContext*, WebKitDownload*);
    GtkWidget* onCreate(WebKitWebView*, WebKitNavigationAction*);
    void onReadyToShow(WebKitWebView*);
    void onClose(WebKitWebView*);
    gboolean onScriptDialog(WebKitWebView*, WebKitScriptDialog*);
    gboolean onPrint(WebKitWebView*, WebKitPrintOperation*);
    gboolean onContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*);
    void onFound(WebKitFindController*, guint matches);
    void onFailedToFind(WebKitFindController*);
    gboolean onEnterFullScreen(WebKitWebView*);
    gboolean onLeaveFullScreen(WebKitWebView*);
};

// The origin of the view's current address; none without one.
std::optional<SecurityOrigin> originOf(WebKitWebView* view);

inline GtkWidget* widgetOf(const WebView& view)
{
    return GTK_WIDGET(implOf(view).view.get());
}

} // namespace quillane::platform
