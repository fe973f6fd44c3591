#pragma once
// What the program takes from its command line.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

// The argument right after the first one that is exactly "--probe" (the program's path included in
// the search), taken as it is; none when "--probe" is absent or last.
std::optional<std::string> probeFileFrom(const std::vector<std::string>& arguments);

// Arguments after the program's path that do not begin with a hyphen: links handed to the program
// (a desktop entry's %U). Options are not the application's business and are dropped, and so is the
// name after "--app".
std::vector<std::string> linksFrom(const std::vector<std::string>& arguments);

// An argument as a link the program opens: a quillane: link as it is; an http or https address, or an
// address as typed in Open Address ("example.org"), as the quillane: link that opens it; none for
// anything else.
std::optional<std::string> linkFor(const std::string& argument);

// The argument after "--app": the application of its own this run is (checked elsewhere); none
// without "--app", "" when it is last.
std::optional<std::string> appNameFrom(const std::vector<std::string>& arguments);

// Managing applications of their own, instead of a run:
//   --install NAME ADDRESS, --uninstall NAME [--purge], --apps
struct AppManagementRequest {
    enum class Kind { install, uninstall, list, unusable };
    Kind kind = Kind::unusable;
    std::string name;
    std::string address;
    bool purge = false;
};
std::optional<AppManagementRequest> appManagementFrom(const std::vector<std::string>& arguments);

// Arguments of a run that look like options but are not a run's ("--bogus", "-x", or "--help" after
// an address): a run leaves them alone, and says so. The name after "--app" and the file after
// "--probe" are no options.
std::vector<std::string> unknownOptionsIn(const std::vector<std::string>& arguments);

// The lines that name the links a run leaves alone: for the default application, arguments that are
// neither a web address nor a quillane: link; for an application of its own (after "--app"), those
// that open no page in it: no http or https address, no quillane: link to one, nor a link of a
// scheme it takes (`handlerFor` answers which it takes).
std::vector<std::string> linksLeftAlone(const std::vector<std::string>& arguments,
    const std::function<std::optional<std::string>(const std::string& scheme)>& handlerFor);

// "--version" or "--help" ("-h") as the only argument asks for information instead of a run; any other
// command line is a run, by the rules above.
enum class InformationRequest { none, version, help };
InformationRequest informationRequestFrom(const std::vector<std::string>& arguments);

// What "--version" and "--help" print.
std::string versionText();
std::string usageText();

} // namespace quillane
