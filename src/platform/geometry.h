#pragma once
// Points and rectangles as GTK has them: logical pixels, the origin at the top-left, y growing
// downwards. Rectangles are half-open: the minimum edges belong to a rectangle, the maximum ones do not.
#include <algorithm>

namespace quillane::platform {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    bool isEmpty() const { return size.width <= 0 || size.height <= 0; }
    bool contains(Point point) const { return !isEmpty() && point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY(); }
    // Grown by `by` on every side (shrunk for a negative `by`).
    Rect grownBy(double by) const { return { { origin.x - by, origin.y - by }, { size.width + 2 * by, size.height + 2 * by } }; }
    // The overlap of two rectangles; an empty rectangle at the origin when they do not overlap.
    Rect intersection(const Rect& other) const
    {
        double left = std::max(minX(), other.minX()), top = std::max(minY(), other.minY());
        double right = std::min(maxX(), other.maxX()), bottom = std::min(maxY(), other.maxY());
        if (right <= left || bottom <= top)
            return {};
        return { { left, top }, { right - left, bottom - top } };
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace quillane::platform
