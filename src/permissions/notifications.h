#pragma once
// The page's notifications: permission asked once per site and remembered (apart from the
// microphone's answers), and notifications of allowed sites shown on the desktop. Clicking one brings
// the window forward and tells the page; one the page closes is withdrawn.
#include "permissions/site_permission.h"

#include <cstdint>
#include <functional>

namespace quillane {

namespace platform {
class Notification;
}

class Notifications {
public:
    // `bringForward` shows the window a notification was clicked for, with the click's time.
    Notifications(platform::Preferences& preferences, Ask ask, std::function<void(std::uint32_t serverTime)> bringForward);

    // Answers a page's questions about notifications and shows its notifications.
    void attach(platform::WebView& page);
    void request(const platform::SecurityOrigin& origin, std::function<void(bool allow)> decide);
    void show(platform::Notification& notification);
    platform::OrderedMap<bool> remembered() const { return m_answers.remembered(); }
    void forget();

private:
    // The engine answers the pages of remembered sites itself, without asking.
    void tellTheEngine() const;

    SitePermission m_answers;
    std::function<void(std::uint32_t)> m_bringForward;
};

} // namespace quillane
