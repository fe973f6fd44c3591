#include "platform/gtk/application_impl.h"

namespace quillane::platform {

Application::Application(const ApplicationIdentity& identity, bool singleInstance)
    : m_impl(std::make_unique<Impl>(*this))
{
    // Keep-above, every-workspace windows, window positions and synthetic events need X11; on a
    // Wayland desktop this runs through XWayland. A backend the user names in GDK_BACKEND wins.
    if (!g_getenv("GDK_BACKEND"))
        gdk_set_allowed_backends("x11");
    g_set_prgname(identity.programName.c_str());
    g_set_application_name(identity.displayName.c_str());
    m_impl->windowClass = identity.windowClass;
    auto flags = singleInstance ? G_APPLICATION_HANDLES_OPEN : G_APPLICATION_NON_UNIQUE;
    m_impl->application = GObjectRef<GtkApplication>::adopt(gtk_application_new(identity.id.c_str(), GApplicationFlags(flags)));
    m_impl->activateSignal = connect<&Impl::onActivate>(m_impl->application.get(), "activate", m_impl.get());
    m_impl->openSignal = connect<&Impl::onOpen>(m_impl->application.get(), "open", m_impl.get());
}

Application::~Application() = default;

void Application::Impl::start()
{
    if (started)
        return;
    started = true;
    // Set once GTK has started (its start-up names the class after the program): windows take it
    // when they are made.
    gdk_set_program_class(windowClass.c_str());
    if (owner.onStartup)
        owner.onStartup();
}

void Application::Impl::onActivate(GApplication*)
{
    if (started) {
        if (owner.onActivate)
            owner.onActivate();
        return;
    }
    start();
}

void Application::Impl::onOpen(GApplication*, GFile** files, gint count, gchar*)
{
    std::vector<std::string> links;
    for (gint index = 0; index < count; ++index) {
        GCharPtr uri(g_file_get_uri(files[index]));
        if (uri)
            links.emplace_back(static_cast<char*>(uri.get()));
    }
    // Links that come with the first start are opened first, so that the start finds what they chose.
    if (owner.onOpen)
        owner.onOpen(links);
    start();
}

int Application::run(const std::string& programPath, const std::vector<std::string>& links)
{
    std::vector<char*> argv { const_cast<char*>(programPath.c_str()) };
    for (const auto& link : links)
        argv.push_back(const_cast<char*>(link.c_str()));
    argv.push_back(nullptr);
    return g_application_run(G_APPLICATION(m_impl->application.get()), int(argv.size() - 1), argv.data());
}

void Application::quit()
{
    g_application_quit(G_APPLICATION(m_impl->application.get()));
}

} // namespace quillane::platform
