#include "platform/gtk/web_view_impl.h"

#include "platform/gtk/script_value_from_js.h"
#include "platform/gtk/web_context.h"
#include "platform/gtk/view_widget.h"
#include "platform/window.h"


namespace quillane::platform {

Observation::Observation() = default;
Observation::Observation(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}
Observation::~Observation() = default;
Observation::Impl::~Impl()
{
    if (auto alive = std::static_pointer_cast<WebView>(view.lock()))
        alive->m_impl->observers.remove_if([this](const auto& observer) { return observer.id == id; });
}
Observation::Observation(Observation&&) noexcept = default;
Observation& Observation::operator=(Observation&&) noexcept = default;

namespace {
// Null for the page's own world.
const char* worldName(const WebViewConfiguration& configuration)
{
    return configuration.scriptWorld.empty() ? nullptr : configuration.scriptWorld.c_str();
}

std::unique_ptr<View::Widget> webWidget(const WebViewConfiguration& configuration)
{
    auto settings = GObjectRef<WebKitSettings>::adopt(webkit_settings_new());
    webkit_settings_set_enable_fullscreen(settings.get(), configuration.elementFullscreenEnabled);
    webkit_settings_set_enable_media_stream(settings.get(), configuration.mediaStreamEnabled);
    webkit_settings_set_enable_developer_extras(settings.get(), configuration.developerExtras);
    if (!configuration.acceleratedCompositing)
        webkit_settings_set_hardware_acceleration_policy(settings.get(), WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    if (configuration.mediaStreamEnabled && configuration.mockCaptureDevices)
        webkit_settings_set_enable_mock_capture_devices(settings.get(), TRUE);

    auto manager = GObjectRef<WebKitUserContentManager>::adopt(webkit_user_content_manager_new());
    auto addScripts = [&](const std::vector<std::string>& sources, WebKitUserContentInjectedFrames frames, const char* world) {
        for (const auto& source : sources) {
            auto time = WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START;
            std::unique_ptr<WebKitUserScript, GLibDeleter<WebKitUserScript, webkit_user_script_unref>> script(world
                    ? webkit_user_script_new_for_world(source.c_str(), frames, time, world, nullptr, nullptr)
                    : webkit_user_script_new(source.c_str(), frames, time, nullptr, nullptr));
            webkit_user_content_manager_add_script(manager.get(), script.get());
        }
    };
    addScripts(configuration.allFramesUserScripts, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, nullptr);
    addScripts(configuration.userScripts, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, worldName(configuration));

    GtkWidget* view = configuration.relatedTo
        ? GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", settings.get(), "user-content-manager", manager.get(), "related-view",
            widgetOf(*configuration.relatedTo).widget.get(), nullptr))
        : GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", webContext(), "settings", settings.get(), "user-content-manager", manager.get(),
            nullptr));
    auto widget = std::make_unique<View::Widget>();
    widget->widget = GObjectRef<GtkWidget>::retain(view);
    gtk_widget_set_can_focus(view, TRUE);
    gtk_widget_show(view);
    return widget;
}
} // namespace

void WebView::Impl::MessageChannel::onMessage(WebKitUserContentManager*, WebKitJavascriptResult* result)
{
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    G_GNUC_END_IGNORE_DEPRECATIONS
    auto body = scriptValueFrom(value);
    if (!body) {
        g_printerr("%s: a message to \u201c%s\u201d was too large and was dropped\n", g_get_prgname(), name.c_str());
        return;
    }
    handler->didReceiveScriptMessage(name, *body);
}

WebView::WebView(Rect frame, const WebViewConfiguration& configuration)
    : View(frame, webWidget(configuration))
    , m_impl(std::make_unique<Impl>(*this))
{
    Impl& impl = *m_impl;
    impl.view = GObjectRef<WebKitWebView>::retain(WEBKIT_WEB_VIEW(widgetOf(*this).widget.get()));
    impl.scriptWorld = configuration.scriptWorld;
    impl.scriptOnCommit = configuration.scriptWorld.empty() ? "" : configuration.scriptOnCommit;
    impl.contentManager = GObjectRef<WebKitUserContentManager>::retain(webkit_web_view_get_user_content_manager(impl.view.get()));
    for (const auto& [name, handler] : configuration.messageHandlers) {
        if (!handler)
            continue;
        bool registered = configuration.scriptWorld.empty()
            ? webkit_user_content_manager_register_script_message_handler(impl.contentManager.get(), name.c_str())
            : webkit_user_content_manager_register_script_message_handler_in_world(impl.contentManager.get(), name.c_str(), worldName(configuration));
        if (!registered)
            continue;
        auto& channel = impl.channels.emplace_back();
        channel.name = name;
        channel.handler = handler;
        std::string signal = "script-message-received::" + name;
        channel.connection = connect<&Impl::MessageChannel::onMessage>(impl.contentManager.get(), signal.c_str(), &channel);
    }
    impl.loadChanged = connect<&Impl::onLoadChanged>(impl.view.get(), "load-changed", &impl);
    impl.loadFailed = connect<&Impl::onLoadFailed>(impl.view.get(), "load-failed", &impl);
    impl.tlsFailed = connect<&Impl::onLoadFailedWithTLSErrors>(impl.view.get(), "load-failed-with-tls-errors", &impl);
    impl.processTerminated = connect<&Impl::onProcessTerminated>(impl.view.get(), "web-process-terminated", &impl);
    impl.themeColourSignal = connect<&Impl::onThemeColour>(impl.view.get(), "notify::theme-color", &impl);
    impl.titleSignal = connect<&Impl::onTitle>(impl.view.get(), "notify::title", &impl);
    impl.enterFullscreen = connect<&Impl::onEnterFullscreen>(impl.view.get(), "enter-fullscreen", &impl);
    impl.leaveFullscreen = connect<&Impl::onLeaveFullscreen>(impl.view.get(), "leave-fullscreen", &impl);
    impl.connectServices();
    impl.connectWindows();
    impl.connectFind();
}

