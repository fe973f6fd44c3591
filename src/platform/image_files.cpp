#include "platform/image_files.h"

#include "platform/gtk/gobject_ref.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>

namespace quillane::platform {

bool writeImageAsPNG(const std::string& bytes, const std::string& path, int side)
{
    auto loader = GObjectRef<GdkPixbufLoader>::adopt(gdk_pixbuf_loader_new());
    bool read = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), nullptr);
    bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
    GdkPixbuf* image = read && closed ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
    if (!image)
        return false;
    int width = gdk_pixbuf_get_width(image), height = gdk_pixbuf_get_height(image);
    GObjectRef<GdkPixbuf> kept = GObjectRef<GdkPixbuf>::retain(image);
    if (std::max(width, height) != side) {
        double scale = double(side) / std::max(width, height);
        kept = GObjectRef<GdkPixbuf>::adopt(gdk_pixbuf_scale_simple(image, std::max(1, int(width * scale)), std::max(1, int(height * scale)), GDK_INTERP_BILINEAR));
    }
    return kept && gdk_pixbuf_save(kept.get(), path.c_str(), "png", nullptr, nullptr);
}

std::optional<std::string> fromBase64(const std::string& text)
{
    if (text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=") != std::string::npos)
        return std::nullopt;
    gsize length = 0;
    std::unique_ptr<guchar, GLibDeleter<void, g_free>> decoded(g_base64_decode(text.c_str(), &length));
    return std::string(reinterpret_cast<char*>(decoded.get()), length);
}

} // namespace quillane::platform
