#include "app/closing.h"

#include "app/main_window.h"
#include "platform/application.h"
#include "platform/web_view.h"

namespace quillane {

Closing::Closing(platform::Application& application, MainWindow& main, std::function<std::vector<platform::WebView*>()> pageWindows)
    : m_application(application)
    , m_main(main)
    , m_pageWindows(std::move(pageWindows))
{
}

void Closing::requestQuit()
{
    if (m_quitting)
        return;
    m_quitting = true;
    m_waitingFor.clear();
    std::vector<platform::WebView*> pages { &m_main.page() };
    for (platform::WebView* page : m_pageWindows())
        pages.push_back(page);
    // A view that never showed a page has nothing to object with, and nothing to answer with.
    std::erase_if(pages, [](platform::WebView* page) { return !page->hasCommittedLoad(); });
    if (pages.empty()) {
        m_application.terminate();
        return;
    }
    m_waitingFor.insert(pages.begin(), pages.end());
    waitForThePages();
    // A page may answer at once, from inside the call.
    for (platform::WebView* page : pages) {
        if (m_quitting && m_waitingFor.count(page))
            page->tryClose();
    }
}

void Closing::waitForThePages()
{
    m_giveUp = platform::runOnMainQueueAfter(patience, [this] {
        if (m_questionsUp == 0)
            m_application.terminate();
    });
}

void Closing::pageAllowedClose(platform::WebView& page)
{
    if (!m_quitting)
        return;
    m_waitingFor.erase(&page);
    if (m_waitingFor.empty())
        m_application.terminate();
}

void Closing::askToLeave(platform::Window& window, std::function<void(bool leave)> completion)
{
    // The page has answered: now the user decides, in their own time.
    ++m_questionsUp;
    m_giveUp.cancel();
    Question question { "Leave page?", "Changes you made may not be saved.", { "Leave", "Stay" } };
    quillane::ask(window, question, [this, completion = std::move(completion)](bool leave) {
        --m_questionsUp;
        if (!leave && m_quitting) {
            m_quitting = false;
            m_giveUp.cancel();
        } else if (m_quitting && m_questionsUp == 0) {
            // The others had as long as the user took; the page that asked goes now.
            waitForThePages();
        }
        completion(leave);
    });
}

} // namespace quillane
