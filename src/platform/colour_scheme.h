#pragma once
// The desktop's light or dark preference, as the settings portal tells it (its
// org.freedesktop.appearance color-scheme), applied to GTK, whose dark variant the web engine
// follows for pages' prefers-color-scheme. One for the whole process.
#include "platform/listeners.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace quillane::platform {

enum class ColourScheme { noPreference, dark, light };

// The portal's value: 1 prefers dark, 2 prefers light; 0, anything else, or none, no preference.
ColourScheme colourSchemeFromPortal(std::optional<std::int64_t> value);
// GTK's gtk-application-prefer-dark-theme: the desktop's preference when it has one, else what the
// user set for GTK.
bool preferDarkTheme(ColourScheme desktop, bool usersOwnSetting);
// Whether GTK, and so the pages, look dark: the dark variant asked for, or a theme dark by its name
// ("Adwaita-dark", or "Adwaita:dark" as GTK_THEME gives it), which stays dark whatever is preferred.
bool looksDark(bool preferDark, std::string_view themeName);

class DesktopColourScheme {
public:
    // Reads the desktop's preference and applies it, then follows its changes while it lives. Made
    // once GTK has started. Without a portal GTK keeps its own.
    DesktopColourScheme();
    ~DesktopColourScheme();
    DesktopColourScheme(const DesktopColourScheme&) = delete;
    DesktopColourScheme& operator=(const DesktopColourScheme&) = delete;

    bool isDark() const;
    // Whether it looks dark now, each time that changes.
    Listeners<bool> changed;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
