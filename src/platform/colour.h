#pragma once

namespace quillane::platform {

// An sRGB colour; each component runs from 0 to 1 (values outside are kept as given).
struct Colour {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    friend bool operator==(const Colour&, const Colour&) = default;
};

} // namespace quillane::platform
