// Saving the window's frame under a name, and restoring it at the next start.
#include "platform/gtk/window_impl.h"

#include "platform/preferences.h"
#include "platform/gtk/screen.h"

#include <cmath>
#include <cstdio>

namespace quillane::platform {

namespace {
// Moves and resizes come in bursts while the user drags; the frame is written once a burst settles.
constexpr double autosaveDelay = 0.3;

std::string keyFor(const std::string& name)
{
    return "Window Frame " + name;
}

std::optional<Rect> parseFrame(const std::string& text)
{
    double x = 0, y = 0, width = 0, height = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%lf %lf %lf %lf %c", &x, &y, &width, &height, &rest) != 4)
        return std::nullopt;
    if (!std::isfinite(x) || !std::isfinite(y) || !(width >= 1 && width <= 100000) || !(height >= 1 && height <= 100000))
        return std::nullopt;
    return Rect { { x, y }, { width, height } };
}
} // namespace

void Window::setFrameAutosaveName(const std::string& name, Preferences& preferences)
{
    Impl& impl = *m_impl;
    impl.autosaveName = name;
    impl.autosaveStore = &preferences;
    if (name.empty())
        return;
    auto stored = preferences.text(keyFor(name));
    auto saved = stored ? parseFrame(*stored) : std::nullopt;
    // Frames are kept in device pixels, so that they mean the same on screen at any scale.
    if (saved) {
        double scale = primaryScaleFactor();
        saved = Rect { { saved->origin.x / scale, saved->origin.y / scale }, { saved->size.width / scale, saved->size.height / scale } };
    }
    // A frame that lies wholly off the screens we have now (a monitor since unplugged) is not restored.
    Rect screen = screenRectFromRoot(primaryMonitorGeometry());
    if (saved && !saved->intersection(screen).isEmpty())
        setFrame(*saved);
    else
        impl.scheduleAutosave();
}

void Window::Impl::scheduleAutosave()
{
    if (!autosaveStore || autosaveName.empty() || destroyed)
        return;
    autosaveTimer = runOnMainQueueAfter(autosaveDelay, [this] { saveFrame(); });
}

void Window::Impl::flushAutosave()
{
    if (!autosaveTimer.isPending())
        return;
    autosaveTimer.cancel();
    saveFrame();
}

void Window::Impl::saveFrame()
{
    // A full-screen or maximised frame is not the one to come back to.
    if (!autosaveStore || autosaveName.empty() || maximized || (styleMask & styleMask::fullScreen))
        return;
    Rect frame = screenRectFromRoot(rootFrame);
    double scale = primaryScaleFactor();
    frame = { { frame.origin.x * scale, frame.origin.y * scale }, { frame.size.width * scale, frame.size.height * scale } };
    char text[96];
    std::snprintf(text, sizeof text, "%.0f %.0f %.0f %.0f", frame.origin.x, frame.origin.y, frame.size.width, frame.size.height);
    if (autosaveStore->text(keyFor(autosaveName)) != std::string(text))
        autosaveStore->setText(keyFor(autosaveName), text);
}

} // namespace quillane::platform
