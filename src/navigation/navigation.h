#pragma once
// What the main page shows: the remembered address, the Open Address dialog, links handed over by
// other programs, and page requests.
#include "app/main_window.h"
#include "platform/application.h"
#include "platform/preferences.h"
#include "platform/url.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane {

// The page that links handed over carry: the last one accepted, or none.
std::optional<platform::URL> lastPageIn(const std::vector<std::string>& links);

class Navigation {
public:
    Navigation(platform::Preferences& preferences, platform::Application& application, MainWindow& main);

    // The address to open at launch, if one is remembered and still reads as an address.
    std::optional<platform::URL> rememberedAddress() const;
    // Remembers an address for the next start (and for a launch that is still to come).
    static void remember(platform::Preferences& preferences, const platform::URL& address);

    // Loads the address with the page request's cache policy and time-out.
    void load(const platform::URL& address);
    // A page handed over by another program: remembered, loaded, and the window brought forward.
    void open(const platform::URL& page);
    // The Open Address dialog.
    void openAddress();

private:
    platform::Preferences& m_preferences;
    platform::Application& m_application;
    MainWindow& m_main;
};

} // namespace quillane
