#include "platform/files.h"

#include "platform/gtk/gobject_ref.h"

#include <glib.h>
#include <glib/gstdio.h>

namespace quillane::platform {

bool writeTextFileAtomically(const std::string& path, const std::string& text)
{
    return g_file_set_contents_full(path.c_str(), text.data(), static_cast<gssize>(text.size()), G_FILE_SET_CONTENTS_CONSISTENT, 0644, nullptr);
}

std::optional<std::string> readTextFile(const std::string& path)
{
    char* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        return std::nullopt;
    GCharPtr owned(contents);
    if (!g_utf8_validate(contents, static_cast<gssize>(length), nullptr))
        return std::nullopt;
    return std::string(contents, length);
}

bool removeRegularFile(const std::string& path)
{
    if (!g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR) || g_file_test(path.c_str(), G_FILE_TEST_IS_SYMLINK))
        return false;
    return g_unlink(path.c_str()) == 0;
}

} // namespace quillane::platform
