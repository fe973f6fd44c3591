#include "platform/gtk/web_view_impl.h"
#include <utility>

#include "platform/gtk/script_value_from_js.h"

namespace quillane::platform {

namespace {
using UserScriptPtr = std::unique_ptr<WebKitUserScript, GLibDeleter<WebKitUserScript, webkit_user_script_unref>>;

GObjectRef<WebKitSettings> settingsFor(const WebViewSettings& wanted)
{
    auto settings = GObjectRef<WebKitSettings>::adopt(webkit_settings_new());
    webkit_settings_set_enable_fullscreen(settings.get(), wanted.elementFullScreen);
    webkit_settings_set_enable_media_stream(settings.get(), wanted.mediaStreams);
    webkit_settings_set_enable_mock_capture_devices(settings.get(), wanted.mediaStreams && wanted.mockCaptureDevices);
    webkit_settings_set_enable_developer_extras(settings.get(), wanted.developerExtras);
    if (!wanted.acceleratedCompositing)
        webkit_settings_set_hardware_acceleration_policy(settings.get(), WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    return settings;
}

GObjectRef<WebKitUserContentManager> scriptsFor(const WebViewSettings& wanted)
{
    auto manager = GObjectRef<WebKitUserContentManager>::adopt(webkit_user_content_manager_new());
    for (const auto& source : wanted.allFramesScripts) {
        UserScriptPtr script(webkit_user_script_new(source.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
            nullptr, nullptr));
        webkit_user_content_manager_add_script(manager.get(), script.get());
    }
    for (const auto& source : wanted.mainFramePageScripts) {
        UserScriptPtr script(webkit_user_script_new(source.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
            nullptr, nullptr));
        webkit_user_content_manager_add_script(manager.get(), script.get());
    }
    for (const auto& source : wanted.worldScripts) {
        UserScriptPtr script(webkit_user_script_new_for_world(source.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
            WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, wanted.scriptWorld.c_str(), nullptr, nullptr));
        webkit_user_content_manager_add_script(manager.get(), script.get());
    }
    return manager;
}
} // namespace

WebView::WebView(Application& application, const WebViewSettings& settings)
    : m_impl(std::make_unique<Impl>(*this, implOf(application)))
{
    Impl& impl = *m_impl;
    auto engineSettings = settingsFor(settings);
    impl.contentManager = scriptsFor(settings);
    GtkWidget* view = settings.relatedTo
        ? GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", engineSettings.get(), "user-content-manager", impl.contentManager.get(),
            "related-view", settings.relatedTo->m_impl->view.get(), nullptr))
        : GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", implOf(application).webContext(), "settings", engineSettings.get(), "user-content-manager",
            impl.contentManager.get(), nullptr));
    impl.view = GObjectRef<WebKitWebView>::retain(WEBKIT_WEB_VIEW(view));
    gtk_widget_set_can_focus(view, TRUE);
    gtk_widget_show(view);
    impl.scriptWorld = settings.scriptWorld;
    impl.scriptOnCommit = settings.scriptOnCommit;
    impl.messageHandler = settings.messageHandler;
    if (!settings.messageHandler.empty() && !settings.scriptWorld.empty()
        && webkit_user_content_manager_register_script_message_handler_in_world(impl.contentManager.get(), settings.messageHandler.c_str(),
            settings.scriptWorld.c_str())) {
        std::string signal = "script-message-received::" + settings.messageHandler;
        impl.signals.push_back(connect<&Impl::onMessage>(impl.contentManager.get(), signal.c_str(), &impl));
    }
    impl.connectSignals();
}

WebView::~WebView() = default;

