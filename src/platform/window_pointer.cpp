// The pointer over a window: tracking areas, presses on the band, moving the window.
#include "platform/gtk/window_impl.h"

#include "platform/gtk/event_dispatch.h"
#include "platform/pointer.h"
#include "platform/view.h"

namespace quillane::platform {

struct WindowTracking {
    static void visit(View& view, Point inWindow, bool insideWindow, const Event& event)
    {
        if (view.m_trackingArea) {
            Rect area = view.convert(*view.m_trackingArea, nullptr);
            bool inside = insideWindow && area.contains(inWindow);
            if (inside != view.m_pointerInside) {
                view.m_pointerInside = inside;
                if (inside)
                    view.mouseEntered(event);
                else
                    view.mouseExited(event);
            }
        }
        // Copied first: a handler may change the tree.
        auto subviews = view.m_subviews;
        for (auto& subview : subviews)
            visit(*subview, inWindow, insideWindow, event);
    }
};

void Window::Impl::trackPointer(GdkEvent* gdkEvent)
{
    if (!contentView)
        return;
    GdkWindow* toplevel = gtk_widget_get_window(window.get());
    if (!toplevel)
        return;
    double rootX = 0, rootY = 0;
    gdk_event_get_root_coords(gdkEvent, &rootX, &rootY);
    // Leaving for another window (not for one of our own child windows) takes the pointer out of every area.
    bool left = gdkEvent->type == GDK_LEAVE_NOTIFY && gdkEvent->crossing.window == toplevel && gdkEvent->crossing.detail != GDK_NOTIFY_INFERIOR;
    Event event;
    event.type = Event::Type::mouseMoved;
    event.window = &owner;
    event.locationInWindow = locationInWindow(toplevel, rootX, rootY);
    event.timestamp = systemUptime();
    auto keep = contentView;
    WindowTracking::visit(*keep, event.locationInWindow, !left, event);
}

gboolean Window::Impl::onContentPress(GtkWidget*, GdkEventButton* press)
{
    if (!contentView)
        return FALSE;
    // A right-click on the band opens the menus, as one on a title bar opens the window's menu.
    if (press->button == GDK_BUTTON_SECONDARY && press->type == GDK_BUTTON_PRESS) {
        if (GApplication* application = g_application_get_default())
            g_action_group_activate_action(G_ACTION_GROUP(application), "show-menu-at-pointer", nullptr);
        return TRUE;
    }
    if (press->button != GDK_BUTTON_PRIMARY)
        return FALSE;
    GdkWindow* toplevel = gtk_widget_get_window(window.get());
    Point point = locationInWindow(toplevel, press->x_root, press->y_root);
    View* hit = contentView->hitTest(point);
    if (!hit || !hit->mouseDownCanMoveWindow())
        return FALSE;
    if (press->type == GDK_2BUTTON_PRESS) {
        zoom();
    } else if (press->type == GDK_BUTTON_PRESS && movable) {
        gtk_window_begin_move_drag(GTK_WINDOW(window.get()), int(press->button), int(press->x_root), int(press->y_root), press->time);
    }
    return TRUE;
}

void Window::performDrag(const Event& press)
{
    if (m_impl->destroyed || !press.button)
        return;
    gtk_window_begin_move_drag(GTK_WINDOW(m_impl->window.get()), int(press.button), int(press.rootLocation.x), int(press.rootLocation.y),
        press.serverTime);
}

bool Window::isMovable() const
{
    return m_impl->movable;
}

void Window::setMovable(bool movable)
{
    m_impl->movable = movable;
}

Point Window::convertPointFromScreen(Point point) const
{
    Rect here = frame();
    return { point.x - here.origin.x, point.y - here.origin.y };
}

} // namespace quillane::platform
