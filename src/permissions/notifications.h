#pragma once
// The page's notifications: permission asked once per site and remembered (apart from the
// microphone's answers), and notifications of allowed sites shown on the desktop. Clicking one brings
// the window forward and tells the page; one the page closes is withdrawn.
//
// The engine gives each of its page processes the remembered answers as it starts, and the process
// keeps them: nothing in the engine's interface changes them for a page already open. So the program
// looks again when a notification is to be shown, answers the page's permission queries itself, and
// gives the main page its word after every load and when the answers are forgotten.
#include "permissions/site_permission.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace quillane {

namespace platform {
class Application;
class Notification;
class Window;
}

class Notifications {
public:
    // `note` says in the window what forgetting did.
    Notifications(platform::Application& application, platform::Preferences& preferences, Ask ask,
        std::function<void(const std::string& note)> note);

    // Answers a page's questions about notifications and shows its notifications; one shown while
    // the page's window does not have the keyboard marks the window as wanting attention.
    void attach(platform::WebView& page, platform::Window& window);
    // The main page also gets the program's word, and may ask to be asked.
    void attachMain(platform::WebView& page);
    void request(const platform::SecurityOrigin& origin, std::function<void(bool allow)> decide);
    void show(platform::Notification& notification, const std::optional<platform::SecurityOrigin>& from, platform::Window& window);
    // The main page asks to be asked again (its site's answer was forgotten while it was open).
    void pageAsks(platform::WebView& page);
    platform::OrderedMap<bool> remembered() const { return m_answers.remembered(); }
    void forget();

private:
    // The remembered answer for a site; none when it will be asked.
    std::optional<bool> answerFor(const platform::SecurityOrigin& origin) const;
    // New page processes of the engine start with the remembered answers.
    void tellTheEngine() const;
    void tellThePage(platform::WebView& page) const;

    platform::Application& m_application;
    SitePermission m_answers;
    std::function<void(const std::string&)> m_note;
    platform::WebView* m_mainPage = nullptr;
    std::vector<platform::Subscription> m_subscriptions;
};

} // namespace quillane
