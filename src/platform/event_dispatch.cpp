#include "platform/gtk/event_dispatch.h"

#include "platform/gtk/application_impl.h"
#include "platform/event_monitor.h"
#include "platform/pointer.h"
#include "platform/gtk/screen.h"
#include "platform/gtk/window_impl.h"

#include <gtk/gtk.h>

#include <cmath>
#include <optional>
#include <vector>

namespace quillane::platform {

namespace {
struct Dispatch {
    std::vector<LeftMouseDownMonitor> monitors;
    // A press that a monitor consumed; its release (and GDK's double-press events) are dropped too.
    std::optional<guint> consumedButton;
    const Event* current = nullptr;
    // For counting clicks as a double-click would.
    guint lastButton = 0;
    guint32 lastTime = 0;
    double lastX = 0, lastY = 0;
    int clickCount = 0;
    // GDK follows the second press of a double-click with a double-press event of its own; that one
    // stands for the same press.
    Event lastPress;
    unsigned long inputs = 0;
    bool installed = false;
};

Dispatch& dispatch()
{
    static Dispatch state;
    return state;
}

std::uint64_t modifiersOf(guint state)
{
    std::uint64_t flags = 0;
    if (state & GDK_SHIFT_MASK)
        flags |= shiftKey;
    if (state & GDK_CONTROL_MASK)
        flags |= controlKey;
    if (state & GDK_MOD1_MASK)
        flags |= optionKey;
    if (state & (GDK_SUPER_MASK | GDK_MOD4_MASK))
        flags |= commandKey;
    return flags;
}

int countClicks(const GdkEventButton& press)
{
    Dispatch& state = dispatch();
    int doubleClickTime = 400, doubleClickDistance = 5;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClickTime, "gtk-double-click-distance", &doubleClickDistance, nullptr);
    bool again = press.button == state.lastButton && press.time - state.lastTime <= guint32(doubleClickTime)
        && std::abs(press.x_root - state.lastX) <= doubleClickDistance && std::abs(press.y_root - state.lastY) <= doubleClickDistance;
    state.clickCount = again ? state.clickCount + 1 : 1;
    state.lastButton = press.button;
    state.lastTime = press.time;
    state.lastX = press.x_root;
    state.lastY = press.y_root;
    return state.clickCount;
}

Event pressEvent(GdkEvent* gdkEvent)
{
    const GdkEventButton& press = gdkEvent->button;
    Event event;
    event.type = press.button == GDK_BUTTON_PRIMARY ? Event::Type::leftMouseDown
        : press.button == GDK_BUTTON_SECONDARY  ? Event::Type::rightMouseDown
                                                : Event::Type::otherMouseDown;
    event.window = windowOfEvent(gdkEvent);
    if (GdkWindow* window = press.window)
        event.locationInWindow = locationInWindow(gdk_window_get_toplevel(window), press.x_root, press.y_root);
    event.modifierFlags = modifiersOf(press.state);
    event.timestamp = systemUptime();
    event.clickCount = countClicks(press);
    event.button = press.button;
    event.rootLocation = { press.x_root, press.y_root };
    event.serverTime = press.time;
    return event;
}

void handle(GdkEvent* gdkEvent, gpointer)
{
    Dispatch& state = dispatch();
    std::optional<Event> event;
    switch (gdkEvent->type) {
    case GDK_KEY_PRESS:
        ++state.inputs;
        break;
    case GDK_BUTTON_PRESS:
        ++state.inputs;
        event = pressEvent(gdkEvent);
        state.lastPress = *event;
        // A new press of the button ends what an earlier consumed one left to drop.
        if (state.consumedButton == gdkEvent->button.button)
            state.consumedButton.reset();
        state.current = &*event;
        if (gdkEvent->button.button == GDK_BUTTON_PRIMARY) {
            for (auto& monitor : state.monitors) {
                if (!monitor(*event)) {
                    state.consumedButton = gdkEvent->button.button;
                    state.current = nullptr;
                    return;
                }
            }
        }
        break;
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
        if (state.consumedButton == gdkEvent->button.button)
            return;
        state.current = &state.lastPress;
        break;
    case GDK_BUTTON_RELEASE:
        if (state.consumedButton == gdkEvent->button.button) {
            state.consumedButton.reset();
            return;
        }
        break;
    case GDK_MOTION_NOTIFY:
    case GDK_ENTER_NOTIFY:
    case GDK_LEAVE_NOTIFY:
        if (Window* window = windowOfEvent(gdkEvent))
            implOf(*window).trackPointer(gdkEvent);
        break;
    default:
        break;
    }
    gtk_main_do_event(gdkEvent);
    state.current = nullptr;
}
} // namespace

void installEventDispatch()
{
    if (dispatch().installed)
        return;
    dispatch().installed = true;
    gdk_event_handler_set(handle, nullptr, nullptr);
}

Window* windowOfEvent(const GdkEvent* event)
{
    GdkWindow* window = event->any.window;
    if (!window)
        return nullptr;
    gpointer widget = nullptr;
    gdk_window_get_user_data(gdk_window_get_toplevel(window), &widget);
    return widget && GTK_IS_WINDOW(widget) ? windowFor(GTK_WINDOW(widget)) : nullptr;
}

Point locationInWindow(const GdkWindow* toplevel, double rootX, double rootY)
{
    int originX = 0, originY = 0;
    auto* window = const_cast<GdkWindow*>(toplevel);
    gdk_window_get_origin(window, &originX, &originY);
    return flipped(pixelCentre(rootX - originX, rootY - originY), gdk_window_get_height(window));
}

void addLocalMonitorForLeftMouseDown(LeftMouseDownMonitor monitor)
{
    dispatch().monitors.push_back(std::move(monitor));
}

const Event* currentEvent()
{
    return dispatch().current;
}

unsigned long userInputCount()
{
    return dispatch().inputs;
}

} // namespace quillane::platform
