#pragma once
// Closing the main window or quitting: the page is asked first, and may object through its
// beforeunload handler ("Leave page?"); a page that answers nothing in a few seconds does not keep
// the program from quitting.
#include "app/question.h"
#include "platform/main_queue.h"

#include <functional>

namespace quillane {

class MainWindow;
namespace platform {
class Application;
class Window;
}

class Closing {
public:
    Closing(platform::Application& application, MainWindow& main);

    // The user asked to quit or to close the main window.
    void requestQuit();
    // The main page let itself be closed (or closed itself).
    void pageAllowedClose();
    // A page objects to being left: asks on its window whether to leave all the same.
    void askToLeave(platform::Window& window, std::function<void(bool leave)> completion);

private:
    platform::Application& m_application;
    MainWindow& m_main;
    bool m_quitting = false;
    platform::ScheduledBlock m_patience;
};

} // namespace quillane
