// What the page asks of the program: capture permissions, file choosers, downloads, scripts' values.
#include "platform/gtk/web_view_impl.h"

#include "platform/gtk/download_impl.h"

namespace quillane::platform {

namespace {
// Finishes a taken-over request exactly once: with the answer given, or, when the answer's handler
// is dropped unanswered, with a refusal.
template <typename Request>
struct Pending {
    GObjectRef<Request> request;
    std::function<void(Request*)> refuse;
    bool answered = false;
    ~Pending()
    {
        if (!answered && request)
            refuse(request.get());
    }
};

std::optional<SecurityOrigin> originOf(WebKitWebView* view)
{
    const char* uri = webkit_web_view_get_uri(view);
    if (!uri)
        return std::nullopt;
    std::unique_ptr<WebKitSecurityOrigin, GLibDeleter<WebKitSecurityOrigin, webkit_security_origin_unref>> owned(webkit_security_origin_new_for_uri(uri));
    WebKitSecurityOrigin* origin = owned.get();
    if (!origin)
        return std::nullopt;
    SecurityOrigin result;
    const char* protocol = webkit_security_origin_get_protocol(origin);
    const char* host = webkit_security_origin_get_host(origin);
    result.protocol = protocol ? protocol : "";
    result.host = host ? host : "";
    result.port = webkit_security_origin_get_port(origin);
    return result;
}
// Finishes a permission request exactly once: with the decision, or a refusal when the handler is
// dropped undecided.
std::function<void(PermissionDecision)> decisionFor(WebKitPermissionRequest* request)
{
    auto pending = std::make_shared<Pending<WebKitPermissionRequest>>();
    pending->request = GObjectRef<WebKitPermissionRequest>::retain(request);
    pending->refuse = webkit_permission_request_deny;
    return [pending](PermissionDecision decision) {
        if (pending->answered)
            return;
        pending->answered = true;
        if (decision == PermissionDecision::grant)
            webkit_permission_request_allow(pending->request.get());
        else
            webkit_permission_request_deny(pending->request.get());
    };
}
} // namespace

void WebView::setUIDelegate(WebUIDelegate* delegate)
{
    m_impl->uiDelegate = delegate;
}

void WebView::setNavigationDelegate(NavigationDelegate* delegate)
{
    m_impl->navigationDelegate = delegate;
}

void WebView::Impl::connectServices()
{
    permissionRequest = connect<&Impl::onPermissionRequest>(view.get(), "permission-request", this);
    fileChooser = connect<&Impl::onRunFileChooser>(view.get(), "run-file-chooser", this);
    decidePolicy = connect<&Impl::onDecidePolicy>(view.get(), "decide-policy", this);
    showNotification = connect<&Impl::onShowNotification>(view.get(), "show-notification", this);
    contextMenu = connect<&Impl::onContextMenu>(view.get(), "context-menu", this);
    printSignal = connect<&Impl::onPrint>(view.get(), "print", this);
    downloadStarted = connect<&Impl::onDownloadStarted>(webkit_web_view_get_context(view.get()), "download-started", this);
}

gboolean WebView::Impl::onPermissionRequest(WebKitWebView* webView, WebKitPermissionRequest* request)
{
    if (WEBKIT_IS_NOTIFICATION_PERMISSION_REQUEST(request))
        return onNotificationPermissionRequest(webView, request);
    auto* delegate = dynamic_cast<MediaCapturePermissionDelegate*>(uiDelegate);
    if (!delegate || !WEBKIT_IS_USER_MEDIA_PERMISSION_REQUEST(request))
        return FALSE;
    auto* media = WEBKIT_USER_MEDIA_PERMISSION_REQUEST(request);
    bool audio = webkit_user_media_permission_is_for_audio_device(media);
    bool video = webkit_user_media_permission_is_for_video_device(media) || webkit_user_media_permission_is_for_display_device(media);
    auto type = audio && video ? MediaCaptureType::cameraAndMicrophone : video ? MediaCaptureType::camera : MediaCaptureType::microphone;
    auto origin = originOf(webView);
    if (!origin)
        return FALSE;
    delegate->requestMediaCapturePermission(owner, *origin, type, decisionFor(request));
    return TRUE;
}

gboolean WebView::Impl::onNotificationPermissionRequest(WebKitWebView* webView, WebKitPermissionRequest* request)
{
    auto* delegate = dynamic_cast<NotificationDelegate*>(uiDelegate);
    auto origin = originOf(webView);
    if (!delegate || !origin) {
        webkit_permission_request_deny(request);
        return TRUE;
    }
    delegate->requestNotificationPermission(owner, *origin, decisionFor(request));
    return TRUE;
}

gboolean WebView::Impl::onShowNotification(WebKitWebView*, WebKitNotification* notification)
{
    auto* delegate = dynamic_cast<NotificationDelegate*>(uiDelegate);
    if (!delegate)
        return TRUE;
    auto release = [this] {
        releaseNotifications = runOnMainQueue([this] { notifications.remove_if([](const auto& shown) { return isClosed(*shown); }); });
    };
    delegate->showNotification(owner, *notifications.emplace_back(notificationAround(notification, release)));
    return TRUE;
}

gboolean WebView::Impl::onRunFileChooser(WebKitWebView*, WebKitFileChooserRequest* request)
{
    auto* delegate = dynamic_cast<OpenPanelDelegate*>(uiDelegate);
    if (!delegate)
        return FALSE;
    auto pending = std::make_shared<Pending<WebKitFileChooserRequest>>();
    pending->request = GObjectRef<WebKitFileChooserRequest>::retain(request);
    pending->refuse = webkit_file_chooser_request_cancel;
    bool multiple = webkit_file_chooser_request_get_select_multiple(request);
    delegate->runOpenPanel(owner, multiple, [pending](std::optional<std::vector<std::string>> paths) {
        if (pending->answered)
            return;
        pending->answered = true;
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
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE || !dynamic_cast<DownloadNavigationDelegate*>(navigationDelegate))
        return FALSE;
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    // The page's own document that the view cannot show is saved instead of dropped; a frame's is left alone.
    if (webkit_response_policy_decision_is_mime_type_supported(response) || !webkit_response_policy_decision_is_main_frame_main_resource(response))
        return FALSE;
    webkit_policy_decision_download(decision);
    return TRUE;
}

void WebView::Impl::onDownloadStarted(WebKitWebContext*, WebKitDownload* download)
{
    auto* delegate = dynamic_cast<DownloadNavigationDelegate*>(navigationDelegate);
    // The program's own downloads are no business of the delegate's: nobody is asked where to save
    // them, nor told when they fail.
    if (!delegate || isProgramDownload(download) || webkit_download_get_web_view(download) != view.get())
        return;
    delegate->navigationDidBecomeDownload(owner, startDownload(download));
}

void WebView::evaluateJavaScript(const std::string& script,
    std::function<void(std::optional<std::string>, std::optional<std::string>)> completion)
{
    using Completion = std::function<void(std::optional<std::string>, std::optional<std::string>)>;
    auto* held = new Completion(std::move(completion));
    webkit_web_view_evaluate_javascript(m_impl->view.get(), script.c_str(), static_cast<gssize>(script.size()), nullptr, nullptr, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Completion> done(static_cast<Completion*>(data));
            ErrorOut error;
            auto value = GObjectRef<JSCValue>::adopt(webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, error.out()));
            if (!*done)
                return;
            if (!value) {
                (*done)(std::nullopt, error ? std::optional<std::string>(error.message()) : std::nullopt);
                return;
            }
            if (jsc_value_is_undefined(value.get())) {
                (*done)(std::nullopt, std::nullopt);
                return;
            }
            GCharPtr text(jsc_value_is_string(value.get()) ? jsc_value_to_string(value.get()) : jsc_value_to_json(value.get(), 0));
            (*done)(text ? std::optional<std::string>(static_cast<char*>(text.get())) : std::nullopt, std::nullopt);
        },
        held);
}

} // namespace quillane::platform
