#include "platform/files.h"

#include "platform/gtk/gobject_ref.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace quillane::platform {

namespace {
constexpr const char* partialMark = ".quillane-partial-";
// As the kernel: a longer chain of links is a loop.
constexpr int linksFollowed = 40;

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += std::size_t(written);
    }
    return true;
}
} // namespace

std::string folderOf(const std::string& path)
{
    GCharPtr folder(g_path_get_dirname(path.c_str()));
    return static_cast<char*>(folder.get());
}

std::string resolvedPath(const std::string& path)
{
    std::string current = path;
    for (int step = 0; step < linksFollowed; ++step) {
        GCharPtr target(g_file_read_link(current.c_str(), nullptr));
        if (!target)
            return current;
        std::string next = static_cast<char*>(target.get());
        current = g_path_is_absolute(next.c_str()) ? next : folderOf(current) + "/" + next;
    }
    return current;
}

std::optional<std::string> writeBeside(const std::string& target, const std::string& text, int mode, std::string& written)
{
    std::string temporary = target + partialMark + "XXXXXX";
    int fd = g_mkstemp_full(temporary.data(), O_WRONLY | O_CLOEXEC, mode);
    if (fd < 0)
        return std::string(g_strerror(errno));
    bool done = writeAll(fd, text) && fsync(fd) == 0;
    int writeError = errno;
    if (close(fd) != 0 && done) {
        done = false;
        writeError = errno;
    }
    if (!done) {
        g_unlink(temporary.c_str());
        return std::string(g_strerror(writeError));
    }
    written = std::move(temporary);
    return std::nullopt;
}

std::optional<std::string> replaceFileContents(const std::string& path, const std::string& text, int mode)
{
    std::string target = resolvedPath(path);
    if (g_file_test(target.c_str(), G_FILE_TEST_IS_DIR))
        return std::string("it is a folder");
    std::string temporary;
    if (auto failure = writeBeside(target, text, mode, temporary))
        return failure;
    if (g_rename(temporary.c_str(), target.c_str()) != 0) {
        int error = errno;
        g_unlink(temporary.c_str());
        return std::string(g_strerror(error));
    }
    return std::nullopt;
}

bool isPartialWriteOf(const std::string& name, const std::string& fileName)
{
    const std::string prefix = fileName + partialMark;
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + long(prefix.size()), name.end(), [](char c) { return g_ascii_isalnum(c); });
}

bool isRegularFile(const std::string& path)
{
    GStatBuf info;
    return g_stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> readTextFile(const std::string& path)
{
    // Never open a FIFO or a device: reading one could wait for ever.
    if (!isRegularFile(path))
        return std::nullopt;
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

bool removeFileOrLink(const std::string& path)
{
    GStatBuf info;
    if (g_lstat(path.c_str(), &info) != 0 || !(S_ISLNK(info.st_mode) || S_ISREG(info.st_mode)))
        return false;
    return g_unlink(path.c_str()) == 0;
}

bool removeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return !error;
}

std::string makeTemporaryFolder()
{
    GCharPtr folder(g_dir_make_tmp("quillane-XXXXXX", nullptr));
    return folder ? static_cast<char*>(folder.get()) : "";
}

} // namespace quillane::platform
