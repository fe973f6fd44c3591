// What the page asks of the program: permissions, notifications, files, windows, leaving, printing,
// downloads, the context menu and its element full screen. Each request taken over is finished
// exactly once: with the answer given, or, when nobody answers, with a refusal.
#include "platform/gtk/web_view_impl.h"

#include "platform/gtk/download_impl.h"

#include <gtk/gtk.h>

namespace quillane::platform {

namespace {
// Answers a request when told, or refuses it when the answer is dropped unanswered.
template <typename Request>
struct Pending {
    GObjectRef<Request> request;
    void (*refuse)(Request*);
    bool answered = false;
    ~Pending()
    {
        if (!answered)
            refuse(request.get());
    }
};

SecurityOrigin originFrom(WebKitSecurityOrigin* origin)
{
    const char* protocol = webkit_security_origin_get_protocol(origin);
    const char* host = webkit_security_origin_get_host(origin);
    return SecurityOrigin { protocol ? protocol : "", host ? host : "", webkit_security_origin_get_port(origin) };
}

std::function<void(bool)> decisionFor(WebKitPermissionRequest* request)
{
    auto pending = std::make_shared<Pending<WebKitPermissionRequest>>();
    pending->request = GObjectRef<WebKitPermissionRequest>::retain(request);
    pending->refuse = webkit_permission_request_deny;
    return [pending](bool allow) {
        if (std::exchange(pending->answered, true))
            return;
        if (allow)
            webkit_permission_request_allow(pending->request.get());
        else
            webkit_permission_request_deny(pending->request.get());
    };
}
} // namespace

std::optional<SecurityOrigin> originOf(WebKitWebView* view)
{
    const char* uri = webkit_web_view_get_uri(view);
    using OriginPtr = std::unique_ptr<WebKitSecurityOrigin, GLibDeleter<WebKitSecurityOrigin, webkit_security_origin_unref>>;
    OriginPtr origin(uri ? webkit_security_origin_new_for_uri(uri) : nullptr);
    if (!origin)
        return std::nullopt;
    return originFrom(origin.get());
}

gboolean WebView::Impl::onPermissionRequest(WebKitWebView* page, WebKitPermissionRequest* request)
{
    auto origin = originOf(page);
    if (WEBKIT_IS_NOTIFICATION_PERMISSION_REQUEST(request)) {
        if (owner.onNotificationRequest && origin)
            owner.onNotificationRequest(*origin, decisionFor(request));
        else
            webkit_permission_request_deny(request);
        return TRUE;
    }
    if (!WEBKIT_IS_USER_MEDIA_PERMISSION_REQUEST(request) || !owner.onMediaRequest || !origin)
        return FALSE;
    auto* media = WEBKIT_USER_MEDIA_PERMISSION_REQUEST(request);
    bool audio = webkit_user_media_permission_is_for_audio_device(media);
    bool video = webkit_user_media_permission_is_for_video_device(media) || webkit_user_media_permission_is_for_display_device(media);
    auto type = audio && video ? MediaCaptureType::cameraAndMicrophone : video ? MediaCaptureType::camera : MediaCaptureType::microphone;
    owner.onMediaRequest(*origin, type, decisionFor(request));
    return TRUE;
}

gboolean WebView::Impl::onShowNotification(WebKitWebView*, WebKitNotification* notification)
{
    if (!owner.onNotification)
        return TRUE;
    auto release = [this] {
        releaseNotifications = runOnMainQueue([this] { notifications.remove_if([](const auto& shown) { return isClosed(*shown); }); });
    };
    owner.onNotification(*notifications.emplace_back(notificationAround(notification, release)));
    return TRUE;
}

gboolean WebView::Impl::onQueryPermissionState(WebKitWebView*, WebKitPermissionStateQuery* query)
{
    const char* name = webkit_permission_state_query_get_name(query);
    WebKitSecurityOrigin* origin = webkit_permission_state_query_get_security_origin(query);
    if (!owner.onNotificationAnswer || !name || std::string_view(name) != "notifications" || !origin)
        return FALSE;
    auto answer = owner.onNotificationAnswer(originFrom(origin));
    webkit_permission_state_query_finish(query, !answer ? WEBKIT_PERMISSION_STATE_PROMPT : *answer ? WEBKIT_PERMISSION_STATE_GRANTED : WEBKIT_PERMISSION_STATE_DENIED);
    return TRUE;
}

gboolean WebView::Impl::onRunFileChooser(WebKitWebView*, WebKitFileChooserRequest* request)
{
    if (!owner.onFileChooser)
        return FALSE;
    auto pending = std::make_shared<Pending<WebKitFileChooserRequest>>();
    pending->request = GObjectRef<WebKitFileChooserRequest>::retain(request);
    pending->refuse = webkit_file_chooser_request_cancel;
    std::vector<std::string> mimeTypes;
    for (const gchar* const* type = webkit_file_chooser_request_get_mime_types(request); type && *type; ++type)
        mimeTypes.emplace_back(*type);
    owner.onFileChooser(webkit_file_chooser_request_get_select_multiple(request), mimeTypes, [pending](std::optional<std::vector<std::string>> paths) {
        if (std::exchange(pending->answered, true))
            return;
        if (!paths || paths->empty()) {
            webkit_file_chooser_request_cancel(pending->request.get());
            return;
        }
        std::vector<const char*> files;
        for (const auto& path : *paths)
            files.push_back(path.c_str());
        files.push_back(nullptr);
        webkit_file_chooser_request_select_files(pending->request.get(), files.data());
    });
    return TRUE;
}

gboolean WebView::Impl::onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type)
{
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
        return decideNavigation(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return FALSE;
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    if (webkit_response_policy_decision_is_main_frame_main_resource(response)) {
        WebKitURIResponse* answer = webkit_response_policy_decision_get_response(response);
        const char* uri = answer ? webkit_uri_response_get_uri(answer) : nullptr;
        if (uri)
            owner.responseArriving(std::string(uri));
    }
    if (!owner.onDownload)
        return FALSE;
    // The page's own document that the view cannot show is saved instead of dropped; a frame's is left alone.
    if (webkit_response_policy_decision_is_mime_type_supported(response) || !webkit_response_policy_decision_is_main_frame_main_resource(response))
        return FALSE;
    webkit_policy_decision_download(decision);
    return TRUE;
}

gboolean WebView::Impl::onAuthenticate(WebKitWebView*, WebKitAuthenticationRequest*)
{
    // The engine's own sign-in dialog takes it from here.
    loadLimit.answered();
    return FALSE;
}

gboolean WebView::Impl::decideNavigation(WebKitNavigationPolicyDecision* decision)
{
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(decision);
    WebKitURIRequest* asked = webkit_navigation_action_get_request(action);
    const char* method = asked ? webkit_uri_request_get_http_method(asked) : nullptr;
    navigationSendsData = method && g_ascii_strcasecmp(method, "GET") != 0 && g_ascii_strcasecmp(method, "HEAD") != 0;
    if (!owner.onFollowLink)
        return FALSE;
    // A link clicked, a form sent, or the page's script moving on from the user's click: each the user's doing.
    WebKitNavigationType type = webkit_navigation_action_get_navigation_type(action);
    bool followed = type == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED || type == WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED || type == WEBKIT_NAVIGATION_TYPE_OTHER;
    if (!followed || !webkit_navigation_action_is_user_gesture(action))
        return FALSE;
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
    if (!uri || !owner.onFollowLink(uri))
        return FALSE;
    webkit_policy_decision_ignore(WEBKIT_POLICY_DECISION(decision));
    return TRUE;
}

void WebView::Impl::onDownloadStarted(WebKitWebContext*, WebKitDownload* download)
{
    // The program's own downloads are nobody's to ask where to save, nor to tell when they fail.
    if (owner.onDownload && !isProgramDownload(download) && webkit_download_get_web_view(download) == view.get())
        owner.onDownload(startDownload(download));
}

GtkWidget* WebView::Impl::onCreate(WebKitWebView*, WebKitNavigationAction* action)
{
    if (!owner.onCreateWindow)
        return nullptr;
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
    bool followed = webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED
        && webkit_navigation_action_is_user_gesture(action);
    WebView* created = owner.onCreateWindow({ uri ? uri : "", followed });
    return created ? GTK_WIDGET(created->m_impl->view.get()) : nullptr;
}

void WebView::Impl::onReadyToShow(WebKitWebView*)
{
    if (owner.onReadyToShow)
        owner.onReadyToShow();
}

std::optional<Size> WebView::requestedSize() const
{
    WebKitWindowProperties* properties = webkit_web_view_get_window_properties(m_impl->view.get());
    GdkRectangle geometry { 0, 0, 0, 0 };
    if (properties)
        webkit_window_properties_get_geometry(properties, &geometry);
    if (geometry.width <= 0 || geometry.height <= 0)
        return std::nullopt;
    return Size { double(geometry.width), double(geometry.height) };
}

void WebView::Impl::onClose(WebKitWebView*)
{
    if (owner.onClose)
        owner.onClose();
}

gboolean WebView::Impl::onScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog)
{
    if (!owner.onBeforeUnload || webkit_script_dialog_get_dialog_type(dialog) != WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        return FALSE;
    // Answered later, exactly once: left unanswered, the page stays.
    struct Held {
        WebKitScriptDialog* dialog;
        bool answered = false;
        void answer(bool leave)
        {
            if (std::exchange(answered, true))
                return;
            webkit_script_dialog_confirm_set_confirmed(dialog, leave);
            webkit_script_dialog_close(dialog);
        }
        ~Held()
        {
            answer(false);
            webkit_script_dialog_unref(dialog);
        }
    };
    auto held = std::shared_ptr<Held>(new Held { webkit_script_dialog_ref(dialog) });
    owner.onBeforeUnload([held](bool leave) { held->answer(leave); });
    return TRUE;
}

gboolean WebView::Impl::onPrint(WebKitWebView*, WebKitPrintOperation*)
{
    // Never the engine's own dialog, which would hold the whole program until it is answered.
    if (owner.onPrint)
        owner.onPrint();
    return TRUE;
}

gboolean WebView::Impl::onContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*, WebKitHitTestResult*)
{
    if (!owner.onContextMenu)
        return FALSE;
    for (const auto& entry : owner.onContextMenu()) {
        if (entry.command.empty()) {
            webkit_context_menu_append(menu, webkit_context_menu_item_new_separator());
            continue;
        }
        if (GAction* action = g_action_map_lookup_action(G_ACTION_MAP(application.actions.get()), entry.command.c_str()))
            webkit_context_menu_append(menu, webkit_context_menu_item_new_from_gaction(action, entry.label.c_str(), nullptr));
    }
    return FALSE;
}

// The page's element full screen is the owner's to show, rather than the engine's, which would make
// the whole window full screen as if the user had asked.
gboolean WebView::Impl::onEnterFullScreen(WebKitWebView*)
{
    if (owner.onElementFullScreen)
        owner.onElementFullScreen(true);
    return TRUE;
}

gboolean WebView::Impl::onLeaveFullScreen(WebKitWebView*)
{
    if (owner.onElementFullScreen)
        owner.onElementFullScreen(false);
    return TRUE;
}

void WebView::Impl::onFound(WebKitFindController*, guint matches)
{
    if (owner.onFindResult)
        owner.onFindResult(matches);
}

void WebView::Impl::onFailedToFind(WebKitFindController*)
{
    if (owner.onFindResult)
        owner.onFindResult(0);
}

} // namespace quillane::platform
