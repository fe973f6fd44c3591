#include "apps/app_names.h"

#include "names.h"

#include <algorithm>

namespace quillane {

std::string notAnAppName(std::string_view name)
{
    return "\u201c" + std::string(name) + "\u201d is not a name for an application: use letters, digits, - and _ (at most 64)";
}

bool isValidAppName(std::string_view name)
{
    return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

std::string AppIdentity::folderUnder(const std::string& base) const
{
    return base + "/" + names::programName + "/" + folder;
}

std::optional<AppIdentity> appIdentity(std::string_view name)
{
    if (!isValidAppName(name))
        return std::nullopt;
    AppIdentity identity;
    identity.windowClass = std::string(names::windowClass) + "-" + std::string(name);
    identity.iconName = std::string(names::applicationId) + "." + std::string(name);
    identity.desktopEntryName = identity.iconName + ".desktop";
    identity.folder = "apps/" + std::string(name);
    return identity;
}

} // namespace quillane
