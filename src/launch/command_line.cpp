#include "launch/command_line.h"

#include "apps/app_links.h"
#include "page/address_rules.h"
#include "platform/url.h"
#include "text.h"

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
        if (arguments[index] == "--app") {
            ++index;
            continue;
        }
        if (!arguments[index].empty() && arguments[index].front() != '-')
            links.push_back(arguments[index]);
    }
    return links;
}

std::optional<std::string> linkFor(const std::string& argument)
{
    auto asLink = platform::URL::parse(argument);
    if (asLink && lowercased(asLink->scheme()) == "quillane")
        return argument;
    auto address = webPage(argument);
    if (!address)
        return std::nullopt;
    return "quillane://open?url=" + platform::escapedForQuery(address->absoluteString());
}

std::optional<std::string> appNameFrom(const std::vector<std::string>& arguments)
{
    auto app = std::find(arguments.begin(), arguments.end(), "--app");
    if (app == arguments.end())
        return std::nullopt;
    return std::next(app) == arguments.end() ? std::string() : *std::next(app);
}

std::optional<AppManagementRequest> appManagementFrom(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2)
        return std::nullopt;
    using Kind = AppManagementRequest::Kind;
    const std::string& verb = arguments[1];
    AppManagementRequest request;
    if (verb == "--install") {
        if (arguments.size() == 4)
            request = { Kind::install, arguments[2], arguments[3], false };
    } else if (verb == "--uninstall") {
        bool purge = arguments.size() == 4 && arguments[3] == "--purge";
        if (arguments.size() == 3 || purge)
            request = { Kind::uninstall, arguments[2], {}, purge };
    } else if (verb == "--apps") {
        if (arguments.size() == 2)
            request.kind = Kind::list;
    } else {
        return std::nullopt;
    }
    return request;
}

std::vector<std::string> unknownOptionsIn(const std::vector<std::string>& arguments)
{
    std::vector<std::string> unknown;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--app" || argument == "--probe")
            ++index;
        else if (argument.size() > 1 && argument.front() == '-')
            unknown.push_back(argument);
    }
    return unknown;
}

std::vector<std::string> linksLeftAlone(const std::vector<std::string>& arguments,
    const std::function<std::optional<std::string>(const std::string& scheme)>& handlerFor)
{
    std::vector<std::string> lines;
    auto app = appNameFrom(arguments);
    for (const auto& argument : linksFrom(arguments)) {
        if (!app && !linkFor(argument))
            lines.push_back("\u201c" + argument + "\u201d is neither a web address nor a quillane: link, and is left alone");
        else if (app && !lastAppPageIn({ argument }, handlerFor))
            lines.push_back("\u201c" + argument + "\u201d is no page that \u201c" + *app
                + "\u201d opens (an http or https address, a quillane: link to one, or a link of a scheme it takes), and is left alone");
    }
    return lines;
}

InformationRequest informationRequestFrom(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2)
        return InformationRequest::none;
    if (arguments[1] == "--version")
        return InformationRequest::version;
    if (arguments[1] == "--help" || arguments[1] == "-h")
        return InformationRequest::help;
    return InformationRequest::none;
}

std::string versionText()
{
    return std::string("Quillane ") + QUILLANE_VERSION + "\n";
}

std::string usageText()
{
    return "Usage: quillane [--app NAME] [ADDRESS | LINK…]\n"
           "       quillane --probe FILE\n"
           "       quillane --install NAME ADDRESS\n"
           "       quillane --uninstall NAME [--purge]\n"
           "       quillane --apps\n"
           "       quillane --version | --help\n"
           "\n"
           "Shows one web page in a frameless window. An address (https://example.org, or example.org as\n"
           "typed in Open Address) or a link quillane://open?url=<encoded address> opens that page, in the\n"
           "running Quillane if there is one. Every application runs in one Quillane process: a later\n"
           "start hands its command line to it.\n"
           "\n"
           "  --app NAME              run NAME as an application of its own, with its own window,\n"
           "                          preferences and website data; a web address, or a link of a\n"
           "                          scheme it handles (mailto:…), opens in it\n"
           "  --probe FILE            run the self-test and write its report to FILE\n"
           "  --install NAME ADDRESS  install NAME on the page at ADDRESS (a desktop entry that starts it)\n"
           "  --uninstall NAME        remove NAME's desktop entry and icon\n"
           "  --purge                 after --uninstall NAME: also its preferences and website data\n"
           "                          (even when its desktop entry has gone already)\n"
           "  --apps                  list the installed applications and their addresses\n"
           "  --version               print the version\n"
           "  --help, -h              print this text\n"
           "\n"
           "quillane(1) says more, and names the files Quillane keeps.\n";
}

} // namespace quillane
