#include "platform/launcher_entry.h"

#include "platform/gtk/gobject_ref.h"

#include <gio/gio.h>

namespace quillane::platform {

namespace {
constexpr const char* interfaceName = "com.canonical.Unity.LauncherEntry";
} // namespace

struct LauncherEntry::Impl {
    GObjectRef<GDBusConnection> bus;
    std::string uri;
    std::string path;
    bool shown = false;
};

LauncherEntry::LauncherEntry(const std::string& desktopEntryName)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->uri = "application://" + desktopEntryName;
    // One object per application, so that several in one process each speak for their own entry.
    GCharPtr escaped(g_dbus_escape_object_path(desktopEntryName.c_str()));
    m_impl->path = std::string("/org/quillane/LauncherEntry/") + static_cast<char*>(escaped.get());
    // The application's own connection, opened already when it registered on the bus.
    m_impl->bus = GObjectRef<GDBusConnection>::adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
}

LauncherEntry::~LauncherEntry()
{
    if (!m_impl->shown)
        return;
    publish(0, false);
    // Out before the process ends.
    if (m_impl->bus)
        g_dbus_connection_flush_sync(m_impl->bus.get(), nullptr, nullptr);
}

void LauncherEntry::publish(std::int64_t count, bool visible)
{
    m_impl->shown = visible;
    if (!m_impl->bus)
        return;
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&properties, "{sv}", "count", g_variant_new_int64(count));
    g_variant_builder_add(&properties, "{sv}", "count-visible", g_variant_new_boolean(visible));
    g_dbus_connection_emit_signal(m_impl->bus.get(), nullptr, m_impl->path.c_str(), interfaceName, "Update",
        g_variant_new("(sa{sv})", m_impl->uri.c_str(), &properties), nullptr);
}

} // namespace quillane::platform
