#include "platform/file_replacement.h"

#include "platform/files.h"
#include "platform/gtk/gobject_ref.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace quillane::platform {

namespace {
bool exists(const std::string& path)
{
    GStatBuf info;
    return g_lstat(path.c_str(), &info) == 0;
}

bool isFolder(const std::string& path)
{
    GStatBuf info;
    return g_lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A name of our own beside `path` for its old file, which stays at `path` too until it is replaced
// (a second link to it); else moved there. Empty when neither could be done.
std::string keepAside(const std::string& path)
{
    std::string kept;
    if (writeBeside(path, "", 0600, kept))
        return "";
    g_unlink(kept.c_str());
    if (link(path.c_str(), kept.c_str()) == 0 || g_rename(path.c_str(), kept.c_str()) == 0)
        return kept;
    return "";
}
} // namespace

FileReplacement::~FileReplacement()
{
    for (const auto& file : m_files) {
        if (!file.placed)
            g_unlink(file.written.c_str());
        if (!file.kept.empty() && exists(file.path))
            g_unlink(file.kept.c_str());
    }
}

std::optional<std::string> FileReplacement::write(const std::string& path, const std::string& text, int mode)
{
    if (isFolder(path))
        return "could not write " + path + ": a folder is there";
    std::string written;
    if (auto failure = writeBeside(path, text, mode, written))
        return "could not write " + path + ": " + *failure;
    m_files.push_back({ path, written, "", false });
    return std::nullopt;
}

std::optional<std::string> FileReplacement::copy(const std::string& path, const std::string& source, int mode)
{
    // Never a FIFO or a device, which could keep the read waiting.
    if (!isRegularFile(source))
        return "could not read " + source + ": it is not a file";
    char* contents = nullptr;
    gsize length = 0;
    ErrorOut error;
    if (!g_file_get_contents(source.c_str(), &contents, &length, error.out()))
        return std::string("could not read ") + source + ": " + error.message();
    GCharPtr owned(contents);
    return write(path, std::string(contents, length), mode);
}

std::optional<std::string> FileReplacement::commit()
{
    for (auto& file : m_files) {
        // A folder is never ours to replace (it may have come since the file was written).
        if (isFolder(file.path)) {
            putBack();
            return "could not put " + file.path + " in place: a folder is there";
        }
        if (exists(file.path)) {
            file.kept = keepAside(file.path);
            if (file.kept.empty()) {
                int error = errno;
                putBack();
                return "could not keep the old " + file.path + " aside: " + g_strerror(error);
            }
        }
        if (g_rename(file.written.c_str(), file.path.c_str()) != 0) {
            int error = errno;
            putBack();
            return "could not put " + file.path + " in place: " + g_strerror(error);
        }
        file.placed = true;
    }
    return std::nullopt;
}

void FileReplacement::putBack()
{
    for (auto& file : m_files) {
        if (file.placed) {
            if (file.kept.empty())
                g_unlink(file.path.c_str());
            else
                g_rename(file.kept.c_str(), file.path.c_str());
            file.placed = false;
        } else if (!file.kept.empty() && !exists(file.path)) {
            // Moved aside rather than linked: it goes back.
            g_rename(file.kept.c_str(), file.path.c_str());
        }
        if (!file.kept.empty() && exists(file.kept) && exists(file.path))
            g_unlink(file.kept.c_str());
        file.kept.clear();
    }
}

} // namespace quillane::platform
