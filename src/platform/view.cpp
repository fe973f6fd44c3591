#include "platform/view.h"

#include "platform/gtk/view_widget.h"
#include "platform/window.h"

#include <algorithm>
#include <cmath>

namespace quillane::platform {

namespace {
std::unique_ptr<View::Widget> containerWidget()
{
    auto widget = std::make_unique<View::Widget>();
    GtkWidget* layout = gtk_layout_new(nullptr, nullptr);
    widget->widget = GObjectRef<GtkWidget>::retain(layout);
    widget->layout = GTK_LAYOUT(layout);
    // Presses on the view itself can move the window, and the pointer is tracked over it.
    gtk_widget_add_events(layout, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK
        | GDK_LEAVE_NOTIFY_MASK);
    gtk_widget_show(layout);
    return widget;
}

int pixels(double points)
{
    return static_cast<int>(std::lround(points));
}
} // namespace

View::View(Rect frame)
    : View(frame, containerWidget())
{
}

View::View(Rect frame, std::unique_ptr<Widget> widget)
    : m_frame(frame)
    , m_widget(std::move(widget))
{
}

View::~View() = default;

Window* View::window() const
{
    const View* view = this;
    while (view->m_superview)
        view = view->m_superview;
    return view->m_window;
}

void View::setFrame(Rect frame)
{
    Rect old = m_frame;
    m_frame = frame;
    place();
    if (old.size != frame.size)
        resizeSubviews(old.size);
    if (old != frame)
        geometryChanged();
}

void View::geometryChanged()
{
    updateTrackingAreas();
    for (auto& subview : m_subviews)
        subview->geometryChanged();
}

void View::place()
{
    if (!m_superview || !m_superview->m_widget->layout)
        return;
    Rect top = flipped(m_frame, m_superview->m_frame.size.height);
    GtkWidget* widget = m_widget->widget.get();
    gtk_layout_move(m_superview->m_widget->layout, widget, pixels(top.origin.x), pixels(top.origin.y));
    gtk_widget_set_size_request(widget, std::max(0, pixels(top.size.width)), std::max(0, pixels(top.size.height)));
}

void View::resizeSubviews(Size oldSize)
{
    double dw = m_frame.size.width - oldSize.width;
    double dh = m_frame.size.height - oldSize.height;
    for (auto& subview : m_subviews) {
        Rect frame = subview->m_frame;
        if (subview->m_autoresizingMask & flexibleWidth)
            frame.size.width += dw;
        if (subview->m_autoresizingMask & flexibleHeight)
            frame.size.height += dh;
        // Even an unchanged frame moves in GTK's top-left terms when this view's height changes.
        if (frame == subview->m_frame)
            subview->place();
        else
            subview->setFrame(frame);
    }
}

void View::addSubview(std::shared_ptr<View> view)
{
    if (!view || !m_widget->layout || view->m_superview)
        return;
    view->m_superview = this;
    gtk_layout_put(m_widget->layout, view->m_widget->widget.get(), 0, 0);
    m_subviews.push_back(std::move(view));
    m_subviews.back()->place();
}

Point View::originInWindow() const
{
    Point origin;
    for (const View* view = this; view; view = view->m_superview) {
        if (!view->m_superview && !view->m_window)
            break;
        origin.x += view->m_frame.origin.x;
        origin.y += view->m_frame.origin.y;
    }
    return origin;
}

Point View::convert(Point point, const View* to) const
{
    Point here = originInWindow();
    Point inWindow { point.x + here.x, point.y + here.y };
    return to ? to->convertFrom(inWindow, nullptr) : inWindow;
}

Point View::convertFrom(Point point, const View* from) const
{
    Point inWindow = from ? from->convert(point, nullptr) : point;
    Point here = originInWindow();
    return { inWindow.x - here.x, inWindow.y - here.y };
}

Rect View::convert(Rect rect, const View* to) const
{
    return { convert(rect.origin, to), rect.size };
}

Rect View::convertFrom(Rect rect, const View* from) const
{
    return { convertFrom(rect.origin, from), rect.size };
}

void View::addTrackingArea(Rect rect)
{
    m_trackingArea = rect;
}

void View::removeAllTrackingAreas()
{
    m_trackingArea.reset();
}

View* View::hitTest(Point pointInSuperview)
{
    if (!m_frame.contains(pointInSuperview))
        return nullptr;
    Point local { pointInSuperview.x - m_frame.origin.x, pointInSuperview.y - m_frame.origin.y };
    for (auto subview = m_subviews.rbegin(); subview != m_subviews.rend(); ++subview) {
        if (View* hit = (*subview)->hitTest(local))
            return hit;
    }
    return this;
}

} // namespace quillane::platform
