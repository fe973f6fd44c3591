#include "page/find_in_page.h"

#include "main_window/main_window.h"

namespace quillane {

FindInPage::FindInPage(MainWindow& main)
    : m_main(main)
    , m_bar(main.window(), MainWindow::band, {
          [this](const std::string& text) {
              m_current = 0;
              m_matches = 0;
              setStatus("");
              m_main.page().find(text);
          },
          [this] {
              if (m_matches == 0)
                  return;
              m_current = m_current % m_matches + 1;
              m_main.page().findNext();
              showPosition();
          },
          [this] {
              if (m_matches == 0)
                  return;
              m_current = m_current <= 1 ? m_matches : m_current - 1;
              m_main.page().findPrevious();
              showPosition();
          },
          [this] {
              m_main.page().finishFind();
              m_main.window().focusPage();
          },
      })
{
    m_main.page().onFindResult = [this](unsigned matches) {
        if (matches > 0)
            found(matches);
        else
            notFound();
    };
}

void FindInPage::open()
{
    m_bar.show();
}

void FindInPage::found(unsigned matches)
{
    m_matches = matches;
    if (m_current == 0 || m_current > matches)
        m_current = 1;
    showPosition();
}

void FindInPage::notFound()
{
    m_matches = 0;
    m_current = 0;
    setStatus(m_bar.text().empty() ? "" : "No matches");
}

void FindInPage::setStatus(const std::string& status)
{
    m_status = status;
    m_bar.setStatus(status);
    m_bar.setCanStep(m_matches > 0);
}

std::string FindInPage::status() const
{
    return m_status;
}

void FindInPage::showPosition()
{
    setStatus(std::to_string(m_current) + " of " + std::to_string(m_matches));
}

} // namespace quillane
