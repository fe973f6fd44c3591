#include "page/find_in_page.h"

#include "main_window/main_window.h"

namespace quillane {

FindInPage::FindInPage(MainWindow& main)
    : m_main(main)
    , m_bar(main.window(), MainWindow::band, {
          [this](const std::string& text) {
              m_position.clear();
              setStatus("");
              m_main.page().find(text);
          },
          [this] {
              if (!m_position.next())
                  return;
              m_main.page().findNext();
              setStatus(m_position.text());
          },
          [this] {
              if (!m_position.previous())
                  return;
              m_main.page().findPrevious();
              setStatus(m_position.text());
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
    m_position.found(matches);
    setStatus(m_position.text());
}

void FindInPage::notFound()
{
    m_position.clear();
    setStatus(m_bar.text().empty() ? "" : "No matches");
}

void FindInPage::setStatus(const std::string& status)
{
    m_status = status;
    m_bar.setStatus(status);
    m_bar.setCanStep(m_position.hasMatches());
}

std::string FindInPage::status() const
{
    return m_status;
}

} // namespace quillane
