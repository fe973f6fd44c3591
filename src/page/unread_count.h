#pragma once
// The count on the application's launcher icon, from its main page: the badge the page sets, else
// the count its title starts with. Published only when it changes, and spaced out in time.
#include "page/unread_count_rules.h"
#include "platform/listeners.h"
#include "platform/main_queue.h"

#include <functional>
#include <string_view>
#include <vector>

namespace quillane {

namespace platform {
class WebView;
}

class UnreadCount {
public:
    using Publish = std::function<void(const LauncherCount&)>;
    // `publish` shows a count on the launcher; `now` reads a clock in seconds.
    UnreadCount(Publish publish, std::function<double()> now);

    // Follows the page's title; each document it loads starts without the last one's badge.
    void attach(platform::WebView& page);

    void setBadge(const Badge& badge);
    void setTitle(std::string_view title);
    void documentChanged();
    // What the launcher shows now.
    const LauncherCount& published() const { return m_published; }

private:
    void update();
    void publishNewest();

    Publish m_publish;
    std::function<double()> m_now;
    std::optional<Badge> m_badge;
    std::optional<std::int64_t> m_titleCount;
    // Nothing shows until a count does.
    LauncherCount m_published;
    std::optional<double> m_lastPublished;
    platform::ScheduledBlock m_waiting;
    std::vector<platform::Subscription> m_subscriptions;
};

} // namespace quillane
