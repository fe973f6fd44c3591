#pragma once
// How the self-test report writes what it measured.
#include "platform/colour.h"
#include "platform/commands.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// "#RRGGBB": each component times 255, truncated; alpha is not written.
std::string hex(const platform::Colour& colour);

// What the link rules make of "quillane://open?url=" followed by the given encoded address: the
// page's address, or "refused".
std::string linked(std::string_view encodedAddress);

// An address with ":", "/", "?", "=" and "&" percent-encoded, as a link's url value carries it.
std::string encodedForLink(std::string_view address);

// The name the report gives a command's action: the one the other platform's menu item would send
// ("terminate:" for quitting); the command's own name when it has none there.
std::string selectorFor(const std::string& command);

// "Title (Item [action], …); …" for the menu bar, without separators or access-key marks; an item
// without a command is listed by its title alone.
std::string menuSummary(const std::vector<platform::ShownMenu>& menus);

// The types' identifiers without repeats, sorted, joined by ", ".
std::string offeredTypes(std::vector<std::string> types);

// The entries joined by line feeds, none after the last.
std::string joinedReport(const std::vector<std::string>& entries);

} // namespace quillane
