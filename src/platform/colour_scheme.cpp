#include "platform/colour_scheme.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace quillane::platform {

ColourScheme colourSchemeFromPortal(std::optional<std::int64_t> value)
{
    if (value == 1)
        return ColourScheme::dark;
    if (value == 2)
        return ColourScheme::light;
    return ColourScheme::noPreference;
}

bool preferDarkTheme(ColourScheme desktop, bool usersOwnSetting)
{
    switch (desktop) {
    case ColourScheme::dark:
        return true;
    case ColourScheme::light:
        return false;
    case ColourScheme::noPreference:
        break;
    }
    return usersOwnSetting;
}

bool looksDark(bool preferDark, std::string_view themeName)
{
    if (preferDark)
        return true;
    std::string name(themeName);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    auto endsWith = [&name](std::string_view end) { return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0; };
    return endsWith("-dark") || endsWith(":dark");
}

} // namespace quillane::platform
