#pragma once
// Closing the main window or quitting: every page is asked first, the main page and those of page
// windows alike, and any may object through its beforeunload handler ("Leave page?"); the program
// quits once all have let themselves go. Pages that answer nothing in a few seconds do not keep
// it from quitting.
#include "platform/main_queue.h"

#include <functional>
#include <set>
#include <vector>

namespace quillane {

class MainWindow;
namespace platform {
class Application;
class WebView;
class Window;
}

class Closing {
public:
    // How long the pages may take, all together, to say whether they let themselves be closed.
    static constexpr double patience = 3;

    // `pageWindows` lists the pages of the page windows open now.
    Closing(platform::Application& application, MainWindow& main, std::function<std::vector<platform::WebView*>()> pageWindows);

    // The user asked to quit or to close the main window.
    void requestQuit();
    bool isQuitting() const { return m_quitting; }
    // A page let itself be closed while the program quits.
    void pageAllowedClose(platform::WebView& page);
    // A page objects to being left: asks on its window whether to leave all the same.
    void askToLeave(platform::Window& window, std::function<void(bool leave)> completion);
    // Hears a page's objections to being left.
    void attach(platform::WebView& page, platform::Window& window);
    // The main window: closing it quits; its page's own window.close() closes nothing.
    void attachMain();

private:
    void waitForThePages();

    platform::Application& m_application;
    MainWindow& m_main;
    std::function<std::vector<platform::WebView*>()> m_pageWindows;
    bool m_quitting = false;
    // The pages asked that have not let themselves go yet.
    std::set<platform::WebView*> m_waitingFor;
    int m_questionsUp = 0;
    platform::ScheduledBlock m_giveUp;
};

} // namespace quillane
