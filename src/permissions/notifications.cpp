#include "permissions/notifications.h"

#include "names.h"
#include "platform/notification.h"

namespace quillane {

Notifications::Notifications(platform::Preferences& preferences, Ask ask, std::function<void(std::uint32_t)> bringForward)
    : m_answers(preferences, keys::notifications, std::move(ask), [](const std::string& host) {
        return platform::Question { "Allow \u201c" + host + "\u201d to show notifications?",
            "Quillane will remember your answer for this site. To be asked again, choose Forget Notification Choices in the page's context menu.",
            { "Allow", "Don\u2019t Allow" } };
    })
    , m_bringForward(std::move(bringForward))
{
    tellTheEngine();
}

void Notifications::attach(platform::WebView& page)
{
    page.onNotificationRequest = [this](const platform::SecurityOrigin& origin, std::function<void(bool)> decide) { request(origin, decide); };
    page.onNotification = [this](platform::Notification& notification) { show(notification); };
}

void Notifications::request(const platform::SecurityOrigin& origin, std::function<void(bool allow)> decide)
{
    m_answers.request(origin, [this, decide](bool allowed) {
        tellTheEngine();
        decide(allowed);
    });
}

void Notifications::show(platform::Notification& notification)
{
    std::string key = "page-" + std::to_string(notification.identifier());
    platform::Notification* shown = &notification;
    platform::sendDesktopNotification(key, notification.title(), notification.body(), [this, shown](std::uint32_t serverTime) {
        m_bringForward(serverTime);
        shown->clicked();
    });
    notification.setClosedHandler([key] { platform::withdrawDesktopNotification(key); });
}

void Notifications::forget()
{
    m_answers.forget();
    tellTheEngine();
}

void Notifications::tellTheEngine() const
{
    platform::setNotificationPermissions(m_answers.remembered());
}

} // namespace quillane
