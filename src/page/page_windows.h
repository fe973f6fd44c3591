#pragma once
// Windows the page opens: a window the page's script opens (window.open, sign-in pop-ups) and a
// link the user follows into a new window on the main page's own site open as page windows,
// ordinary framed windows kept with the main window and sharing its page's website data and
// opener; a link the user follows into a new window on another site leaves for another program. An
// application installed from its page with a scope holds the addresses in the scope as its own instead
// of its site.
// A page gets one window for each press or key press of the user's, and at most `mostAtOnce` at a
// time. Page windows are never remembered across restarts.
#include "fixed_texts.h"
#include "main_window/main_window.h"
#include "page/leaving_links.h"
#include "page/once_per_input.h"
#include "platform/main_queue.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <functional>
#include <list>
#include <memory>
#include <vector>

namespace quillane {

class Closing;
class Downloads;

// The size a page window opens at: what its opener asked for, no smaller than a page can be used at
// (240 × 160); 800 × 600, the window's own default, when the engine gives none; and never larger
// than the screen's work area, when that is known.
platform::Size pageWindowSizeFor(std::optional<platform::Size> requested, std::optional<platform::Size> workArea);

class PageWindows {
public:
    // Beyond this many page windows at once, a page's requests for more are refused.
    static constexpr std::size_t mostAtOnce = 20;
    // What a page window's page gets, as the main page does: permissions, file choosers, printing,
    // questions before it is left.
    using AttachServices = std::function<void(platform::WebView& page, platform::Window& window)>;

    // A load in a page window that has not started to arrive within `pageRequestTimeout` seconds is
    // given up, and told in the window as the main page's failures are.
    PageWindows(platform::Application& application, MainWindow& main, const FixedTexts& texts, bool mockCaptureDevices, OncePerInput& once,
        LeavingLinks& leaving, Closing& closing, Downloads& downloads, AttachServices attachServices, double pageRequestTimeout,
        std::optional<platform::URL> scope = std::nullopt);
    // Before its windows go: the engine fails the downloads of pages that go.
    ~PageWindows() { m_alive.reset(); }
    PageWindows(const PageWindows&) = delete;
    PageWindows& operator=(const PageWindows&) = delete;

    // Hears the page's requests for windows of its own.
    void attach(platform::WebView& opener);
    // The window a page window's page is in; null for pages not in one.
    platform::Window* windowOf(const platform::WebView& page) const;
    // The pages of the page windows that show.
    std::vector<platform::WebView*> pages() const;
    // Page windows stay above the main window while it floats.
    void followFloating(bool floats);
    // Closes the page window that has the keyboard, once its page lets it go; never the main window.
    void closeFocused();

private:
    // The site that links in this page leave from.
    std::optional<std::string> sourceOf(const platform::WebView& page) const;
    struct PageWindow {
        std::unique_ptr<platform::WebView> page;
        std::unique_ptr<platform::Window> window;
        platform::Subscription title;
        platform::Subscription committed;
        platform::Subscription failed;
        // The address of the page that opened it, as it was then.
        std::optional<std::string> openedFrom;
        // The user closed the window: its page has until then to answer.
        platform::ScheduledBlock closing;
        // Its page objected, and "Leave page?" is up.
        bool asking = false;
        // It has shown a page of its own (not the blank one a window starts with): a download it
        // starts is not all it is for.
        bool showedAPage = false;
    };
    using Entry = std::list<PageWindow>::iterator;

    platform::WebView* create(const platform::NewWindowRequest& request, platform::WebView& opener);
    std::optional<Entry> find(const platform::WebView& page);
    // The page's window goes; it is let go on the next turn (this may run inside its own callbacks).
    void dismiss(Entry entry, std::list<PageWindow>& from);
    void didDownload(platform::WebView& page, platform::Download& download);
    // The user closes a page window: its page is asked first, and one that has neither let itself
    // go nor objected within the patience closing has goes all the same.
    void userClosed(platform::WebView& page);

    platform::Application& m_application;
    MainWindow& m_main;
    const FixedTexts& m_texts;
    bool m_mockCaptureDevices;
    OncePerInput& m_once;
    LeavingLinks& m_leaving;
    Closing& m_closing;
    Downloads& m_downloads;
    AttachServices m_attachServices;
    const double m_pageRequestTimeout;
    std::optional<platform::URL> m_scope;
    bool m_floats = false;
    std::list<PageWindow> m_windows;
    // Windows that only started a download, out of sight while it runs.
    std::list<PageWindow> m_downloading;
    // What downloads' handlers hold on to: a download can outlive its application.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::list<PageWindow> m_closed;
    platform::ScheduledBlock m_release;
};

} // namespace quillane
