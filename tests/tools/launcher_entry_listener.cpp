// Records the launcher-entry Update signals on the session bus, for tests: one line a signal,
// "PATH URI count=N visible=true|false", after a first line "ready" once it is listening.
#include <gio/gio.h>

#include <cstdio>
#include <string>

namespace {
std::string logPath;

void append(const std::string& line)
{
    if (FILE* file = std::fopen(logPath.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

void onUpdate(GDBusConnection*, const char*, const char* path, const char*, const char*, GVariant* parameters, gpointer)
{
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(sa{sv})"))) {
        append(std::string(path) + " malformed " + g_variant_get_type_string(parameters));
        return;
    }
    const char* uri = nullptr;
    GVariant* properties = nullptr;
    g_variant_get(parameters, "(&s@a{sv})", &uri, &properties);
    gint64 count = -1;
    gboolean visible = FALSE;
    bool hasCount = g_variant_lookup(properties, "count", "x", &count);
    bool hasVisible = g_variant_lookup(properties, "count-visible", "b", &visible);
    g_variant_unref(properties);
    append(std::string(path) + " " + uri + " count=" + (hasCount ? std::to_string(count) : "none")
        + " visible=" + (hasVisible ? (visible ? "true" : "false") : "none"));
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    logPath = argv[1];
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        std::fprintf(stderr, "launcher_entry_listener: %s\n", error->message);
        return 1;
    }
    g_dbus_connection_signal_subscribe(bus, nullptr, "com.canonical.Unity.LauncherEntry", "Update", nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
        onUpdate, nullptr, nullptr);
    // The bus has the match rule once it has answered a later call.
    GVariant* id = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId", nullptr,
        nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    if (id)
        g_variant_unref(id);
    append("ready");
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop);
    return 0;
}
