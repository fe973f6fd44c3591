#pragma once
// What decoding an image taken from outside may cost, and the size it is decoded at. No toolkit
// here: the decoder program and the tests use it as it is.
#include <cstddef>
#include <optional>

namespace quillane::platform {

struct ImageLimits {
    // The longer side of the PNG written, in pixels.
    int side = 0;
    // A raster image (PNG, ICO, JPEG, GIF, WebP) whose header gives a longer side is refused before
    // any pixel of it is decoded. A vector image (SVG) of any size is rendered at `side`.
    int largestRaster = 0;
    // The most bytes of the image file read.
    std::size_t largestFile = 0;
    // Processor time and wall-clock time the decoder may take, and the address space it may map.
    int processorSeconds = 0;
    double timeoutSeconds = 0;
    std::size_t addressSpace = 0;
};

enum class ImageKind { raster, vector };

struct ImageSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// The size an image whose header says width × height is decoded at: its longer side made `side`,
// the other in proportion (at least 1). None when it is refused: an empty size, or a raster image
// with a side over `largestRaster`.
std::optional<ImageSize> decodedSize(ImageKind kind, int width, int height, const ImageLimits& limits);

} // namespace quillane::platform
