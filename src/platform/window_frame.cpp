// Saving the window's frame in the preferences, with the monitor it is on, and restoring it.
#include "platform/gtk/window_impl.h"

#include "platform/frame_placement.h"
#include "platform/preferences.h"

namespace quillane::platform {

namespace {
// Moves and resizes come in bursts while the user drags; the frame is written once a burst settles.
constexpr double saveDelay = 0.3;

Monitor monitorFrom(GdkMonitor* gdkMonitor, GdkMonitor* primary)
{
    Monitor monitor;
    const char* model = gdk_monitor_get_model(gdkMonitor);
    monitor.name = model ? model : "";
    GdkRectangle geometry {}, workarea {};
    gdk_monitor_get_geometry(gdkMonitor, &geometry);
    gdk_monitor_get_workarea(gdkMonitor, &workarea);
    monitor.geometry = { { double(geometry.x), double(geometry.y) }, { double(geometry.width), double(geometry.height) } };
    monitor.workarea = { { double(workarea.x), double(workarea.y) }, { double(workarea.width), double(workarea.height) } };
    // A window manager that has not caught up with a change of monitors gives an area off the monitor.
    monitor.workarea = monitor.workarea.intersection(monitor.geometry);
    if (monitor.workarea.isEmpty())
        monitor.workarea = monitor.geometry;
    monitor.scale = std::max(1, gdk_monitor_get_scale_factor(gdkMonitor));
    monitor.primary = gdkMonitor == primary;
    return monitor;
}

std::vector<Monitor> monitors()
{
    std::vector<Monitor> found;
    GdkDisplay* display = gdk_display_get_default();
    if (!display)
        return found;
    GdkMonitor* primary = gdk_display_get_primary_monitor(display);
    for (int index = 0; index < gdk_display_get_n_monitors(display); ++index)
        found.push_back(monitorFrom(gdk_display_get_monitor(display, index), primary));
    return found;
}
} // namespace

void Window::rememberFrame(Preferences& preferences, const std::string& key)
{
    Impl& impl = *m_impl;
    impl.frameStore = &preferences;
    impl.frameKey = key;
    auto stored = preferences.text(key);
    auto saved = stored ? parseSavedFrame(*stored) : std::nullopt;
    auto placed = saved ? placeSavedFrame(*saved, monitors()) : std::nullopt;
    if (placed)
        setFrame(*placed);
    else
        impl.scheduleFrameSave();
}

void Window::Impl::scheduleFrameSave()
{
    if (frameStore && !destroyed)
        frameSave = runOnMainQueueAfter(saveDelay, [this] { saveFrame(); });
}

void Window::Impl::saveFrame()
{
    // A full-screen or maximised frame is not the one to come back to.
    if (!frameStore || maximised || fullScreen || fullScreenForPage)
        return;
    // Asked of the X server now: the window manager may have moved the window without a word.
    if (GdkWindow* own = gtk_widget_get_window(window.get()); own && gtk_widget_get_mapped(window.get()) && !closing)
        gdk_window_get_origin(own, &frame.x, &frame.y);
    Rect logical { { double(frame.x), double(frame.y) }, { double(frame.width), double(frame.height) } };
    auto all = monitors();
    const Monitor* monitor = monitorHolding(logical, all);
    if (!monitor)
        return;
    std::string text = savedFrameText(frameToSave(logical, *monitor));
    if (frameStore->text(frameKey) != text)
        frameStore->setText(frameKey, text);
}

} // namespace quillane::platform
