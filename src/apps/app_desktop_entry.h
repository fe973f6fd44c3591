#pragma once
// What an application's desktop entry says of its shortcuts and of the links it handles, as
// freedesktop.org desktop entries do: an "Actions" key with a [Desktop Action ID] group per shortcut,
// whose Exec starts the application on the shortcut's address; a "MimeType" key claiming each
// handled scheme (x-scheme-handler/SCHEME), and the main Exec taking the link handed over (%u).
// The handlers' addresses are kept in the entry too, beside the schemes it claims, so that the two
// are written, replaced and removed together.
#include "apps/web_app_manifest.h"
#include "platform/desktop.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillane {

// Any text as one argument of an Exec line: in double quotes, with ", `, $ and \ escaped by a
// backslash, and % written %% (the line's field codes are the desktop's).
std::string execArgument(std::string_view text);

// The entry's key that keeps the handler's address for a scheme ("web+notes": X-Quillane-Handler-web-notes).
std::string handlerKey(std::string_view scheme);

struct EntryShortcut {
    std::string name;
    std::string address;
    // The name of its icon in the icon theme, when it has one.
    std::optional<std::string> iconName;
};

// Adds the shortcuts and handlers to the keys of an application's entry (whose Exec starts
// `quillane --app NAME`), and makes the shortcuts' groups.
void addLinks(const std::string& appName, const std::vector<EntryShortcut>& shortcuts, const std::vector<ProtocolHandler>& handlers,
    std::vector<std::pair<std::string, std::string>>& keys, std::vector<platform::DesktopEntryGroup>& groups);

// The handler's address an installed application keeps for a scheme; none when it handles none.
std::optional<std::string> installedHandler(const std::string& appName, const std::string& scheme);

} // namespace quillane
