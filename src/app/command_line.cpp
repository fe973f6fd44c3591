#include "app/command_line.h"

#include <algorithm>

namespace quillane {

std::optional<std::string> probeFileFrom(const std::vector<std::string>& arguments)
{
    auto probe = std::find(arguments.begin(), arguments.end(), "--probe");
    if (probe == arguments.end() || std::next(probe) == arguments.end())
        return std::nullopt;
    return *std::next(probe);
}

std::vector<std::string> linksFrom(const std::vector<std::string>& arguments)
{
    std::vector<std::string> links;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        if (!arguments[index].empty() && arguments[index].front() != '-')
            links.push_back(arguments[index]);
    }
    return links;
}

InformationRequest informationRequestFrom(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2)
        return InformationRequest::none;
    if (arguments[1] == "--version")
        return InformationRequest::version;
    if (arguments[1] == "--help")
        return InformationRequest::help;
    return InformationRequest::none;
}

std::string versionText()
{
    return std::string("Quillane ") + QUILLANE_VERSION + "\n";
}

std::string usageText()
{
    return "Usage: quillane [LINK…]\n"
           "       quillane --probe FILE\n"
           "\n"
           "Shows one web page in a frameless window. A link quillane://open?url=<encoded address> opens\n"
           "that page, in the running Quillane if there is one. --probe runs the self-test and writes its\n"
           "report to FILE.\n";
}

} // namespace quillane
