#pragma once
// Links into an application of its own: the shortcuts its manifest names, the links of other
// schemes it handles (a "mailto:" link opening its compose page), and what a link handed to it on
// its command line opens.
#include "platform/url.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// At most this many shortcuts are kept, and a shortcut's name is cut to this many characters.
inline constexpr std::size_t mostShortcuts = 10;
inline constexpr std::size_t longestShortcutName = 50;

// A name as a menu or a launcher shows it: trimmed, cut to `longest` characters; none when nothing
// is left or it holds a control character.
std::optional<std::string> shownName(std::string_view text, std::size_t longest);
// A shortcut's name, cut to longestShortcutName characters.
inline std::optional<std::string> shortcutName(std::string_view text)
{
    return shownName(text, longestShortcutName);
}

// A shortcut's address (resolved against the manifest's already), when it is an http(s) address on
// the application's origin (scheme, host and port of its installed address).
std::optional<std::string> shortcutAddress(const std::string& resolved, const platform::URL& application);

// Whether an application may handle links of this scheme: "mailto", the schemes browsers let pages
// take (irc, magnet, tel, …), or "web+" followed by lower-case ASCII letters. Exactly as written:
// "Mailto" and "web+Foo" are not.
bool isHandledScheme(std::string_view scheme);

// A protocol handler's address (resolved against the manifest's already, "%s" kept), when it holds
// "%s" after the origin and, with a link in its place, is an http(s) address on the application's
// origin.
std::optional<std::string> handlerAddress(const std::string& resolved, const platform::URL& application);

// The text percent-encoded as a component of an address: everything but ASCII letters, digits and
// - _ . ! ~ * ' ( ) as %XX.
std::string percentEncodedComponent(std::string_view text);

// The address a handed link opens: the handler's address with the link, percent-encoded as a
// component, in place of its first "%s"; none when that is not an http(s) address.
std::optional<platform::URL> addressForHandedLink(std::string_view handler, std::string_view link);

// What the links handed to an application of its own open: the last one that opens anything. A
// quillane: link's page is remembered as the application's page; an http(s) address (a shortcut's)
// and a link of a scheme the application handles are opened without being remembered.
struct HandedPage {
    platform::URL address;
    bool remembered = false;
};
// `handlerFor` answers the handler's address for a scheme (lower case), or none.
std::optional<HandedPage> lastAppPageIn(const std::vector<std::string>& links,
    const std::function<std::optional<std::string>(const std::string& scheme)>& handlerFor);

} // namespace quillane
