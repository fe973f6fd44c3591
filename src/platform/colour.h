#pragma once
#include <optional>
#include <string_view>

namespace quillane::platform {

// An sRGB colour; each component runs from 0 to 1 (values outside are kept as given).
struct Colour {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A CSS colour as the toolkit reads one ("#336699", "teal", "rgb(10 20 30)", "hsl(…)"); none for
// any other text.
std::optional<Colour> cssColour(std::string_view text);

} // namespace quillane::platform
