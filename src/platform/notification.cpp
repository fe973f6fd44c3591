#include "platform/notification.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <map>

namespace quillane::platform {

struct Notification::Impl {
    GObjectRef<WebKitNotification> notification;
    std::function<void()> closed;
    // Tells whoever keeps the notification that it may be let go.
    std::function<void()> released;
    bool isClosed = false;
    SignalConnection closedSignal;
    // A notification goes with its page, as if the page had closed it.
    ~Impl()
    {
        if (closed)
            closed();
    }
    void onClosed(WebKitNotification*)
    {
        isClosed = true;
        if (auto handler = std::exchange(closed, nullptr))
            handler();
        if (auto release = std::exchange(released, nullptr))
            release();
    }
};

Notification::Notification(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
    m_impl->closedSignal = connect<&Impl::onClosed>(m_impl->notification.get(), "closed", m_impl.get());
}

Notification::~Notification() = default;

std::uint64_t Notification::identifier() const
{
    return webkit_notification_get_id(m_impl->notification.get());
}

std::string Notification::title() const
{
    const char* title = webkit_notification_get_title(m_impl->notification.get());
    return title ? title : "";
}

std::string Notification::body() const
{
    const char* body = webkit_notification_get_body(m_impl->notification.get());
    return body ? body : "";
}

void Notification::clicked()
{
    webkit_notification_clicked(m_impl->notification.get());
}

void Notification::close()
{
    webkit_notification_close(m_impl->notification.get());
}

void Notification::setClosedHandler(std::function<void()> handler)
{
    m_impl->closed = std::move(handler);
}

std::unique_ptr<Notification> notificationAround(WebKitNotification* notification, std::function<void()> released)
{
    auto impl = std::make_unique<Notification::Impl>();
    impl->notification = GObjectRef<WebKitNotification>::retain(notification);
    impl->released = std::move(released);
    return std::make_unique<Notification>(std::move(impl));
}

bool isClosed(const Notification& notification)
{
    return implOf(notification).isClosed;
}

namespace {
constexpr const char* clickAction = "notification-clicked";

// The desktop's answer to a click comes back as the application's action, with the key.
std::map<std::string, std::function<void(std::uint32_t)>>& clickHandlers()
{
    static std::map<std::string, std::function<void(std::uint32_t)>> handlers;
    return handlers;
}

// The notification service does not say when the click was: the X server's time as the click
// reaches the program stands for it. The window manager lets a window that presents itself with it
// come forward, out of being minimised too, as it does for a click on the window itself.
std::uint32_t clickTime(GApplication* application)
{
    if (!GTK_IS_APPLICATION(application))
        return GDK_CURRENT_TIME;
    for (GList* window = gtk_application_get_windows(GTK_APPLICATION(application)); window; window = window->next) {
        GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(window->data));
        if (own && GDK_IS_X11_WINDOW(own))
            return gdk_x11_get_server_time(own);
    }
    return GDK_CURRENT_TIME;
}

struct ClickRouter {
    GObjectRef<GSimpleAction> action;
    SignalConnection activated;
    void onActivate(GSimpleAction*, GVariant* parameter)
    {
        std::string key = g_variant_get_string(parameter, nullptr);
        auto found = clickHandlers().find(key);
        if (found != clickHandlers().end())
            found->second(clickTime(g_application_get_default()));
    }
};

GApplication* applicationWithClickAction()
{
    static ClickRouter router;
    GApplication* application = g_application_get_default();
    if (!application)
        return nullptr;
    if (!router.action) {
        router.action = GObjectRef<GSimpleAction>::adopt(g_simple_action_new(clickAction, G_VARIANT_TYPE_STRING));
        router.activated = connect<&ClickRouter::onActivate>(router.action.get(), "activate", &router);
        g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(router.action.get()));
    }
    return application;
}
} // namespace

void sendDesktopNotification(const std::string& key, const std::string& title, const std::string& body, std::function<void(std::uint32_t)> clicked)
{
    GApplication* application = applicationWithClickAction();
    if (!application)
        return;
    clickHandlers()[key] = std::move(clicked);
    auto notification = GObjectRef<GNotification>::adopt(g_notification_new(title.c_str()));
    g_notification_set_body(notification.get(), body.c_str());
    g_notification_set_default_action_and_target(notification.get(), (std::string("app.") + clickAction).c_str(), "s", key.c_str());
    g_application_send_notification(application, key.c_str(), notification.get());
}

void withdrawDesktopNotification(const std::string& key)
{
    clickHandlers().erase(key);
    if (GApplication* application = g_application_get_default())
        g_application_withdraw_notification(application, key.c_str());
}

} // namespace quillane::platform
