#include "platform/appearance.h"

#include "platform/colour_scheme.h"
#include "platform/gtk/gobject_ref.h"

#include <gtk/gtk.h>

namespace quillane::platform {

bool prefersDarkTheme()
{
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return false;
    gboolean preferDark = FALSE;
    char* theme = nullptr;
    g_object_get(settings, "gtk-application-prefer-dark-theme", &preferDark, "gtk-theme-name", &theme, nullptr);
    GCharPtr ownedTheme(theme);
    const char* forced = g_getenv("GTK_THEME");
    return looksDark(preferDark, forced && *forced ? forced : theme ? theme : "");
}

} // namespace quillane::platform
