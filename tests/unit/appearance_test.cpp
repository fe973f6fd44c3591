// Whether a theme's name is that of a dark theme, as GTK names them.
#include "platform/appearance.h"

#include <gtest/gtest.h>

TEST(Appearance, ThemesNamedDarkAreDarkAndNoOthers)
{
    for (const char* dark : { "Adwaita-dark", "Arc-Dark", "Yaru-DARK", "Adwaita:dark", "HighContrast:Dark" })
        EXPECT_TRUE(quillane::platform::isDarkThemeName(dark)) << dark;
    for (const char* light : { "Adwaita", "", "-dark", ":dark", "Darkness", "Adwaita-darker", "dark-Adwaita", "Adwaita:light" })
        EXPECT_FALSE(quillane::platform::isDarkThemeName(light)) << light;
}
