#pragma once
// Images the program takes from outside: decoded before anything is written.
#include <optional>
#include <string>

namespace quillane::platform {

// Decodes the bytes as an image (PNG, SVG, ICO, …) and writes it as a PNG file whose longer side is
// `side` pixels; false when the bytes are no image or the file could not be written.
bool writeImageAsPNG(const std::string& bytes, const std::string& path, int side);

// The bytes that base64 text stands for; none when it is not base64.
std::optional<std::string> fromBase64(const std::string& text);

} // namespace quillane::platform
