#pragma once
// Input made by the program itself, delivered through the same path as the user's.
#include "platform/event.h"
#include "platform/geometry.h"

#include <cstdint>
#include <string>

namespace quillane::platform {

class Window;

// Queues a left-button press or release at a point of the window (its own coordinates), for the
// view under that point; it passes the event monitors first, as a real press does. False when the
// window is not on screen yet.
bool postMouseEvent(Window& window, Event::Type type, Point locationInWindow, std::uint64_t modifierFlags);

// Delivers a key press (a key name such as "Escape") to the window's focused view at once.
bool sendKeyEvent(Window& window, const std::string& keyName);

} // namespace quillane::platform
