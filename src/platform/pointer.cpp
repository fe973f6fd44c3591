#include "platform/pointer.h"

#include "platform/gtk/screen.h"

#include <gdk/gdk.h>

namespace quillane::platform {

GdkDevice* pointerDevice()
{
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    return seat ? gdk_seat_get_pointer(seat) : nullptr;
}

Point mouseLocation()
{
    GdkDevice* device = pointerDevice();
    if (!device)
        return {};
    int x = 0, y = 0;
    gdk_device_get_position(device, nullptr, &x, &y);
    Point root = pixelCentre(x, y);
    GdkRectangle primary = primaryMonitorGeometry();
    return flipped(root, primary.y + primary.height);
}

unsigned pressedMouseButtons()
{
    GdkDevice* device = pointerDevice();
    GdkDisplay* display = gdk_display_get_default();
    if (!device || !display)
        return 0;
    GdkModifierType mask {};
    GdkWindow* root = gdk_screen_get_root_window(gdk_display_get_default_screen(display));
    gdk_window_get_device_position(root, device, nullptr, nullptr, &mask);
    unsigned buttons = 0;
    if (mask & GDK_BUTTON1_MASK)
        buttons |= 1;
    if (mask & GDK_BUTTON3_MASK)
        buttons |= 2;
    if (mask & GDK_BUTTON2_MASK)
        buttons |= 4;
    return buttons;
}

double systemUptime()
{
    return double(g_get_monotonic_time()) / G_USEC_PER_SEC;
}

} // namespace quillane::platform
