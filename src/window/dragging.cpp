// Moving the window: by a press on the page's empty top strip, or by a press with the Super key held.
#include "app/app_delegate.h"
#include "platform/event_monitor.h"
#include "platform/pointer.h"

#include <algorithm>
#include <cmath>

namespace quillane {

namespace {
// A page's request older than this no longer belongs to the press that is going on.
constexpr double freshPress = 0.5;
} // namespace

int topStripHeight(const platform::Window& window, double band)
{
    double frameHeight = window.frame().size.height;
    double titleBar = frameHeight - window.contentLayoutRect().size.height;
    auto close = window.buttonFrame(platform::WindowButton::close);
    double buttonsBottom = close ? frameHeight - close->minY() : titleBar;
    return static_cast<int>(std::trunc(std::min(buttonsBottom + 3, titleBar) - band));
}

void AppDelegate::watchForDrags()
{
    platform::addLocalMonitorForLeftMouseDown([this](const platform::Event& event) {
        if (event.window != window.get())
            return true;
        pressed = event;
        if (!(event.modifierFlags & platform::commandKey))
            return true;
        if (isProbeRun())
            ++dragsTaken;
        else
            window->performDrag(event);
        return false;
    });
}

void AppDelegate::dragRequest()
{
    if (isProbeRun()) {
        ++pageDrags;
        return;
    }
    if (!pressed || !window)
        return;
    if (platform::systemUptime() - pressed->timestamp >= freshPress)
        return;
    if (!(platform::pressedMouseButtons() & 1))
        return;
    platform::Event press = *pressed;
    pressed.reset();
    window->performDrag(press);
}

} // namespace quillane
