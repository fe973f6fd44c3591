#include "page/page_windows.h"

#include "platform/application.h"

#include "files/downloads.h"
#include "menus/command_table.h"
#include "names.h"
#include "page/address_rules.h"
#include "page/closing.h"
#include "page/failure_pages.h"
#include "platform/download.h"

#include <algorithm>

namespace quillane {

namespace {
constexpr platform::Size pageWindowSize { 800, 600 };
constexpr platform::Size smallestPageWindow { 240, 160 };

// What a page window is called: its page's title, else its site ("example.com", "127.0.0.1:8080"),
// else the application's name.
std::string windowTitle(const platform::WebView& page, const std::string& applicationName)
{
    std::string title = page.title();
    if (!title.empty())
        return title;
    auto address = platform::URL::parse(page.url().value_or(""));
    if (!address || !address->host())
        return applicationName;
    return *address->host() + (address->port() ? ":" + std::to_string(*address->port()) : "");
}
} // namespace

PageWindows::PageWindows(platform::Application& application, MainWindow& main, const FixedTexts& texts, bool mockCaptureDevices, OncePerInput& once,
    LeavingLinks& leaving, Closing& closing, Downloads& downloads, AttachServices attachServices, double pageRequestTimeout,
    std::optional<platform::URL> scope)
    : m_application(application)
    , m_main(main)
    , m_texts(texts)
    , m_mockCaptureDevices(mockCaptureDevices)
    , m_once(once)
    , m_leaving(leaving)
    , m_closing(closing)
    , m_downloads(downloads)
    , m_attachServices(std::move(attachServices))
    , m_pageRequestTimeout(pageRequestTimeout)
    , m_scope(std::move(scope))
{
}

void PageWindows::attach(platform::WebView& opener)
{
    opener.onCreateWindow = [this, &opener](const platform::NewWindowRequest& request) { return create(request, opener); };
}

std::optional<std::string> PageWindows::sourceOf(const platform::WebView& page) const
{
    // A blank pop-up its opener wrote into leaves from the site of the page that opened it.
    for (const auto& entry : m_windows) {
        if (entry.page.get() == &page)
            return linkSource(page.url(), entry.openedFrom);
    }
    return linkSource(page.url());
}

platform::Size pageWindowSizeFor(std::optional<platform::Size> requested, std::optional<platform::Size> workArea)
{
    platform::Size size = pageWindowSize;
    if (requested)
        size = { std::max(requested->width, smallestPageWindow.width), std::max(requested->height, smallestPageWindow.height) };
    if (workArea)
        size = { std::min(size.width, workArea->width), std::min(size.height, workArea->height) };
    return size;
}

platform::WebView* PageWindows::create(const platform::NewWindowRequest& request, platform::WebView& opener)
{
    if (request.followedLink) {
        auto target = platform::URL::parse(request.url);
        auto mainPage = platform::URL::parse(m_main.page().url().value_or(""));
        if (!target)
            return nullptr;
        // Quillane never opens itself for another site (or outside the application's scope): that is
        // the browser's, or another program's.
        bool own = m_scope ? withinScope(*target, *m_scope) : mainPage && sameSite(*target, *mainPage);
        if (!own) {
            platform::Window* where = windowOf(opener);
            m_leaving.handOff(*target, sourceOf(opener), where ? *where : m_main.window());
            return nullptr;
        }
    }
    if (m_windows.size() >= mostAtOnce || !m_once.take())
        return nullptr;
    platform::WebViewSettings settings;
    settings.relatedTo = &opener;
    settings.allFramesScripts = { m_texts.notificationAnswers, m_texts.subframeMediaGuard };
    settings.mediaStreams = true;
    settings.mockCaptureDevices = m_mockCaptureDevices;

    // Where the opener's own links leave from: its address, or for a blank opener, what opened it.
    std::optional<std::string> openedFrom = opener.url();
    for (const auto& other : m_windows) {
        if (other.page.get() == &opener && !linkSource(openedFrom))
            openedFrom = other.openedFrom;
    }
    PageWindow& entry = m_windows.emplace_back();
    entry.openedFrom = std::move(openedFrom);
    entry.page = std::make_unique<platform::WebView>(m_application, settings);
    entry.window = std::make_unique<platform::Window>(m_application, *entry.page, pageWindowSize);
    platform::WebView& page = *entry.page;
    platform::Window& window = *entry.window;
    const std::string name = m_application.identity().displayName;
    window.setTitle(name);
    window.setTransientFor(&m_main.window());
    window.setKeepAbove(m_floats);
    window.setKeysBeforeThePage(keysBeforeThePage());
    entry.title = page.titleChanged.add([&page, &window, name] { window.setTitle(windowTitle(page, name)); });
    entry.committed = page.loadCommitted.add([&entry, &page, &window, name] {
        window.setTitle(windowTitle(page, name));
        if (page.url().value_or("about:blank") != "about:blank")
            entry.showedAPage = true;
    });
    m_attachServices(page, window);
    page.limitPageLoads(m_pageRequestTimeout);
    entry.failed = page.loadFailed.add([&page](const platform::LoadFailure& failure) {
        if (isToldInTheWindow(failure))
            page.showAlternateHTML(loadFailurePage(failure, FailureShownIn::pageWindow), failure.address);
    });
    page.onFollowLink = [this, &page, &window](const std::string& link) { return m_leaving.followedInPage(link, sourceOf(page), window); };
    // A page that objects has answered: the user decides, in their own time.
    page.onBeforeUnload = [this, &page, askToLeave = std::move(page.onBeforeUnload)](std::function<void(bool)> completion) {
        auto found = find(page);
        if (!askToLeave || !found)
            return;
        (*found)->closing.cancel();
        (*found)->asking = true;
        askToLeave([this, &page, completion = std::move(completion)](bool leave) {
            if (auto asked = find(page))
                (*asked)->asking = false;
            completion(leave);
        });
    };
    attach(page);
    auto opened = platform::URL::parse(request.url);
    page.onReadyToShow = [&window, &page, blocked = opened ? blockedPortFailure(*opened) : std::nullopt] {
        window.centre(pageWindowSizeFor(page.requestedSize(), platform::primaryWorkAreaSize()));
        window.focusPage();
        window.present();
        if (blocked)
            page.showAlternateHTML(loadFailurePage(*blocked, FailureShownIn::pageWindow), blocked->address);
    };
    // While quitting every page is let go together once all have said so.
    page.onClose = [this, &page] {
        if (m_closing.isQuitting())
            m_closing.pageAllowedClose(page);
        else if (auto found = find(page))
            dismiss(*found, m_windows);
    };
    page.onDownload = [this, &page](platform::Download& download) {
        m_downloads.take(download);
        didDownload(page, download);
    };
    window.onCloseRequest = [this, &page] {
        userClosed(page);
        return false;
    };
    window.onHistoryButton = [&page](bool forward) {
        if (forward)
            page.goForward();
        else
            page.goBack();
    };
    return &page;
}

void PageWindows::userClosed(platform::WebView& page)
{
    auto entry = find(page);
    // While the page's question is up, the answer to it decides.
    if (!entry || (*entry)->asking)
        return;
    if (!(*entry)->closing.isPending()) {
        (*entry)->closing = platform::runOnMainQueueAfter(Closing::patience, [this, &page] {
            if (auto found = find(page))
                dismiss(*found, m_windows);
        });
    }
    page.tryClose();
}

std::optional<PageWindows::Entry> PageWindows::find(const platform::WebView& page)
{
    auto entry = std::find_if(m_windows.begin(), m_windows.end(), [&](const PageWindow& candidate) { return candidate.page.get() == &page; });
    return entry == m_windows.end() ? std::nullopt : std::optional(entry);
}

void PageWindows::didDownload(platform::WebView& page, platform::Download& download)
{
    // (The page's address is no guide: by now it is the download's.)
    auto entry = find(page);
    // A window the user has been using (one its opener wrote a page into, say) is not only for this.
    if (!entry || (*entry)->showedAPage || (*entry)->window->hadUserInput())
        return;
    // Out of sight, but alive until the download ends: the engine ends a download whose page goes.
    (*entry)->window->hide();
    m_downloading.splice(m_downloading.end(), m_windows, *entry);
    platform::WebView* started = &page;
    auto previous = std::move(download.onEnded);
    download.onEnded = [this, started, previous, alive = std::weak_ptr(m_alive)] {
        if (previous)
            previous();
        // Its application has ended, and its window with it.
        if (alive.expired())
            return;
        auto done = std::find_if(m_downloading.begin(), m_downloading.end(), [&](const PageWindow& candidate) { return candidate.page.get() == started; });
        if (done != m_downloading.end())
            dismiss(done, m_downloading);
    };
}

void PageWindows::dismiss(Entry entry, std::list<PageWindow>& from)
{
    entry->window->close();
    m_closed.splice(m_closed.end(), from, entry);
    m_release = platform::runOnMainQueue([this] { m_closed.clear(); });
}

platform::Window* PageWindows::windowOf(const platform::WebView& page) const
{
    for (const auto& entry : m_windows) {
        if (entry.page.get() == &page)
            return entry.window.get();
    }
    return nullptr;
}

std::vector<platform::WebView*> PageWindows::pages() const
{
    std::vector<platform::WebView*> shown;
    for (const auto& entry : m_windows)
        shown.push_back(entry.page.get());
    return shown;
}

void PageWindows::closeFocused()
{
    for (auto& entry : m_windows) {
        if (entry.window->isFocused()) {
            userClosed(*entry.page);
            return;
        }
    }
}

void PageWindows::followFloating(bool floats)
{
    m_floats = floats;
    for (auto& entry : m_windows)
        entry.window->setKeepAbove(floats);
}

} // namespace quillane
