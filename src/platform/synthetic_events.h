#pragma once
// Input made by the program itself, delivered through the same path as the user's (for the self-test).
#include "platform/geometry.h"

#include <string>

namespace quillane::platform {

class Window;

// Queues a press or release of the primary button at a point of the window, for what lies under it;
// false when the window is not on screen yet.
bool postPrimaryButton(Window& window, bool press, Point inWindow, bool super);
// Delivers a key press (a key name such as "Escape") to the window's focused widget at once.
bool sendKeyPress(Window& window, const std::string& keyName);

} // namespace quillane::platform
