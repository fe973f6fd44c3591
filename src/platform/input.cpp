#include "platform/input.h"

#include "platform/gtk/window_impl.h"

namespace quillane::platform {

namespace {
unsigned long inputs = 0;
}

double secondsNow()
{
    return double(g_get_monotonic_time()) / G_USEC_PER_SEC;
}

bool primaryButtonHeld()
{
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!pointer)
        return false;
    GdkModifierType mask {};
    gdk_window_get_device_position(gdk_screen_get_root_window(gdk_display_get_default_screen(display)), pointer, nullptr, nullptr, &mask);
    return mask & GDK_BUTTON1_MASK;
}

unsigned long userInputCount()
{
    return inputs;
}

void countUserInput()
{
    ++inputs;
}

} // namespace quillane::platform
