#include "launch/launch.h"

#include "apps/app_desktop_entry.h"
#include "apps/app_links.h"
#include "apps/install_from_page.h"
#include "files/downloads.h"
#include "files/file_chooser.h"
#include "main_window/band_colour.h"
#include "main_window/drags.h"
#include "main_window/main_window.h"
#include "main_window/progress_line.h"
#include "main_window/window_modes.h"
#include "menus/about_panel.h"
#include "menus/command_table.h"
#include "page/closing.h"
#include "page/find_in_page.h"
#include "page/leaving_links.h"
#include "page/navigation.h"
#include "page/once_per_input.h"
#include "page/page_windows.h"
#include "page/page_zoom.h"
#include "page/printing.h"
#include "page/script_messages.h"
#include "page/unread_count.h"
#include "permissions/microphone_permission.h"
#include "permissions/notifications.h"
#include "platform/application.h"
#include "platform/commands.h"
#include "platform/editing.h"
#include "platform/input.h"
#include "platform/launcher_entry.h"
#include "platform/main_queue.h"
#include "platform/preferences.h"
#include "probe/probe_run.h"

#include <map>

namespace quillane {

namespace {
// What an application installed from its page holds as its own, when its manifest said.
std::optional<platform::URL> scopeIn(const platform::Preferences& preferences)
{
    auto text = preferences.text(keys::scope);
    return text ? platform::URL::parse(*text) : std::nullopt;
}
} // namespace

// Built in this order; each takes what it needs of those before it.
struct Launch::Parts {
    Parts(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts, const LaunchOptions& options)
        : main(application, texts, { options.mockCaptureDevices, options.acceleratedCompositing, options.themeColour, options.backgroundColour })
        , commands(application)
        , modes(preferences, main, [this] { modesChanged(); })
        , probe(options.probeFile ? std::make_unique<ProbeRun>(application, texts, *options.probeFile, options.probeTestPage) : nullptr)
        , windowDrags(main.window())
        , drags(probe ? static_cast<DragPolicy&>(*probe) : windowDrags)
        , microphone(preferences, [this](const platform::Question& question, auto answer) { askOnMain(question, answer); })
        , notifications(application, preferences, [this](const platform::Question& question, auto answer) { askOnMain(question, answer); },
              [this](const std::string& note) { main.window().showNote({ note, {} }); })
        , files(texts.acceptLists)
        , progress(main.window())
        , downloads(probe ? probe->downloadDestination() : Downloads::askWhereToSave(main.window(), preferences),
              [this](const std::string& message) { main.tell(message); },
              { [this](std::optional<double> fraction) { progress.downloads(fraction); },
                  [this](const platform::Note& note) { main.window().showNote(note); } })
        , printing(platform::secondsNow, [&preferences] { return Downloads::saveFolder(preferences); })
        , once(platform::userInputCount)
        , leaving(preferences, main.window(), once)
        , navigation(preferences, main, leaving, options.pageRequestTimeout)
        , about(application, main.window())
        , closing(application, main, [this] { return pageWindows.pages(); })
        , zoom(preferences, main.page(), [this](const std::string& level) { main.window().showNotice(level, PageZoom::toldFor); })
        , find(main)
        , installer(main, texts)
        , pageWindows(application, main, texts, options.mockCaptureDevices, once, leaving, closing, downloads,
              [this](platform::WebView& page, platform::Window& window) { attachServices(page, window); }, options.pageRequestTimeout, scopeIn(preferences))
        , launcherEntry(application.identity().desktopId + ".desktop")
        , unread([this](const LauncherCount& count) { launcherEntry.publish(count.count, count.visible); }, platform::secondsNow)
    {
    }

    void askOnMain(const platform::Question& question, std::function<void(std::optional<bool>)> answer)
    {
        main.ask(question, [answer](const platform::Answer& given) { answer(given.dismissed ? std::nullopt : std::optional(given.affirmative())); });
    }
    // What every page gets, the main one and those of page windows alike.
    void attachServices(platform::WebView& page, platform::Window& window)
    {
        microphone.attach(page);
        notifications.attach(page, window);
        files.attach(page, window);
        printing.attach(page, window);
        closing.attach(page, window);
    }
    // The page of the window that has the keyboard: a page window's, else the main one.
    platform::WebView& pageInFocus()
    {
        for (platform::WebView* page : pageWindows.pages()) {
            if (platform::Window* window = pageWindows.windowOf(*page); window && window->isFocused())
                return *page;
        }
        return main.page();
    }
    // The menus show the modes as they are; page windows float with the main one.
    void modesChanged()
    {
        commands.setChecked("float-on-top", modes.floats());
        commands.setLabel("full-screen", fullScreenLabel(modes.isFullScreen()));
        pageWindows.followFloating(modes.floats());
    }

