#include "page/closing.h"

#include "main_window/main_window.h"
#include "platform/application.h"
#include "platform/dialogs.h"
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
        m_application.quit();
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
            m_application.quit();
    });
}

void Closing::pageAllowedClose(platform::WebView& page)
{
    if (!m_quitting)
        return;
    m_waitingFor.erase(&page);
    if (m_waitingFor.empty())
        m_application.quit();
}

void Closing::attach(platform::WebView& page, platform::Window& window)
{
    page.onBeforeUnload = [this, &window](std::function<void(bool)> completion) { askToLeave(window, std::move(completion)); };
}

void Closing::attachMain()
{
    attach(m_main.page(), m_main.window());
    m_main.page().onClose = [this] { pageAllowedClose(m_main.page()); };
    m_main.window().onCloseRequest = [this] {
        requestQuit();
        return false;
    };
}

void Closing::askToLeave(platform::Window& window, std::function<void(bool leave)> completion)
{
    // The page has answered: now the user decides, in their own time.
    ++m_questionsUp;
    m_giveUp.cancel();
    platform::Question question { "Leave page?", "Changes you made may not be saved.", { "Leave", "Stay" } };
    platform::ask(window, question, [this, completion = std::move(completion)](const platform::Answer& answer) {
        bool leave = answer.affirmative();
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
