// Full screen, miniaturising, and a page's element full screen.
#include "platform/gtk/window_impl.h"

#include "platform/view.h"
#include "platform/gtk/view_widget.h"

namespace quillane::platform {

namespace {
// A window manager that has not answered by then will not.
constexpr double fullScreenPatience = 3;
}

void Window::toggleFullScreen()
{
    Impl& impl = *m_impl;
    GtkWindow* window = GTK_WINDOW(impl.window.get());
    if (impl.styleMask & styleMask::fullScreen) {
        gtk_window_unfullscreen(window);
        return;
    }
    if (impl.fullScreenTimer.isPending())
        return;
    gtk_window_fullscreen(window);
    impl.fullScreenTimer = runOnMainQueueAfter(fullScreenPatience, [&impl] {
        if (auto* delegate = dynamic_cast<WindowFullScreenDelegate*>(impl.delegate))
            delegate->windowDidFailToEnterFullScreen(impl.owner);
    });
}

void Window::miniaturize()
{
    gtk_window_iconify(GTK_WINDOW(m_impl->window.get()));
}

void Window::setPageFullScreen(View& view, bool fullScreen)
{
    Impl& impl = *m_impl;
    GtkWindow* window = GTK_WINDOW(impl.window.get());
    if (fullScreen) {
        impl.pageFullScreenView = &view;
        gtk_widget_hide(impl.buttons->widget());
        if (!(impl.styleMask & styleMask::fullScreen)) {
            impl.fullScreenForPage = true;
            gtk_window_fullscreen(window);
        }
    } else {
        impl.pageFullScreenView = nullptr;
        view.place();
        gtk_widget_show(impl.buttons->widget());
        if (impl.fullScreenForPage)
            gtk_window_unfullscreen(window);
    }
    impl.layOutContent();
}

bool Window::isFullScreen() const
{
    return m_impl->styleMask & styleMask::fullScreen;
}

bool Window::isOrdinaryWindow() const
{
    GtkWindow* window = GTK_WINDOW(m_impl->window.get());
    GtkWindowType type = GTK_WINDOW_TOPLEVEL;
    g_object_get(window, "type", &type, nullptr);
    return type == GTK_WINDOW_TOPLEVEL && gtk_window_get_type_hint(window) == GDK_WINDOW_TYPE_HINT_NORMAL;
}

bool Window::isPageFullScreen() const
{
    return m_impl->pageFullScreenView != nullptr;
}

namespace {
void collectLabels(GtkWidget* widget, std::vector<std::string>& texts)
{
    if (!gtk_widget_get_visible(widget) || GTK_IS_BUTTON(widget))
        return;
    if (GTK_IS_LABEL(widget)) {
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

std::vector<std::string> Window::labelTexts() const
{
    std::vector<std::string> texts;
    collectLabels(m_impl->window.get(), texts);
    return texts;
}

bool Window::canBecomeKeyWindow() const
{
    return gtk_widget_get_can_focus(m_impl->window.get()) || gtk_window_get_accept_focus(GTK_WINDOW(m_impl->window.get()));
}

} // namespace quillane::platform
