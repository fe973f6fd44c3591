#pragma once
// The primary screen, for turning GDK's top-left root coordinates into the bottom-left ones used above.
#include "platform/geometry.h"

#include <gdk/gdk.h>

namespace quillane::platform {

// The primary monitor's geometry and work area in root coordinates (top-left origin).
GdkRectangle primaryMonitorGeometry();
GdkRectangle primaryMonitorWorkarea();

// Converts a rectangle between root coordinates and screen coordinates (both ways).
Rect screenRectFromRoot(const GdkRectangle& root);
GdkRectangle rootRectFromScreen(const Rect& screen);

} // namespace quillane::platform
