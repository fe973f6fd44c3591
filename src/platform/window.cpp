#include "platform/gtk/window_impl.h"

#include "platform/gtk/application_impl.h"
#include "platform/gtk/web_view_impl.h"

#include <gdk/gdkx.h>

#include <cmath>

namespace quillane::platform {

namespace {
constexpr const char* windowKey = "quillane-window";
// A window manager that has not granted full screen by then will not.
constexpr double fullScreenPatience = 3;

GdkRectangle primaryWorkarea()
{
    GdkRectangle area { 0, 0, 0, 0 };
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (monitor)
        gdk_monitor_get_workarea(monitor, &area);
    return area;
}
} // namespace

std::optional<Size> primaryWorkAreaSize()
{
    GdkRectangle area = primaryWorkarea();
    if (area.width <= 0 || area.height <= 0)
        return std::nullopt;
    return Size { double(area.width), double(area.height) };
}

Window* windowOf(GtkWidget* widget)
{
    GtkWidget* toplevel = widget ? gtk_widget_get_toplevel(widget) : nullptr;
    return toplevel ? static_cast<Window*>(g_object_get_data(G_OBJECT(toplevel), windowKey)) : nullptr;
}

Window::Impl::Impl(Window& window, Application& application, GtkWidget* content, Size size, bool decorated)
    : owner(window)
    , application(implOf(application))
    , page(content)
{
    GtkWidget* widget = gtk_application_window_new(this->application.gtkApplication());
    this->application.adopt(GTK_WINDOW(widget));
    this->window = GObjectRef<GtkWidget>::retain(widget);
    g_object_set_data(G_OBJECT(widget), windowKey, &window);
    gtk_application_window_set_show_menubar(GTK_APPLICATION_WINDOW(widget), FALSE);
    gtk_window_set_decorated(GTK_WINDOW(widget), decorated);
    gtk_window_set_default_size(GTK_WINDOW(widget), int(std::lround(size.width)), int(std::lround(size.height)));
    frame = { 0, 0, int(std::lround(size.width)), int(std::lround(size.height)) };
    gtk_widget_add_events(widget, GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK);

    overlay = gtk_overlay_new();
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_box_pack_end(GTK_BOX(column), page, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(overlay), column);
    gtk_container_add(GTK_CONTAINER(widget), overlay);
    gtk_widget_show_all(overlay);

    signals.push_back(connect<&Impl::onWindowDraw>(widget, "draw", this));
    signals.push_back(connect<&Impl::onConfigure>(widget, "configure-event", this));
    signals.push_back(connect<&Impl::onWindowState>(widget, "window-state-event", this));
    signals.push_back(connect<&Impl::onDestroy>(widget, "destroy", this));
    signals.push_back(connect<&Impl::onDelete>(widget, "delete-event", this));
    signals.push_back(connect<&Impl::onKeyPress>(widget, "key-press-event", this));
    signals.push_back(connect<&Impl::onFocus>(widget, "focus-in-event", this));
    signals.push_back(connect<&Impl::onFocus>(widget, "focus-out-event", this));
    signals.push_back(connect<&Impl::onLeave>(widget, "leave-notify-event", this));
    // Presses on the page before the page has them.
    signals.push_back(connect<&Impl::onPagePress>(page, "button-press-event", this));
    signals.push_back(connect<&Impl::onPageRelease>(page, "button-release-event", this));
    // The page takes the moves over it for itself; the window has the rest (the band, the buttons).
    // A move that crosses from one to the other arrives as the crossing alone.
    for (GtkWidget* target : { page, widget }) {
        signals.push_back(connect<&Impl::onMotion>(target, "motion-notify-event", this));
        signals.push_back(connect<&Impl::onCrossing>(target, "enter-notify-event", this));
    }
    // Leaving the page for the band's corner may come as the page's leaving alone.
    signals.push_back(connect<&Impl::onCrossing>(page, "leave-notify-event", this));
}

Window::Impl::~Impl()
{
    if (frameSave.isPending()) {
        frameSave.cancel();
        saveFrame();
    }
    signals.clear();
    if (window) {
        g_object_set_data(G_OBJECT(window.get()), windowKey, nullptr);
        if (!destroyed)
            gtk_widget_destroy(window.get());
    }
}

Window::Window(Application& application, WebView& page, Size size)
    : m_impl(std::make_unique<Impl>(*this, application, widgetOf(page), size, true))
{
}

Window::Window(Application& application, WebView& page, Size size, double band)
    : m_impl(std::make_unique<Impl>(*this, application, widgetOf(page), size, false))
{
    m_impl->buildTitleBar(band);
}

Window::~Window() = default;

gboolean Window::Impl::onWindowDraw(GtkWidget*, cairo_t* cairo)
{
    // Under everything, the band's colour (the page's own colour under it), or the first colour
    // chosen for the page, shows until the page has drawn itself, rather than the theme's window colour.
    if (band) {
        Colour under = firstColour.value_or(bandColour);
        cairo_save(cairo);
        cairo_set_source_rgba(cairo, under.red, under.green, under.blue, under.alpha);
        cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cairo);
        cairo_restore(cairo);
    }
    return FALSE;
}

