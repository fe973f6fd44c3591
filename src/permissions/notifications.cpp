#include "permissions/notifications.h"

#include "names.h"
#include "platform/application.h"
#include "platform/notification.h"
#include "platform/window.h"

namespace quillane {

Notifications::Notifications(platform::Application& application, platform::Preferences& preferences, Ask ask, std::function<void()> bringForward)
    : m_application(application)
    , m_answers(preferences, keys::notifications, std::move(ask), [](const std::string& host) {
        return platform::Question { "Allow \u201c" + host + "\u201d to show notifications?",
            "Quillane will remember your answer for this site. To be asked again, choose Forget Notification Choices in the page's context menu.",
            { "Allow", "Don\u2019t Allow" } };
    })
    , m_bringForward(std::move(bringForward))
{
    tellTheEngine();
}

void Notifications::attach(platform::WebView& page, platform::Window& window)
{
    page.onNotificationRequest = [this](const platform::SecurityOrigin& origin, std::function<void(bool)> decide) { request(origin, decide); };
    page.onNotification = [this, &window](platform::Notification& notification) { show(notification, window); };
}

void Notifications::request(const platform::SecurityOrigin& origin, std::function<void(bool allow)> decide)
{
    m_answers.request(origin, [this, decide](bool allowed) {
        tellTheEngine();
        decide(allowed);
    });
}

void Notifications::show(platform::Notification& notification, platform::Window& window)
{
    // Until the window gets the keyboard back.
    window.setUrgent(true);
    // Apart from the other applications' notifications, which the program shows too.
    std::string key = m_application.identity().desktopId + " page-" + std::to_string(notification.identifier());
    platform::Notification* shown = &notification;
    platform::sendDesktopNotification(m_application, key, notification.title(), notification.body(), [this, shown] {
        m_bringForward();
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
    platform::setNotificationPermissions(m_application, m_answers.remembered());
}

} // namespace quillane
