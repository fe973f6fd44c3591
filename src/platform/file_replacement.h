#pragma once
// Files that are replaced together or not at all. Each new file is written in full beside the one it
// replaces (a temporary file of ours, see isPartialWriteOf) before any is put in place; then each is
// renamed over its old one. When one cannot be put in place, those put in place before it get their
// old files back, so that what was there stays whole. A symbolic link is replaced, not followed.
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class FileReplacement {
public:
    FileReplacement() = default;
    // New files never put in place are removed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The text as the new file at `path` (its folder must exist); nothing when it was written in
    // full, else what went wrong.
    std::optional<std::string> write(const std::string& path, const std::string& text, int mode);
    // A copy of the regular file at `source` as the new file at `path`.
    std::optional<std::string> copy(const std::string& path, const std::string& source, int mode);
    // Puts every new file in place, in the order they were given; nothing when all are, else what
    // went wrong, with every file as it was before.
    std::optional<std::string> commit();

private:
    struct File {
        std::string path;
        std::string written;
        // The old file, kept aside under a name of its own until all are in place.
        std::string kept;
        bool placed = false;
    };
    void putBack();

    std::vector<File> m_files;
};

} // namespace quillane::platform
