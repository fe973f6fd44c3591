// Presses and the pointer over a window: presses on the page reach the window's owner before the
// page has them, and where the pointer is in the window is told as it moves.
#include "platform/gtk/window_impl.h"

#include <cmath>

namespace quillane::platform {

Press pressFrom(const GdkEvent* event, GtkWidget* window)
{
    Press press;
    guint button = 0;
    gdk_event_get_button(event, &button);
    press.button = button;
    press.count = event->type == GDK_2BUTTON_PRESS ? 2 : event->type == GDK_3BUTTON_PRESS ? 3 : 1;
    double rootX = 0, rootY = 0;
    gdk_event_get_root_coords(event, &rootX, &rootY);
    press.onScreen = { rootX, rootY };
    int originX = 0, originY = 0;
    if (GdkWindow* own = gtk_widget_get_window(window))
        gdk_window_get_origin(own, &originX, &originY);
    // A pointer stands for the centre of the pixel it is over.
    press.inWindow = { std::floor(rootX - originX) + 0.5, std::floor(rootY - originY) + 0.5 };
    GdkModifierType state {};
    gdk_event_get_state(event, &state);
    press.super = state & (GDK_SUPER_MASK | GDK_MOD4_MASK);
    press.shift = state & GDK_SHIFT_MASK;
    press.control = state & GDK_CONTROL_MASK;
    press.seconds = secondsNow();
    press.serverTime = gdk_event_get_time(event);
    return press;
}

gboolean Window::Impl::onLeave(GtkWidget*, GdkEventCrossing* event)
{
    // Into a window of its own (the page's) is not out of the window.
    if (event->detail != GDK_NOTIFY_INFERIOR && owner.onPointer)
        owner.onPointer(std::nullopt);
    return FALSE;
}

gboolean Window::Impl::onMotion(GtkWidget*, GdkEventMotion* event)
{
    pointerAt(event->window, event->x, event->y);
    return FALSE;
}

gboolean Window::Impl::onCrossing(GtkWidget*, GdkEventCrossing* event)
{
    pointerAt(event->window, event->x, event->y);
    return FALSE;
}

void Window::Impl::pointerAt(GdkWindow* eventWindow, double x, double y)
{
    // An event's point is in the window it happened in (the page's, say): moved into this window's.
    // (The screen point GDK gives the crossings it makes up itself is not always right.)
    GdkWindow* own = gtk_widget_get_window(window.get());
    if (!owner.onPointer || !own || !eventWindow)
        return;
    int eventX = 0, eventY = 0, ownX = 0, ownY = 0;
    gdk_window_get_origin(eventWindow, &eventX, &eventY);
    gdk_window_get_origin(own, &ownX, &ownY);
    owner.onPointer(Point { std::floor(x + eventX - ownX) + 0.5, std::floor(y + eventY - ownY) + 0.5 });
}

gboolean Window::Impl::onPagePress(GtkWidget*, GdkEventButton* event)
{
    // GDK follows the second press of a double-click with a double-press event of its own: the same press.
    if (event->type != GDK_BUTTON_PRESS)
        return takenButton == event->button;
    takenButton.reset();
    countUserInput();
    hadUserInput = true;
    // X11 numbers the mouse's back and forward buttons 8 and 9.
    if ((event->button == 8 || event->button == 9) && owner.onHistoryButton) {
        takenButton = event->button;
        owner.onHistoryButton(event->button == 9);
        return TRUE;
    }
    // A press taken reaches nothing else, its release neither.
    if (owner.onPress && owner.onPress(pressFrom(reinterpret_cast<GdkEvent*>(event), window.get()))) {
        takenButton = event->button;
        return TRUE;
    }
    return FALSE;
}

gboolean Window::Impl::onPageRelease(GtkWidget*, GdkEventButton* event)
{
    if (takenButton != event->button)
        return FALSE;
    takenButton.reset();
    return TRUE;
}

void Window::beginMoveDrag(const Press& press)
{
    if (m_impl->destroyed)
        return;
    gtk_window_begin_move_drag(GTK_WINDOW(m_impl->window.get()), int(press.button), int(press.onScreen.x), int(press.onScreen.y), press.serverTime);
}

} // namespace quillane::platform
