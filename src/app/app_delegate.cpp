#include "app/app_delegate.h"

#include "app/band_colour.h"
#include "app/closing.h"
#include "app/find_in_page.h"
#include "app/install_from_page.h"
#include "app/once_per_input.h"
#include "app/page_windows.h"
#include "app/printing.h"
#include "navigation/leaving_links.h"
#include "navigation/page_zoom.h"
#include "services/notifications.h"
#include "navigation/failure_pages.h"
#include "app/names.h"
#include "app/script_bridge.h"
#include "menus/about_panel.h"
#include "menus/menu_table.h"
#include "navigation/navigation.h"
#include "platform/event_monitor.h"
#include "platform/main_queue.h"
#include "platform/pointer.h"
#include "probe/probe_run.h"
#include "services/downloads.h"
#include "services/file_chooser.h"
#include "services/microphone_permission.h"
#include "window/drag_monitor.h"
#include "window/window_modes.h"

namespace quillane {

// Built in this order at launch; each takes what it needs of those before it.
struct AppDelegate::Owners {
    Owners(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts, const LaunchOptions& options,
        AppDelegate& delegate)
        : main(application, texts, { &delegate, options.mockCaptureDevices, options.acceleratedCompositing, options.iconName })
        , modes(preferences, main, [this, &application] {
            application.validateMenus();
            pageWindows.followFloating(modes.floats());
        })
        , probe(options.probeFile ? std::make_unique<ProbeRun>(application, texts, *options.probeFile, options.probeTestPage) : nullptr)
        , windowDrags(main.window())
        , drags(main.window(), probe ? static_cast<DragPolicy&>(*probe) : windowDrags)
        , microphone(preferences, [this](const Question& question, auto answer) { main.ask(question, std::move(answer)); })
        , files(application, main.window(), texts.acceptLists)
        , downloads(probe ? probe->downloadDestination() : Downloads::askWhereToSave(application, main.window(), preferences),
              [this](const std::string& message) { main.tell(message); })
        , navigation(preferences, application, main)
        , about(application, main.window())
        , menuValidation(modes)
        , loads(probe ? static_cast<LoadEvents&>(*probe) : navigation)
        , closing(application, main, [this] { return pageWindows.pages(); })
        , notifications(preferences, [this](const Question& question, auto answer) { main.ask(question, std::move(answer)); },
              [this, &application] {
                  main.window().makeKeyAndOrderFront();
                  application.activate();
              })
        , zoom(preferences, main.page())
        , find(main)
        , installer(main, texts)
        , once(platform::userInputCount)
        , leaving(preferences, main.window(), once)
        , printing(platform::systemUptime)
        , pageWindows(application, main, texts, { &delegate, &delegate, options.mockCaptureDevices }, once, leaving)
    {
    }