gboolean Window::Impl::onConfigure(GtkWidget*, GdkEventConfigure* event)
{
    // Where the window is on the screen, asked of the X server: the window manager may have just
    // moved it. A window on its way out (handed back to the screen by the window manager) is not moved.
    GdkWindow* own = gtk_widget_get_window(window.get());
    if (closing || !own || !gtk_widget_get_mapped(window.get()))
        return FALSE;
    int x = 0, y = 0;
    gdk_window_get_origin(own, &x, &y);
    bool changed = x != frame.x || y != frame.y || event->width != frame.width || event->height != frame.height;
    frame = { x, y, event->width, event->height };
    if (changed)
        scheduleFrameSave();
    return FALSE;
}

gboolean Window::Impl::onWindowState(GtkWidget*, GdkEventWindowState* event)
{
    maximised = event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED;
    if (event->changed_mask & GDK_WINDOW_STATE_FULLSCREEN) {
        bool entered = event->new_window_state & GDK_WINDOW_STATE_FULLSCREEN;
        if (fullScreenForPage) {
            // The page's element full screen, not the user's.
            if (!entered)
                fullScreenForPage = false;
        } else {
            fullScreenPatience.cancel();
            fullScreen = entered;
            layOut();
            if (owner.onFullScreenChanged)
                owner.onFullScreenChanged(entered);
        }
    }
    if (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
        bool nowIconified = event->new_window_state & GDK_WINDOW_STATE_ICONIFIED;
        if (iconified && !nowIconified && owner.onDeiconified)
            owner.onDeiconified();
        iconified = nowIconified;
    }
    return FALSE;
}

void Window::Impl::onDestroy(GtkWidget*)
{
    if (frameSave.isPending()) {
        frameSave.cancel();
        saveFrame();
    }
    destroyed = true;
}

gboolean Window::Impl::onDelete(GtkWidget*, GdkEvent*)
{
    return !closing && owner.onCloseRequest && !owner.onCloseRequest();
}

gboolean Window::Impl::onFocus(GtkWidget*, GdkEventFocus* event)
{
    if (event->in)
        gtk_window_set_urgency_hint(GTK_WINDOW(window.get()), FALSE);
    if (owner.onFocusChanged)
        owner.onFocusChanged(event->in);
    return FALSE;
}

void Window::setTitle(const std::string& title)
{
    gtk_window_set_title(GTK_WINDOW(m_impl->window.get()), title.c_str());
}

void Window::setKeepAbove(bool above)
{
    m_impl->keepAbove = above;
    gtk_window_set_keep_above(GTK_WINDOW(m_impl->window.get()), above);
}

bool Window::keepsAbove() const
{
    return m_impl->keepAbove;
}

void Window::setSticky(bool sticky)
{
    m_impl->sticky = sticky;
    if (sticky)
        gtk_window_stick(GTK_WINDOW(m_impl->window.get()));
    else
        gtk_window_unstick(GTK_WINDOW(m_impl->window.get()));
}

bool Window::isSticky() const
{
    return m_impl->sticky;
}

bool Window::isResizable() const
{
    return gtk_window_get_resizable(GTK_WINDOW(m_impl->window.get()));
}

bool Window::isOrdinary() const
{
    GtkWindow* window = GTK_WINDOW(m_impl->window.get());
    GtkWindowType type = GTK_WINDOW_TOPLEVEL;
    g_object_get(window, "type", &type, nullptr);
    return type == GTK_WINDOW_TOPLEVEL && gtk_window_get_type_hint(window) == GDK_WINDOW_TYPE_HINT_NORMAL;
}

bool Window::isFullScreen() const
{
    return m_impl->fullScreen;
}

bool Window::isMaximised() const
{
    return m_impl->maximised;
}

bool Window::isVisible() const
{
    return !m_impl->destroyed && gtk_widget_get_visible(m_impl->window.get());
}

bool Window::isFocused() const
{
    return !m_impl->destroyed && gtk_window_is_active(GTK_WINDOW(m_impl->window.get()));
}

bool Window::hadUserInput() const
{
    return m_impl->hadUserInput;
}

void Window::present()
{
    gtk_window_present(GTK_WINDOW(m_impl->window.get()));
}

void Window::present(std::uint32_t serverTime)
{
    GtkWindow* window = GTK_WINDOW(m_impl->window.get());
    gtk_window_deiconify(window);
    gtk_window_present_with_time(window, serverTime);
}

void Window::hide()
{
    gtk_widget_hide(m_impl->window.get());
}

void Window::iconify()
{
    gtk_window_iconify(GTK_WINDOW(m_impl->window.get()));
}

void Window::toggleMaximised()
{
    GtkWindow* window = GTK_WINDOW(m_impl->window.get());
    if (gtk_window_is_maximized(window))
        gtk_window_unmaximize(window);
    else
        gtk_window_maximize(window);
}

