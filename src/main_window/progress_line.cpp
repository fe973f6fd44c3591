#include "main_window/progress_line.h"

#include "platform/web_view.h"
#include "platform/window.h"

namespace quillane {

ProgressLine::ProgressLine(platform::Window& window)
    : m_window(window)
{
}

std::optional<double> ProgressLine::shown(std::optional<double> downloads, bool pageWaiting)
{
    if (downloads)
        return downloads;
    return pageWaiting ? std::optional(-1.0) : std::nullopt;
}

void ProgressLine::attach(platform::WebView& page)
{
    m_subscriptions.push_back(page.loadStarted.add([this] { waiting(true); }));
    // Once the page starts to arrive it shows itself; a load that fails or is stopped ends too.
    m_subscriptions.push_back(page.loadCommitted.add([this] { waiting(false); }));
    m_subscriptions.push_back(page.loadFinished.add([this] { waiting(false); }));
    m_subscriptions.push_back(page.loadFailed.add([this](const platform::LoadFailure&) { waiting(false); }));
    m_subscriptions.push_back(page.processEnded.add([this](platform::ProcessEnd) { waiting(false); }));
}

void ProgressLine::downloads(std::optional<double> fraction)
{
    m_downloads = fraction;
    m_window.setProgress(shown(m_downloads, m_pageWaiting));
}

void ProgressLine::waiting(bool waiting)
{
    m_pageWaiting = waiting;
    m_window.setProgress(shown(m_downloads, m_pageWaiting));
}

} // namespace quillane
