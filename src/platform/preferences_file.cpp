#include "platform/gtk/preferences_file.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/preferences.h"

#include <glib/gstdio.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace quillane::platform {

namespace {
// A map at its fullest takes up to longestMapLine bytes: three of them (the program keeps three
// per-site maps) and a megabyte of anything else fit in what is read, so that the store's own writes
// are always read back whole.
constexpr std::size_t largestFile = Preferences::largestFile;
// An entry at its longest: a key of control characters, each stored as "\\u0001" (GVariant's escape,
// its backslash doubled by the key file), quotes, separators and the longest number,
// "-2.2250738585072014e-308".
constexpr std::size_t longestEntry = 7 * Preferences::longestKey + 6 + 24;
constexpr std::size_t longestMapLine = Preferences::mostEntries * longestEntry + 100;
static_assert(3 * longestMapLine + (1 << 20) <= largestFile);
} // namespace

std::optional<FileStart> readFileStart(const std::string& path)
{
    // Never blocks, should the file turn out to be a FIFO after all.
    int fd = g_open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
    if (fd < 0)
        return std::nullopt;
    FileStart start;
    char buffer[65536];
    while (start.text.size() <= largestFile) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        start.text.append(buffer, std::size_t(got));
    }
    close(fd);
    if (start.text.size() > largestFile) {
        start.text.resize(largestFile);
        start.whole = false;
    }
    return start;
}

// Each line is tried on its own under the group it stands in.
GKeyFile* readableLines(const std::string& contents)
{
    std::string kept;
    std::string group;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        std::string line = contents.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? contents.size() : end + 1;
        bool header = !line.empty() && line.front() == '[';
        std::string trial = header ? line : group + "\n" + line;
        GKeyFilePtr parsed(g_key_file_new());
        if (!g_key_file_load_from_data(parsed.get(), trial.data(), trial.size(), G_KEY_FILE_KEEP_COMMENTS, nullptr))
            continue;
        kept += line + "\n";
        if (header)
            group = line;
    }
    GKeyFile* file = g_key_file_new();
    g_key_file_load_from_data(file, kept.data(), kept.size(), G_KEY_FILE_KEEP_COMMENTS, nullptr);
    return file;
}

// A text past the read limit has its shortest values first, so that what a later read cannot reach
// is the largest values, not the newest change (appended last) or the small ones.
std::string fileText(GKeyFile* file)
{
    gsize length = 0;
    GCharPtr data(g_key_file_to_data(file, &length, nullptr));
    if (length <= largestFile)
        return std::string(static_cast<char*>(data.get()), length);
    GKeyFilePtr sorted(g_key_file_new());
    GStrvPtr groups(g_key_file_get_groups(file, nullptr));
    for (char** group = groups.get(); *group; ++group) {
        GStrvPtr keys(g_key_file_get_keys(file, *group, nullptr, nullptr));
        std::vector<std::pair<std::string, std::string>> values;
        for (char** key = keys.get(); key && *key; ++key) {
            GCharPtr value(g_key_file_get_value(file, *group, *key, nullptr));
            values.emplace_back(*key, value ? static_cast<char*>(value.get()) : "");
        }
        std::stable_sort(values.begin(), values.end(), [](const auto& one, const auto& other) { return one.second.size() < other.second.size(); });
        for (const auto& [key, value] : values)
            g_key_file_set_value(sorted.get(), *group, key.c_str(), value.c_str());
    }
    data.reset(g_key_file_to_data(sorted.get(), &length, nullptr));
    return std::string(static_cast<char*>(data.get()), length);
}

} // namespace quillane::platform
