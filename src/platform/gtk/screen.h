#pragma once
// The primary screen, for turning GDK's top-left root coordinates into the bottom-left ones used above.
#include "platform/geometry.h"

#include <gdk/gdk.h>

namespace quillane::platform {

// The pointer of the default seat, or null without a display.
GdkDevice* pointerDevice();

// The primary monitor's geometry and work area in root coordinates (top-left origin).
GdkRectangle primaryMonitorGeometry();
GdkRectangle primaryMonitorWorkarea();
// How many device pixels a point is on the primary monitor (GDK_SCALE, a high-density screen).
int primaryScaleFactor();

// The pointer is over a pixel: it stands for the pixel's centre, so that whether it lies in a
// rectangle reads the same from the top-left and from the bottom-left (x and y in top-left terms).
Point pixelCentre(double x, double y);

// Converts a rectangle between root coordinates and screen coordinates (both ways).
Rect screenRectFromRoot(const GdkRectangle& root);
GdkRectangle rootRectFromScreen(const Rect& screen);

} // namespace quillane::platform
