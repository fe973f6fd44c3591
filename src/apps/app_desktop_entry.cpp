#include "apps/app_desktop_entry.h"

#include "apps/app_names.h"
#include "apps/installed_apps.h"
#include "names.h"

#include <algorithm>

namespace quillane {

std::string execArgument(std::string_view text)
{
    std::string argument = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            argument += '\\';
        argument += c;
        if (c == '%')
            argument += '%';
    }
    return argument + "\"";
}

std::string handlerKey(std::string_view scheme)
{
    // Key names hold letters, digits and "-" only; no scheme handled holds a "-" of its own.
    std::string key = "X-Quillane-Handler-" + std::string(scheme);
    std::replace(key.begin(), key.end(), '+', '-');
    return key;
}

void addLinks(const std::string& appName, const std::vector<EntryShortcut>& shortcuts, const std::vector<ProtocolHandler>& handlers,
    std::vector<std::pair<std::string, std::string>>& keys, std::vector<platform::DesktopEntryGroup>& groups)
{
    const std::string start = std::string(names::programName) + " --app " + appName;
    std::string actions;
    for (std::size_t index = 0; index < shortcuts.size(); ++index) {
        std::string id = "shortcut-" + std::to_string(index + 1);
        actions += id + ";";
        platform::DesktopEntryGroup group { "Desktop Action " + id, { { "Name", shortcuts[index].name } } };
        group.keys.push_back({ "Exec", start + " " + execArgument(shortcuts[index].address) });
        if (shortcuts[index].iconName)
            group.keys.push_back({ "Icon", *shortcuts[index].iconName });
        groups.push_back(std::move(group));
    }
    if (!actions.empty())
        keys.push_back({ "Actions", actions });
    if (handlers.empty())
        return;
    std::string types;
    for (const auto& handler : handlers) {
        types += "x-scheme-handler/" + handler.scheme + ";";
        keys.push_back({ handlerKey(handler.scheme), handler.address });
    }
    keys.push_back({ "MimeType", types });
    // A link the desktop hands over comes as the last argument; a start from a menu has none.
    for (auto& [key, value] : keys) {
        if (key == "Exec")
            value += " %u";
    }
}

std::optional<std::string> installedHandler(const std::string& appName, const std::string& scheme)
{
    auto identity = appIdentity(appName);
    if (!identity || !isInstalled(appName))
        return std::nullopt;
    return platform::desktopEntryValue(platform::userFolders().data + "/applications/" + identity->desktopEntryName, handlerKey(scheme));
}

} // namespace quillane
