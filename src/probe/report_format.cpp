#include "probe/report_format.h"

#include "page/address_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillane {

std::string hex(const platform::Colour& colour)
{
    auto component = [](double value) {
        return static_cast<int>(std::max(0.0, std::trunc(value * 255)));
    };
    if (!std::isfinite(colour.red) || !std::isfinite(colour.green) || !std::isfinite(colour.blue))
        return "?";
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", component(colour.red), component(colour.green), component(colour.blue));
    return text;
}

std::string linked(std::string_view encodedAddress)
{
    auto link = platform::URL::parse("quillane://open?url=" + std::string(encodedAddress));
    auto address = link ? page(*link) : std::nullopt;
    return address ? address->absoluteString() : "refused";
}

std::string encodedForLink(std::string_view address)
{
    std::string encoded;
    for (char c : address) {
        switch (c) {
        case ':':
            encoded += "%3A";
            break;
        case '/':
            encoded += "%2F";
            break;
        case '?':
            encoded += "%3F";
            break;
        case '=':
            encoded += "%3D";
            break;
        case '&':
            encoded += "%26";
            break;
        default:
            encoded += c;
        }
    }
    return encoded;
}

std::string selectorFor(const std::string& command)
{
    static const std::pair<const char*, const char*> selectors[] = {
        { "about", "about" },
        { "forget-microphone-choices", "forgetMicrophoneChoices" },
        { "quit", "terminate:" },
        { "open-address", "openAddress" },
        { "undo", "undo:" },
        { "redo", "redo:" },
        { "cut", "cut:" },
        { "copy", "copy:" },
        { "paste", "paste:" },
        { "select-all", "selectAll:" },
        { "reload", "reloadFromOrigin:" },
        { "full-screen", "toggleFullScreen" },
        { "float-on-top", "toggleFloating" },
        { "minimise", "minimise" },
    };
    for (const auto& [name, selector] : selectors) {
        if (command == name)
            return selector;
    }
    return command;
}

std::string menuSummary(const std::vector<platform::ShownMenu>& menus)
{
    std::string summary;
    for (std::size_t index = 0; index < menus.size(); ++index) {
        if (index > 0)
            summary += "; ";
        summary += platform::withoutMnemonic(menus[index].title) + " (";
        for (std::size_t item = 0; item < menus[index].items.size(); ++item) {
            const auto& shown = menus[index].items[item];
            summary += (item > 0 ? ", " : "") + platform::withoutMnemonic(shown.label);
            if (!shown.command.empty())
                summary += " [" + selectorFor(shown.command) + "]";
        }
        summary += ")";
    }
    return summary;
}

std::string offeredTypes(std::vector<std::string> types)
{
    std::sort(types.begin(), types.end());
    types.erase(std::unique(types.begin(), types.end()), types.end());
    std::string joined;
    for (const auto& type : types)
        joined += (joined.empty() ? "" : ", ") + type;
    return joined;
}

std::string joinedReport(const std::vector<std::string>& entries)
{
    std::string text;
    for (std::size_t index = 0; index < entries.size(); ++index)
        text += (index > 0 ? "\n" : "") + entries[index];
    return text;
}

} // namespace quillane
