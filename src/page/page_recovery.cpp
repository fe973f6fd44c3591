#include "page/page_recovery.h"

namespace quillane {

PageRecovery::PageRecovery(std::function<double()> now)
    : m_now(std::move(now))
{
}

bool PageRecovery::shouldReload()
{
    double now = m_now();
    while (!m_endings.empty() && now - m_endings.front() >= period)
        m_endings.pop_front();
    m_endings.push_back(now);
    return m_endings.size() < std::size_t(endingsAllowed);
}

} // namespace quillane
