#pragma once
// Private to the platform layer.
#include "platform/gobject_ref.h"
#include "platform/signal.h"
#include "platform/download.h"
#include "platform/web_view.h"

#include <webkit2/webkit2.h>

#include <list>

namespace quillane::platform {

struct Observation::Impl {
    std::function<void()> handler;
    std::vector<SignalConnection> connections;
    // Ends an observation kept in a list of the view's.
    std::function<void()> cancel;
    ~Impl()
    {
        if (cancel)
            cancel();
    }
    void onNotify(GObject*, GParamSpec*) { handler(); }
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
    // Downloads of this view that are still running.
    std::list<std::unique_ptr<Download>> downloads;
    SignalConnection permissionRequest;
    SignalConnection fileChooser;
    SignalConnection decidePolicy;
    SignalConnection downloadStarted;
    GObjectRef<WebKitUserContentManager> contentManager;
    std::list<MessageChannel> channels;
    FullscreenState fullscreen = FullscreenState::notInFullscreen;
    std::list<std::pair<int, std::function<void()>>> fullscreenObservers;
    int nextObserver = 0;
    void setFullscreen(FullscreenState state);
    guint timeoutTimer = 0;
    // A failed load still ends with a "finished" event; that one is no finished page.
    bool failedProvisionally = false;
    SignalConnection loadChanged;
    SignalConnection loadFailed;
    SignalConnection enterFullscreen;
    SignalConnection leaveFullscreen;

    explicit Impl(WebView& view)
        : owner(view)
    {
    }
    ~Impl() { cancelTimeout(); }
    void connectServices();
    gboolean onPermissionRequest(WebKitWebView*, WebKitPermissionRequest*);
    gboolean onRunFileChooser(WebKitWebView*, WebKitFileChooserRequest*);
    gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision*, WebKitPolicyDecisionType);
    void onDownloadStarted(WebKitWebContext*, WebKitDownload*);
    void downloadEnded(Download* download);
    void cancelTimeout();
    void onLoadChanged(WebKitWebView*, WebKitLoadEvent event);
    gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*);
    gboolean onEnterFullscreen(WebKitWebView*);
    gboolean onLeaveFullscreen(WebKitWebView*);
};

} // namespace quillane::platform
