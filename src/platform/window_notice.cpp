// A short text over the middle of a window's page, gone after a moment.
#include "platform/gtk/window_impl.h"

namespace quillane::platform {

namespace {
// Light on dark, as the desktop shows its own brief notices over content.
constexpr const char* noticeStyle = ".quillane-notice { background: rgba(30, 30, 30, 0.85); color: white; border-radius: 10px;"
                                    " padding: 10px 22px; font-size: 20px; font-weight: bold }";

GtkWidget* makeNotice(GtkWidget*& label)
{
    static GtkCssProvider* style = [] {
        GtkCssProvider* provider = gtk_css_provider_new();
        gtk_css_provider_load_from_data(provider, noticeStyle, -1, nullptr);
        return provider;
    }();
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_widget_set_halign(box, GTK_ALIGN_CENTER);
    gtk_widget_set_valign(box, GTK_ALIGN_CENTER);
    GtkStyleContext* context = gtk_widget_get_style_context(box);
    gtk_style_context_add_class(context, "quillane-notice");
    gtk_style_context_add_provider(context, GTK_STYLE_PROVIDER(style), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    label = gtk_label_new("");
    gtk_style_context_add_provider(gtk_widget_get_style_context(label), GTK_STYLE_PROVIDER(style), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    gtk_container_add(GTK_CONTAINER(box), label);
    gtk_widget_show(label);
    return box;
}
} // namespace

void Window::showNotice(const std::string& text, double seconds)
{
    Impl& impl = *m_impl;
    if (impl.destroyed)
        return;
    if (!impl.notice) {
        impl.notice = makeNotice(impl.noticeLabel);
        gtk_overlay_add_overlay(GTK_OVERLAY(impl.overlay), impl.notice);
        gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(impl.overlay), impl.notice, TRUE);
    }
    gtk_label_set_text(GTK_LABEL(impl.noticeLabel), text.c_str());
    gtk_widget_show(impl.notice);
    // Whatever lies over the page is drawn again in full, with the page (no holes where it was).
    gtk_widget_queue_draw(impl.window.get());
    impl.noticeHiding = runOnMainQueueAfter(seconds, [&impl] {
        if (impl.destroyed)
            return;
        gtk_widget_hide(impl.notice);
        gtk_widget_queue_draw(impl.window.get());
    });
}

std::optional<std::string> Window::notice() const
{
    if (m_impl->destroyed || !m_impl->notice || !gtk_widget_get_visible(m_impl->notice))
        return std::nullopt;
    return std::string(gtk_label_get_text(GTK_LABEL(m_impl->noticeLabel)));
}

} // namespace quillane::platform
