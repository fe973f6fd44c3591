#pragma once
// A copy of an input event as the program keeps it (the last press, for instance).
#include "platform/geometry.h"

#include <cstdint>

namespace quillane::platform {

enum ModifierFlags : std::uint64_t {
    shiftKey = 1 << 17,
    controlKey = 1 << 18,
    optionKey = 1 << 19,
    // The Super (logo) key.
    commandKey = 1 << 20,
};

struct Event {
    enum class Type { leftMouseDown, leftMouseUp, rightMouseDown, rightMouseUp, otherMouseDown, otherMouseUp, mouseMoved, keyDown, keyUp };
    Type type = Type::leftMouseDown;
    unsigned long windowNumber = 0;
    Point locationInWindow;
    std::uint64_t modifierFlags = 0;
    // Seconds on the monotonic clock, when the program saw the event.
    double timestamp = 0;
    int clickCount = 0;
    // What the window system needs to start a drag with this event.
    Point rootLocation;
    std::uint32_t serverTime = 0;
    unsigned button = 0;
};

} // namespace quillane::platform
