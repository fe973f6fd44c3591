#pragma once
#include "platform/colour.h"

#include <optional>
#include <string_view>

namespace quillane {

// The colour of a band report: an "rgb…" text's first three numbers over 255, alpha 1, unclamped.
// Anything else (names, hexadecimal, other colour functions, fewer than three numbers) gives none.
std::optional<platform::Colour> colour(std::string_view css);

} // namespace quillane
