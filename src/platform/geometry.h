#pragma once
// Points and rectangles with the origin at the bottom-left and y growing upwards.
// Rectangles are half-open: the minimum edges belong to a rectangle, the maximum edges do not.
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
    bool contains(Point point) const
    {
        return !isEmpty() && point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
    }
    Rect insetBy(double dx, double dy) const
    {
        return {{origin.x + dx, origin.y + dy}, {size.width - 2 * dx, size.height - 2 * dy}};
    }
    // The overlap of two rectangles; an empty rectangle at the origin when they do not overlap.
    Rect intersection(const Rect& other) const
    {
        double left = std::max(minX(), other.minX());
        double bottom = std::max(minY(), other.minY());
        double right = std::min(maxX(), other.maxX());
        double top = std::min(maxY(), other.maxY());
        if (right <= left || top <= bottom)
            return {};
        return {{left, bottom}, {right - left, top - bottom}};
    }
    // The smallest rectangle holding both; an empty one does not count.
    Rect unionWith(const Rect& other) const
    {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        double left = std::min(minX(), other.minX());
        double bottom = std::min(minY(), other.minY());
        return {{left, bottom}, {std::max(maxX(), other.maxX()) - left, std::max(maxY(), other.maxY()) - bottom}};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Turns a rectangle between bottom-left and top-left coordinates inside a container of the given
// height; the same call converts both ways.
inline Rect flipped(const Rect& rect, double containerHeight)
{
    return {{rect.origin.x, containerHeight - rect.maxY()}, rect.size};
}

inline Point flipped(Point point, double containerHeight)
{
    return {point.x, containerHeight - point.y};
}

} // namespace quillane::platform
