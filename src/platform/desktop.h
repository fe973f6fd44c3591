#pragma once
// The desktop the program runs on: the user's folders, desktop entries, and the programs the
// desktop has for links and files.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillane::platform {

// The user's configuration, data and cache folders (the XDG base folders).
struct UserFolders {
    std::string config;
    std::string data;
    std::string cache;
};
UserFolders userFolders();
// The user's Downloads folder (an XDG user folder), else the home folder.
std::string downloadsFolder();
// The user's languages as the locale names them, most wanted first (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG, each also without its territory, codeset and modifier), "C" last.
std::vector<std::string> userLanguageNames();

// A group of a desktop entry after [Desktop Entry] (a "Desktop Action ID"), its keys in order.
struct DesktopEntryGroup {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
};

// The text of a desktop entry: the [Desktop Entry] group's keys, in order, then the other groups.
std::string desktopEntryText(const std::vector<std::pair<std::string, std::string>>& keys, const std::vector<DesktopEntryGroup>& groups = {});
// The value of a key of a desktop entry's [Desktop Entry] group.
std::optional<std::string> desktopEntryValue(const std::string& path, const std::string& key);
// Brings the index of which entries in the folder take which types and link schemes
// (mimeinfo.cache) up to date, as installing an entry with the desktop's own tool does: the desktop
// finds an entry's link schemes only through it. Without that tool (desktop-file-utils), nothing.
void updateDesktopEntryIndex(const std::string& folder);
// The link schemes the desktop entry that the system finds for the application id claims
// ("x-scheme-handler/quillane" gives "quillane"); empty when no entry is installed.
std::vector<std::string> urlSchemesOfDesktopEntry(const std::string& applicationId);

// Hands a link to the program the desktop has for its scheme (the default browser for http); false,
// with a line on standard error, when none took it.
bool openWithDefaultApplication(const std::string& uri);
// Opens a file with the program the desktop has for its type; false, with a line on standard error,
// when there is none.
bool openFile(const std::string& path);
// Shows the file in the desktop's file manager, chosen in its folder; else opens the folder; else
// calls `notShown`.
void showInFolder(const std::string& path, std::function<void()> notShown);
// The name of the program the desktop has for the file's type; none when it has none.
std::optional<std::string> programForFile(const std::string& path);
// The name of the program the desktop has for links of a scheme ("mailto"); none when it has none.
std::optional<std::string> defaultApplicationName(const std::string& scheme);
// Starts this program once more, with these arguments; false when it could not be started.
bool startThisProgram(const std::vector<std::string>& arguments);

} // namespace quillane::platform