WebView::~WebView() = default;

void WebView::Impl::onLoadChanged(WebKitWebView*, WebKitLoadEvent event)
{
    if (event == WEBKIT_LOAD_COMMITTED || event == WEBKIT_LOAD_FINISHED)
        loadTimeout.cancel();
    if (event == WEBKIT_LOAD_COMMITTED) {
        committed = true;
        if (!scriptOnCommit.empty())
            webkit_web_view_evaluate_javascript(view.get(), scriptOnCommit.c_str(), -1, scriptWorld.c_str(), nullptr, nullptr, nullptr, nullptr);
    }
    if (event == WEBKIT_LOAD_FINISHED && !failedProvisionally) {
        if (auto* delegate = dynamic_cast<NavigationLoadDelegate*>(navigationDelegate))
            delegate->webViewDidFinish(owner);
    }
    if (event == WEBKIT_LOAD_STARTED)
        failedProvisionally = false;
}

// The page's element full screen is handled here rather than by the engine, which would make the
// whole window full screen as if the user had asked.
gboolean WebView::Impl::onEnterFullscreen(WebKitWebView*)
{
    if (Window* window = owner.window())
        window->setPageFullScreen(owner, true);
    setFullscreen(FullscreenState::inFullscreen);
    return TRUE;
}

gboolean WebView::Impl::onLeaveFullscreen(WebKitWebView*)
{
    if (Window* window = owner.window())
        window->setPageFullScreen(owner, false);
    setFullscreen(FullscreenState::notInFullscreen);
    return TRUE;
}

void WebView::Impl::setFullscreen(FullscreenState state)
{
    fullscreen = state;
    changed(Property::fullscreen);
}

Observation WebView::Impl::observe(Property property, std::function<void()> handler)
{
    int id = nextObserver++;
    observers.push_back({ id, property, std::move(handler) });
    auto observation = std::make_unique<Observation::Impl>();
    observation->view = owner.weak_from_this();
    observation->id = id;
    return Observation(std::move(observation));
}

void WebView::Impl::changed(Property property)
{
    // A handler may end observations, its own included: run copies.
    std::vector<std::function<void()>> handlers;
    for (const auto& observer : observers) {
        if (observer.property == property)
            handlers.push_back(observer.handler);
    }
    for (const auto& handler : handlers)
        handler();
}

void WebView::load(const URLRequest& request)
{
    Impl& impl = *m_impl;
    impl.loadTimeout.cancel();
    auto uriRequest = GObjectRef<WebKitURIRequest>::adopt(webkit_uri_request_new(request.url.c_str()));
    webkit_web_view_load_request(impl.view.get(), uriRequest.get());
    impl.timedOut = false;
    if (request.timeoutInterval > 0) {
        impl.loadTimeout = runOnMainQueueAfter(request.timeoutInterval, [&impl] {
            impl.timedOut = true;
            webkit_web_view_stop_loading(impl.view.get());
        });
    }
}

void WebView::loadHTMLString(const std::string& html, const std::string& baseURL)
{
    m_impl->loadTimeout.cancel();
    webkit_web_view_load_html(m_impl->view.get(), html.c_str(), baseURL.empty() ? nullptr : baseURL.c_str());
}

std::optional<std::string> WebView::url() const
{
    const char* uri = webkit_web_view_get_uri(m_impl->view.get());
    if (!uri || !*uri)
        return std::nullopt;
    return std::string(uri);
}

Colour WebView::underPageBackgroundColour() const
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

FullscreenState WebView::fullscreenState() const
{
    return m_impl->fullscreen;
}

Observation WebView::observeUnderPageBackgroundColour(std::function<void()> handler, bool initial)
{
    if (initial)
        handler();
    return m_impl->observe(Impl::Property::underPageColour, std::move(handler));
}

std::string WebView::title() const
{
    const char* title = webkit_web_view_get_title(m_impl->view.get());
    return title ? title : "";
}

Observation WebView::observeTitle(std::function<void()> handler)
{
    return m_impl->observe(Impl::Property::title, std::move(handler));
}

bool WebView::isSandboxed()
{
    return webkit_web_context_get_sandbox_enabled(webContext());
}

Observation WebView::observeFullscreenState(std::function<void()> handler)
{
    return m_impl->observe(Impl::Property::fullscreen, std::move(handler));
}

WebUIDelegate* WebView::uiDelegate() const
{
    return m_impl->uiDelegate;
}

NavigationDelegate* WebView::navigationDelegate() const
{
    return m_impl->navigationDelegate;
}

bool WebView::respondsToEditingCommands() const
{
    // The menu's editing items act on the focused widget: the page takes them while its view has the
    // focus of its window, and the engine's view carries out cut, copy and paste itself.
    GtkWidget* widget = widgetOf(*this).widget.get();
    GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
    return WEBKIT_IS_WEB_VIEW(widget) && GTK_IS_WINDOW(toplevel) && gtk_window_get_focus(GTK_WINDOW(toplevel)) == widget;
}

void WebView::reloadFromOrigin()
{
    webkit_web_view_reload_bypass_cache(m_impl->view.get());
}

} // namespace quillane::platform
