#pragma once
// Windows the page opens: a window the page's script opens (window.open, sign-in pop-ups) and a
// link the user follows into a new window on the main page's own site open as page windows,
// ordinary framed windows kept with the main window and sharing its page's website data and
// opener; a link the user follows into a new window on another site leaves for another program.
// A page gets one window for each press or key press of the user's, and at most `mostAtOnce` at a
// time. Page windows are never remembered across restarts.
#include "app/fixed_texts.h"
#include "app/main_window.h"
#include "app/once_per_input.h"
#include "navigation/leaving_links.h"
#include "platform/download.h"
#include "platform/main_queue.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <list>
#include <memory>

namespace quillane {

class PageWindows : public platform::WindowCloseDelegate {
public:
    struct Setup {
        // What the pages of page windows ask of the program, as the main page's do.
        platform::WebUIDelegate* uiDelegate = nullptr;
        platform::NavigationDelegate* navigationDelegate = nullptr;
        bool mockCaptureDevices = false;
    };

    // Beyond this many page windows at once, a page's requests for more are refused.
    static constexpr std::size_t mostAtOnce = 20;

    PageWindows(platform::Application& application, MainWindow& main, const FixedTexts& texts, Setup setup, OncePerInput& once, LeavingLinks& leaving);

    // A view for a new window, or null when the request goes to the default browser (or nowhere).
    platform::WebView* create(platform::WebView& opener, const platform::NewWindowRequest& request);
    void show(platform::WebView& view);
    // The page of a page window asked to be closed: its window goes.
    void close(platform::WebView& view);
    // A page window's view became a download: a window that never showed a page of its own (none,
    // or a blank one) goes out of sight, and is let go when the download ends.
    void didDownload(platform::WebView& view, platform::Download& download);
    // The window a page window's view is in; null for views not in one.
    platform::Window* windowOf(const platform::WebView& view) const;
    // The pages of the page windows that show.
    std::vector<platform::WebView*> pages() const;
    // Page windows stay above the main window while it floats.
    void followFloating(bool floats);

    // The user closes a page window: its page is asked first.
    bool windowShouldClose(platform::Window& window) override;

private:
    struct PageWindow {
        std::unique_ptr<platform::Window> window;
        std::shared_ptr<platform::WebView> page;
        platform::Observation title;
    };
    void dismiss(std::list<PageWindow>::iterator entry);

    platform::Application& m_application;
    MainWindow& m_main;
    const FixedTexts& m_texts;
    Setup m_setup;
    OncePerInput& m_once;
    LeavingLinks& m_leaving;
    bool m_floats = false;
    std::list<PageWindow> m_windows;
    // Windows that only started a download, kept out of sight while it may still run.
    std::list<PageWindow> m_downloading;
    // Windows closed from inside their page's own callbacks are let go on the next turn.
    std::list<PageWindow> m_closed;
    platform::ScheduledBlock m_release;
};

} // namespace quillane
