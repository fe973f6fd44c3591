#include "platform/gtk/application_impl.h"

#include <gdk/gdkx.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

namespace quillane::platform {

Program::Program(const std::string& id, bool singleInstance)
    : m_impl(std::make_unique<Impl>(*this))
{
    // Keep-above, every-workspace windows, window positions and synthetic events need X11; on a
    // Wayland desktop this runs through XWayland. A backend the user names in GDK_BACKEND wins.
    if (!g_getenv("GDK_BACKEND"))
        gdk_set_allowed_backends("x11");
    auto flags = G_APPLICATION_HANDLES_COMMAND_LINE | (singleInstance ? 0 : G_APPLICATION_NON_UNIQUE);
    m_impl->application = GObjectRef<GtkApplication>::adopt(gtk_application_new(id.c_str(), GApplicationFlags(flags)));
    m_impl->commandLineSignal = connect<&Impl::onCommandLine>(m_impl->application.get(), "command-line", m_impl.get());
}

Program::~Program() = default;

int Program::Impl::onCommandLine(GApplication*, GApplicationCommandLine* commandLine)
{
    int count = 0;
    GStrvPtr argv(g_application_command_line_get_arguments(commandLine, &count));
    std::vector<std::string> arguments(argv.get(), argv.get() + count);
    return owner.onCommandLine ? owner.onCommandLine(arguments) : 0;
}

int Program::run(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return g_application_run(G_APPLICATION(m_impl->application.get()), int(argv.size() - 1), argv.data());
}

void Program::quit()
{
    g_application_quit(G_APPLICATION(m_impl->application.get()));
}

namespace {
// Where the program shows an application's commands on the session bus: under "applications/" and
// the desktop entry's id (bus paths take letters, digits and "_" alone: every other character, and
// "_" itself, is written "_" and its two hex digits, so that no two ids share a path).
std::string applicationPath(const std::string& programPath, const std::string& desktopId)
{
    std::string element;
    for (char c : desktopId) {
        if (g_ascii_isalnum(c)) {
            element += c;
        } else {
            char escaped[4];
            g_snprintf(escaped, sizeof escaped, "_%02x", static_cast<unsigned char>(c));
            element += escaped;
        }
    }
    return programPath + "/applications/" + element;
}
} // namespace

Application::Impl::Impl(Program& owner, ApplicationIdentity name, std::optional<WebsiteDataFolders> dataFolders)
    : program(owner)
    , identity(std::move(name))
    , folders(std::move(dataFolders))
{
    GApplication* application = G_APPLICATION(gtkApplication());
    GDBusConnection* connection = g_application_get_dbus_connection(application);
    if (!connection)
        return;
    std::string path = applicationPath(g_application_get_dbus_object_path(application), identity.desktopId);
    bus = GObjectRef<GDBusConnection>::retain(connection);
    exported = g_dbus_connection_export_action_group(connection, path.c_str(), G_ACTION_GROUP(actions.get()), nullptr);
}

Application::Impl::~Impl()
{
    if (exported)
        g_dbus_connection_unexport_action_group(bus.get(), exported);
}

Application::Application(Program& program, ApplicationIdentity identity, std::optional<WebsiteDataFolders> folders)
    : m_impl(std::make_unique<Impl>(program, std::move(identity), std::move(folders)))
{
}

Application::~Application() = default;

const ApplicationIdentity& Application::identity() const
{
    return m_impl->identity;
}

Program& Application::program() const
{
    return m_impl->program;
}

void Application::quit()
{
    if (onQuit)
        onQuit();
    else
        m_impl->program.quit();
}

namespace {
struct WindowIdentity {
    std::string id;
    std::string programName;
    std::string windowClass;
};

// Docks and task bars tell applications apart by WM_CLASS and the toolkit's application id on
// X11, by the surface's application id on Wayland: set per window, as one process shows several.
void nameRealizedWindow(GtkWidget* widget, gpointer data)
{
    const auto& identity = *static_cast<const WindowIdentity*>(data);
    GdkWindow* window = gtk_widget_get_window(widget);
    if (GDK_IS_X11_WINDOW(window)) {
        XClassHint hint { const_cast<char*>(identity.programName.c_str()), const_cast<char*>(identity.windowClass.c_str()) };
        XSetClassHint(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), &hint);
        gdk_x11_window_set_utf8_property(window, "_GTK_APPLICATION_ID", identity.id.c_str());
    }
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_WINDOW(window))
        gdk_wayland_window_set_application_id(window, identity.id.c_str());
#endif
}

void forgetIdentity(gpointer data, GClosure*)
{
    delete static_cast<WindowIdentity*>(data);
}
} // namespace

void Application::Impl::adopt(GtkWindow* window) const
{
    if (!gtk_window_get_application(window))
        gtk_window_set_application(window, gtkApplication());
    gtk_widget_insert_action_group(GTK_WIDGET(window), "app", G_ACTION_GROUP(actions.get()));
    if (!identity.iconName.empty())
        gtk_window_set_icon_name(window, identity.iconName.c_str());
    // The class goes on before the window is shown: the desktop reads it when the window maps.
    auto* named = new WindowIdentity { identity.desktopId, identity.programName, identity.windowClass };
    g_signal_connect_data(window, "realize", G_CALLBACK(nameRealizedWindow), named, forgetIdentity, G_CONNECT_AFTER);
    if (gtk_widget_get_realized(GTK_WIDGET(window)))
        nameRealizedWindow(GTK_WIDGET(window), named);
}

Running isApplicationRunning(const std::string& programId, const std::string& desktopId)
{
    auto bus = GObjectRef<GDBusConnection>::adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus)
        return Running::no;
    // The program's object path, as GLib makes it from the id.
    std::string programPath = "/" + programId;
    for (char& c : programPath) {
        if (c == '.')
            c = '/';
        else if (c == '-')
            c = '_';
    }
    // The application's commands answer only while it runs; without the program, nobody answers.
    ErrorOut error;
    GVariantPtr answer(g_dbus_connection_call_sync(bus.get(), programId.c_str(), applicationPath(programPath, desktopId).c_str(), "org.gtk.Actions",
        "List", nullptr, G_VARIANT_TYPE("(as)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, 2000, nullptr, error.out()));
    if (answer)
        return Running::yes;
    for (GDBusError absent : { G_DBUS_ERROR_SERVICE_UNKNOWN, G_DBUS_ERROR_NAME_HAS_NO_OWNER, G_DBUS_ERROR_UNKNOWN_OBJECT, G_DBUS_ERROR_UNKNOWN_METHOD,
             G_DBUS_ERROR_UNKNOWN_INTERFACE }) {
        if (g_error_matches(error.get(), G_DBUS_ERROR, absent))
            return Running::no;
    }
    // A program that does not answer in time, say: nobody can tell.
    return Running::unknown;
}

} // namespace quillane::platform
