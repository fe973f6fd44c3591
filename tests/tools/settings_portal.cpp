// A settings portal for tests: it owns org.freedesktop.portal.Desktop on the session bus and answers
// org.freedesktop.appearance color-scheme with the number it was started with. Its own method
// org.quillane.TestPortal.SetColorScheme(u) changes the answer and emits SettingChanged, as a desktop
// does when the user switches. Started with --read-only it is an older portal, with Read and no
// ReadOne. It writes "ready" to the file once it owns its name, and each call it answers after that.
#include <gio/gio.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
constexpr const char* settingsXml = R"(<node><interface name="org.freedesktop.portal.Settings">
<method name="ReadAll"><arg type="as" direction="in"/><arg type="a{sa{sv}}" direction="out"/></method>
<method name="Read"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
<method name="ReadOne"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
<signal name="SettingChanged"><arg type="s"/><arg type="s"/><arg type="v"/></signal>
<property name="version" type="u" access="read"/>
</interface>
<interface name="org.quillane.TestPortal"><method name="SetColorScheme"><arg type="u" direction="in"/></method></interface></node>)";
constexpr const char* path = "/org/freedesktop/portal/desktop";

std::string logPath;
guint32 colourScheme = 0;
bool readOnly = false;

void append(const std::string& line)
{
    if (FILE* file = std::fopen(logPath.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

void onCall(GDBusConnection* connection, const char*, const char*, const char* interface, const char* method, GVariant* parameters,
    GDBusMethodInvocation* invocation, gpointer)
{
    std::string name = method;
    if (std::string(interface) == "org.quillane.TestPortal") {
        g_variant_get(parameters, "(u)", &colourScheme);
        append("set " + std::to_string(colourScheme));
        g_dbus_connection_emit_signal(connection, nullptr, path, "org.freedesktop.portal.Settings", "SettingChanged",
            g_variant_new("(ssv)", "org.freedesktop.appearance", "color-scheme", g_variant_new_uint32(colourScheme)), nullptr);
        g_dbus_method_invocation_return_value(invocation, nullptr);
        return;
    }
    if (name == "ReadAll") {
        GVariantBuilder all;
        g_variant_builder_init(&all, G_VARIANT_TYPE("a{sa{sv}}"));
        g_variant_builder_open(&all, G_VARIANT_TYPE("{sa{sv}}"));
        g_variant_builder_add(&all, "s", "org.freedesktop.appearance");
        g_variant_builder_open(&all, G_VARIANT_TYPE("a{sv}"));
        g_variant_builder_add(&all, "{sv}", "color-scheme", g_variant_new_uint32(colourScheme));
        g_variant_builder_close(&all);
        g_variant_builder_close(&all);
        append("ReadAll");
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(a{sa{sv}})", &all));
        return;
    }
    const char* group = nullptr;
    const char* key = nullptr;
    g_variant_get(parameters, "(&s&s)", &group, &key);
    append(name + " " + group + " " + key);
    if (name == "ReadOne" && readOnly) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod", "No such method");
        return;
    }
    if (std::string(group) != "org.freedesktop.appearance" || std::string(key) != "color-scheme") {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.portal.Error.NotFound", "Requested setting not found");
        return;
    }
    GVariant* value = g_variant_new_uint32(colourScheme);
    // The older Read wraps the value in one variant more.
    if (name == "Read")
        value = g_variant_new_variant(value);
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
}

GVariant* onProperty(GDBusConnection*, const char*, const char*, const char*, const char*, GError**, gpointer)
{
    return g_variant_new_uint32(readOnly ? 1 : 2);
}

void onBus(GDBusConnection* connection, const char*, gpointer data)
{
    static const GDBusInterfaceVTable table { onCall, onProperty, nullptr, {} };
    auto* node = static_cast<GDBusNodeInfo*>(data);
    for (int index = 0; index < 2; ++index)
        g_dbus_connection_register_object(connection, path, node->interfaces[index], &table, nullptr, nullptr, nullptr);
}

void onName(GDBusConnection*, const char*, gpointer)
{
    append("ready");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4)
        return 2;
    logPath = argv[1];
    colourScheme = guint32(std::strtoul(argv[2], nullptr, 10));
    readOnly = argc == 4 && std::string(argv[3]) == "--read-only";
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(settingsXml, nullptr);
    g_bus_own_name(G_BUS_TYPE_SESSION, "org.freedesktop.portal.Desktop", G_BUS_NAME_OWNER_FLAGS_NONE, onBus, onName, nullptr, node, nullptr);
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop);
    return 0;
}
