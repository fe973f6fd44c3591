#include "app/closing.h"

#include "app/main_window.h"
#include "platform/application.h"

namespace quillane {

namespace {
// How long a page may take to say whether it lets itself be closed.
constexpr double patience = 3;
} // namespace

Closing::Closing(platform::Application& application, MainWindow& main)
    : m_application(application)
    , m_main(main)
{
}

void Closing::requestQuit()
{
    if (m_quitting)
        return;
    m_quitting = true;
    m_patience = platform::runOnMainQueueAfter(patience, [this] { m_application.terminate(); });
    m_main.page().tryClose();
}

void Closing::pageAllowedClose()
{
    // The page's own window.close() closes nothing: only a close the user asked for.
    if (m_quitting)
        m_application.terminate();
}

void Closing::askToLeave(platform::Window& window, std::function<void(bool leave)> completion)
{
    // The page has answered: now the user decides, in their own time.
    bool quitting = m_quitting;
    m_patience.cancel();
    Question question { "Leave page?", "Changes you made may not be saved.", { "Leave", "Stay" } };
    quillane::ask(window, question, [this, quitting, completion = std::move(completion)](bool leave) {
        if (!leave && quitting)
            m_quitting = false;
        completion(leave);
    });
}

} // namespace quillane
