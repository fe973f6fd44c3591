#pragma once
// Views: rectangles in a tree, each placed in its superview by its frame (bottom-left origin).
#include "platform/event.h"
#include "platform/geometry.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace quillane::platform {

class Window;
struct PlatformAccess;

enum AutoresizingMask : unsigned {
    flexibleWidth = 0x2,
    flexibleHeight = 0x10,
};

class View : public std::enable_shared_from_this<View> {
public:
    // A plain container view that draws nothing of its own.
    explicit View(Rect frame);
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // The class name the program knows this view by (used when reporting what lies under a point).
    virtual std::string_view typeName() const { return "View"; }

    Rect frame() const { return m_frame; }
    Rect bounds() const { return {{0, 0}, m_frame.size}; }
    void setFrame(Rect frame);

    unsigned autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(unsigned mask) { m_autoresizingMask = mask; }

    void addSubview(std::shared_ptr<View> view);
    const std::vector<std::shared_ptr<View>>& subviews() const { return m_subviews; }
    View* superview() const { return m_superview; }
    Window* window() const;

    // Converts a point in this view's coordinates into another view's, or into the window's when
    // `to` is null (and back with convertFrom).
    Point convert(Point point, const View* to) const;
    Point convertFrom(Point point, const View* from) const;
    Rect convert(Rect rect, const View* to) const;
    Rect convertFrom(Rect rect, const View* from) const;

    // The deepest view under a point given in the superview's coordinates, or null.
    View* hitTest(Point pointInSuperview);

    // Whether a press on this view, where nothing else takes it, moves the window. A view that draws
    // nothing of its own shows the window behind it, so pressing it moves the window.
    virtual bool mouseDownCanMoveWindow() const { return true; }
    // Whether the first press on an inactive window reaches this view as well as bringing the window forward.
    virtual bool acceptsFirstMouse() const { return false; }

    // The one area, in this view's coordinates, where the view hears the pointer come and go
    // (mouseEntered and mouseExited), whether or not the window is focused.
    void addTrackingArea(Rect rect);
    void removeAllTrackingAreas();
    const std::optional<Rect>& trackingArea() const { return m_trackingArea; }
    // Called whenever the view's size or place in its window has changed.
    virtual void updateTrackingAreas() { }
    virtual void mouseEntered(const Event&) { }
    virtual void mouseExited(const Event&) { }

    struct Widget;

protected:
    // For views realised by a widget of their own (the web view).
    View(Rect frame, std::unique_ptr<Widget> widget);

private:
    friend struct PlatformAccess;
    friend class Window;
    friend struct WindowTracking;
    void place();
    void resizeSubviews(Size oldSize);
    void geometryChanged();
    Point originInWindow() const;

    Rect m_frame;
    unsigned m_autoresizingMask = 0;
    std::vector<std::shared_ptr<View>> m_subviews;
    View* m_superview = nullptr;
    Window* m_window = nullptr;
    std::unique_ptr<Widget> m_widget;
    std::optional<Rect> m_trackingArea;
    bool m_pointerInside = false;
};

} // namespace quillane::platform
