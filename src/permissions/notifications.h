#pragma once
// The page's notifications: permission asked once per site and remembered (apart from the
// microphone's answers), and notifications of allowed sites shown on the desktop. Clicking one brings
// the window forward and tells the page; one the page closes is withdrawn.
#include "permissions/site_permission.h"

#include <functional>

namespace quillane {

namespace platform {
class Application;
class Notification;
class Window;
}

class Notifications {
public:
    // `bringForward` shows the window a notification was clicked for.
    Notifications(platform::Application& application, platform::Preferences& preferences, Ask ask, std::function<void()> bringForward);

    // Answers a page's questions about notifications and shows its notifications; one shown while
    // the page's window does not have the keyboard marks the window as wanting attention.
    void attach(platform::WebView& page, platform::Window& window);
    void request(const platform::SecurityOrigin& origin, std::function<void(bool allow)> decide);
    void show(platform::Notification& notification, platform::Window& window);
    platform::OrderedMap<bool> remembered() const { return m_answers.remembered(); }
    void forget();

private:
    // The engine answers the pages of remembered sites itself, without asking.
    void tellTheEngine() const;

    platform::Application& m_application;
    SitePermission m_answers;
    std::function<void()> m_bringForward;
};

} // namespace quillane
