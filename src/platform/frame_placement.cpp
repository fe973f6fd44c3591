#include "platform/frame_placement.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace quillane::platform {

namespace {
bool sane(const Rect& frame)
{
    auto finite = [](double value) { return std::isfinite(value) && std::abs(value) <= 1e6; };
    return finite(frame.origin.x) && finite(frame.origin.y) && frame.size.width >= 1 && frame.size.width <= 100000 && frame.size.height >= 1
        && frame.size.height <= 100000;
}

// Moves (and if need be shrinks) a frame so that it lies wholly inside the area.
Rect fitted(Rect frame, const Rect& area)
{
    frame.size.width = std::min(frame.size.width, area.size.width);
    frame.size.height = std::min(frame.size.height, area.size.height);
    frame.origin.x = std::clamp(frame.origin.x, area.minX(), area.maxX() - frame.size.width);
    frame.origin.y = std::clamp(frame.origin.y, area.minY(), area.maxY() - frame.size.height);
    return frame;
}

const Monitor& primaryOf(const std::vector<Monitor>& monitors)
{
    for (const auto& monitor : monitors) {
        if (monitor.primary)
            return monitor;
    }
    return monitors.front();
}
} // namespace

const Monitor* monitorHolding(Rect frame, const std::vector<Monitor>& monitors)
{
    if (monitors.empty())
        return nullptr;
    const Monitor* best = &primaryOf(monitors);
    double most = 0;
    for (const auto& monitor : monitors) {
        Rect overlap = frame.intersection(monitor.geometry);
        double area = overlap.size.width * overlap.size.height;
        if (area > most) {
            most = area;
            best = &monitor;
        }
    }
    return best;
}

std::optional<SavedFrame> parseSavedFrame(const std::string& text)
{
    std::istringstream words(text);
    std::vector<std::string> parts;
    for (std::string word; words >> word;)
        parts.push_back(word);
    if (parts.size() != 4 && parts.size() != 5)
        return std::nullopt;
    SavedFrame saved;
    saved.fromBottomLeft = parts.size() == 4;
    if (!saved.fromBottomLeft)
        saved.monitor = parts.front();
    double numbers[4];
    for (int index = 0; index < 4; ++index) {
        const std::string& part = parts[parts.size() - 4 + index];
        char* end = nullptr;
        numbers[index] = std::strtod(part.c_str(), &end);
        if (part.empty() || *end)
            return std::nullopt;
    }
    saved.frame = { { numbers[0], numbers[1] }, { numbers[2], numbers[3] } };
    if (!sane(saved.frame))
        return std::nullopt;
    return saved;
}

std::string savedFrameText(const SavedFrame& frame)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%.0f %.0f %.0f %.0f", frame.frame.origin.x, frame.frame.origin.y, frame.frame.size.width,
        frame.frame.size.height);
    // A monitor the window system names nothing is saved as the primary's place.
    return (frame.monitor.empty() ? std::string("-") : frame.monitor) + " " + numbers;
}

SavedFrame frameToSave(Rect frame, const Monitor& monitor)
{
    double scale = monitor.scale;
    return { monitor.name,
        { { (frame.origin.x - monitor.geometry.origin.x) * scale, (frame.origin.y - monitor.geometry.origin.y) * scale },
            { frame.size.width * scale, frame.size.height * scale } } };
}

std::optional<Rect> placeSavedFrame(const SavedFrame& saved, const std::vector<Monitor>& monitors)
{
    if (monitors.empty())
        return std::nullopt;
    const Monitor& primary = primaryOf(monitors);
    if (saved.fromBottomLeft) {
        double scale = primary.scale;
        Rect logical { { saved.frame.origin.x / scale, 0 }, { saved.frame.size.width / scale, saved.frame.size.height / scale } };
        logical.origin.y = primary.geometry.maxY() - saved.frame.origin.y / scale - logical.size.height;
        return fitted(logical, monitorHolding(logical, monitors)->workarea);
    }
    const Monitor* target = &primary;
    for (const auto& monitor : monitors) {
        if (!saved.monitor.empty() && monitor.name == saved.monitor)
            target = &monitor;
    }
    double scale = target->scale;
    Rect logical { { target->geometry.origin.x + saved.frame.origin.x / scale, target->geometry.origin.y + saved.frame.origin.y / scale },
        { saved.frame.size.width / scale, saved.frame.size.height / scale } };
    return fitted(logical, target->workarea);
}

} // namespace quillane::platform
