#include "platform/colour.h"

#include <gdk/gdk.h>

#include <string>

namespace quillane::platform {

std::optional<Colour> cssColour(std::string_view text)
{
    GdkRGBA rgba {};
    std::string copy(text);
    if (copy.find('\0') != std::string::npos || !gdk_rgba_parse(&rgba, copy.c_str()))
        return std::nullopt;
    return Colour { rgba.red, rgba.green, rgba.blue, rgba.alpha };
}

} // namespace quillane::platform
