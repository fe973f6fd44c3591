#pragma once
// Small file operations of the program's own.
#include <optional>
#include <string>

namespace quillane::platform {

// The folder a path lies in.
std::string folderOf(const std::string& path);

// The file a path names, with symbolic links followed (to a target that need not exist yet).
std::string resolvedPath(const std::string& path);

// Replaces the file with the text as one step: afterwards either the whole new text is there or the
// old state is left. A symbolic link stays and its target is replaced. The text goes first into a
// temporary file of ours beside the target (see isPartialWriteOf). Nothing when all went well,
// else what went wrong.
std::optional<std::string> replaceFileContents(const std::string& path, const std::string& text, int mode);

// Writes the text, synced to the disk, into a new temporary file of ours beside `target` (see
// isPartialWriteOf) and sets `written` to its path; nothing when all went well, else what went wrong.
std::optional<std::string> writeBeside(const std::string& target, const std::string& text, int mode, std::string& written);

// Whether a file name is that of a temporary file replaceFileContents left beside `fileName` (a write
// cut short): "<fileName>.quillane-partial-" and six letters or digits.
bool isPartialWriteOf(const std::string& name, const std::string& fileName);

// Whether the path names a regular file (after links); FIFOs, devices and folders are not.
bool isRegularFile(const std::string& path);

// The file's text, when it is a regular file that can be read and is UTF-8.
std::optional<std::string> readTextFile(const std::string& path);
// Removes a regular file (never a folder); false when nothing was removed.
bool removeRegularFile(const std::string& path);
// Removes a regular file, or a symbolic link itself (never what it points to); false when nothing
// was removed.
bool removeFileOrLink(const std::string& path);
// Removes a folder and everything in it, never following a link out of it; false when something stayed.
bool removeFolder(const std::string& path);
// A new folder of the program's own in the temporary folder; empty when none could be made.
std::string makeTemporaryFolder();

} // namespace quillane::platform
