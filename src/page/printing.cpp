#include "page/printing.h"

#include "platform/web_view.h"

#include <algorithm>
#include <cmath>

namespace quillane {

Printing::Printing(std::function<double()> now, std::function<std::string()> folder)
    : m_now(std::move(now))
    , m_folder(std::move(folder))
{
}

void Printing::attach(platform::WebView& page, platform::Window& window)
{
    page.onPrint = [this, &page, &window] { pageAsks(dialogFor(page, window)); };
}

void Printing::print(platform::WebView& page, platform::Window& window)
{
    userAsks(dialogFor(page, window));
}

Printing::ShowDialog Printing::dialogFor(platform::WebView& page, platform::Window& window)
{
    return [this, &page, &window](std::function<void(bool)> answered) { page.print(window, m_folder ? m_folder() : "", std::move(answered)); };
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
