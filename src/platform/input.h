#pragma once
// A press of a mouse button, as the program keeps it: where, with what held, and what the window
// system needs to move the window from it.
#include "platform/geometry.h"

#include <cstdint>

namespace quillane::platform {

struct Press {
    // 1 the primary button, 2 the middle, 3 the secondary.
    unsigned button = 1;
    // 2 for the second press of a double-click, and so on.
    int count = 1;
    // In the window's coordinates, and in the screen's.
    Point inWindow;
    Point onScreen;
    // The Super (logo) key was held: a press with it moves the window.
    bool super = false;
    bool shift = false;
    bool control = false;
    // Seconds on the monotonic clock (secondsNow()) when the program saw it, and the X server's time.
    double seconds = 0;
    std::uint32_t serverTime = 0;
};

// Seconds on the monotonic clock that presses are stamped with.
double secondsNow();
// Whether the primary button is held now.
bool primaryButtonHeld();
// How many presses and key presses the program's windows have had from the user so far: what the
// page does on one of them (open a window, hand a link to another program) it does once.
unsigned long userInputCount();

} // namespace quillane::platform
