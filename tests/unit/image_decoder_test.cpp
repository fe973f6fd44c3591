// The image decoder, a process of its own held to limits: what it writes, what it refuses and when it
// is stopped. No display needed.
#include "platform/image_files.h"
#include "test_images.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace quillane::platform;
using namespace quillane::testing;

namespace {
constexpr ImageLimits iconLimits {
    .side = 256,
    .largestRaster = 1024,
    .largestFile = 1 << 20,
    .processorSeconds = 3,
    .timeoutSeconds = 6,
    .addressSpace = std::size_t(256) << 20,
};

struct Written {
    int width = 0, height = 0;
    guint8 red = 0, green = 0, blue = 0;
};

class ImageDecoder : public ::testing::Test {
protected:
    ImageDecoder()
    {
        char* made = g_dir_make_tmp("quillane-decoder-test-XXXXXX", nullptr);
        m_folder = made;
        g_free(made);
    }
    ~ImageDecoder() override { std::filesystem::remove_all(m_folder); }

    std::string png() const { return m_folder + "/out.png"; }

    // Decodes the bytes and lets the main loop run until the decoder has answered.
    DecodedImage decode(const std::string& bytes, const ImageLimits& limits = iconLimits, const std::string& decoder = IMAGE_DECODER)
    {
        std::string image = m_folder + "/image";
        std::ofstream(image, std::ios::binary) << bytes;
        std::optional<DecodedImage> outcome;
        auto started = std::chrono::steady_clock::now();
        auto decoding = decodeImageFile(image, png(), limits, [&](DecodedImage decoded) { outcome = std::move(decoded); }, decoder);
        spinUntil([&] { return outcome.has_value(); }, std::chrono::seconds(30));
        took = std::chrono::steady_clock::now() - started;
        return outcome.value_or(DecodedImage { std::nullopt, "no answer" });
    }

    static void spinUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
    {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!condition() && std::chrono::steady_clock::now() < deadline) {
            if (!g_main_context_iteration(nullptr, FALSE))
                g_usleep(1000);
        }
    }

    // The size of the PNG written, and the colour at its centre.
    static Written read(const std::string& path)
    {
        GdkPixbuf* image = gdk_pixbuf_new_from_file(path.c_str(), nullptr);
        if (!image)
            return {};
        Written written { gdk_pixbuf_get_width(image), gdk_pixbuf_get_height(image) };
        const guint8* centre = gdk_pixbuf_read_pixels(image) + (written.height / 2) * gdk_pixbuf_get_rowstride(image)
            + (written.width / 2) * gdk_pixbuf_get_n_channels(image);
        written.red = centre[0];
        written.green = centre[1];
        written.blue = centre[2];
        g_object_unref(image);
        return written;
    }

    // Our own children still alive (not yet reaped) and running the decoder.
    static int runningDecoders()
    {
        int running = 0;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            if (entry.path().filename().string().find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::ifstream in(entry.path() / "stat");
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            auto close = text.rfind(')');
            if (text.find("(image-decoder)") == std::string::npos || close == std::string::npos)
                continue;
            char state = 0;
            int parent = 0;
            if (std::sscanf(text.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == getpid() && state != 'Z')
                ++running;
        }
        return running;
    }

    std::chrono::steady_clock::duration took {};

private:
    std::string m_folder;
};
} // namespace

TEST_F(ImageDecoder, ARasterImageUpToTheLargestSideIsWrittenAtTheSideWantedAndOneLargerIsRefusedFromItsHeader)
{
    auto decoded = decode(solidPng(1024, 512, 30, 110, 220));
    ASSERT_EQ(decoded.png, png()) << decoded.refusal;
    Written written = read(png());
    EXPECT_EQ(std::tuple(written.width, written.height), std::tuple(256, 128));
    EXPECT_EQ(std::tuple(written.red, written.green, written.blue), std::tuple(30, 110, 220));
    std::filesystem::remove(png());

    decoded = decode(solidPng(1, 1025, 0, 0, 0));
    EXPECT_FALSE(decoded.png);
    EXPECT_EQ(decoded.refusal, "it is 1\u00d71025 pixels, more than 1024\u00d71024");
    // A small file whose header claims 30000 × 30000 (2.7 GB decoded) is refused before any pixel.
    decoded = decode(hugePng());
    EXPECT_EQ(decoded.refusal, "it is 30000\u00d730000 pixels, more than 1024\u00d71024");
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_FALSE(std::filesystem::exists(png())) << "nothing written";
}

