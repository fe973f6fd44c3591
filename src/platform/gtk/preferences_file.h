#pragma once
// Private to the platform layer: the preferences file's text, read as far as the store reads and
// written so that the store can read it back.
#include <glib.h>

#include <optional>
#include <string>

namespace quillane::platform {

struct FileStart {
    std::string text;
    // Whether the text is all of the file, not cut at Preferences::largestFile.
    bool whole = true;
};

// The file's first Preferences::largestFile bytes, or nothing when it cannot be opened or read.
std::optional<FileStart> readFileStart(const std::string& path);

// A new key file made of the lines of `contents` that still read: a line cut in the middle, or
// garbage, goes and the rest stays.
GKeyFile* readableLines(const std::string& contents);

// The key file's text as written.
std::string fileText(GKeyFile* file);

} // namespace quillane::platform
