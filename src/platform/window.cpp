#include "platform/gtk/window_impl.h"

#include "platform/gtk/application_impl.h"
#include "platform/gtk/screen.h"
#include "platform/view.h"
#include "platform/gtk/view_widget.h"

#include <gdk/gdkx.h>

#include <algorithm>
#include <cmath>

namespace quillane::platform {

namespace {
constexpr const char* windowKey = "quillane-window";
}

Window* windowFor(GtkWindow* window)
{
    return static_cast<Window*>(g_object_get_data(G_OBJECT(window), windowKey));
}

Window::Window(Application& application, Rect contentRect, std::uint64_t styleMask)
    : m_impl(std::make_unique<Impl>(*this))
{
    Impl& impl = *m_impl;
    impl.styleMask = styleMask & ~styleMask::fullScreen;
    GtkWidget* window = gtk_application_window_new(implOf(application).application.get());
    impl.window = GObjectRef<GtkWidget>::retain(window);
    g_object_set_data(G_OBJECT(window), windowKey, this);
    gtk_application_window_set_show_menubar(GTK_APPLICATION_WINDOW(window), FALSE);
    bool frameless = styleMask & styleMask::fullSizeContentView;
    gtk_window_set_decorated(GTK_WINDOW(window), !frameless);
    gtk_window_set_resizable(GTK_WINDOW(window), (styleMask & styleMask::resizable) != 0);
    // A frameless window paints its background itself: it is the colour of the band above the page.
    gtk_widget_set_app_paintable(window, frameless);

    auto width = static_cast<int>(std::lround(contentRect.size.width));
    auto height = static_cast<int>(std::lround(contentRect.size.height));
    gtk_window_set_default_size(GTK_WINDOW(window), width, height);
    // The pointer is followed over the whole window, focused or not, for the views' tracking areas.
    gtk_widget_add_events(window, GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    impl.rootFrame = rootRectFromScreen(contentRect);
    gtk_window_move(GTK_WINDOW(window), impl.rootFrame.x, impl.rootFrame.y);

    impl.overlay = GObjectRef<GtkWidget>::retain(gtk_overlay_new());
    gtk_container_add(GTK_CONTAINER(window), impl.overlay.get());
    gtk_widget_show(impl.overlay.get());
    impl.configureSignal = connect<&Impl::onConfigure>(window, "configure-event", &impl);
    impl.stateSignal = connect<&Impl::onWindowState>(window, "window-state-event", &impl);
    impl.destroySignal = connect<&Impl::onDestroy>(window, "destroy", &impl);
    impl.deleteSignal = connect<&Impl::onDelete>(window, "delete-event", &impl);
    impl.keySignal = connect<&Impl::onKeyPress>(window, "key-press-event", &impl);
    if (!frameless)
        return;
    impl.drawSignal = connect<&Impl::onDraw>(window, "draw", &impl);
    impl.buttons = std::make_unique<WindowButtons>([this](WindowButton button) {
        switch (button) {
        case WindowButton::close:
            performClose();
            break;
        case WindowButton::miniaturize:
            gtk_window_iconify(GTK_WINDOW(m_impl->window.get()));
            break;
        case WindowButton::zoom:
            m_impl->zoom();
            break;
        }
    });
    gtk_overlay_add_overlay(GTK_OVERLAY(impl.overlay.get()), impl.buttons->widget());
    // Only the buttons themselves take presses; the rest of their strip passes them to the page.
    gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(impl.overlay.get()), impl.buttons->widget(), TRUE);
}

Window::Window(const Native& native)
    : m_impl(std::make_unique<Impl>(*this))
{
    Impl& impl = *m_impl;
    impl.window = GObjectRef<GtkWidget>::retain(GTK_WIDGET(native.window));
    g_object_set_data(G_OBJECT(native.window), windowKey, this);
    impl.destroySignal = connect<&Impl::onDestroy>(native.window, "destroy", &impl);
}

std::unique_ptr<Window> windowAround(GtkWindow* window)
{
    return PlatformAccess::make<Window>(Window::Native { window });
}

Window::~Window() = default;

Window::Impl::~Impl()
{
    flushAutosave();
    if (window)
        g_object_set_data(G_OBJECT(window.get()), windowKey, nullptr);
}

gboolean Window::Impl::onDraw(GtkWidget*, cairo_t* cairo)
{
    cairo_save(cairo);
    cairo_set_source_rgba(cairo, background.red, background.green, background.blue, background.alpha);
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cairo);
    cairo_restore(cairo);
    return FALSE;
}

