#include "permissions/notifications.h"

#include "names.h"
#include "page/address_rules.h"
#include "platform/application.h"
#include "platform/notification.h"
#include "platform/window.h"

namespace quillane {

Notifications::Notifications(platform::Application& application, platform::Preferences& preferences, Ask ask,
    std::function<void(const std::string&)> note)
    : m_application(application)
    , m_answers(preferences, keys::notifications, std::move(ask), [](const std::string& host) {
        return platform::Question { "Allow \u201c" + host + "\u201d to show notifications?",
            "Quillane will remember your answer for this site. To be asked again, choose Forget Notification Choices in the page's context menu.",
            { "Allow", "Don\u2019t Allow" } };
    })
    , m_note(std::move(note))
{
    tellTheEngine();
}

void Notifications::attach(platform::WebView& page, platform::Window& window)
{
    page.onNotificationRequest = [this](const platform::SecurityOrigin& origin, std::function<void(bool)> decide) { request(origin, decide); };
    page.onNotification = [this, &page, &window](platform::Notification& notification) { show(notification, page.origin(), window); };
    page.onNotificationAnswer = [this](const platform::SecurityOrigin& origin) { return answerFor(origin); };
}

void Notifications::attachMain(platform::WebView& page)
{
    m_mainPage = &page;
    m_subscriptions.push_back(page.loadCommitted.add([this, &page] { tellThePage(page); }));
}

void Notifications::request(const platform::SecurityOrigin& origin, std::function<void(bool allow)> decide)
{
    m_answers.request(origin, [this, decide](bool allowed) {
        tellTheEngine();
        decide(allowed);
        if (m_mainPage)
            tellThePage(*m_mainPage);
    });
}

void Notifications::pageAsks(platform::WebView& page)
{
    auto origin = page.origin();
    if (!origin) {
        tellThePage(page);
        return;
    }
    request(*origin, [](bool) { });
}

void Notifications::show(platform::Notification& notification, const std::optional<platform::SecurityOrigin>& from, platform::Window& window)
{
    // The page's process may still hold an answer the user has since had forgotten or changed.
    if (!from || answerFor(*from) != true) {
        notification.close();
        return;
    }
    // Until the window gets the keyboard back.
    window.setUrgent(true);
    // Apart from the other applications' notifications, which the program shows too.
    std::string key = m_application.identity().desktopId + " page-" + std::to_string(notification.identifier());
    platform::Notification* shown = &notification;
    // The click brings forward the window the notification came from (a page window's goes with
    // its page, and its notifications are withdrawn with it), out of being minimised too.
    platform::Window* shownIn = &window;
    platform::sendDesktopNotification(m_application, key, notification.title(), notification.body(), [shown, shownIn](std::uint32_t serverTime) {
        shownIn->present(serverTime);
        shown->clicked();
    });
    notification.setClosedHandler([key] { platform::withdrawDesktopNotification(key); });
}

void Notifications::forget()
{
    std::size_t sites = m_answers.remembered().size();
    m_answers.forget();
    tellTheEngine();
    if (m_mainPage)
        tellThePage(*m_mainPage);
    if (sites == 0)
        m_note("No site had a notification choice to forget.");
    else
        m_note(sites == 1 ? "Forgot the notification choice of 1 site: it will be asked again."
                          : "Forgot the notification choices of " + std::to_string(sites) + " sites: they will be asked again.");
}

std::optional<bool> Notifications::answerFor(const platform::SecurityOrigin& origin) const
{
    return m_answers.remembered().find(site(origin.protocol, origin.host, origin.port));
}

void Notifications::tellTheEngine() const
{
    platform::setNotificationPermissions(m_application, m_answers.remembered());
}

void Notifications::tellThePage(platform::WebView& page) const
{
    auto origin = page.origin();
    auto answer = origin ? answerFor(*origin) : std::nullopt;
    std::string state = !answer ? "default" : *answer ? "granted" : "denied";
    // Our page scripts may not have run yet: the word then waits for them (see notification_word.js).
    page.runInScriptWorld("(typeof quillaneNotificationAnswer === 'function' ? quillaneNotificationAnswer"
                          " : state => { window.quillaneNotificationAnswerSaid = state })('"
        + state + "')");
}

} // namespace quillane
