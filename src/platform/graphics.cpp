#include "platform/graphics.h"

#include <glib.h>

#include <string>

namespace quillane::platform {

bool rendersOpenGLInSoftware()
{
    const char* forced = g_getenv("LIBGL_ALWAYS_SOFTWARE");
    if (forced && *forced && std::string(forced) != "0")
        return true;
    GDir* devices = g_dir_open("/dev/dri", 0, nullptr);
    if (!devices)
        return true;
    bool renderNode = false;
    while (const char* name = g_dir_read_name(devices)) {
        if (g_str_has_prefix(name, "renderD"))
            renderNode = true;
    }
    g_dir_close(devices);
    return !renderNode;
}

} // namespace quillane::platform
