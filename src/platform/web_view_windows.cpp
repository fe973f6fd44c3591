// Windows a page opens, a page that asks to be closed, and a page's objection to being left.
#include "platform/gtk/web_view_impl.h"

#include "platform/gtk/view_widget.h"

namespace quillane::platform {

void WebView::Impl::connectWindows()
{
    createSignal = connect<&Impl::onCreate>(view.get(), "create", this);
    readySignal = connect<&Impl::onReadyToShow>(view.get(), "ready-to-show", this);
    closeSignal = connect<&Impl::onClose>(view.get(), "close", this);
    scriptDialogSignal = connect<&Impl::onScriptDialog>(view.get(), "script-dialog", this);
}

GtkWidget* WebView::Impl::onCreate(WebKitWebView*, WebKitNavigationAction* action)
{
    auto* delegate = dynamic_cast<WebViewWindowsDelegate*>(uiDelegate);
    if (!delegate)
        return nullptr;
    NewWindowRequest request;
    WebKitURIRequest* uriRequest = webkit_navigation_action_get_request(action);
    const char* uri = uriRequest ? webkit_uri_request_get_uri(uriRequest) : nullptr;
    request.url = uri ? uri : "";
    request.followedLink = webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED
        && webkit_navigation_action_is_user_gesture(action);
    WebView* created = delegate->createWebView(owner, request);
    return created ? widgetOf(*created).widget.get() : nullptr;
}

void WebView::Impl::onReadyToShow(WebKitWebView*)
{
    if (auto* delegate = dynamic_cast<WebViewWindowsDelegate*>(uiDelegate))
        delegate->webViewReadyToShow(owner);
}

void WebView::Impl::onClose(WebKitWebView*)
{
    if (auto* delegate = dynamic_cast<WebViewWindowsDelegate*>(uiDelegate))
        delegate->webViewDidClose(owner);
}

gboolean WebView::Impl::onScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog)
{
    auto* delegate = dynamic_cast<BeforeUnloadDelegate*>(uiDelegate);
    if (!delegate || webkit_script_dialog_get_dialog_type(dialog) != WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        return FALSE;
    // The dialog is answered later, exactly once: left unanswered, the page stays.
    struct Held {
        explicit Held(WebKitScriptDialog* shown)
            : dialog(webkit_script_dialog_ref(shown))
        {
        }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;
        WebKitScriptDialog* dialog;
        bool answered = false;
        ~Held()
        {
            if (!answered) {
                webkit_script_dialog_confirm_set_confirmed(dialog, FALSE);
                webkit_script_dialog_close(dialog);
            }
            webkit_script_dialog_unref(dialog);
        }
    };
    auto held = std::make_shared<Held>(dialog);
    delegate->runBeforeUnloadConfirmPanel(owner, [held](bool leave) {
        if (held->answered)
            return;
        held->answered = true;
        webkit_script_dialog_confirm_set_confirmed(held->dialog, leave);
        webkit_script_dialog_close(held->dialog);
    });
    return TRUE;
}

void WebView::tryClose()
{
    webkit_web_view_try_close(m_impl->view.get());
}

bool WebView::hasCommittedLoad() const
{
    return m_impl->committed;
}

} // namespace quillane::platform