void WebView::Impl::connectSignals()
{
    WebKitWebView* page = view.get();
    signals.push_back(connect<&Impl::onLoadChanged>(page, "load-changed", this));
    signals.push_back(connect<&Impl::onLoadFailed>(page, "load-failed", this));
    signals.push_back(connect<&Impl::onLoadFailedWithTLSErrors>(page, "load-failed-with-tls-errors", this));
    signals.push_back(connect<&Impl::onProcessTerminated>(page, "web-process-terminated", this));
    signals.push_back(connect<&Impl::onThemeColour>(page, "notify::theme-color", this));
    signals.push_back(connect<&Impl::onTitle>(page, "notify::title", this));
    signals.push_back(connect<&Impl::onPermissionRequest>(page, "permission-request", this));
    signals.push_back(connect<&Impl::onShowNotification>(page, "show-notification", this));
    signals.push_back(connect<&Impl::onQueryPermissionState>(page, "query-permission-state", this));
    signals.push_back(connect<&Impl::onRunFileChooser>(page, "run-file-chooser", this));
    signals.push_back(connect<&Impl::onDecidePolicy>(page, "decide-policy", this));
    signals.push_back(connect<&Impl::onAuthenticate>(page, "authenticate", this));
    signals.push_back(connect<&Impl::onDownloadStarted>(webkit_web_view_get_context(page), "download-started", this));
    signals.push_back(connect<&Impl::onCreate>(page, "create", this));
    signals.push_back(connect<&Impl::onReadyToShow>(page, "ready-to-show", this));
    signals.push_back(connect<&Impl::onClose>(page, "close", this));
    signals.push_back(connect<&Impl::onScriptDialog>(page, "script-dialog", this));
    signals.push_back(connect<&Impl::onPrint>(page, "print", this));
    signals.push_back(connect<&Impl::onContextMenu>(page, "context-menu", this));
    signals.push_back(connect<&Impl::onEnterFullScreen>(page, "enter-fullscreen", this));
    signals.push_back(connect<&Impl::onLeaveFullScreen>(page, "leave-fullscreen", this));
    WebKitFindController* finder = webkit_web_view_get_find_controller(page);
    signals.push_back(connect<&Impl::onFound>(finder, "counted-matches", this));
    signals.push_back(connect<&Impl::onFailedToFind>(finder, "failed-to-find-text", this));
}

void WebView::Impl::onMessage(WebKitUserContentManager*, WebKitJavascriptResult* result)
{
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    G_GNUC_END_IGNORE_DEPRECATIONS
    auto body = scriptValueFrom(value);
    if (!body) {
        g_printerr("%s: a message to \u201c%s\u201d was too large and was dropped\n", g_get_prgname(), messageHandler.c_str());
        return;
    }
    if (owner.onScriptMessage)
        owner.onScriptMessage(*body);
}

void WebView::Impl::onLoadChanged(WebKitWebView*, WebKitLoadEvent event)
{
    const char* uri = webkit_web_view_get_uri(view.get());
    if (event == WEBKIT_LOAD_STARTED) {
        failedProvisionally = false;
        loadLimit.began(std::exchange(navigationSendsData, false));
        owner.loadStarted();
    }
    if (event == WEBKIT_LOAD_REDIRECTED)
        loadLimit.redirected(uri ? uri : "");
    if (event == WEBKIT_LOAD_COMMITTED) {
        loadLimit.committed(uri ? uri : "");
        committed = true;
        if (!scriptOnCommit.empty())
            webkit_web_view_evaluate_javascript(view.get(), scriptOnCommit.c_str(), -1, scriptWorld.c_str(), nullptr, nullptr, nullptr, nullptr);
        owner.loadCommitted();
    }
    if (event == WEBKIT_LOAD_FINISHED && !failedProvisionally)
        owner.loadFinished();
}

void WebView::load(const std::string& url, double timeout)
{
    Impl& impl = *m_impl;
    webkit_web_view_load_uri(impl.view.get(), url.c_str());
    // The address as the engine writes it, which its events give.
    const char* asked = webkit_web_view_get_uri(impl.view.get());
    impl.loadLimit.start(timeout, asked ? asked : url, [&impl] { webkit_web_view_stop_loading(impl.view.get()); });
}

void WebView::limitPageLoads(double timeout)
{
    Impl& impl = *m_impl;
    impl.loadLimit.limitPageLoads(timeout, [&impl] { webkit_web_view_stop_loading(impl.view.get()); });
}

void WebView::loadHTML(const std::string& html, const std::string& baseURL)
{
    m_impl->loadLimit.settled();
    webkit_web_view_load_html(m_impl->view.get(), html.c_str(), baseURL.empty() ? nullptr : baseURL.c_str());
}

void WebView::showAlternateHTML(const std::string& html, const std::string& address)
{
    m_impl->loadLimit.settled();
    webkit_web_view_load_alternate_html(m_impl->view.get(), html.c_str(), address.c_str(), address.c_str());
}

void WebView::reloadFromOrigin()
{
    webkit_web_view_reload_bypass_cache(m_impl->view.get());
}

void WebView::goBack()
{
    if (webkit_web_view_can_go_back(m_impl->view.get()))
        webkit_web_view_go_back(m_impl->view.get());
}

void WebView::goForward()
{
    if (webkit_web_view_can_go_forward(m_impl->view.get()))
        webkit_web_view_go_forward(m_impl->view.get());
}

bool WebView::canGoBack() const
{
    return webkit_web_view_can_go_back(m_impl->view.get());
}

