#pragma once
// What the main page shows: the remembered address, the Open Address dialog, links handed over by
// other programs, and page requests.
#include "app/main_window.h"
#include "navigation/load_events.h"
#include "navigation/page_recovery.h"
#include "platform/main_queue.h"
#include "platform/application.h"
#include "platform/preferences.h"
#include "platform/url.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane {

// The page that links handed over carry: the last one accepted, or none.
std::optional<platform::URL> lastPageIn(const std::vector<std::string>& links);

class Navigation : public LoadEvents {
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
    // The Open Address dialog, holding the page's address (or the given text).
    void openAddress(std::optional<std::string> text = std::nullopt);

    // A failed load is told in the window; when the address remembered for the start fails, the
    // Open Address dialog comes up too.
    void pageDidFinish() override;
    void pageDidFail(const platform::LoadFailure& failure) override;
    // The page's process ended: the page comes back, unless it keeps ending.
    void pageProcessEnded();

private:
    void showOwnPage(const std::string& html, const std::string& address);

    platform::Preferences& m_preferences;
    platform::Application& m_application;
    MainWindow& m_main;
    PageRecovery m_recovery;
    platform::ScheduledBlock m_reload;
    // No page of the run has loaded yet.
    bool m_startPending = true;
    // The page showing is one of ours (a failure told), whose own load is not the user's page.
    bool m_ownPageLoading = false;
};

} // namespace quillane
