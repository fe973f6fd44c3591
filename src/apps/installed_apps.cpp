#include "apps/installed_apps.h"

#include "apps/app_desktop_entry.h"
#include "apps/app_names.h"
#include "names.h"
#include "platform/file_replacement.h"
#include "platform/files.h"
#include "platform/preferences.h"
#include "platform/desktop.h"

#include <algorithm>
#include <filesystem>

namespace quillane {

namespace {
constexpr const char* appKey = "X-Quillane-App";

// The desktop's index of which entries take which link schemes: brought up to date where the folder
// has one, or where the entry takes schemes and needs one to be found by them.
void reindexEntries(const std::string& folder, bool takesSchemes)
{
    std::error_code error;
    if (takesSchemes || std::filesystem::exists(folder + "/mimeinfo.cache", error))
        platform::updateDesktopEntryIndex(folder);
}

std::string entryPath(const AppIdentity& identity, const platform::UserFolders& folders = platform::userFolders())
{
    return folders.data + "/applications/" + identity.desktopEntryName;
}

// Where an icon of ours is installed: the size it is made at.
std::string iconPath(const AppIdentity& identity)
{
    return platform::userFolders().data + "/icons/hicolor/256x256/apps/" + identity.iconName + ".png";
}

std::vector<std::string> iconPaths(const AppIdentity& identity, const platform::UserFolders& folders = platform::userFolders())
{
    std::vector<std::string> found;
    std::error_code error;
    std::string hicolor = folders.data + "/icons/hicolor";
    for (const auto& size : std::filesystem::directory_iterator(hicolor, error)) {
        for (const char* ending : { ".png", ".svg" }) {
            std::string path = size.path().string() + "/apps/" + identity.iconName + ending;
            auto status = std::filesystem::symlink_status(path, error);
            if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status))
                found.push_back(path);
        }
    }
    auto shortcuts = shortcutIconPaths(identity, folders.data);
    found.insert(found.end(), shortcuts.begin(), shortcuts.end());
    return found;
}
} // namespace

bool isInstalled(const std::string& name)
{
    return isInstalled(name, platform::userFolders());
}

bool isInstalled(const std::string& name, const platform::UserFolders& folders)
{
    auto identity = appIdentity(name);
    return identity && platform::desktopEntryValue(entryPath(*identity, folders), appKey) == name;
}

std::optional<std::string> installedEntryValue(const std::string& name, const std::string& key)
{
    auto identity = appIdentity(name);
    if (!identity || !isInstalled(name))
        return std::nullopt;
    return platform::desktopEntryValue(entryPath(*identity), key);
}

std::optional<std::string> installApp(const std::string& name, const std::string& address, const std::optional<std::string>& iconPng,
    const std::string& title, const AppExtras& extras, Existing existing)
{
    auto identity = appIdentity(name);
    if (!identity)
        return notAnAppName(name);
    std::string entry = entryPath(*identity);
    std::error_code error;
    // Only an application of ours is replaced, never another program's entry of that name.
    if (std::filesystem::exists(entry, error) && !(existing == Existing::replace && isInstalled(name)))
        return "an application named \u201c" + name + "\u201d is installed already";

    // Everything new is written in full beside what it replaces before anything is replaced.
    platform::FileReplacement files;
    std::string icon = names::applicationId;
    std::string iconFile = iconPath(*identity);
    if (iconPng) {
        std::filesystem::create_directories(platform::folderOf(iconFile), error);
        if (auto failure = files.copy(iconFile, *iconPng, 0644))
            return "the icon could not be copied (" + *failure + ")";
        icon = identity->iconName;
    }
    std::vector<std::pair<std::string, std::string>> keys {
        { "Type", "Application" },
        { "Name", title.empty() ? name : title },
        { "Comment", "A web application in Quillane" },
        { "Exec", std::string(names::programName) + " --app " + name },
        { "Icon", icon },
        { "StartupWMClass", identity->windowClass },
        { "Categories", "Network;" },
        { "Terminal", "false" },
        { appKey, name },
    };
    std::vector<platform::DesktopEntryGroup> groups;
    StagedShortcuts shortcuts = stageShortcutIcons(*identity, extras.shortcuts, files);
    addLinks(name, shortcuts.shortcuts, extras.protocolHandlers, keys, groups);
    std::filesystem::create_directories(platform::folderOf(entry), error);
    if (auto failure = files.write(entry, platform::desktopEntryText(keys, groups), 0644))
        return *failure;
    platform::Preferences preferences(identity->folderUnder(platform::userFolders().config));
    // What the installed application kept, given back if the new one cannot be put in place.
    std::vector<std::pair<const char*, std::optional<std::string>>> previous;
    for (const char* key : { keys::address, keys::themeColour, keys::backgroundColour, keys::scope })
        previous.emplace_back(key, preferences.text(key));
    // A scope left from an earlier install of the name is not this one's.
    bool scopeKept = extras.scope ? preferences.setText(keys::scope, *extras.scope) : preferences.remove(keys::scope);
    if (!preferences.setText(keys::address, address) || !rememberColours(preferences, extras) || !scopeKept || !preferences.flush())
        return std::string("could not remember the address in ") + preferences.path();
    if (auto failure = files.commit()) {
        for (const auto& [key, value] : previous) {
            if (value)
                preferences.setText(key, *value);
            else if (std::string(key) != keys::address)
                preferences.remove(key);
        }
        return *failure;
    }
    reindexEntries(platform::folderOf(entry), !extras.protocolHandlers.empty());
    // The old application's icons that the new one does not use.
    std::vector<std::string> kept = shortcuts.iconFiles;
    if (iconPng)
        kept.push_back(iconFile);
    for (const auto& path : iconPaths(*identity)) {
        if (std::find(kept.begin(), kept.end(), path) == kept.end())
            platform::removeFileOrLink(path);
    }
    return std::nullopt;
}

std::vector<std::string> uninstallApp(const std::string& name, bool purge)
{
    return uninstallApp(name, purge, platform::userFolders());
}

std::vector<std::string> uninstallApp(const std::string& name, bool purge, const platform::UserFolders& folders)
{
    std::vector<std::string> removed;
    auto identity = appIdentity(name);
    if (!identity)
        return removed;
    if (isInstalled(name, folders)) {
        std::vector<std::string> files = iconPaths(*identity, folders);
        files.insert(files.begin(), entryPath(*identity, folders));
        for (const auto& file : files) {
            if (platform::removeFileOrLink(file))
                removed.push_back(file);
        }
        reindexEntries(platform::folderOf(files.front()), false);
    }
    // The data of a name whose entry has gone already goes too: nothing else would ever remove it.
    if (!purge)
        return removed;
    for (const auto& base : { folders.config, folders.data, folders.cache }) {
        std::string folder = identity->folderUnder(base);
        std::error_code error;
        if (std::filesystem::exists(folder, error) && platform::removeFolder(folder))
            removed.push_back(folder);
    }
    return removed;
}

std::vector<InstalledApp> installedApps()
{
    std::vector<InstalledApp> apps;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(platform::userFolders().data + "/applications", error)) {
        auto name = platform::desktopEntryValue(file.path().string(), appKey);
        auto identity = name ? appIdentity(*name) : std::nullopt;
        if (!identity || file.path().filename() != identity->desktopEntryName)
            continue;
        platform::Preferences preferences(identity->folderUnder(platform::userFolders().config));
        apps.push_back({ *name, preferences.text(keys::address).value_or("") });
    }
    std::sort(apps.begin(), apps.end(), [](const InstalledApp& a, const InstalledApp& b) { return a.name < b.name; });
    return apps;
}

} // namespace quillane
