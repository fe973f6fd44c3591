#include "platform/dialogs.h"

#include "platform/gtk/application_impl.h"
#include "platform/gtk/window_impl.h"

#include <cstring>

namespace quillane::platform {

struct AboutDialog::Impl {
    Application& application;
    AboutInfo info;
    GObjectRef<GtkWidget> dialog;
    bool invisible = false;
    SignalConnection response;
    SignalConnection deleted;
    // Hidden when closed, so that asking again brings back the same one.
    void onResponse(GtkDialog* shown, gint) { gtk_widget_hide(GTK_WIDGET(shown)); }
    gboolean onDelete(GtkWidget* shown, GdkEvent*)
    {
        gtk_widget_hide(shown);
        return TRUE;
    }
};

namespace {
std::optional<GtkLicense> licenceType(const std::string& identifier)
{
    static const std::pair<const char*, GtkLicense> known[] = {
        { "MIT", GTK_LICENSE_MIT_X11 },
        { "GPL-2.0-or-later", GTK_LICENSE_GPL_2_0 },
        { "GPL-3.0-or-later", GTK_LICENSE_GPL_3_0 },
        { "LGPL-2.1-or-later", GTK_LICENSE_LGPL_2_1 },
        { "LGPL-3.0-or-later", GTK_LICENSE_LGPL_3_0 },
        { "BSD-3-Clause", GTK_LICENSE_BSD },
        { "Apache-2.0", GTK_LICENSE_APACHE_2_0 },
        { "MPL-2.0", GTK_LICENSE_MPL_2_0 },
    };
    for (const auto& [name, type] : known) {
        if (identifier == name)
            return type;
    }
    return std::nullopt;
}
} // namespace

AboutDialog::AboutDialog(Application& application, AboutInfo info)
    : m_impl(std::make_unique<Impl>(Impl { application, std::move(info), {}, false, {}, {} }))
{
}

AboutDialog::~AboutDialog()
{
    if (m_impl->dialog)
        gtk_widget_destroy(m_impl->dialog.get());
}

void AboutDialog::present(Window& over)
{
    Impl& impl = *m_impl;
    if (!impl.dialog) {
        GtkWidget* dialog = gtk_about_dialog_new();
        GtkAboutDialog* about = GTK_ABOUT_DIALOG(dialog);
        gtk_about_dialog_set_program_name(about, impl.info.name.c_str());
        gtk_about_dialog_set_version(about, impl.info.version.c_str());
        gtk_about_dialog_set_comments(about, impl.info.comments.c_str());
        gtk_about_dialog_set_logo_icon_name(about, impl.info.iconName.c_str());
        if (!impl.info.website.empty())
            gtk_about_dialog_set_website(about, impl.info.website.c_str());
        if (auto known = licenceType(impl.info.licence))
            gtk_about_dialog_set_license_type(about, *known);
        else if (!impl.info.licence.empty())
            gtk_about_dialog_set_license(about, impl.info.licence.c_str());
        gtk_window_set_title(GTK_WINDOW(dialog), ("About " + impl.info.name).c_str());
        implOf(impl.application).adopt(GTK_WINDOW(dialog));
        // Above everything, a floating main window included.
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
        impl.dialog = GObjectRef<GtkWidget>::retain(dialog);
        impl.response = connect<&Impl::onResponse>(dialog, "response", &impl);
        impl.deleted = connect<&Impl::onDelete>(dialog, "delete-event", &impl);
    }
    gtk_window_set_transient_for(GTK_WINDOW(impl.dialog.get()), GTK_WINDOW(implOf(over).window.get()));
    gtk_window_present(GTK_WINDOW(impl.dialog.get()));
}

bool AboutDialog::isVisible() const
{
    return m_impl->dialog && gtk_widget_get_visible(m_impl->dialog.get());
}

bool AboutDialog::keepsAbove() const
{
    return static_cast<bool>(m_impl->dialog);
}

namespace {
void collectLabels(GtkWidget* widget, std::vector<std::string>& texts)
{
    if (!gtk_widget_get_visible(widget) || GTK_IS_BUTTON(widget))
        return;
    if (GTK_IS_LABEL(widget)) {
        // The website and the licence's notice are links.
        const char* markup = gtk_label_get_label(GTK_LABEL(widget));
        if (gtk_label_get_use_markup(GTK_LABEL(widget)) && markup && std::strstr(markup, "<a "))
            return;
        const char* text = gtk_label_get_text(GTK_LABEL(widget));
        if (text && *text)
            texts.emplace_back(text);
        return;
    }
    if (GTK_IS_CONTAINER(widget)) {
        GListPtr children(gtk_container_get_children(GTK_CONTAINER(widget)));
        for (GList* child = children.get(); child; child = child->next)
            collectLabels(GTK_WIDGET(child->data), texts);
    }
}
} // namespace

std::vector<std::string> AboutDialog::texts() const
{
    std::vector<std::string> texts;
    if (m_impl->dialog)
        collectLabels(m_impl->dialog.get(), texts);
    return texts;
}

void AboutDialog::makeInvisible()
{
    if (GtkWidget* dialog = m_impl->dialog.get())
        gtk_widget_set_opacity(dialog, 0);
}

} // namespace quillane::platform
