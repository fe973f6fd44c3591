#include "page/find_position.h"

namespace quillane {

void FindPosition::found(unsigned matches)
{
    m_matches = matches;
    if (m_current == 0 || m_current > matches)
        m_current = 1;
}

void FindPosition::clear()
{
    m_matches = 0;
    m_current = 0;
}

bool FindPosition::next()
{
    if (m_matches == 0)
        return false;
    m_current = m_current % m_matches + 1;
    return true;
}

bool FindPosition::previous()
{
    if (m_matches == 0)
        return false;
    m_current = m_current <= 1 ? m_matches : m_current - 1;
    return true;
}

std::string FindPosition::text() const
{
    return m_matches == 0 ? "" : std::to_string(m_current) + " of " + std::to_string(m_matches);
}

} // namespace quillane
