#pragma once
// A notification a page shows, and the desktop's notification service.
#include "platform/ordered_map.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace quillane::platform {

class Application;

class Notification {
public:
    struct Impl;
    explicit Notification(std::unique_ptr<Impl> impl);
    ~Notification();

    std::uint64_t identifier() const;
    std::string title() const;
    std::string body() const;
    // Tells the page that the user clicked the notification (its onclick runs).
    void clicked();
    // Closes it as if the user had (its onclose runs).
    void close();
    // Runs once when the page closes the notification (or it goes away with its page).
    void setClosedHandler(std::function<void()> handler);

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

// Shows a notification on the desktop as the application's (its name, icon and desktop entry) under
// the given key (a later one under the same key replaces it); `clicked` runs when the user clicks
// it, with the click's time on the window system's clock (what a window brought forward for it
// presents itself with). Nothing waits for the desktop's notification service, and without one
// nothing happens.
void sendDesktopNotification(const Application& application, const std::string& key, const std::string& title, const std::string& body,
    std::function<void(std::uint32_t serverTime)> clicked);
void withdrawDesktopNotification(const std::string& key);

// What the engine answers the application's pages about notifications without asking: sites
// ("scheme://host:port") allowed or refused. Each of the engine's page processes takes the answers
// as they are when it starts, and keeps them.
void setNotificationPermissions(Application& application, const OrderedMap<bool>& answers);

} // namespace quillane::platform