void WebView::tryClose()
{
    webkit_web_view_try_close(m_impl->view.get());
}

std::optional<std::string> WebView::url() const
{
    const char* uri = webkit_web_view_get_uri(m_impl->view.get());
    return uri && *uri ? std::optional<std::string>(uri) : std::nullopt;
}

std::optional<SecurityOrigin> WebView::origin() const
{
    return originOf(m_impl->view.get());
}

bool WebView::hasCommittedLoad() const
{
    return m_impl->committed;
}

std::string WebView::title() const
{
    const char* title = webkit_web_view_get_title(m_impl->view.get());
    return title ? title : "";
}

Colour WebView::underPageColour() const
{
    GdkRGBA rgba {};
    if (!webkit_web_view_get_theme_color(m_impl->view.get(), &rgba))
        webkit_web_view_get_background_color(m_impl->view.get(), &rgba);
    return { rgba.red, rgba.green, rgba.blue, rgba.alpha };
}

bool WebView::hasThemeColour() const
{
    GdkRGBA rgba {};
    return webkit_web_view_get_theme_color(m_impl->view.get(), &rgba);
}

Colour WebView::backgroundColour() const
{
    GdkRGBA rgba {};
    webkit_web_view_get_background_color(m_impl->view.get(), &rgba);
    return { rgba.red, rgba.green, rgba.blue, rgba.alpha };
}

void WebView::setBackgroundColour(const Colour& colour)
{
    GdkRGBA rgba { colour.red, colour.green, colour.blue, colour.alpha };
    webkit_web_view_set_background_color(m_impl->view.get(), &rgba);
}

bool WebView::hasKeyboardFocus() const
{
    GtkWidget* widget = GTK_WIDGET(m_impl->view.get());
    GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
    return GTK_IS_WINDOW(toplevel) && gtk_window_get_focus(GTK_WINDOW(toplevel)) == widget;
}

void WebView::evaluateJavaScript(const std::string& script, std::function<void(std::optional<std::string>, std::optional<std::string>)> completion)
{
    using Completion = std::function<void(std::optional<std::string>, std::optional<std::string>)>;
    auto* held = new Completion(std::move(completion));
    webkit_web_view_evaluate_javascript(m_impl->view.get(), script.c_str(), gssize(script.size()), nullptr, nullptr, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Completion> done(static_cast<Completion*>(data));
            ErrorOut error;
            auto value = GObjectRef<JSCValue>::adopt(webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, error.out()));
            if (!*done)
                return;
            if (!value || jsc_value_is_undefined(value.get())) {
                (*done)(std::nullopt, error ? std::optional<std::string>(error.message()) : std::nullopt);
                return;
            }
            GCharPtr text(jsc_value_is_string(value.get()) ? jsc_value_to_string(value.get()) : jsc_value_to_json(value.get(), 0));
            (*done)(text ? std::optional<std::string>(static_cast<char*>(text.get())) : std::nullopt, std::nullopt);
        },
        held);
}

void WebView::runInScriptWorld(const std::string& script)
{
    const char* world = m_impl->scriptWorld.empty() ? nullptr : m_impl->scriptWorld.c_str();
    webkit_web_view_evaluate_javascript(m_impl->view.get(), script.c_str(), gssize(script.size()), world, nullptr, nullptr, nullptr, nullptr);
}

void WebView::callAsyncJavaScript(const std::string& body, const std::vector<std::pair<std::string, std::string>>& arguments,
    std::function<void(std::optional<std::string>)> completion)
{
    GVariantBuilder named;
    g_variant_builder_init(&named, G_VARIANT_TYPE_VARDICT);
    for (const auto& [name, value] : arguments)
        g_variant_builder_add(&named, "{sv}", name.c_str(), g_variant_new_string(value.c_str()));
    using Completion = std::function<void(std::optional<std::string>)>;
    auto* held = new Completion(std::move(completion));
    const char* world = m_impl->scriptWorld.empty() ? nullptr : m_impl->scriptWorld.c_str();
    webkit_web_view_call_async_javascript_function(m_impl->view.get(), body.c_str(), gssize(body.size()), g_variant_builder_end(&named), world,
        nullptr, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Completion> done(static_cast<Completion*>(data));
            auto value = GObjectRef<JSCValue>::adopt(webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, nullptr));
            GCharPtr text(value && jsc_value_is_string(value.get()) ? jsc_value_to_string(value.get()) : nullptr);
            (*done)(text ? std::optional<std::string>(static_cast<char*>(text.get())) : std::nullopt);
        },
        held);
}

} // namespace quillane::platform

