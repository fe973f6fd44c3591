#pragma once
// How the desktop looks now: light or dark.

namespace quillane::platform {

// Whether GTK looks dark now: its dark variant asked for (gtk-application-prefer-dark-theme, which
// follows the desktop's preference), or a dark theme (gtk-theme-name, or GTK_THEME, which overrides it).
bool prefersDarkTheme();

} // namespace quillane::platform
