// A desktop notification service for tests: it owns org.freedesktop.Notifications on the session
// bus, writes each notification it is asked to show to a file ("title|body|application|desktop
// entry" a line), and clicks each one a moment later (half a second, or the milliseconds given after
// the file), as a user would, unless started with --no-click after the file.
#include <gio/gio.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
constexpr const char* introspection = R"(<node><interface name="org.freedesktop.Notifications">
<method name="Notify"><arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
<arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/><arg type="a{sv}" direction="in"/>
<arg type="i" direction="in"/><arg type="u" direction="out"/></method>
<method name="CloseNotification"><arg type="u" direction="in"/></method>
<method name="GetCapabilities"><arg type="as" direction="out"/></method>
<method name="GetServerInformation"><arg type="s" direction="out"/><arg type="s" direction="out"/><arg type="s" direction="out"/>
<arg type="s" direction="out"/></method>
<signal name="ActionInvoked"><arg type="u"/><arg type="s"/></signal>
<signal name="NotificationClosed"><arg type="u"/><arg type="u"/></signal>
</interface></node>)";

std::string logPath;
guint clickDelay = 500;
guint nextId = 1;
bool clicks = true;

void append(const std::string& line)
{
    if (FILE* file = std::fopen(logPath.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

struct Click {
    GDBusConnection* connection;
    guint id;
};

gboolean click(gpointer data)
{
    auto* pending = static_cast<Click*>(data);
    g_dbus_connection_emit_signal(pending->connection, nullptr, "/org/freedesktop/Notifications", "org.freedesktop.Notifications",
        "ActionInvoked", g_variant_new("(us)", pending->id, "default"), nullptr);
    delete pending;
    return G_SOURCE_REMOVE;
}

void onCall(GDBusConnection* connection, const char*, const char*, const char*, const char* method, GVariant* parameters,
    GDBusMethodInvocation* invocation, gpointer)
{
    std::string name = method;
    if (name == "Notify") {
        const char* application = nullptr;
        const char* title = nullptr;
        const char* body = nullptr;
        const char* entry = nullptr;
        g_variant_get_child(parameters, 0, "&s", &application);
        g_variant_get_child(parameters, 3, "&s", &title);
        g_variant_get_child(parameters, 4, "&s", &body);
        GVariant* hints = g_variant_get_child_value(parameters, 6);
        g_variant_lookup(hints, "desktop-entry", "&s", &entry);
        guint id = nextId++;
        append(std::string(title) + "|" + body + "|" + application + "|" + (entry ? entry : ""));
        g_variant_unref(hints);
        if (clicks)
            g_timeout_add(clickDelay, click, new Click { connection, id });
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", id));
    } else if (name == "CloseNotification") {
        append("closed");
        g_dbus_method_invocation_return_value(invocation, nullptr);
    } else if (name == "GetCapabilities") {
        const char* capabilities[] = { "body", "actions", nullptr };
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(^as)", capabilities));
    } else {
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(ssss)", "test", "quillane", "1", "1.2"));
    }
}

void onBus(GDBusConnection* connection, const char*, gpointer data)
{
    static const GDBusInterfaceVTable table { onCall, nullptr, nullptr, {} };
    g_dbus_connection_register_object(connection, "/org/freedesktop/Notifications", static_cast<GDBusNodeInfo*>(data)->interfaces[0], &table,
        nullptr, nullptr, nullptr);
}

void onName(GDBusConnection*, const char*, gpointer)
{
    append("ready");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3)
        return 2;
    logPath = argv[1];
    if (argc == 3 && std::string(argv[2]) == "--no-click")
        clicks = false;
    else if (argc == 3)
        clickDelay = guint(std::atoi(argv[2]));
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(introspection, nullptr);
    g_bus_own_name(G_BUS_TYPE_SESSION, "org.freedesktop.Notifications", G_BUS_NAME_OWNER_FLAGS_NONE, onBus, onName, nullptr, node, nullptr);
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop);
    return 0;
}
