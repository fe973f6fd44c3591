#pragma once
// The pointer and the clock that events are stamped with.
#include "platform/geometry.h"

namespace quillane::platform {

// Where the pointer is now, in screen coordinates (bottom-left of the primary screen).
Point mouseLocation();
// The mouse buttons held now: bit 0 the left button, bit 1 the right, bit 2 the middle.
unsigned pressedMouseButtons();
// Seconds on the monotonic clock; events are stamped on the same clock when the program sees them.
double systemUptime();

} // namespace quillane::platform
