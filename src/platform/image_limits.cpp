#include "platform/image_limits.h"

#include <algorithm>
#include <cmath>

namespace quillane::platform {

std::optional<ImageSize> decodedSize(ImageKind kind, int width, int height, const ImageLimits& limits)
{
    if (width <= 0 || height <= 0 || limits.side <= 0)
        return std::nullopt;
    if (kind == ImageKind::raster && (width > limits.largestRaster || height > limits.largestRaster))
        return std::nullopt;
    double scale = double(limits.side) / std::max(width, height);
    auto scaled = [scale](int length) { return std::max(1, int(std::lround(length * scale))); };
    return ImageSize { scaled(width), scaled(height) };
}

} // namespace quillane::platform