void Window::toggleFullScreen()
{
    Impl& impl = *m_impl;
    GtkWindow* window = GTK_WINDOW(impl.window.get());
    if (impl.fullScreen) {
        gtk_window_unfullscreen(window);
        return;
    }
    if (impl.fullScreenPatience.isPending())
        return;
    gtk_window_fullscreen(window);
    impl.fullScreenPatience = runOnMainQueueAfter(fullScreenPatience, [this] {
        if (onFullScreenFailed)
            onFullScreenFailed();
    });
}

void Window::setPageFullScreen(bool fullScreen)
{
    Impl& impl = *m_impl;
    impl.pageFullScreen = fullScreen;
    GtkWindow* window = GTK_WINDOW(impl.window.get());
    if (fullScreen && !impl.fullScreen) {
        impl.fullScreenForPage = true;
        gtk_window_fullscreen(window);
    } else if (!fullScreen && impl.fullScreenForPage) {
        gtk_window_unfullscreen(window);
    }
    impl.layOut();
}

void Window::close()
{
    if (m_impl->destroyed)
        return;
    if (m_impl->frameSave.isPending()) {
        m_impl->frameSave.cancel();
        m_impl->saveFrame();
    }
    // Closing asks no one: the delete event that gtk_window_close sends would ask again.
    m_impl->closing = true;
    gtk_window_close(GTK_WINDOW(m_impl->window.get()));
}

void Window::setUrgent(bool urgent)
{
    if (m_impl->destroyed)
        return;
    gtk_window_set_urgency_hint(GTK_WINDOW(m_impl->window.get()), urgent && !isFocused());
}

void Window::beginKeyboardMove()
{
    // Without a button GDK asks the window manager for its keyboard move.
    const GdkRectangle& frame = m_impl->frame;
    gtk_window_begin_move_drag(GTK_WINDOW(m_impl->window.get()), 0, frame.x + frame.width / 2, frame.y + frame.height / 2, gtk_get_current_event_time());
}

void Window::beginKeyboardResize()
{
    const GdkRectangle& frame = m_impl->frame;
    gtk_window_begin_resize_drag(GTK_WINDOW(m_impl->window.get()), GDK_WINDOW_EDGE_SOUTH_EAST, 0, frame.x + frame.width, frame.y + frame.height,
        gtk_get_current_event_time());
}

void Window::setTransientFor(Window* parent)
{
    gtk_window_set_transient_for(GTK_WINDOW(m_impl->window.get()), parent ? GTK_WINDOW(parent->m_impl->window.get()) : nullptr);
}

void Window::focusPage()
{
    gtk_widget_grab_focus(m_impl->page);
}

Rect Window::frame() const
{
    const GdkRectangle& frame = m_impl->frame;
    return { { double(frame.x), double(frame.y) }, { double(frame.width), double(frame.height) } };
}

void Window::setFrame(Rect frame)
{
    Impl& impl = *m_impl;
    GdkRectangle wanted { int(std::lround(frame.origin.x)), int(std::lround(frame.origin.y)), int(std::lround(frame.size.width)),
        int(std::lround(frame.size.height)) };
    if (wanted.width <= 0 || wanted.height <= 0)
        return;
    GtkWindow* window = GTK_WINDOW(impl.window.get());
    gtk_window_move(window, wanted.x, wanted.y);
    gtk_window_resize(window, wanted.width, wanted.height);
    impl.frame = wanted;
    impl.scheduleFrameSave();
}

void Window::centre()
{
    GdkRectangle area = primaryWorkarea();
    Rect now = frame();
    setFrame({ { area.x + (area.width - now.size.width) / 2, area.y + (area.height - now.size.height) / 2 }, now.size });
}

void Window::centre(Size size)
{
    GdkRectangle area = primaryWorkarea();
    setFrame({ { area.x + (area.width - size.width) / 2, area.y + (area.height - size.height) / 2 }, size });
}

bool Window::hasSettledSize() const
{
    GdkWindow* window = gtk_widget_get_window(m_impl->window.get());
    const GdkRectangle& frame = m_impl->frame;
    return window && gdk_window_get_width(window) == frame.width && gdk_window_get_height(window) == frame.height
        && gtk_widget_get_allocated_height(m_impl->window.get()) == frame.height;
}

void Window::makeInvisible()
{
    GtkWidget* window = m_impl->window.get();
    // Without a compositing window manager opacity does nothing; an empty shape hides the window all
    // the same, and an empty input shape lets the real pointer through (the program's own events
    // still arrive).
    gtk_widget_set_opacity(window, 0);
    cairo_region_t* nothing = cairo_region_create();
    gtk_widget_shape_combine_region(window, nothing);
    gtk_widget_input_shape_combine_region(window, nothing);
    cairo_region_destroy(nothing);
}

unsigned long Window::x11Id() const
{
    GdkWindow* window = gtk_widget_get_window(m_impl->window.get());
    return window && GDK_IS_X11_WINDOW(window) ? GDK_WINDOW_XID(window) : 0;
}

} // namespace quillane::platform
