#include "platform/synthetic_events.h"

#include "platform/gtk/window_impl.h"

#include <cmath>

namespace quillane::platform {

using GdkEventPtr = std::unique_ptr<GdkEvent, GLibDeleter<GdkEvent, gdk_event_free>>;

namespace {
// Each event gets a later time than the last, and far enough apart that no two presses make a double-click.
guint32 nextTime()
{
    static guint32 last = 0;
    guint32 now = guint32(g_get_monotonic_time() / 1000);
    last = std::max(now, last + 1000);
    return last;
}

// The deepest visible window under a point, topmost first, with the point made relative to it.
GdkWindow* deepestWindowAt(GdkWindow* window, double& x, double& y)
{
    for (GList* child = gdk_window_peek_children(window); child; child = child->next) {
        auto* candidate = static_cast<GdkWindow*>(child->data);
        if (!gdk_window_is_visible(candidate) || gdk_window_is_input_only(candidate))
            continue;
        int cx = 0, cy = 0;
        gdk_window_get_position(candidate, &cx, &cy);
        double localX = x - cx, localY = y - cy;
        if (localX < 0 || localY < 0 || localX >= gdk_window_get_width(candidate) || localY >= gdk_window_get_height(candidate))
            continue;
        x = localX;
        y = localY;
        return deepestWindowAt(candidate, x, y);
    }
    return window;
}

} // namespace

bool postPrimaryButton(Window& window, bool press, Point inWindow, bool super)
{
    GdkWindow* toplevel = gtk_widget_get_window(implOf(window).window.get());
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* device = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!toplevel || !device)
        return false;
    double x = inWindow.x, y = inWindow.y;
    int originX = 0, originY = 0;
    gdk_window_get_origin(toplevel, &originX, &originY);
    double rootX = originX + x, rootY = originY + y;
    GdkWindow* target = deepestWindowAt(toplevel, x, y);

    GdkEventPtr owned(gdk_event_new(press ? GDK_BUTTON_PRESS : GDK_BUTTON_RELEASE));
    GdkEvent* event = owned.get();
    event->button.window = GDK_WINDOW(g_object_ref(target));
    event->button.send_event = TRUE;
    event->button.time = nextTime();
    event->button.x = x;
    event->button.y = y;
    event->button.x_root = rootX;
    event->button.y_root = rootY;
    event->button.state = (super ? GDK_MOD4_MASK | GDK_SUPER_MASK : 0) | (press ? 0 : GDK_BUTTON1_MASK);
    event->button.button = GDK_BUTTON_PRIMARY;
    gdk_event_set_device(event, device);
    gdk_event_put(event);
    return true;
}

bool sendKeyPress(Window& window, const std::string& keyName)
{
    GtkWidget* widget = implOf(window).window.get();
    GdkWindow* toplevel = gtk_widget_get_window(widget);
    guint keyval = gdk_keyval_from_name(keyName.c_str());
    if (!toplevel || keyval == GDK_KEY_VoidSymbol)
        return false;
    GdkEventPtr owned(gdk_event_new(GDK_KEY_PRESS));
    GdkEvent* event = owned.get();
    event->key.window = GDK_WINDOW(g_object_ref(toplevel));
    event->key.send_event = TRUE;
    event->key.time = nextTime();
    event->key.keyval = keyval;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    bool found = gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()), keyval, &keys, &count);
    std::unique_ptr<GdkKeymapKey, GLibDeleter<void, g_free>> ownedKeys(keys);
    if (found && count > 0)
        event->key.hardware_keycode = guint16(keys[0].keycode);
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (GdkDevice* keyboard = seat ? gdk_seat_get_keyboard(seat) : nullptr)
        gdk_event_set_device(event, keyboard);
    gtk_main_do_event(event);
    return true;
}

} // namespace quillane::platform
