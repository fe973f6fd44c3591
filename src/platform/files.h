#pragma once
// Small file operations of the program's own.
#include <optional>
#include <string>

namespace quillane::platform {

// Replaces the file with the text as one step: afterwards either the whole new text is there or the
// old state is left. False when the file could not be written.
bool writeTextFileAtomically(const std::string& path, const std::string& text);
// The file's text, when it can be read and is UTF-8.
std::optional<std::string> readTextFile(const std::string& path);
// Removes a regular file (never a folder); false when nothing was removed.
bool removeRegularFile(const std::string& path);

} // namespace quillane::platform