gboolean Window::Impl::onConfigure(GtkWidget*, GdkEventConfigure* event)
{
    int x = 0, y = 0;
    gtk_window_get_position(GTK_WINDOW(window.get()), &x, &y);
    bool changed = x != rootFrame.x || y != rootFrame.y || event->width != rootFrame.width || event->height != rootFrame.height;
    rootFrame = { x, y, event->width, event->height };
    layOutContent();
    if (changed)
        scheduleAutosave();
    return FALSE;
}

gboolean Window::Impl::onWindowState(GtkWidget*, GdkEventWindowState* event)
{
    maximized = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    auto* fullScreenDelegate = dynamic_cast<WindowFullScreenDelegate*>(delegate);
    // Full screen for a page's element is not the user's full screen.
    if ((event->changed_mask & GDK_WINDOW_STATE_FULLSCREEN) && fullScreenForPage) {
        if (!(event->new_window_state & GDK_WINDOW_STATE_FULLSCREEN))
            fullScreenForPage = false;
    } else if (event->changed_mask & GDK_WINDOW_STATE_FULLSCREEN) {
        bool entered = event->new_window_state & GDK_WINDOW_STATE_FULLSCREEN;
        fullScreenTimer.cancel();
        if (entered)
            styleMask |= styleMask::fullScreen;
        else
            styleMask &= ~styleMask::fullScreen;
        // The layout follows the new size first, then the delegate hears of it.
        layOutContent();
        if (fullScreenDelegate) {
            if (entered)
                fullScreenDelegate->windowDidEnterFullScreen(owner);
            else
                fullScreenDelegate->windowDidExitFullScreen(owner);
        }
    }
    if (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
        bool nowIconified = event->new_window_state & GDK_WINDOW_STATE_ICONIFIED;
        if (iconified && !nowIconified) {
            if (auto* restored = dynamic_cast<WindowMiniaturizeDelegate*>(delegate))
                restored->windowDidDeminiaturize(owner);
        }
        iconified = nowIconified;
    }
    return FALSE;
}

void Window::Impl::onDestroy(GtkWidget*)
{
    flushAutosave();
    destroyed = true;
}

void Window::Impl::layOutContent()
{
    if (contentView)
        contentView->setFrame({ { 0, 0 }, { double(rootFrame.width), double(rootFrame.height) } });
    // A page's element in full screen covers everything, whatever the view's own frame says.
    View* cover = pageFullScreenView;
    if (cover && cover->superview() && widgetOf(*cover->superview()).layout) {
        gtk_layout_move(widgetOf(*cover->superview()).layout, widgetOf(*cover).widget.get(), 0, 0);
        gtk_widget_set_size_request(widgetOf(*cover).widget.get(), rootFrame.width, rootFrame.height);
    }
}

void Window::zoom()
{
    m_impl->zoom();
}

void Window::toggleMaximised()
{
    GtkWindow* gtkWindow = GTK_WINDOW(m_impl->window.get());
    if (gtk_window_is_maximized(gtkWindow))
        gtk_window_unmaximize(gtkWindow);
    else
        gtk_window_maximize(gtkWindow);
}

void Window::beginKeyboardMove()
{
    // Without a button GDK asks the window manager for its keyboard move.
    Rect frame = screenRectFromRoot(m_impl->rootFrame);
    gtk_window_begin_move_drag(GTK_WINDOW(m_impl->window.get()), 0, m_impl->rootFrame.x + int(frame.size.width / 2),
        m_impl->rootFrame.y + int(frame.size.height / 2), gtk_get_current_event_time());
}

void Window::beginKeyboardResize()
{
    gtk_window_begin_resize_drag(GTK_WINDOW(m_impl->window.get()), GDK_WINDOW_EDGE_SOUTH_EAST, 0, m_impl->rootFrame.x + m_impl->rootFrame.width,
        m_impl->rootFrame.y + m_impl->rootFrame.height, gtk_get_current_event_time());
}

