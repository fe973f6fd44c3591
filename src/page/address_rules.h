#pragma once
// What counts as a page address: typed text, links of the quillane: scheme, and site texts.
#include "platform/url.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// No address or link is longer than this: a longer text is nobody's page address, and it would be
// remembered for every start to come.
inline constexpr std::size_t longestAddress = 64 * 1024;

// Typed (or remembered) text as a page address; a bare name gets "https://", or "http://" when it
// starts with "localhost" or "127.0.0.1". None when nothing is left or the text does not parse.
std::optional<platform::URL> address(std::string_view from);

// Why typed text is not an address, in words for the one who typed it; none when it is one, or when
// nothing was typed.
std::optional<std::string> whyNotAnAddress(std::string_view typed);

// Typed text as the address of a web page: what address() makes of it, when that is an http or
// https address with a host. Only web pages become applications of their own.
std::optional<platform::URL> webPage(std::string_view from);

// The http or https address that a "quillane://open?url=…" link carries; none for anything else.
std::optional<platform::URL> page(const platform::URL& inLink);

// Whether two addresses are of one site: the same scheme, host and port (a scheme's default port
// written or not).
bool sameSite(const platform::URL& first, const platform::URL& second);

// Whether an address is inside a web application's scope: of its site, with a path that starts with
// the scope's ("/app/" holds "/app/inbox" but not "/apple"). A scope's path without a final "/"
// holds what begins with it ("/app" holds "/apple" too), as the manifest standard has it.
bool withinScope(const platform::URL& address, const platform::URL& scope);

// Whether web pages may not use this port: ports of other kinds of services (mail, file sharing,
// name servers), which a page could otherwise talk to. The engine refuses them with a blank page.
bool isBlockedPort(int port);

// "scheme://host", with ":port" only for a port other than 0. The key of remembered microphone answers.
std::string site(std::string_view scheme, std::string_view host, int port);

} // namespace quillane
