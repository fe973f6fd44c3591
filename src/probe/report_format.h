#pragma once
// How the self-test report writes what it measured.
#include "platform/colour.h"
#include "platform/menu.h"

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

// "Title (Item [action], …); …" for the menu bar, without separators.
std::string menuSummary(const std::vector<platform::Menu>& menus);

// The types' identifiers without repeats, sorted, joined by ", ".
std::string offeredTypes(std::vector<std::string> types);

// The entries joined by line feeds, none after the last.
std::string joinedReport(const std::vector<std::string>& entries);

} // namespace quillane
