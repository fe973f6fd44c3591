#pragma once
// An input event as the program sees it, and keeps it (the last press, for instance).
#include "platform/geometry.h"

#include <cstdint>

namespace quillane::platform {

class Window;

enum ModifierFlags : std::uint64_t {
    shiftKey = 1 << 17,
    controlKey = 1 << 18,
    optionKey = 1 << 19,
    // The Super (logo) key: the key that moves the window when held during a press.
    commandKey = 1 << 20,
};

struct Event {
    enum class Type { leftMouseDown, leftMouseUp, rightMouseDown, rightMouseUp, otherMouseDown, otherMouseUp, mouseMoved, keyDown, keyUp };
    Type type = Type::leftMouseDown;
    // The window of ours it happened in; null for other windows (dialogs, panels).
    Window* window = nullptr;
    Point locationInWindow;
    std::uint64_t modifierFlags = 0;
    // Seconds on the monotonic clock (systemUptime()), when the program saw the event.
    double timestamp = 0;
    int clickCount = 0;
    // What the window system needs to start a move with this press: the button, where it happened
    // in root coordinates (top-left origin) and the X server's time of it.
    unsigned button = 0;
    Point rootLocation;
    std::uint32_t serverTime = 0;
};

} // namespace quillane::platform
