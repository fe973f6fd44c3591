// The size an image taken from a page is decoded at, and the raster images refused from their header.
#include "platform/image_limits.h"

#include <gtest/gtest.h>

using quillane::platform::decodedSize;
using quillane::platform::ImageKind;
using quillane::platform::ImageLimits;
using quillane::platform::ImageSize;

namespace {
constexpr ImageLimits limits { .side = 256, .largestRaster = 1024 };
} // namespace

TEST(ImageLimits, ARasterImageUpToTheLargestSideIsDecodedWithItsLongerSideMadeTheSideWanted)
{
    EXPECT_EQ(decodedSize(ImageKind::raster, 1024, 1024, limits), (ImageSize { 256, 256 }));
    EXPECT_EQ(decodedSize(ImageKind::raster, 1024, 512, limits), (ImageSize { 256, 128 }));
    EXPECT_EQ(decodedSize(ImageKind::raster, 512, 1024, limits), (ImageSize { 128, 256 }));
    EXPECT_EQ(decodedSize(ImageKind::raster, 1024, 1, limits), (ImageSize { 256, 1 })) << "never thinner than a pixel";
    EXPECT_EQ(decodedSize(ImageKind::raster, 1, 1024, limits), (ImageSize { 1, 256 }));
    EXPECT_EQ(decodedSize(ImageKind::raster, 96, 96, limits), (ImageSize { 256, 256 })) << "a small icon is scaled up";
    EXPECT_EQ(decodedSize(ImageKind::raster, 100, 30, limits), (ImageSize { 256, 77 }));
}

TEST(ImageLimits, ARasterImageOneOverTheLargestSideEitherWayIsRefused)
{
    EXPECT_FALSE(decodedSize(ImageKind::raster, 1025, 1024, limits));
    EXPECT_FALSE(decodedSize(ImageKind::raster, 1024, 1025, limits));
    EXPECT_FALSE(decodedSize(ImageKind::raster, 1025, 1, limits));
    EXPECT_FALSE(decodedSize(ImageKind::raster, 1, 1025, limits));
    EXPECT_FALSE(decodedSize(ImageKind::raster, 30000, 30000, limits));
    EXPECT_FALSE(decodedSize(ImageKind::raster, 2147483647, 1, limits));
}

TEST(ImageLimits, AVectorImageOfAnySizeIsDrawnAtTheSideWanted)
{
    EXPECT_EQ(decodedSize(ImageKind::vector, 30000, 30000, limits), (ImageSize { 256, 256 }));
    EXPECT_EQ(decodedSize(ImageKind::vector, 30000, 15000, limits), (ImageSize { 256, 128 }));
    EXPECT_EQ(decodedSize(ImageKind::vector, 1025, 1025, limits), (ImageSize { 256, 256 }));
    EXPECT_EQ(decodedSize(ImageKind::vector, 16, 16, limits), (ImageSize { 256, 256 }));
}

TEST(ImageLimits, AnEmptyImageOrNoSideWantedIsRefused)
{
    for (auto kind : { ImageKind::raster, ImageKind::vector }) {
        EXPECT_FALSE(decodedSize(kind, 0, 10, limits));
        EXPECT_FALSE(decodedSize(kind, 10, 0, limits));
        EXPECT_FALSE(decodedSize(kind, -5, 10, limits));
        EXPECT_FALSE(decodedSize(kind, 10, 10, ImageLimits { .side = 0, .largestRaster = 1024 }));
    }
}
