// Links of the quillane: scheme handed over by the system (the command line, or a second launch).
#include "app/app_delegate.h"
#include "navigation/address_rules.h"

namespace quillane {

void AppDelegate::applicationOpen(const std::vector<std::string>& links)
{
    std::optional<platform::URL> chosen;
    for (const auto& link : links) {
        auto url = platform::URL::parse(link);
        if (auto inner = url ? page(*url) : std::nullopt)
            chosen = std::move(inner);
    }
    if (!chosen)
        return;
    m_preferences.setText("address", chosen->absoluteString());
    // Before launch there is no page view yet: the launch finds the address and loads it.
    if (!web)
        return;
    loadPage(*chosen);
    window->makeKeyAndOrderFront();
    m_application.activate();
}

} // namespace quillane
