#include "platform/notification.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

namespace quillane::platform {

struct Notification::Impl {
    GObjectRef<WebKitNotification> notification;
    std::function<void()> closed;
    // Tells whoever keeps the notification that it may be let go.
    std::function<void()> released;
    bool isClosed = false;
    SignalConnection closedSignal;
    // A notification goes with its page, as if the page had closed it.
    ~Impl()
    {
        if (closed)
            closed();
    }
    void onClosed(WebKitNotification*)
    {
        isClosed = true;
        if (auto handler = std::exchange(closed, nullptr))
            handler();
        if (auto release = std::exchange(released, nullptr))
            release();
    }
};

Notification::Notification(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
    m_impl->closedSignal = connect<&Impl::onClosed>(m_impl->notification.get(), "closed", m_impl.get());
}

Notification::~Notification() = default;

std::uint64_t Notification::identifier() const
{
    return webkit_notification_get_id(m_impl->notification.get());
}

std::string Notification::title() const
{
    const char* title = webkit_notification_get_title(m_impl->notification.get());
    return title ? title : "";
}

std::string Notification::body() const
{
    const char* body = webkit_notification_get_body(m_impl->notification.get());
    return body ? body : "";
}

void Notification::clicked()
{
    webkit_notification_clicked(m_impl->notification.get());
}

void Notification::close()
{
    webkit_notification_close(m_impl->notification.get());
}

void Notification::setClosedHandler(std::function<void()> handler)
{
    m_impl->closed = std::move(handler);
}

std::unique_ptr<Notification> notificationAround(WebKitNotification* notification, std::function<void()> released)
{
    auto impl = std::make_unique<Notification::Impl>();
    impl->notification = GObjectRef<WebKitNotification>::retain(notification);
    impl->released = std::move(released);
    return std::make_unique<Notification>(std::move(impl));
}

bool isClosed(const Notification& notification)
{
    return implOf(notification).isClosed;
}

} // namespace quillane::platform
