#pragma once
// What the program takes from its command line.
#include <optional>
#include <string>
#include <vector>

namespace quillane {

// The argument right after the first one that is exactly "--probe" (the program's path included in
// the search), taken as it is; none when "--probe" is absent or last.
std::optional<std::string> probeFileFrom(const std::vector<std::string>& arguments);

// Arguments after the program's path that do not begin with a hyphen: links handed to the program
// (a desktop entry's %U). Options are not the application's business and are dropped.
std::vector<std::string> linksFrom(const std::vector<std::string>& arguments);

// "--version" or "--help" as the only argument asks for information instead of a run; any other
// command line is a run, by the rules above.
enum class InformationRequest { none, version, help };
InformationRequest informationRequestFrom(const std::vector<std::string>& arguments);

// What "--version" and "--help" print.
std::string versionText();
std::string usageText();

} // namespace quillane
