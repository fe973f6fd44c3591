#include "app/page_windows.h"

#include "app/names.h"
#include "navigation/address_rules.h"
#include "platform/file_panels.h"

#include <algorithm>

namespace quillane {

namespace {
constexpr platform::Size pageWindowSize { 800, 600 };
constexpr std::uint64_t pageWindowStyle = platform::styleMask::titled | platform::styleMask::closable | platform::styleMask::miniaturizable
    | platform::styleMask::resizable;
} // namespace

PageWindows::PageWindows(platform::Application& application, MainWindow& main, const FixedTexts& texts, Setup setup, OncePerInput& once,
    LeavingLinks& leaving)
    : m_application(application)
    , m_main(main)
    , m_texts(texts)
    , m_setup(setup)
    , m_once(once)
    , m_leaving(leaving)
{
}

platform::WebView* PageWindows::create(platform::WebView& opener, const platform::NewWindowRequest& request)
{
    if (request.followedLink) {
        auto target = platform::URL::parse(request.url);
        auto mainPage = platform::URL::parse(m_main.page().url().value_or(""));
        if (!target)
            return nullptr;
        // Quillane never opens itself for another site: that is the browser's, or another program's.
        if (!mainPage || !sameSite(*target, *mainPage)) {
            std::string from = mainPage && mainPage->host() ? site(mainPage->scheme(), *mainPage->host(), mainPage->port().value_or(0)) : "this page";
            m_leaving.handOff(*target, from);
            return nullptr;
        }
    }
    if (m_windows.size() >= mostAtOnce || !m_once.take())
        return nullptr;
    platform::WebViewConfiguration configuration;
    configuration.relatedTo = &opener;
    configuration.allFramesUserScripts = { m_texts.subframeMediaGuard };
    configuration.mediaStreamEnabled = true;
    configuration.mockCaptureDevices = m_setup.mockCaptureDevices;

    PageWindow& entry = m_windows.emplace_back();
    entry.window = std::make_unique<platform::Window>(m_application, platform::Rect { { 0, 0 }, pageWindowSize }, pageWindowStyle);
    entry.window->setTitle(names::displayName);
    entry.window->setIconName(names::applicationId);
    entry.window->setTransientFor(&m_main.window());
    entry.window->setDelegate(this);
    entry.window->setLevel(m_floats ? levels::floating : platform::windowLevel::normal);
    entry.page = std::make_shared<platform::WebView>(platform::Rect { { 0, 0 }, pageWindowSize }, configuration);
    entry.page->setUIDelegate(m_setup.uiDelegate);
    entry.page->setNavigationDelegate(m_setup.navigationDelegate);
    entry.window->setContentView(entry.page);
    platform::WebView& page = *entry.page;
    platform::Window& window = *entry.window;
    entry.title = page.observeTitle([&page, &window] {
        std::string title = page.title();
        window.setTitle(title.empty() ? names::displayName : title);
    });
    return entry.page.get();
}

void PageWindows::show(platform::WebView& view)
{
    if (platform::Window* window = windowOf(view)) {
        window->center();
        window->makeFirstResponder(view);
        window->makeKeyAndOrderFront();
    }
}

void PageWindows::close(platform::WebView& view)
{
    auto entry = std::find_if(m_windows.begin(), m_windows.end(), [&](const PageWindow& candidate) { return candidate.page.get() == &view; });
    if (entry != m_windows.end())
        dismiss(entry);
}

void PageWindows::didDownload(platform::WebView& view, platform::Download& download)
{
    auto shown = view.url().value_or("");
    if (view.hasCommittedLoad() && !shown.empty() && shown != "about:blank")
        return;
    // Out of sight, but alive until the download ends: the engine ends a download whose page goes.
    auto entry = std::find_if(m_windows.begin(), m_windows.end(), [&](const PageWindow& candidate) { return candidate.page.get() == &view; });
    if (entry == m_windows.end())
        return;
    entry->window->orderOut();
    m_downloading.splice(m_downloading.end(), m_windows, entry);
    platform::WebView* page = &view;
    download.setEndedHandler([this, page] {
        auto done = std::find_if(m_downloading.begin(), m_downloading.end(), [&](const PageWindow& candidate) { return candidate.page.get() == page; });
        if (done == m_downloading.end())
            return;
        done->window->close();
        m_closed.splice(m_closed.end(), m_downloading, done);
        m_release = platform::runOnMainQueue([this] { m_closed.clear(); });
    });
}

platform::Window* PageWindows::windowOf(const platform::WebView& view) const
{
    for (const auto& entry : m_windows) {
        if (entry.page.get() == &view)
            return entry.window.get();
    }
    return nullptr;
}

void PageWindows::followFloating(bool floats)
{
    m_floats = floats;
    for (auto& entry : m_windows)
        entry.window->setLevel(floats ? levels::floating : platform::windowLevel::normal);
}

std::vector<platform::WebView*> PageWindows::pages() const
{
    std::vector<platform::WebView*> shown;
    for (const auto& entry : m_windows)
        shown.push_back(entry.page.get());
    return shown;
}

bool PageWindows::windowShouldClose(platform::Window& window)
{
    for (auto& entry : m_windows) {
        if (entry.window.get() == &window) {
            entry.page->tryClose();
            return false;
        }
    }
    return true;
}

void PageWindows::dismiss(std::list<PageWindow>::iterator entry)
{
    entry->window->close();
    m_closed.splice(m_closed.end(), m_windows, entry);
    m_release = platform::runOnMainQueue([this] { m_closed.clear(); });
}

} // namespace quillane
