#include "page/navigation.h"

#include "names.h"
#include "page/address_rules.h"
#include "page/failure_pages.h"
#include "page/own_pages.h"
#include "platform/appearance.h"
#include "platform/input.h"

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

Navigation::Navigation(platform::Preferences& preferences, MainWindow& main)
    : m_preferences(preferences)
    , m_main(main)
    , m_recovery(platform::secondsNow)
{
}

void Navigation::attach()
{
    platform::WebView& page = m_main.page();
    m_subscriptions.push_back(page.loadFinished.add([this] { pageFinished(); }));
    m_subscriptions.push_back(page.loadFailed.add([this](const platform::LoadFailure& failure) { pageFailed(failure); }));
    m_subscriptions.push_back(page.processEnded.add([this](platform::ProcessEnd) { pageProcessEnded(); }));
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
    m_startPageShown = false;
    // The engine would show a blank page without a word.
    if (address.port() && isBlockedPort(*address.port())) {
        platform::LoadFailure failure;
        failure.kind = platform::LoadFailure::Kind::blockedPort;
        failure.address = address.absoluteString();
        failure.message = "Port " + std::to_string(*address.port()) + " belongs to another kind of service, and web pages are kept from it";
        pageFailed(failure);
        return;
    }
    m_main.page().load(address.loadableString(), pageRequestTimeout);
}

void Navigation::open(const platform::URL& page)
{
    remember(m_preferences, page);
    load(page);
    m_main.window().present();
}

void Navigation::openAddress(std::optional<std::string> text)
{
    platform::Question question { "Open Address", {}, { "Open", "Cancel" } };
    question.field = text ? *text : m_startPageShown ? "" : m_main.page().url().value_or("");
    question.fieldName = "Address";
    question.checkField = [](const std::string& typed) { return whyNotAnAddress(typed); };
    m_main.ask(question, [this](const platform::Answer& answer) {
        if (!answer.affirmative())
            return;
        // Nothing typed is as good as Cancel.
        auto chosen = address(answer.field);
        if (!chosen)
            return;
        remember(m_preferences, *chosen);
        load(*chosen);
    });
}

void Navigation::showStartPage()
{
    m_ownPageLoading = true;
    m_startPageShown = true;
    m_main.page().loadHTML(startPage(platform::prefersDarkTheme()), "");
}

void Navigation::pageFinished()
{
    if (std::exchange(m_ownPageLoading, false))
        return;
    m_startPending = false;
}

void Navigation::pageFailed(const platform::LoadFailure& failure)
{
    if (failure.kind == platform::LoadFailure::Kind::cancelled)
        return;
    showOwnPage(loadFailurePage(failure, platform::prefersDarkTheme()), failure.address);
    if (std::exchange(m_startPending, false))
        openAddress(failure.address);
}

void Navigation::pageProcessEnded()
{
    if (m_startPageShown) {
        showStartPage();
        return;
    }
    std::string address = m_main.page().url().value_or("");
    if (address.empty())
        return;
    if (!m_recovery.shouldReload()) {
        showOwnPage(stoppedPage(address, platform::prefersDarkTheme()), address);
        return;
    }
    // Once the engine has finished with the ended process.
    m_reload = platform::runOnMainQueue([this, address] { m_main.page().load(address, pageRequestTimeout); });
}

void Navigation::showOwnPage(const std::string& html, const std::string& address)
{
    m_ownPageLoading = true;
    m_main.page().showAlternateHTML(html, address);
}

} // namespace quillane