void Window::Impl::zoom()
{
    GtkWindow* gtkWindow = GTK_WINDOW(window.get());
    if (auto* asked = dynamic_cast<WindowZoomDelegate*>(delegate)) {
        Rect workarea = screenRectFromRoot(primaryMonitorWorkarea());
        if (!asked->windowShouldZoom(owner, workarea))
            return;
    }
    if (gtk_window_is_maximized(gtkWindow))
        gtk_window_unmaximize(gtkWindow);
    else
        gtk_window_maximize(gtkWindow);
}

std::uint64_t Window::styleMask() const
{
    return m_impl->styleMask;
}

Rect Window::frame() const
{
    return screenRectFromRoot(m_impl->rootFrame);
}

void Window::setFrame(Rect frame)
{
    Impl& impl = *m_impl;
    GdkRectangle root = rootRectFromScreen(frame);
    if (root.width <= 0 || root.height <= 0)
        return;
    GtkWindow* window = GTK_WINDOW(impl.window.get());
    gtk_window_move(window, root.x, root.y);
    gtk_window_resize(window, root.width, root.height);
    bool resized = root.width != impl.rootFrame.width || root.height != impl.rootFrame.height;
    impl.rootFrame = root;
    if (resized)
        impl.layOutContent();
    impl.scheduleAutosave();
}

bool Window::hasSettledFrame() const
{
    GdkWindow* window = gtk_widget_get_window(m_impl->window.get());
    return window && gdk_window_get_width(window) == m_impl->rootFrame.width && gdk_window_get_height(window) == m_impl->rootFrame.height
        && gtk_widget_get_allocated_height(m_impl->window.get()) == m_impl->rootFrame.height;
}

void Window::center()
{
    GdkRectangle area = primaryMonitorWorkarea();
    Impl& impl = *m_impl;
    GdkRectangle root = impl.rootFrame;
    root.x = area.x + (area.width - root.width) / 2;
    root.y = area.y + (area.height - root.height) / 2;
    setFrame(screenRectFromRoot(root));
}

double Window::titleBarHeight() const
{
    return WindowButtons::titleBarHeight;
}

Rect Window::contentLayoutRect() const
{
    Size size { double(m_impl->rootFrame.width), double(m_impl->rootFrame.height) };
    if (!(m_impl->styleMask & styleMask::fullScreen))
        size.height = std::max(0.0, size.height - titleBarHeight());
    return { { 0, 0 }, size };
}

void Window::setTitle(const std::string& title)
{
    gtk_window_set_title(GTK_WINDOW(m_impl->window.get()), title.c_str());
}

void Window::setIconName(const std::string& iconName)
{
    gtk_window_set_icon_name(GTK_WINDOW(m_impl->window.get()), iconName.c_str());
}

Colour Window::backgroundColour() const
{
    return m_impl->background;
}

void Window::setBackgroundColour(Colour colour)
{
    if (m_impl->background == colour)
        return;
    m_impl->background = colour;
    gtk_widget_queue_draw(m_impl->window.get());
}

int Window::level() const
{
    return m_impl->level;
}

void Window::setLevel(int level)
{
    m_impl->level = level;
    gtk_window_set_keep_above(GTK_WINDOW(m_impl->window.get()), level > windowLevel::normal);
}

std::uint64_t Window::collectionBehaviour() const
{
    return m_impl->behaviour;
}

void Window::setCollectionBehaviour(std::uint64_t behaviour)
{
    m_impl->behaviour = behaviour;
    GtkWindow* window = GTK_WINDOW(m_impl->window.get());
    if (behaviour & collectionBehaviour::canJoinAllSpaces)
        gtk_window_stick(window);
    else
        gtk_window_unstick(window);
}

void Window::setContentView(std::shared_ptr<View> view)
{
    Impl& impl = *m_impl;
    GtkOverlay* overlay = GTK_OVERLAY(impl.overlay.get());
    if (impl.contentView) {
        impl.contentPressSignal.disconnect();
        impl.contentView->m_window = nullptr;
        gtk_container_remove(GTK_CONTAINER(overlay), widgetOf(*impl.contentView).widget.get());
    }
    impl.contentView = std::move(view);
    if (!impl.contentView)
        return;
    impl.contentView->m_window = this;
    GtkWidget* widget = widgetOf(*impl.contentView).widget.get();
    gtk_container_add(GTK_CONTAINER(overlay), widget);
    // The band of a frameless window is its title bar; a framed window has the window manager's.
    if (impl.buttons)
        impl.contentPressSignal = connect<&Impl::onContentPress>(widget, "button-press-event", &impl);
    impl.layOutContent();
    impl.contentView->geometryChanged();
}

