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

} // namespace quillane
