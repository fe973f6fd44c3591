#include "navigation/navigation.h"

#include "app/names.h"
#include "navigation/address_rules.h"
#include "navigation/failure_pages.h"
#include "platform/pointer.h"

#include <utility>

namespace quillane {

namespace {
// The engine has no time-out of its own for a page request: a load not under way by then is stopped.
constexpr double pageRequestTimeout = 60;
} // namespace

std::optional<platform::URL> lastPageIn(const std::vector<std::string>& links)
{
    std::optional<platform::URL> chosen;
    for (const auto& link : links) {
        auto url = platform::URL::parse(link);
        if (auto inner = url ? page(*url) : std::nullopt)
            chosen = std::move(inner);
    }
    return chosen;
}

Navigation::Navigation(platform::Preferences& preferences, platform::Application& application, MainWindow& main)
    : m_preferences(preferences)
    , m_application(application)
    , m_main(main)
    , m_recovery(platform::systemUptime)
{
}

std::optional<platform::URL> Navigation::rememberedAddress() const
{
    auto remembered = m_preferences.text(keys::address);
    return remembered ? address(*remembered) : std::nullopt;
}

void Navigation::remember(platform::Preferences& preferences, const platform::URL& address)
{
    preferences.setText(keys::address, address.absoluteString());
}

void Navigation::load(const platform::URL& address)
{
    // The engine would show a blank page without a word.
    if (address.port() && isBlockedPort(*address.port())) {
        platform::LoadFailure failure;
        failure.kind = platform::LoadFailure::Kind::blockedPort;
        failure.address = address.absoluteString();
        failure.message = "Port " + std::to_string(*address.port()) + " belongs to another kind of service, and web pages are kept from it";
        pageDidFail(failure);
        return;
    }
    m_main.page().load({ address.loadableString(), pageRequestTimeout });
}

void Navigation::open(const platform::URL& page)
{
    remember(m_preferences, page);
    load(page);
    m_main.window().makeKeyAndOrderFront();
    m_application.activate();
}

void Navigation::openAddress(std::optional<std::string> text)
{
    auto alert = platform::Alert::make();
    alert->setMessageText("Open Address");
    alert->setTextField(text ? *text : m_main.page().url().value_or(""), { 320, 24 });
    alert->addButton("Open");
    alert->addButton("Cancel");
    alert->beginSheetModal(m_main.window(), [this, alert](int response) {
        if (response != platform::alertFirstButtonReturn)
            return;
        auto chosen = address(alert->textFieldValue());
        if (!chosen)
            return;
        remember(m_preferences, *chosen);
        load(*chosen);
    });
}

void Navigation::pageDidFinish()
{
    if (std::exchange(m_ownPageLoading, false))
        return;
    m_startPending = false;
}

void Navigation::pageDidFail(const platform::LoadFailure& failure)
{
    if (failure.kind == platform::LoadFailure::Kind::cancelled)
        return;
    showOwnPage(loadFailurePage(failure), failure.address);
    if (std::exchange(m_startPending, false))
        openAddress(failure.address);
}

void Navigation::pageProcessEnded()
{
    std::string address = m_main.page().url().value_or("");
    if (address.empty())
        return;
    if (!m_recovery.shouldReload()) {
        showOwnPage(stoppedPage(address), address);
        return;
    }
    // Once the engine has finished with the ended process.
    m_reload = platform::runOnMainQueue([this, address] { m_main.page().load({ address, pageRequestTimeout }); });
}

void Navigation::showOwnPage(const std::string& html, const std::string& address)
{
    m_ownPageLoading = true;
    m_main.page().showAlternateHTML(html, address);
}

} // namespace quillane
