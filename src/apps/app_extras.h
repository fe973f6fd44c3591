#pragma once
// What an application installed from a page keeps of its manifest besides its name and icon: its
// shortcuts (their icons in the icon theme beside the application's), the links it handles, and its
// colours (in its preferences).
#include "apps/app_desktop_entry.h"
#include "apps/app_names.h"
#include "apps/web_app_manifest.h"
#include "platform/colour.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane {

namespace platform {
class FileReplacement;
class Preferences;
}

// Shortcuts' icons are made this many pixels a side: a menu shows them small.
inline constexpr int shortcutIconSide = 96;

struct AppExtras {
    struct Shortcut {
        std::string name;
        std::string address;
        // A PNG file already made.
        std::optional<std::string> iconPng;
    };
    std::vector<Shortcut> shortcuts;
    std::vector<ProtocolHandler> protocolHandlers;
    std::optional<platform::Colour> themeColour;
    std::optional<platform::Colour> backgroundColour;
    // The manifest's scope: the addresses the application holds as its own.
    std::optional<std::string> scope;
};

// Adds the shortcuts' icons to the files replaced with the application's; the shortcuts as the entry
// names them (without an icon where there was none, or it could not be copied), and the icon files.
struct StagedShortcuts {
    std::vector<EntryShortcut> shortcuts;
    std::vector<std::string> iconFiles;
};
StagedShortcuts stageShortcutIcons(const AppIdentity& identity, const std::vector<AppExtras::Shortcut>& shortcuts, platform::FileReplacement& files);
// The shortcuts' icons installed under the user's data folder, for removing them.
std::vector<std::string> shortcutIconPaths(const AppIdentity& identity, const std::string& dataFolder);

// Keeps the colours in the application's preferences; a colour the manifest no longer gives goes.
// Whether they were kept.
bool rememberColours(platform::Preferences& preferences, const AppExtras& extras);
// A colour as "#rrggbb" (components outside 0 to 1 taken as the nearer end).
std::string cssText(const platform::Colour& colour);

} // namespace quillane