View* Window::contentView() const
{
    return m_impl->contentView.get();
}

void Window::makeFirstResponder(View& view)
{
    gtk_widget_grab_focus(widgetOf(view).widget.get());
}

std::optional<Rect> Window::buttonFrame(WindowButton button) const
{
    if (!m_impl->buttons)
        return std::nullopt;
    return flipped(WindowButtons::frameFromTop(button), m_impl->rootFrame.height);
}

std::optional<double> Window::buttonAlpha(WindowButton button) const
{
    if (!m_impl->buttons)
        return std::nullopt;
    return m_impl->buttons->alpha(button);
}

void Window::setButtonAlpha(WindowButton button, double alpha)
{
    if (m_impl->buttons)
        m_impl->buttons->setAlpha(button, alpha);
}

double Window::alpha() const
{
    return m_impl->alpha;
}

void Window::setAlpha(double alpha)
{
    m_impl->alpha = std::clamp(alpha, 0.0, 1.0);
    GtkWidget* window = m_impl->window.get();
    gtk_widget_set_opacity(window, m_impl->alpha);
    // Without a compositing window manager opacity does nothing; an empty shape hides the window all
    // the same (events sent to it by the program still arrive).
    if (m_impl->alpha == 0) {
        cairo_region_t* nothing = cairo_region_create();
        gtk_widget_shape_combine_region(window, nothing);
        cairo_region_destroy(nothing);
    } else {
        gtk_widget_shape_combine_region(window, nullptr);
    }
}

bool Window::ignoresMouseEvents() const
{
    return m_impl->ignoresMouseEvents;
}

void Window::setIgnoresMouseEvents(bool ignores)
{
    m_impl->ignoresMouseEvents = ignores;
    GtkWidget* window = m_impl->window.get();
    if (ignores) {
        cairo_region_t* nothing = cairo_region_create();
        gtk_widget_input_shape_combine_region(window, nothing);
        cairo_region_destroy(nothing);
    } else {
        gtk_widget_input_shape_combine_region(window, nullptr);
    }
}

void Window::orderFront()
{
    gtk_widget_show(m_impl->window.get());
}

void Window::orderOut()
{
    gtk_widget_hide(m_impl->window.get());
}

void Window::makeKeyAndOrderFront()
{
    gtk_window_present(GTK_WINDOW(m_impl->window.get()));
}

bool Window::isVisible() const
{
    return !m_impl->destroyed && gtk_widget_get_visible(m_impl->window.get());
}

unsigned long Window::windowNumber() const
{
    GdkWindow* window = gtk_widget_get_window(m_impl->window.get());
    if (!window || !GDK_IS_X11_WINDOW(window))
        return 0;
    return GDK_WINDOW_XID(window);
}

void Window::setDelegate(WindowDelegate* delegate)
{
    m_impl->delegate = delegate;
}

WindowDelegate* Window::delegate() const
{
    return m_impl->delegate;
}

void Window::performClose()
{
    if (m_impl->destroyed)
        return;
    if (auto* asked = dynamic_cast<WindowCloseDelegate*>(m_impl->delegate); asked && !asked->windowShouldClose(*this))
        return;
    close();
}

void Window::close()
{
    if (m_impl->destroyed)
        return;
    // Closing asks no one: the delete event that gtk_window_close sends would ask again.
    m_impl->deleteSignal.disconnect();
    gtk_window_close(GTK_WINDOW(m_impl->window.get()));
}

void Window::setTransientFor(Window* parent)
{
    gtk_window_set_transient_for(GTK_WINDOW(m_impl->window.get()), parent ? GTK_WINDOW(parent->m_impl->window.get()) : nullptr);
}

gboolean Window::Impl::onDelete(GtkWidget*, GdkEvent*)
{
    if (auto* asked = dynamic_cast<WindowCloseDelegate*>(delegate); asked && !asked->windowShouldClose(owner))
        return TRUE;
    return FALSE;
}

} // namespace quillane::platform
