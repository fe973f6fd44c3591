#include "page/unread_count.h"

#include "platform/web_view.h"

namespace quillane {

UnreadCount::UnreadCount(Publish publish, std::function<double()> now)
    : m_publish(std::move(publish))
    , m_now(std::move(now))
{
}

void UnreadCount::attach(platform::WebView& page)
{
    m_subscriptions.push_back(page.titleChanged.add([this, &page] { setTitle(page.title()); }));
    m_subscriptions.push_back(page.loadCommitted.add([this] { documentChanged(); }));
}

void UnreadCount::setBadge(const Badge& badge)
{
    if (badge.kind == Badge::Kind::count && badge.count == 0)
        m_badge.reset();
    else
        m_badge = badge;
    update();
}

void UnreadCount::setTitle(std::string_view title)
{
    m_titleCount = countInTitle(title);
    update();
}

void UnreadCount::documentChanged()
{
    m_badge.reset();
    update();
}

void UnreadCount::update()
{
    if (m_waiting.isPending())
        return;
    double delay = delayBeforePublish(m_lastPublished, m_now());
    if (delay > 0)
        m_waiting = platform::runOnMainQueueAfter(delay, [this] { publishNewest(); });
    else
        publishNewest();
}

void UnreadCount::publishNewest()
{
    LauncherCount newest = launcherCount(m_badge, m_titleCount);
    if (newest == m_published)
        return;
    m_published = newest;
    m_lastPublished = m_now();
    m_publish(newest);
}

} // namespace quillane
