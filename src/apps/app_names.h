#pragma once
// The names of an application of its own (`quillane --app NAME`): each has its own window class,
// desktop entry (whose id names it to the desktop) and folders, apart from every other one and from
// the default Quillane.
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// Letters, digits, "-" and "_", at most 64 of them.
bool isValidAppName(std::string_view name);
// Why a name that is not valid will not do, in a sentence without its full stop.
std::string notAnAppName(std::string_view name);

struct AppIdentity {
    std::string windowClass;
    // The desktop entry's file name, "org.quillane.Quillane.NAME.desktop", and its icon's name.
    std::string desktopEntryName;
    std::string iconName;
    // Below Quillane's own configuration, data and cache folders.
    std::string folder;
    // The application's folder under one of the user's base folders (configuration, data, cache).
    std::string folderUnder(const std::string& base) const;
};

// None for a name that is not valid.
std::optional<AppIdentity> appIdentity(std::string_view name);

} // namespace quillane
