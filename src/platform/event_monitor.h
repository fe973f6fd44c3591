#pragma once
// Watching the application's input before its windows get it.
#include "platform/event.h"

#include <functional>

namespace quillane::platform {

// Called for every left press in any window of the application, before the press is delivered;
// answering false consumes the press (and its release): no view sees either.
using LeftMouseDownMonitor = std::function<bool(const Event&)>;

// Installs a monitor for the life of the application.
void addLocalMonitorForLeftMouseDown(LeftMouseDownMonitor monitor);

// The event being delivered now, if any.
const Event* currentEvent();

// How many presses and key presses the program's windows have had from the user so far: what the
// page does on one of them (open a window, hand a link to another program) it does once.
unsigned long userInputCount();

} // namespace quillane::platform