    MainWindow main;
    platform::Commands commands;
    WindowModes modes;
    std::unique_ptr<ProbeRun> probe;
    WindowDrags windowDrags;
    Drags drags;
    MicrophonePermission microphone;
    Notifications notifications;
    FileChooser files;
    ProgressLine progress;
    Downloads downloads;
    Printing printing;
    OncePerInput once;
    LeavingLinks leaving;
    Navigation navigation;
    AboutPanel about;
    Closing closing;
    PageZoom zoom;
    FindInPage find;
    InstallFromPage installer;
    PageWindows pageWindows;
    // The count on the application's launcher icon; cleared as the application ends.
    platform::LauncherEntry launcherEntry;
    UnreadCount unread;
    platform::ScheduledBlock firstQuestion;
};

Launch::Launch(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts, LaunchOptions options)
    : m_application(application)
    , m_preferences(preferences)
    , m_texts(texts)
    , m_options(std::move(options))
{
}

Launch::~Launch() = default;

void Launch::start(platform::DesktopColourScheme& colourScheme)
{
    m_parts = std::make_unique<Parts>(m_application, m_preferences, m_texts, m_options);
    Parts& parts = *m_parts;
    MainWindow& main = parts.main;
    platform::WebView& page = main.page();

    main.followColourScheme(colourScheme);
    parts.modes.attach(main.window(), page);
    parts.drags.attach(main.window(), [&parts] { parts.modes.doubleClickOnBand(); },
        [&parts, &main] { parts.commands.popUpMenuBar(main.window(), true); });
    page.onScriptMessage = [&parts, &main](const platform::ScriptValue& body) {
        ScriptMessage message = classifyMessage(body);
        switch (message.kind) {
        case ScriptMessage::Kind::bandReport:
            main.setTopColour(colour(message.band), colour(message.theme));
            break;
        case ScriptMessage::Kind::badge:
            parts.unread.setBadge(*message.badge);
            break;
        case ScriptMessage::Kind::notificationRequest:
            parts.notifications.pageAsks(main.page());
            break;
        case ScriptMessage::Kind::dragRequest:
            parts.drags.pageRequest();
            break;
        case ScriptMessage::Kind::refused:
            break;
        }
    };
    page.onContextMenu = [] { return pageContextMenu(); };
    parts.attachServices(page, main.window());
    parts.downloads.attach(page);
    parts.progress.attach(page);
    parts.notifications.attachMain(page);
    parts.closing.attachMain();
    parts.pageWindows.attach(page);
    parts.unread.attach(page);
    connectCommands();
    parts.modes.applyFloating();
    parts.modesChanged();

    if (parts.probe) {
        parts.probe->begin({ parts.commands, main, parts.modes, parts.microphone, parts.about, parts.navigation });
        return;
    }
    parts.navigation.attach();
    auto launchAddress = m_startPage ? m_startPage : parts.navigation.rememberedAddress();
    if (launchAddress)
        parts.navigation.load(*launchAddress);
    else
        parts.navigation.showStartPage();
    main.window().centre();
    main.window().focusPage();
    main.window().rememberFrame(m_preferences, keys::windowFrame);
    main.window().present();
    // A first start asks for an address once the start is over.
    if (!launchAddress)
        parts.firstQuestion = platform::runOnMainQueue([&parts] { parts.navigation.openAddress(); });
}

void Launch::connectCommands()
{
    Parts& parts = *m_parts;
    MainWindow& main = parts.main;
    auto editing = [](platform::EditingCommand command) { return [command] { platform::sendEditingCommand(command); }; };
    const std::map<std::string, std::function<void()>> actions {
        { "about", [&parts] { parts.about.show(); } },
        { "forget-microphone-choices", [&parts] { parts.microphone.forget(); } },
        { "quit", [&parts] { parts.closing.requestQuit(); } },
        { "open-address", [&parts] { parts.navigation.openAddress(); } },
        { "undo", editing(platform::EditingCommand::undo) },
        { "redo", editing(platform::EditingCommand::redo) },
        { "cut", editing(platform::EditingCommand::cut) },
        { "copy", editing(platform::EditingCommand::copy) },
        { "paste", editing(platform::EditingCommand::paste) },
        { "select-all", editing(platform::EditingCommand::selectAll) },
        { "reload", [&main] { main.page().reloadFromOrigin(); } },
        { "full-screen", [&parts] { parts.modes.toggleFullScreen(); } },
        { "float-on-top", [&parts] { parts.modes.toggleFloating(); } },
        { "minimise", [&parts] { parts.modes.minimise(); } },
        { "zoom-in", [&parts] { parts.zoom.zoomIn(); } },
        { "zoom-out", [&parts] { parts.zoom.zoomOut(); } },
        { "zoom-reset", [&parts] { parts.zoom.reset(); } },
        { "find", [&parts] { parts.find.open(); } },
        { "print", [&parts, &main] { parts.printing.print(main.page(), main.window()); } },
        { "inspect", [&main] { main.page().showInspector(); } },
        { "move-window", [&main] { main.window().beginKeyboardMove(); } },
        { "resize-window", [&main] { main.window().beginKeyboardResize(); } },
        { "maximise-window", [&main] { main.window().toggleMaximised(); } },
        { "forget-notification-choices", [&parts] { parts.notifications.forget(); } },
        { "forget-link-choices", [&parts] { parts.leaving.forget(); } },
        { "install-app", [&parts] { parts.installer.start(); } },
        { "go-back", [&parts] { parts.pageInFocus().goBack(); } },
        { "go-forward", [&parts] { parts.pageInFocus().goForward(); } },
        { "close-window", [&parts] { parts.pageWindows.closeFocused(); } },
        { "show-menu", [&parts, &main] { parts.commands.popUpMenuBar(main.window(), false); } },
        { "show-menu-at-pointer", [&parts, &main] { parts.commands.popUpMenuBar(main.window(), true); } },
    };
    std::vector<std::string> urgent;
    for (const auto& defined : commandDefinitions()) {
        parts.commands.add({ defined.name, defined.label, defined.accelerators, actions.at(defined.name), defined.checkable ? std::optional(false) : std::nullopt });
        if (defined.keptFromAnUnresponsivePage)
            urgent.insert(urgent.end(), defined.accelerators.begin(), defined.accelerators.end());
    }
    parts.commands.setMenuBar(menuBar());
    main.window().setKeysKeptFromAnUnresponsivePage(urgent);
    main.window().setKeysBeforeThePage(keysBeforeThePage());
}

void Launch::open(const std::vector<std::string>& links)
{
    std::optional<HandedPage> chosen;
    if (m_options.appName) {
        chosen = lastAppPageIn(links, [this](const std::string& scheme) { return installedHandler(*m_options.appName, scheme); });
    } else if (auto page = lastPageIn(links)) {
        chosen = HandedPage { *page, true };
    }
    if (!chosen)
        return;
    // Before the start the page is remembered, or kept, for the start to find.
    if (!m_parts) {
        if (chosen->remembered)
            Navigation::remember(m_preferences, chosen->address);
        m_startPage = chosen->remembered ? std::nullopt : std::optional(chosen->address);
        return;
    }
    m_parts->navigation.open(chosen->address, chosen->remembered);
}

void Launch::bringForward()
{
    if (m_parts)
        m_parts->main.window().present();
}

int Launch::exitStatus() const
{
    return m_parts && m_parts->probe ? m_parts->probe->exitStatus() : 0;
}

MainWindow& Launch::mainWindow()
{
    return m_parts->main;
}

WindowModes& Launch::modes()
{
    return m_parts->modes;
}

AboutPanel& Launch::aboutPanel()
{
    return m_parts->about;
}

FindInPage& Launch::findInPage()
{
    return m_parts->find;
}

FileChooser& Launch::fileChooser()
{
    return m_parts->files;
}

platform::Commands& Launch::commands()
{
    return m_parts->commands;
}

} // namespace quillane
