#include "page/navigation.h"

#include "names.h"
#include "page/address_rules.h"
#include "page/failure_pages.h"
#include "page/leaving_links.h"
#include "page/own_pages.h"
#include "page/shown_addresses.h"
#include "platform/input.h"

#include <utility>

namespace quillane {

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

Navigation::Navigation(platform::Preferences& preferences, MainWindow& main, LeavingLinks& leaving, double pageRequestTimeout)
    : m_preferences(preferences)
    , m_main(main)
    , m_leaving(leaving)
    , m_pageRequestTimeout(pageRequestTimeout)
    , m_recovery(platform::secondsNow)
{
}

void Navigation::attach()
{
    platform::WebView& page = m_main.page();
    page.limitPageLoads(m_pageRequestTimeout);
    m_subscriptions.push_back(page.loadCommitted.add([this] { pageCommitted(); }));
    m_subscriptions.push_back(page.loadFinished.add([this] { pageFinished(); }));
    m_subscriptions.push_back(page.loadFailed.add([this](const platform::LoadFailure& failure) { pageFailed(failure); }));
    m_subscriptions.push_back(page.processEnded.add([this](platform::ProcessEnd) { pageProcessEnded(); }));
    page.onFollowLink = [this](const std::string& url) { return linkFollowed(url); };
    m_main.window().onHistoryButton = [&page](bool forward) {
        if (forward)
            page.goForward();
        else
            page.goBack();
    };
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
    if (auto blocked = blockedPortFailure(address)) {
        pageFailed(*blocked);
        return;
    }
    m_main.page().load(address.loadableString(), m_pageRequestTimeout);
}

void Navigation::open(const platform::URL& page, bool remembered)
{
    if (remembered)
        remember(m_preferences, page);
    load(page);
    m_main.window().present();
}

void Navigation::openAddress(std::optional<std::string> text)
{
    platform::Question question { "Open Address", {}, { "Open", "Cancel" } };
    question.field = text ? addressForDisplay(*text) : m_startPageShown ? "" : addressForDisplay(m_main.page().url().value_or(""));
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

void Navigation::pageCommitted()
{
    if (!m_ownPageLoading)
        m_ownPageShown = false;
}

bool Navigation::linkFollowed(const std::string& url)
{
    // Try Again on a page of ours loads as every page request of ours does: with its time-out.
    if (m_leaving.followedInPage(url, linkSource(m_main.page().url()), m_main.window()))
        return true;
    if (!m_ownPageShown)
        return false;
    auto target = platform::URL::parse(url);
    if (!target)
        return false;
    // Once the engine has finished deciding on the link it was told to drop.
    m_tryAgain = platform::runOnMainQueue([this, target = *target] { load(target); });
    return true;
}

void Navigation::showStartPage()
{
    m_ownPageLoading = true;
    m_startPageShown = true;
    m_main.page().loadHTML(startPage(), "");
}

void Navigation::pageFinished()
{
    if (std::exchange(m_ownPageLoading, false))
        return;
    m_startPending = false;
}

void Navigation::pageFailed(const platform::LoadFailure& failure)
{
    if (!isToldInTheWindow(failure))
        return;
    showOwnPage(loadFailurePage(failure), failure.address);
    // Once the start is over: a load refused at once (a blocked port) fails before the window is
    // shown, and a dialog shown before its window would stay behind it.
    if (std::exchange(m_startPending, false))
        m_startQuestion = platform::runOnMainQueue([this, address = failure.address] { openAddress(address); });
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
        showOwnPage(stoppedPage(address), address);
        return;
    }
    // Once the engine has finished with the ended process.
    m_reload = platform::runOnMainQueue([this, address] { m_main.page().load(address, m_pageRequestTimeout); });
}

void Navigation::showOwnPage(const std::string& html, const std::string& address)
{
    m_ownPageLoading = true;
    m_ownPageShown = true;
    m_main.page().showAlternateHTML(html, address);
}

} // namespace quillane
