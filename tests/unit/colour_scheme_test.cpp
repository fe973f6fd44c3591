// The desktop's light or dark preference: the settings portal's numbers, what GTK is asked for, and
// when GTK and the pages look dark.
#include "platform/colour_scheme.h"

#include <gtest/gtest.h>

using quillane::platform::ColourScheme;

TEST(ColourScheme, ThePortalsNumbersOneDarkTwoLightAnythingElseNoPreference)
{
    const std::pair<std::optional<std::int64_t>, ColourScheme> cases[] = {
        { 0, ColourScheme::noPreference },
        { 1, ColourScheme::dark },
        { 2, ColourScheme::light },
        { 3, ColourScheme::noPreference },
        { -1, ColourScheme::noPreference },
        { 4294967295, ColourScheme::noPreference },
        { 4294967297, ColourScheme::noPreference },
        { std::nullopt, ColourScheme::noPreference },
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(quillane::platform::colourSchemeFromPortal(value), expected) << value.value_or(-99);
}

TEST(ColourScheme, TheDesktopsPreferenceWinsAndWithoutOneTheUsersOwnGtkSettingHolds)
{
    const std::tuple<ColourScheme, bool, bool> cases[] = {
        { ColourScheme::dark, false, true },
        { ColourScheme::dark, true, true },
        { ColourScheme::light, false, false },
        { ColourScheme::light, true, false },
        { ColourScheme::noPreference, false, false },
        { ColourScheme::noPreference, true, true },
    };
    for (const auto& [desktop, own, expected] : cases)
        EXPECT_EQ(quillane::platform::preferDarkTheme(desktop, own), expected) << int(desktop) << " " << own;
}

TEST(ColourScheme, DarkByTheVariantAskedForOrByTheThemesName)
{
    const std::tuple<bool, const char*, bool> cases[] = {
        { true, "Adwaita", true },
        { false, "Adwaita", false },
        { false, "Adwaita-dark", true },
        { false, "Adwaita:dark", true },
        { false, "Arc-Dark", true },
        { false, "Yaru-dark", true },
        { false, "", false },
        { false, "dark", false },
        { false, "Darkly", false },
        { false, "Adwaita-darker", false },
        { false, "Dark-Adwaita", false },
        { true, "", true },
    };
    for (const auto& [preferDark, theme, expected] : cases)
        EXPECT_EQ(quillane::platform::looksDark(preferDark, theme), expected) << preferDark << " " << theme;
}
