// The image decoder: a small program of its own, started once for each image the program takes from
// a page, so that a hostile image costs this process (held by the resource limits and the time-out
// its parent sets) and never the interface.
//   image-decoder SIDE LARGEST_RASTER LARGEST_FILE
// reads the image on standard input and writes it on standard output as a PNG whose longer side is
// SIDE pixels. A refusal is one line on standard error and exit status 1.
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/signal.h"
#include "platform/image_limits.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

using namespace quillane::platform;

namespace {
constexpr int refusedStatus = 1;
constexpr int misusedStatus = 2;

struct Format {
    const char* loader;
    ImageKind kind;
};

// Chosen from the first bytes, so that only the loaders of the formats icons come in ever see the
// bytes (gdk-pixbuf would also try TGA, XPM, ANI and others on anything).
std::optional<Format> formatOf(std::string_view bytes)
{
    auto has = [bytes](std::string_view magic, std::size_t at = 0) { return bytes.size() >= at + magic.size() && bytes.substr(at, magic.size()) == magic; };
    if (has("\x89PNG\r\n\x1a\n"))
        return Format { "png", ImageKind::raster };
    if (has("\xff\xd8\xff"))
        return Format { "jpeg", ImageKind::raster };
    if (has("GIF87a") || has("GIF89a"))
        return Format { "gif", ImageKind::raster };
    if (has(std::string_view("\0\0\1\0", 4)))
        return Format { "ico", ImageKind::raster };
    if (has("RIFF") && has("WEBP", 8))
        return Format { "webp", ImageKind::raster };
    std::size_t start = bytes.find_first_not_of(" \t\r\n", has("\xef\xbb\xbf") ? 3 : 0);
    if (start != std::string_view::npos && bytes[start] == '<' && bytes.substr(0, 4096).find("<svg") != std::string_view::npos)
        return Format { "svg", ImageKind::vector };
    return std::nullopt;
}

class Decoding {
public:
    Decoding(GdkPixbufLoader* loader, Format format, const ImageLimits& limits)
        : m_loader(GObjectRef<GdkPixbufLoader>::adopt(loader))
        , m_format(format)
        , m_limits(limits)
    {
        m_sizePrepared = connect<&Decoding::onSizePrepared>(loader, "size-prepared", this);
    }

    // The PNG, or none with the refusal said.
    std::optional<std::string> run(std::string_view bytes, std::string& refusal)
    {
        constexpr std::size_t chunk = 4096;
        ErrorOut writing;
        bool written = true;
        for (std::size_t at = 0; at < bytes.size() && written && m_refusal.empty(); at += chunk) {
            auto part = bytes.substr(at, chunk);
            written = gdk_pixbuf_loader_write(m_loader.get(), reinterpret_cast<const guchar*>(part.data()), part.size(), writing.out());
        }
        ErrorOut closing;
        bool closed = gdk_pixbuf_loader_close(m_loader.get(), closing.out());
        GdkPixbuf* image = written && closed && m_refusal.empty() ? gdk_pixbuf_loader_get_pixbuf(m_loader.get()) : nullptr;
        // The header's size decides; a loader that gave none is held to the same rule by what it made.
        auto size = image ? (m_size ? m_size : decodedSize(m_format.kind, gdk_pixbuf_get_width(image), gdk_pixbuf_get_height(image), m_limits)) : std::nullopt;
        if (!size) {
            const char* why = writing ? writing.message() : closing ? closing.message() : "it holds no picture";
            refusal = !m_refusal.empty() ? m_refusal : std::string("it is not an image that can be read: ") + why;
            return std::nullopt;
        }
        auto scaled = GObjectRef<GdkPixbuf>::retain(image);
        if (gdk_pixbuf_get_width(image) != size->width || gdk_pixbuf_get_height(image) != size->height)
            scaled = GObjectRef<GdkPixbuf>::adopt(gdk_pixbuf_scale_simple(image, size->width, size->height, GDK_INTERP_BILINEAR));
        gchar* buffer = nullptr;
        gsize length = 0;
        if (!scaled || !gdk_pixbuf_save_to_buffer(scaled.get(), &buffer, &length, "png", nullptr, nullptr)) {
            refusal = "it could not be made into a PNG";
            return std::nullopt;
        }
        GCharPtr owned(buffer);
        return std::string(buffer, length);
    }

private:
    void onSizePrepared(GdkPixbufLoader* loader, gint width, gint height)
    {
        m_size = decodedSize(m_format.kind, width, height, m_limits);
        if (!m_size) {
            std::string largest = std::to_string(m_limits.largestRaster);
            m_refusal = "it is " + std::to_string(width) + "\u00d7" + std::to_string(height) + " pixels, more than " + largest + "\u00d7" + largest;
            // A size of nothing asks the loader to stop before it allocates or decodes any pixel.
            gdk_pixbuf_loader_set_size(loader, 0, 0);
            return;
        }
        // A vector image is drawn at the size wanted; a raster image is decoded as it is, then scaled.
        if (m_format.kind == ImageKind::vector)
            gdk_pixbuf_loader_set_size(loader, m_size->width, m_size->height);
    }

    GObjectRef<GdkPixbufLoader> m_loader;
    Format m_format;
    ImageLimits m_limits;
    std::optional<ImageSize> m_size;
    std::string m_refusal;
    SignalConnection m_sizePrepared;
};

int refuse(const std::string& why)
{
    std::fprintf(stderr, "%s\n", why.c_str());
    return refusedStatus;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

int decode(const ImageLimits& limits)
{
    std::string bytes;
    char buffer[65536];
    for (ssize_t count; bytes.size() <= limits.largestFile && (count = read(STDIN_FILENO, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, std::size_t(count));
    if (bytes.size() > limits.largestFile)
        return refuse("it is larger than " + std::to_string(limits.largestFile) + " bytes");
    auto format = formatOf(bytes);
    if (!format)
        return refuse("it is not a PNG, ICO, JPEG, GIF, WebP or SVG image");
    ErrorOut error;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(format->loader, error.out());
    if (!loader)
        return refuse(std::string("its format cannot be read here: ") + error.message());
    Decoding decoding(loader, *format, limits);
    std::string refusal;
    auto png = decoding.run(bytes, refusal);
    if (!png)
        return refuse(refusal);
    return writeAll(STDOUT_FILENO, *png) ? 0 : refuse("the PNG could not be written");
}
} // namespace

int main(int argc, char** argv)
{
    ImageLimits limits;
    if (argc == 4) {
        limits.side = std::atoi(argv[1]);
        limits.largestRaster = std::atoi(argv[2]);
        limits.largestFile = std::strtoull(argv[3], nullptr, 10);
    }
    if (limits.side <= 0 || limits.largestRaster <= 0 || limits.largestFile == 0) {
        std::fputs("usage: image-decoder SIDE LARGEST_RASTER LARGEST_FILE (the image on standard input, the PNG on standard output)\n", stderr);
        return misusedStatus;
    }
    int status = decode(limits);
    std::fflush(stderr);
    // A one-shot process leaves nothing to tidy; ending without exit handlers also keeps a leak
    // checker's own exit status (in sanitizer builds) from standing for ours.
    std::_Exit(status);
}
