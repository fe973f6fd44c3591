#include "platform/appearance.h"

#include "platform/gtk/gobject_ref.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <string>

namespace quillane::platform {

bool isDarkThemeName(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    auto endsWith = [&](std::string_view ending) { return lower.size() > ending.size() && lower.compare(lower.size() - ending.size(), ending.size(), ending) == 0; };
    return endsWith("-dark") || endsWith(":dark");
}

bool prefersDarkTheme()
{
    if (const char* forced = g_getenv("GTK_THEME"); forced && *forced)
        return isDarkThemeName(forced);
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return false;
    gboolean preferDark = FALSE;
    char* theme = nullptr;
    g_object_get(settings, "gtk-application-prefer-dark-theme", &preferDark, "gtk-theme-name", &theme, nullptr);
    GCharPtr ownedTheme(theme);
    return preferDark || (theme && isDarkThemeName(theme));
}

} // namespace quillane::platform
