#pragma once
// The thin line along the bottom of the band: how far the downloads have come together while any
// runs, else a line across while the page waits for a server to start answering (the old page
// stays until then, and nothing else would show that anything is under way).
#include "platform/listeners.h"

#include <optional>
#include <vector>

namespace quillane {

namespace platform {
class WebView;
class Window;
}

class ProgressLine {
public:
    explicit ProgressLine(platform::Window& window);
    // Follows the page's loads from now on.
    void attach(platform::WebView& page);
    // The downloads' progress: a fraction, below 0 when not known, none when none runs.
    void downloads(std::optional<double> fraction);

    // What the line shows: the downloads' progress first, else a line across (below 0) while a page
    // waits, else nothing.
    static std::optional<double> shown(std::optional<double> downloads, bool pageWaiting);

private:
    void waiting(bool waiting);

    platform::Window& m_window;
    std::optional<double> m_downloads;
    bool m_pageWaiting = false;
    std::vector<platform::Subscription> m_subscriptions;
};

} // namespace quillane
