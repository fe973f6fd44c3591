#include "app/printing.h"

#include <algorithm>
#include <cmath>

namespace quillane {

Printing::Printing(std::function<double()> now)
    : m_now(std::move(now))
{
}

void Printing::userAsks(const ShowDialog& show)
{
    if (!m_showing)
        showNow(show);
}

void Printing::pageAsks(const ShowDialog& show)
{
    if (m_showing || m_now() < m_quietUntil)
        return;
    showNow(show);
}

void Printing::showNow(const ShowDialog& show)
{
    m_showing = true;
    show([self = std::weak_ptr<Printing*>(m_self)](bool printed) {
        if (auto alive = self.lock())
            (*alive)->answered(printed);
    });
}

void Printing::answered(bool printed)
{
    m_showing = false;
    if (printed) {
        m_cancelsInARow = 0;
        m_quietUntil = 0;
        return;
    }
    ++m_cancelsInARow;
    double quiet = std::min(longestQuiet, quietAfterCancel * std::pow(2.0, m_cancelsInARow - 1));
    m_quietUntil = m_now() + quiet;
}

} // namespace quillane
