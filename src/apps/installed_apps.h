#pragma once
// Applications of their own: a desktop entry (and an icon) under the user's data folder that starts
// `quillane --app NAME`, with the application's page (and the scope it holds as its own) remembered
// in its own preferences.
#include "platform/desktop.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane {

struct InstalledApp {
    std::string name;
    std::string address;
};

// Installs NAME on the address (already checked by the address rules); the icon, when given, is a
// PNG file already made. Never over an application already there: then, or on failure, what went wrong.
// `title` is what people see of it (NAME when empty); `scope`, the addresses it holds as its own.
std::optional<std::string> installApp(const std::string& name, const std::string& address, const std::optional<std::string>& iconPng = std::nullopt,
    const std::string& title = "", const std::optional<std::string>& scope = std::nullopt);
// Removes the entry and the icon, and with `purge` the application's preferences and website data,
// also when the entry has gone already; the paths removed.
std::vector<std::string> uninstallApp(const std::string& name, bool purge);
std::vector<std::string> uninstallApp(const std::string& name, bool purge, const platform::UserFolders& folders);
std::vector<InstalledApp> installedApps();
// Whether NAME has a desktop entry of ours.
bool isInstalled(const std::string& name);
bool isInstalled(const std::string& name, const platform::UserFolders& folders);
// The icon name an installed application's desktop entry gives.
std::optional<std::string> installedIconName(const std::string& name);

} // namespace quillane
