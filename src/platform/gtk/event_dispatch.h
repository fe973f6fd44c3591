#pragma once
// Private to the platform layer: every GDK event of the application passes through here first.
#include "platform/event.h"

#include <gdk/gdk.h>

namespace quillane::platform {

// Takes over GDK's event handler (once GTK is initialised).
void installEventDispatch();

// The window of ours an event belongs to, and the event's point in that window's coordinates.
Window* windowOfEvent(const GdkEvent* event);
Point locationInWindow(const GdkWindow* toplevel, double rootX, double rootY);

} // namespace quillane::platform
