#include "platform/gtk/screen.h"

#include <algorithm>
#include <cmath>

namespace quillane::platform {

namespace {
GdkMonitor* primaryMonitor()
{
    GdkDisplay* display = gdk_display_get_default();
    if (!display)
        return nullptr;
    if (GdkMonitor* primary = gdk_display_get_primary_monitor(display))
        return primary;
    return gdk_display_get_n_monitors(display) > 0 ? gdk_display_get_monitor(display, 0) : nullptr;
}

double primaryBottom()
{
    GdkRectangle geometry = primaryMonitorGeometry();
    return geometry.y + geometry.height;
}
} // namespace

GdkRectangle primaryMonitorGeometry()
{
    GdkRectangle geometry { 0, 0, 0, 0 };
    if (GdkMonitor* monitor = primaryMonitor())
        gdk_monitor_get_geometry(monitor, &geometry);
    return geometry;
}

GdkRectangle primaryMonitorWorkarea()
{
    GdkRectangle workarea { 0, 0, 0, 0 };
    if (GdkMonitor* monitor = primaryMonitor())
        gdk_monitor_get_workarea(monitor, &workarea);
    return workarea;
}

int primaryScaleFactor()
{
    GdkMonitor* monitor = primaryMonitor();
    return monitor ? std::max(1, gdk_monitor_get_scale_factor(monitor)) : 1;
}

Point pixelCentre(double x, double y)
{
    return { std::floor(x) + 0.5, std::floor(y) + 0.5 };
}

Rect screenRectFromRoot(const GdkRectangle& root)
{
    return { { double(root.x), primaryBottom() - (root.y + root.height) }, { double(root.width), double(root.height) } };
}

GdkRectangle rootRectFromScreen(const Rect& screen)
{
    auto round = [](double value) { return static_cast<int>(std::lround(value)); };
    return { round(screen.origin.x), round(primaryBottom() - screen.maxY()), round(screen.size.width), round(screen.size.height) };
}

} // namespace quillane::platform
