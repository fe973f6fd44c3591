#pragma once
// Images the program takes from pages: decoded in a process of their own (the image decoder, held
// to resource limits and a time-out), never in this one, before anything is written.
#include "platform/image_limits.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillane::platform {

struct DecodedImage {
    // The PNG written; none when the image was refused, and then why.
    std::optional<std::string> png;
    std::string refusal;
};

// An image being decoded. Dropping it stops the decoder, and its completion never runs.
class ImageDecoding {
public:
    ImageDecoding();
    ~ImageDecoding();
    ImageDecoding(ImageDecoding&&) noexcept;
    ImageDecoding& operator=(ImageDecoding&&) noexcept;

    struct State;
    explicit ImageDecoding(std::shared_ptr<State> state);

private:
    std::shared_ptr<State> m_state;
};

// The image decoder installed with this program (found at the same place beside it in the build tree).
std::string imageDecoderProgram();

// Decodes the image file (PNG, ICO, JPEG, GIF, WebP or SVG) in the decoder, held to `limits`, and writes
// it at `png` as a PNG whose longer side is limits.side. The completion runs once, on a later turn
// of the main loop.
[[nodiscard]] ImageDecoding decodeImageFile(const std::string& image, const std::string& png, const ImageLimits& limits,
    std::function<void(DecodedImage)> completion, const std::string& decoder = imageDecoderProgram());

} // namespace quillane::platform
