#pragma once
// What the main page shows: the remembered address, the Open Address dialog, links handed over by
// other programs, and what becomes of the page's loads: a failure is told in the window, a page
// whose process ends comes back unless it keeps ending.
#include "main_window/main_window.h"
#include "page/page_recovery.h"
#include "platform/main_queue.h"
#include "platform/preferences.h"
#include "platform/url.h"

#include <optional>
#include <string>
#include <vector>

namespace quillane {

class LeavingLinks;

// The page that links handed over carry: the last one accepted, or none.
std::optional<platform::URL> lastPageIn(const std::vector<std::string>& links);

class Navigation {
public:
    // A page request that has not started to arrive within `pageRequestTimeout` seconds is given up.
    // Links of other programs' schemes followed on the page go to `leaving`.
    Navigation(platform::Preferences& preferences, MainWindow& main, LeavingLinks& leaving, double pageRequestTimeout);
    // Hears what becomes of the main page's loads, the links followed on pages of our own, and the
    // mouse's back and forward buttons.
    void attach();

    // The address to open at launch, if one is remembered and still reads as an address.
    std::optional<platform::URL> rememberedAddress() const;
    // Remembers an address for the next start (and for a launch that is still to come).
    static void remember(platform::Preferences& preferences, const platform::URL& address);

    // Loads the address with the page request's time-out.
    void load(const platform::URL& address);
    // A page handed over by another program: loaded, and the window brought forward; remembered
    // for the next start unless it is one of an application's shortcuts or handled links.
    void open(const platform::URL& page, bool remembered = true);
    // The Open Address dialog, holding the page's address (or the given text). Text that is not an
    // address is refused in the dialog, saying why.
    void openAddress(std::optional<std::string> text = std::nullopt);
    // Our own page for when there is no page yet: how to open one.
    void showStartPage();

private:
    void pageCommitted();
    void pageFinished();
    bool linkFollowed(const std::string& url);
    void pageFailed(const platform::LoadFailure& failure);
    void pageProcessEnded();
    void showOwnPage(const std::string& html, const std::string& address);

    platform::Preferences& m_preferences;
    MainWindow& m_main;
    LeavingLinks& m_leaving;
    const double m_pageRequestTimeout;
    PageRecovery m_recovery;
    platform::ScheduledBlock m_reload;
    platform::ScheduledBlock m_tryAgain;
    platform::ScheduledBlock m_startQuestion;
    std::vector<platform::Subscription> m_subscriptions;
    // No page of the run has loaded yet.
    bool m_startPending = true;
    // The page showing is one of ours (a failure told), whose own load is not the user's page.
    bool m_ownPageLoading = false;
    bool m_ownPageShown = false;
    // The start page shows: there is no address to offer in Open Address.
    bool m_startPageShown = false;
};

} // namespace quillane
