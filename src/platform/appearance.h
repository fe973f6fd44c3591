#pragma once
// How the desktop looks: light or dark.
#include <string_view>

namespace quillane::platform {

// Whether GTK's settings ask for a dark look: gtk-application-prefer-dark-theme, or a dark theme
// (gtk-theme-name, or GTK_THEME, which overrides it).
bool prefersDarkTheme();

// Whether a theme's name is that of a dark one: "Adwaita-dark", "Arc-Dark", "Adwaita:dark".
bool isDarkThemeName(std::string_view name);

} // namespace quillane::platform
