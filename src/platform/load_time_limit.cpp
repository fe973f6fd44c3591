#include "platform/load_time_limit.h"

#include <utility>

namespace quillane::platform {

void LoadTimeLimit::start(double seconds, const std::string& address, std::function<void()> stop)
{
    m_timer.cancel();
    m_expired = false;
    m_address = address;
    m_seconds = seconds;
    if (seconds <= 0)
        return;
    m_timer = runOnMainQueueAfter(seconds, [this, stop = std::move(stop)] {
        m_expired = true;
        stop();
    });
}

void LoadTimeLimit::limitPageLoads(double seconds, std::function<void()> stop)
{
    m_pageSeconds = seconds;
    m_pageStop = std::move(stop);
}

void LoadTimeLimit::began(bool sendsData)
{
    // A limit that ran out with no failure reported belongs to no load from now on.
    m_expired = false;
    if (m_pageSeconds > 0 && !isRunning() && !sendsData)
        start(m_pageSeconds, {}, m_pageStop);
}

void LoadTimeLimit::redirected(const std::string& to)
{
    if (!m_address.empty())
        m_address = to;
}

// A limit of the page's own (no address) is for whatever load the page makes.
void LoadTimeLimit::committed(const std::string& address)
{
    if (m_address.empty() || address == m_address)
        settled();
}

void LoadTimeLimit::settled()
{
    m_timer.cancel();
    m_expired = false;
    m_address.clear();
}

bool LoadTimeLimit::failed(const std::string& address)
{
    if (!m_address.empty() && address != m_address)
        return false;
    bool expired = m_expired;
    settled();
    return expired;
}

} // namespace quillane::platform