    MainWindow main;
    WindowModes modes;
    std::unique_ptr<ProbeRun> probe;
    WindowDrags windowDrags;
    DragMonitor drags;
    MicrophonePermission microphone;
    FileChooser files;
    Downloads downloads;
    Navigation navigation;
    AboutPanel about;
    MenuValidation menuValidation;
    // The self-test answers for the page's loads in its run.
    LoadEvents& loads;
    Closing closing;
    Notifications notifications;
    PageZoom zoom;
    FindInPage find;
    InstallFromPage installer;
    // A page opens one window, or hands one link to another program, for each input of the user's.
    OncePerInput once;
    LeavingLinks leaving;
    Printing printing;
    PageWindows pageWindows;
    platform::ScheduledBlock firstQuestion;
};

AppDelegate::AppDelegate(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts, LaunchOptions options)
    : m_application(application)
    , m_preferences(preferences)
    , m_texts(texts)
    , m_options(std::move(options))
{
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    m_owners = std::make_unique<Owners>(m_application, m_preferences, m_texts, m_options, *this);
    Owners& owners = *m_owners;
    MainWindow& main = owners.main;
    main.window().setDelegate(this);
    owners.modes.settle();
    owners.pageWindows.followFloating(owners.modes.floats());
    main.observePageFullScreen([&owners] { owners.modes.pageFullScreenChanged(); });
    main.page().setUIDelegate(this);
    main.page().setNavigationDelegate(this);
    owners.drags.watch();

    installMenusAndCommands();
    // Quitting, another address and full screen work even while the page does not answer.
    main.window().setKeysKeptFromAnUnresponsivePage({ "<Primary>q", "<Primary>l", "F11" });

    if (owners.probe) {
        owners.probe->begin({ main, owners.modes, owners.microphone, owners.about, owners.navigation });
        return;
    }
    auto launchAddress = owners.navigation.rememberedAddress();
    if (launchAddress)
        owners.navigation.load(*launchAddress);
    main.window().center();
    main.window().makeFirstResponder(main.page());
    main.window().setFrameAutosaveName(names::frameAutosaveName, m_preferences);
    main.window().makeKeyAndOrderFront();
    m_application.activate();
    // A first start asks for an address once the launch is over.
    if (!launchAddress)
        owners.firstQuestion = platform::runOnMainQueue([&owners] { owners.navigation.openAddress(); });
}

// The menu bar, and beyond it the commands reached by keys (after the page) and the page's context menu.
void AppDelegate::installMenusAndCommands()
{
    Owners& owners = *m_owners;
    MainWindow& main = owners.main;
    MenuActions actions {
        [&owners] { owners.about.show(); },
        [&owners] { owners.microphone.forget(); },
        [&owners] { owners.closing.requestQuit(); },
        [&owners] { owners.navigation.openAddress(); },
        [&main] { main.page().reloadFromOrigin(); },
        [&owners] { owners.modes.toggleFullScreen(); },
        [&owners] { owners.modes.toggleFloating(); },
        [&owners] { owners.modes.minimise(); },
    };
    m_application.setMainMenu(menuTable(actions, owners.menuValidation));
    m_application.setCommands({
        { "zoom-in", { "<Primary>plus", "<Primary>equal", "<Primary>KP_Add" }, [&owners] { owners.zoom.zoomIn(); } },
        { "zoom-out", { "<Primary>minus", "<Primary>KP_Subtract" }, [&owners] { owners.zoom.zoomOut(); } },
        { "zoom-reset", { "<Primary>0", "<Primary>KP_0" }, [&owners] { owners.zoom.reset(); } },
        { "find", { "<Primary>f" }, [&owners] { owners.find.open(); } },
        { "print", { "<Primary>p" }, [this, &main] { print(main.page(), false); } },
        { "inspect", { "<Primary><Shift>i" }, [&main] { main.page().showInspector(); } },
        { "forget-notification-choices", {}, [&owners] { owners.notifications.forget(); } },
        { "forget-link-choices", {}, [&owners] { owners.leaving.forget(); } },
        { "install-app", {}, [&owners] { owners.installer.start(); } },
        // What the band and the window buttons do, from the keyboard.
        { "move-window", { "<Alt>F7" }, [&main] { main.window().beginKeyboardMove(); } },
        { "resize-window", { "<Alt>F8" }, [&main] { main.window().beginKeyboardResize(); } },
        { "maximise-window", { "<Alt>F10" }, [&main] { main.window().toggleMaximised(); } },
    });
}

void AppDelegate::applicationOpen(const std::vector<std::string>& links)
{
    auto chosen = lastPageIn(links);
    if (!chosen)
        return;
    // Before launch the page is stored for the launch to find.
    if (!m_owners) {
        Navigation::remember(m_preferences, *chosen);
        return;
    }
    m_owners->navigation.open(*chosen);
}

void AppDelegate::didReceiveScriptMessage(const std::string&, const platform::ScriptValue& body)
{
    BridgeMessage message = sortMessage(body);
    if (message.kind == BridgeMessage::Kind::bandReport)
        m_owners->main.setTopColour(colour(message.band), colour(message.theme));
    else
        m_owners->drags.dragRequest();
}

void AppDelegate::requestMediaCapturePermission(platform::WebView&, const platform::SecurityOrigin& origin, platform::MediaCaptureType type,
    std::function<void(platform::PermissionDecision)> decisionHandler)
{
    m_owners->microphone.request(origin, type, std::move(decisionHandler));
}

void AppDelegate::runOpenPanel(platform::WebView& view, bool allowsMultipleSelection,
    std::function<void(std::optional<std::vector<std::string>>)> completion)
{
    m_owners->files.run(view, allowsMultipleSelection, std::move(completion));
}

void AppDelegate::navigationDidBecomeDownload(platform::WebView& view, platform::Download& download)
{
    m_owners->downloads.take(download);
    m_owners->pageWindows.didDownload(view, download);
}

platform::WebView* AppDelegate::createWebView(platform::WebView& opener, const platform::NewWindowRequest& request)
{
    return m_owners->pageWindows.create(opener, request);
}

void AppDelegate::webViewReadyToShow(platform::WebView& view)
{
    m_owners->pageWindows.show(view);
}

void AppDelegate::webViewDidClose(platform::WebView& view)
{
    // While quitting, every page is let go together once all have said so; otherwise the main page's
    // own window.close() closes nothing, and a page window's closes its window.
    if (m_owners->closing.isQuitting())
        m_owners->closing.pageAllowedClose(view);
    else if (&view != &m_owners->main.page())
        m_owners->pageWindows.close(view);
}

void AppDelegate::webViewRequestsPrinting(platform::WebView& view)
{
    print(view, true);
}

void AppDelegate::print(platform::WebView& page, bool pageAsks)
{
    platform::Window* window = m_owners->pageWindows.windowOf(page);
    platform::Window& parent = window ? *window : m_owners->main.window();
    std::string folder = Downloads::saveFolder(m_preferences);
    auto show = [&page, &parent, folder](std::function<void(bool)> answered) { page.print(parent, folder, std::move(answered)); };
    if (pageAsks)
        m_owners->printing.pageAsks(show);
    else
        m_owners->printing.userAsks(show);
}

void AppDelegate::runBeforeUnloadConfirmPanel(platform::WebView& view, std::function<void(bool leave)> completion)
{
    platform::Window* window = m_owners->pageWindows.windowOf(view);
    m_owners->closing.askToLeave(window ? *window : m_owners->main.window(), std::move(completion));
}

bool AppDelegate::windowShouldClose(platform::Window&)
{
    m_owners->closing.requestQuit();
    return false;
}

void AppDelegate::webViewDidFinish(platform::WebView& view)
{
    if (&view != &m_owners->main.page())
        return;
    m_owners->zoom.pageLoaded();
    m_owners->loads.pageDidFinish();
}

void AppDelegate::requestNotificationPermission(platform::WebView&, const platform::SecurityOrigin& origin,
    std::function<void(platform::PermissionDecision)> decisionHandler)
{
    m_owners->notifications.request(origin, std::move(decisionHandler));
}

void AppDelegate::showNotification(platform::WebView&, platform::Notification& notification)
{
    m_owners->notifications.show(notification);
}

void AppDelegate::webViewDidFind(platform::WebView& view, unsigned matches)
{
    if (&view == &m_owners->main.page())
        m_owners->find.found(matches);
}

void AppDelegate::webViewDidFailToFind(platform::WebView& view)
{
    if (&view == &m_owners->main.page())
        m_owners->find.notFound();
}

std::vector<platform::ContextMenuEntry> AppDelegate::contextMenuEntries(platform::WebView& view)
{
    if (&view != &m_owners->main.page())
        return {};
    return {
        { "", "" },
        { "Zoom In", "zoom-in" },
        { "Zoom Out", "zoom-out" },
        { "Actual Size", "zoom-reset" },
        { "", "" },
        { "Find\u2026", "find" },
        { "Print\u2026", "print" },
        { "", "" },
        { "Move Window", "move-window" },
        { "Resize Window", "resize-window" },
        { "Maximise Window", "maximise-window" },
        { "", "" },
        { "Forget Notification Choices", "forget-notification-choices" },
        { "Forget Link Choices", "forget-link-choices" },
        { "Install as Application\u2026", "install-app" },
    };
}

void AppDelegate::webViewDidFailProvisionalNavigation(platform::WebView& view, const platform::LoadFailure& failure)
{
    if (&view == &m_owners->main.page())
        m_owners->loads.pageDidFail(failure);
    else if (failure.kind != platform::LoadFailure::Kind::cancelled)
        view.showAlternateHTML(loadFailurePage(failure), failure.address);
}

void AppDelegate::webViewWebContentProcessDidTerminate(platform::WebView& view, platform::ProcessTermination)
{
    if (&view == &m_owners->main.page())
        m_owners->navigation.pageProcessEnded();
}

bool AppDelegate::windowShouldZoom(platform::Window&, platform::Rect)
{
    const platform::Event* event = platform::currentEvent();
    return m_owners->modes.shouldZoom(event ? event->clickCount : 0);
}

void AppDelegate::windowDidEnterFullScreen(platform::Window&)
{
    m_owners->modes.didEnterFullScreen();
}

void AppDelegate::windowDidExitFullScreen(platform::Window&)
{
    m_owners->modes.didExitFullScreen();
}

void AppDelegate::windowDidFailToEnterFullScreen(platform::Window&)
{
    m_owners->modes.didFailToEnterFullScreen();
}

void AppDelegate::windowDidDeminiaturize(platform::Window&)
{
    m_owners->modes.didUnminimise();
}

int AppDelegate::exitStatus() const
{
    return m_owners && m_owners->probe ? m_owners->probe->exitStatus() : 0;
}

MainWindow& AppDelegate::mainWindow()
{
    return m_owners->main;
}

WindowModes& AppDelegate::modes()
{
    return m_owners->modes;
}

AboutPanel& AppDelegate::aboutPanel()
{
    return m_owners->about;
}

FileChooser& AppDelegate::fileChooser()
{
    return m_owners->files;
}

FindInPage& AppDelegate::findInPage()
{
    return m_owners->find;
}

} // namespace quillane
