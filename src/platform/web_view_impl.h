#pragma once
// Private to the platform layer.
#include "platform/gobject_ref.h"
#include "platform/signal.h"
#include "platform/web_view.h"

#include <webkit2/webkit2.h>

#include <list>

namespace quillane::platform {

struct Observation::Impl {
    std::function<void()> handler;
    std::vector<SignalConnection> connections;
    void onNotify(GObject*, GParamSpec*) { handler(); }
    gboolean onFullscreen(WebKitWebView*)
    {
        handler();
        return FALSE;
    }
};

struct WebView::Impl {
    struct MessageChannel {
        std::string name;
        ScriptMessageHandler* handler = nullptr;
        SignalConnection connection;
        void onMessage(WebKitUserContentManager*, WebKitJavascriptResult* result);
    };

    GObjectRef<WebKitWebView> view;
    GObjectRef<WebKitUserContentManager> contentManager;
    std::list<MessageChannel> channels;
    FullscreenState fullscreen = FullscreenState::notInFullscreen;
    guint timeoutTimer = 0;
    SignalConnection loadChanged;
    SignalConnection loadFailed;
    SignalConnection enterFullscreen;
    SignalConnection leaveFullscreen;

    ~Impl() { cancelTimeout(); }
    void cancelTimeout();
    void onLoadChanged(WebKitWebView*, WebKitLoadEvent event);
    gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*);
    gboolean onEnterFullscreen(WebKitWebView*);
    gboolean onLeaveFullscreen(WebKitWebView*);
};

} // namespace quillane::platform
