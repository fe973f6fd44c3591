// The menu bar and the About panel of the application.
#include "platform/gtk/application_impl.h"

#include "platform/gtk/window_impl.h"

namespace quillane::platform {

// The About panel hides when closed, so choosing it again brings back the same one.
struct Application::AboutPanel {
    std::unique_ptr<Window> window;
    SignalConnection response;
    SignalConnection deleted;
    void onResponse(GtkDialog* dialog, gint) { gtk_widget_hide(GTK_WIDGET(dialog)); }
    gboolean onDelete(GtkWidget* widget, GdkEvent*)
    {
        gtk_widget_hide(widget);
        return TRUE;
    }
};

Application::Impl::Impl(Application& application)
    : owner(application)
{
}

Application::Impl::~Impl() = default;

void Application::setMainMenu(std::vector<Menu> menus)
{
    GtkApplication* application = m_impl->application.get();
    m_impl->menuBar = std::make_unique<MenuBar>(application, std::move(menus));
}

const std::vector<Menu>& Application::mainMenu() const
{
    static const std::vector<Menu> none;
    return m_impl->menuBar ? m_impl->menuBar->menus() : none;
}

void Application::popUpMainMenu(Window& window, bool atPointer)
{
    if (m_impl->menuBar)
        m_impl->menuBar->popUp(implOf(window).window.get(), atPointer);
}

std::vector<std::string> Application::describeMainMenu() const
{
    if (!m_impl->menuBar)
        return {};
    return describeMenuModel(m_impl->menuBar->model());
}

void Application::validateMenus()
{
    if (m_impl->menuBar)
        m_impl->menuBar->validate();
}

void Application::orderFrontStandardAboutPanel(const AboutInfo& info, Window* above)
{
    auto& panel = m_impl->aboutPanel;
    if (!panel || !panel->window || implOf(*panel->window).destroyed) {
        panel = std::make_unique<AboutPanel>();
        GtkWidget* dialog = gtk_about_dialog_new();
        GtkAboutDialog* about = GTK_ABOUT_DIALOG(dialog);
        gtk_about_dialog_set_program_name(about, info.name.c_str());
        gtk_about_dialog_set_version(about, info.version.c_str());
        gtk_about_dialog_set_comments(about, info.comments.c_str());
        gtk_about_dialog_set_logo_icon_name(about, info.iconName.c_str());
        gtk_window_set_title(GTK_WINDOW(dialog), ("About " + info.name).c_str());
        gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
        gtk_window_set_application(GTK_WINDOW(dialog), m_impl->application.get());
        panel->window = windowAround(GTK_WINDOW(dialog));
        panel->response = connect<&AboutPanel::onResponse>(dialog, "response", panel.get());
        panel->deleted = connect<&AboutPanel::onDelete>(dialog, "delete-event", panel.get());
    }
    GtkWindow* dialog = GTK_WINDOW(implOf(*panel->window).window.get());
    if (above && implOf(*above).window)
        gtk_window_set_transient_for(dialog, GTK_WINDOW(implOf(*above).window.get()));
    gtk_window_present(dialog);
}

} // namespace quillane::platform
