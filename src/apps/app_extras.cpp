#include "apps/app_extras.h"

#include "names.h"
#include "platform/desktop.h"
#include "platform/file_replacement.h"
#include "platform/preferences.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace quillane {

namespace {
// An application's name holds no ".", so no other application's icons begin so.
std::string shortcutIconPrefix(const AppIdentity& identity)
{
    return identity.iconName + ".shortcut-";
}

std::string shortcutIconFolder(const std::string& dataFolder = platform::userFolders().data)
{
    std::string side = std::to_string(shortcutIconSide);
    return dataFolder + "/icons/hicolor/" + side + "x" + side + "/apps";
}
} // namespace

StagedShortcuts stageShortcutIcons(const AppIdentity& identity, const std::vector<AppExtras::Shortcut>& shortcuts, platform::FileReplacement& files)
{
    StagedShortcuts staged;
    std::string folder = shortcutIconFolder();
    for (std::size_t index = 0; index < shortcuts.size(); ++index) {
        EntryShortcut shortcut { shortcuts[index].name, shortcuts[index].address, std::nullopt };
        std::string icon = shortcutIconPrefix(identity) + std::to_string(index + 1);
        std::string file = folder + "/" + icon + ".png";
        std::error_code error;
        if (shortcuts[index].iconPng) {
            std::filesystem::create_directories(folder, error);
            if (!files.copy(file, *shortcuts[index].iconPng, 0644)) {
                shortcut.iconName = icon;
                staged.iconFiles.push_back(file);
            }
        }
        staged.shortcuts.push_back(std::move(shortcut));
    }
    return staged;
}

std::vector<std::string> shortcutIconPaths(const AppIdentity& identity, const std::string& dataFolder)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(shortcutIconFolder(dataFolder), error)) {
        if (file.path().filename().string().rfind(shortcutIconPrefix(identity), 0) == 0)
            found.push_back(file.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool rememberColours(platform::Preferences& preferences, const AppExtras& extras)
{
    auto remember = [&](const char* key, const std::optional<platform::Colour>& colour) {
        return colour ? preferences.setText(key, cssText(*colour)) : preferences.remove(key);
    };
    bool theme = remember(keys::themeColour, extras.themeColour);
    return remember(keys::backgroundColour, extras.backgroundColour) && theme;
}

std::string cssText(const platform::Colour& colour)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text = "#";
    for (double component : { colour.red, colour.green, colour.blue }) {
        int value = static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255));
        text += digits[value >> 4];
        text += digits[value & 0xf];
    }
    return text;
}

} // namespace quillane
