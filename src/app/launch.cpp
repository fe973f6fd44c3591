// The launch: builds the window and the page view, wires them and shows them.
#include "app/app_delegate.h"
#include "navigation/address_rules.h"
#include "platform/main_queue.h"
#include "scripts.h"
#include "window/drag_script.h"
#include "window/hover_view.h"

namespace quillane {

namespace {
constexpr platform::Size windowSize { 640, 400 };
constexpr std::uint64_t windowStyle = platform::styleMask::titled | platform::styleMask::closable | platform::styleMask::miniaturizable
    | platform::styleMask::resizable | platform::styleMask::fullSizeContentView;
constexpr const char* frameAutosaveName = "Quillane";
} // namespace

void AppDelegate::applicationDidFinishLaunching()
{
    m_preferences.registerDefault("float", true);

    window = std::make_unique<platform::Window>(m_application, platform::Rect { { 0, 0 }, windowSize }, windowStyle);
    window->setBackgroundColour({ 0, 0, 0, 1 });
    window->setDelegate(this);
    window->setTitle("Quillane");
    window->setIconName("org.quillane.Quillane");
    settle();
    // The window is never released while the program runs: it lives as long as this delegate.

    auto hover = std::make_shared<HoverView>(window->contentLayoutRect());
    hover->onHover = [this](bool near) { showButtons(near); };

    platform::WebViewConfiguration configuration;
    configuration.elementFullscreenEnabled = true;
    configuration.userScripts = { dragScript(topStripHeight(*window, band)), m_texts.bandScript };
    configuration.messageHandlers = { { "quillane", this } };
    configuration.allFramesUserScripts = { std::string(texts::subframeMediaGuard) };
    configuration.mediaStreamEnabled = true;

    web = std::make_shared<PageView>(hover->bounds(), configuration);
    web->setAutoresizingMask(platform::flexibleWidth | platform::flexibleHeight);

    pageColour = web->observeUnderPageBackgroundColour([this] { paintBand(); }, true);
    pageFullScreen = web->observeFullscreenState([this] { pageFullScreenChanged(); });
    // Task switchers name the window after its page.
    pageTitle = web->observeTitle([this] {
        std::string title = web->title();
        window->setTitle(title.empty() ? "Quillane" : title);
    });
    web->setUIDelegate(this);
    web->setNavigationDelegate(this);

    hover->addSubview(web);
    window->setContentView(hover);
    layOutPage();
    showButtons(false);
    watchForDrags();
    buildMenus();

    auto remembered = m_preferences.text("address");
    auto launchAddress = remembered ? address(*remembered) : std::nullopt;
    if (isProbeRun())
        loadProbePage();
    else if (launchAddress)
        loadPage(*launchAddress);

    window->center();
    window->makeFirstResponder(*web);

    if (isProbeRun()) {
        beginProbeRun();
        return;
    }
    window->setFrameAutosaveName(frameAutosaveName, m_preferences);
    window->makeKeyAndOrderFront();
    m_application.activate();
    if (!launchAddress)
        platform::runOnMainQueue([this] { openAddress(); });
}

void AppDelegate::layOutPage()
{
    platform::View* content = window ? window->contentView() : nullptr;
    if (!content || !web)
        return;
    double inset = (window->styleMask() & platform::styleMask::fullScreen) ? 0 : band;
    platform::Size size = content->bounds().size;
    web->setFrame({ { 0, 0 }, { size.width, size.height - inset } });
}

} // namespace quillane
