// Notifications through the desktop's notification service (org.freedesktop.Notifications on the
// session bus), which takes an application's name, icon and desktop entry with each notification:
// one process shows them for several applications, each as its own.
#include "platform/application.h"
#include "platform/notification.h"

#include "platform/gtk/gobject_ref.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <map>

namespace quillane::platform {

namespace {
constexpr const char* serviceName = "org.freedesktop.Notifications";
constexpr const char* servicePath = "/org/freedesktop/Notifications";

// The notification service does not say when the click was: the X server's time as the click
// reaches the program stands for it. The window manager lets a window that presents itself with it
// come forward, out of being minimised too, as it does for a click on the window itself.
std::uint32_t clickTime()
{
    GApplication* program = g_application_get_default();
    if (!GTK_IS_APPLICATION(program))
        return GDK_CURRENT_TIME;
    for (GList* window = gtk_application_get_windows(GTK_APPLICATION(program)); window; window = window->next) {
        GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(window->data));
        if (own && GDK_IS_X11_WINDOW(own))
            return gdk_x11_get_server_time(own);
    }
    return GDK_CURRENT_TIME;
}

class DesktopNotifications {
public:
    // Lives as long as the program: the service's answers may come at any time.
    static DesktopNotifications& instance()
    {
        static DesktopNotifications notifications;
        return notifications;
    }

    void send(const Application& application, const std::string& key, const std::string& title, const std::string& body,
        std::function<void(std::uint32_t)> clicked)
    {
        if (!m_bus)
            return;
        Shown& shown = m_shown[key];
        shown.clicked = std::move(clicked);
        const ApplicationIdentity& identity = application.identity();
        GVariantBuilder hints;
        g_variant_builder_init(&hints, G_VARIANT_TYPE_VARDICT);
        g_variant_builder_add(&hints, "{sv}", "desktop-entry", g_variant_new_string(identity.desktopId.c_str()));
        const char* actions[] = { "default", "Open", nullptr };
        GVariant* parameters = g_variant_new("(susss^asa{sv}i)", identity.displayName.c_str(), shown.id, identity.iconName.c_str(), title.c_str(),
            body.c_str(), actions, &hints, -1);
        g_dbus_connection_call(m_bus.get(), serviceName, servicePath, serviceName, "Notify", parameters, G_VARIANT_TYPE("(u)"),
            G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &DesktopNotifications::onShown, new std::string(key));
    }

    void withdraw(const std::string& key)
    {
        auto found = m_shown.find(key);
        if (found == m_shown.end())
            return;
        if (found->second.id)
            close(found->second.id);
        m_shown.erase(found);
    }

private:
    struct Shown {
        std::function<void(std::uint32_t)> clicked;
        // The service's number for it, once it has answered.
        guint32 id = 0;
    };

    DesktopNotifications()
    {
        m_bus = GObjectRef<GDBusConnection>::adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
        if (!m_bus)
            return;
        g_dbus_connection_signal_subscribe(m_bus.get(), serviceName, serviceName, "ActionInvoked", servicePath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
            &DesktopNotifications::onSignal, this, nullptr);
        g_dbus_connection_signal_subscribe(m_bus.get(), serviceName, serviceName, "NotificationClosed", servicePath, nullptr,
            G_DBUS_SIGNAL_FLAGS_NONE, &DesktopNotifications::onSignal, this, nullptr);
    }

    void close(guint32 id)
    {
        g_dbus_connection_call(m_bus.get(), serviceName, servicePath, serviceName, "CloseNotification", g_variant_new("(u)", id), nullptr,
            G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
    }

    static void onShown(GObject* bus, GAsyncResult* result, gpointer data)
    {
        std::unique_ptr<std::string> key(static_cast<std::string*>(data));
        GVariantPtr reply(g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, nullptr));
        if (!reply)
            return;
        guint32 id = 0;
        g_variant_get(reply.get(), "(u)", &id);
        auto& self = instance();
        auto found = self.m_shown.find(*key);
        // Withdrawn while the service was showing it.
        if (found == self.m_shown.end())
            self.close(id);
        else
            found->second.id = id;
    }

    static void onSignal(GDBusConnection*, const char*, const char*, const char*, const char* signal, GVariant* parameters, gpointer data)
    {
        auto& self = *static_cast<DesktopNotifications*>(data);
        guint32 id = 0;
        g_variant_get_child(parameters, 0, "u", &id);
        auto found = self.m_shown.begin();
        while (found != self.m_shown.end() && found->second.id != id)
            ++found;
        if (!id || found == self.m_shown.end())
            return;
        if (g_str_equal(signal, "NotificationClosed")) {
            // Gone from the desktop: nothing more can come of it.
            self.m_shown.erase(found);
            return;
        }
        // What the click runs may withdraw it.
        auto clicked = found->second.clicked;
        if (clicked)
            clicked(clickTime());
    }

    GObjectRef<GDBusConnection> m_bus;
    std::map<std::string, Shown> m_shown;
};
} // namespace

void sendDesktopNotification(const Application& application, const std::string& key, const std::string& title, const std::string& body,
    std::function<void(std::uint32_t)> clicked)
{
    DesktopNotifications::instance().send(application, key, title, body, std::move(clicked));
}

void withdrawDesktopNotification(const std::string& key)
{
    DesktopNotifications::instance().withdraw(key);
}

} // namespace quillane::platform