TEST_F(ImageDecoder, AnSvgIsDrawnAtTheSideWantedWhateverSizeItSays)
{
    auto decoded = decode("<?xml version='1.0'?>\n<svg xmlns='http://www.w3.org/2000/svg' width='30000' height='15000'>"
                          "<rect width='30000' height='15000' fill='rgb(10,200,30)'/></svg>");
    ASSERT_TRUE(decoded.png) << decoded.refusal;
    Written written = read(png());
    EXPECT_EQ(written.width, 256);
    EXPECT_EQ(written.height, 128);
    EXPECT_EQ(std::tuple(written.red, written.green, written.blue), std::tuple(10, 200, 30));
}

TEST_F(ImageDecoder, ASlowSvgIsStoppedAtItsProcessorTimeAndAtItsWallClockTime)
{
    ImageLimits processor = iconLimits;
    processor.processorSeconds = 1;
    processor.timeoutSeconds = 20;
    auto decoded = decode(slowSvg(), processor);
    EXPECT_FALSE(decoded.png);
    // The processor's limit, not the clock's: on a busy machine 1 s of it may take many more.
    EXPECT_EQ(decoded.refusal, "it took more than 1 s of processor time to decode");

    ImageLimits clock = iconLimits;
    clock.processorSeconds = 60;
    clock.timeoutSeconds = 1;
    decoded = decode(slowSvg(), clock);
    EXPECT_FALSE(decoded.png);
    EXPECT_EQ(decoded.refusal, "it took longer than 1 s to decode");
    EXPECT_GE(took, std::chrono::seconds(1));
    // Stopped then, far before its 60 s of processor time.
    EXPECT_LT(took, std::chrono::seconds(10));
    EXPECT_EQ(runningDecoders(), 0);
}

TEST_F(ImageDecoder, DroppingTheDecodingStopsTheDecoderAndItsCompletionNeverRuns)
{
    std::string image = png() + ".svg";
    std::ofstream(image) << slowSvg();
    bool completed = false;
    {
        auto decoding = decodeImageFile(image, png(), iconLimits, [&](DecodedImage) { completed = true; }, IMAGE_DECODER);
        spinUntil([] { return runningDecoders() == 1; }, std::chrono::seconds(5));
        ASSERT_EQ(runningDecoders(), 1);
    }
    spinUntil([] { return runningDecoders() == 0; }, std::chrono::seconds(5));
    EXPECT_EQ(runningDecoders(), 0);
    EXPECT_FALSE(completed);
}

TEST_F(ImageDecoder, WhatIsNoImageOrTooLargeIsRefused)
{
    auto decoded = decode("<html>not an image</html>");
    EXPECT_FALSE(decoded.png);
    EXPECT_EQ(decoded.refusal, "it is not a PNG, ICO, JPEG, GIF, WebP or SVG image");
    decoded = decode(std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'x'));
    EXPECT_FALSE(decoded.png);
    EXPECT_EQ(decoded.refusal.rfind("it is not an image that can be read", 0), 0u) << decoded.refusal;
    ImageLimits small = iconLimits;
    small.largestFile = 100;
    decoded = decode(std::string(101, '<'), small);
    EXPECT_EQ(decoded.refusal, "it is larger than 100 bytes");
    decoded = decode(solidPng(8, 8, 1, 2, 3), iconLimits, "/nonexistent/image-decoder");
    EXPECT_FALSE(decoded.png);
    EXPECT_EQ(decoded.refusal.rfind("the image decoder could not be started", 0), 0u) << decoded.refusal;
}
