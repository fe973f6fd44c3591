#pragma once
// Applications of their own: a desktop entry (and an icon) under the user's data folder that starts
// `quillane --app NAME`, with the application's page (and the scope it holds as its own) remembered
// in its own preferences.
#include "apps/app_extras.h"
#include "platform/desktop.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane {

struct InstalledApp {
    std::string name;
    std::string address;
};

// What becomes of an application of ours already installed under the name.
enum class Existing { refuse, replace };

// Installs NAME on the address (already checked by the address rules); the icon, when given, is a
// PNG file already made. `title` is what people see of it (NAME when empty); `extras`, what else it
// keeps of a manifest. An application already there is refused, or replaced whole: its entry and
// icons stay as they were until the new ones are complete, and on any failure. Nothing when it was
// installed, else what went wrong.
std::optional<std::string> installApp(const std::string& name, const std::string& address, const std::optional<std::string>& iconPng = std::nullopt,
    const std::string& title = "", const AppExtras& extras = {}, Existing existing = Existing::refuse);
// Removes the entry and the icons, and with `purge` the application's preferences and website data,
// also when the entry has gone already; the paths removed.
std::vector<std::string> uninstallApp(const std::string& name, bool purge);
std::vector<std::string> uninstallApp(const std::string& name, bool purge, const platform::UserFolders& folders);
std::vector<InstalledApp> installedApps();
// Whether NAME has a desktop entry of ours.
bool isInstalled(const std::string& name);
bool isInstalled(const std::string& name, const platform::UserFolders& folders);
// What an installed application's desktop entry gives under a key ("Icon", "Name").
std::optional<std::string> installedEntryValue(const std::string& name, const std::string& key);

} // namespace quillane
