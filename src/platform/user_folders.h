#pragma once
// The user's folders, as the XDG base directories name them.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillane::platform {

struct UserFolders {
    std::string config;
    std::string data;
    std::string cache;
};
UserFolders userFolders();

// Writes a desktop entry (the [Desktop Entry] group's keys, in order) in one step; nothing when
// it was written, else what went wrong.
std::optional<std::string> writeDesktopEntry(const std::string& path, const std::vector<std::pair<std::string, std::string>>& keys);
// The value of a key of a desktop entry's [Desktop Entry] group.
std::optional<std::string> desktopEntryValue(const std::string& path, const std::string& key);

// A new folder of the program's own in the temporary folder; empty when none could be made.
std::string makeTemporaryFolder();

// Starts this program once more, with these arguments; false when it could not be started.
bool startThisProgram(const std::vector<std::string>& arguments);

// Removes a folder and everything in it; false when something stayed.
bool removeFolder(const std::string& path);

} // namespace quillane::platform
