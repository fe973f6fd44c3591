#include "app/main_window.h"

#include "app/names.h"
#include "window/drag_script.h"

namespace quillane {

namespace {
constexpr platform::Size windowSize { 640, 400 };
constexpr std::uint64_t windowStyle = platform::styleMask::titled | platform::styleMask::closable | platform::styleMask::miniaturizable
    | platform::styleMask::resizable | platform::styleMask::fullSizeContentView;
} // namespace

MainWindow::MainWindow(platform::Application& application, const FixedTexts& texts, const PageSetup& setup)
    : m_window(std::make_unique<platform::Window>(application, platform::Rect { { 0, 0 }, windowSize }, windowStyle))
    , m_hover(std::make_shared<HoverView>(m_window->contentLayoutRect()))
{
    m_window->setBackgroundColour({ 0, 0, 0, 1 });
    m_window->setTitle(names::displayName);
    m_window->setIconName(setup.iconName);
    m_hover->onHover = [this](bool near) { showButtons(near); };

    platform::WebViewConfiguration configuration;
    configuration.elementFullscreenEnabled = true;
    configuration.userScripts = { texts.mainPageGate, dragScript(texts, topStripHeight(*m_window, band)), texts.bandScript };
    configuration.scriptOnCommit = "quillaneMainPage()";
    configuration.allFramesUserScripts = { texts.subframeMediaGuard };
    configuration.messageHandlers = { { names::messageHandler, setup.messages } };
    configuration.scriptWorld = names::scriptWorld;
    configuration.mediaStreamEnabled = true;
    configuration.mockCaptureDevices = setup.mockCaptureDevices;
    configuration.developerExtras = true;
    configuration.acceleratedCompositing = setup.acceleratedCompositing;
    m_page = std::make_shared<PageView>(m_hover->bounds(), configuration);
    m_page->setAutoresizingMask(platform::flexibleWidth | platform::flexibleHeight);

    m_pageColour = m_page->observeUnderPageBackgroundColour([this] { paintBand(); }, true);
    // Task switchers name the window after its page.
    m_pageTitle = m_page->observeTitle([this] {
        std::string title = m_page->title();
        m_window->setTitle(title.empty() ? names::displayName : title);
    });

    m_hover->addSubview(m_page);
    m_window->setContentView(m_hover);
    layOutPage();
    showButtons(false);
}

void MainWindow::setTopColour(std::optional<platform::Colour> colour, std::optional<platform::Colour> theme)
{
    m_topColour = colour;
    m_themeColour = theme;
    paintBand();
}

platform::Colour MainWindow::underPageColour() const
{
    // Without accelerated compositing the engine does not report a page's theme colour: the page's
    // own declaration, as our script reads it, says the same.
    platform::Colour engine = m_page->underPageBackgroundColour();
    if (m_themeColour && !m_page->hasThemeColour())
        return *m_themeColour;
    return engine;
}

void MainWindow::paintBand()
{
    // The band is the window's own colour, showing where the page view leaves the window uncovered.
    m_window->setBackgroundColour(m_topColour.value_or(underPageColour()));
}

void MainWindow::observePageFullScreen(std::function<void()> handler)
{
    m_pageFullScreen = m_page->observeFullscreenState(std::move(handler));
}

void MainWindow::ask(const Question& question, std::function<void(bool affirmative)> answer)
{
    quillane::ask(*m_window, question, std::move(answer));
}

void MainWindow::tell(const std::string& message)
{
    ask({ message, {}, { "OK" } }, [](bool) { });
}

bool MainWindow::isFullScreen() const
{
    return m_window->isFullScreen();
}

bool MainWindow::pageIsFullScreen() const
{
    return m_page->fullscreenState() != platform::FullscreenState::notInFullscreen;
}

void MainWindow::setSetup(int level, std::uint64_t collectionBehaviour)
{
    m_window->setLevel(level);
    m_window->setCollectionBehaviour(collectionBehaviour);
}

void MainWindow::toggleFullScreen()
{
    m_window->toggleFullScreen();
}

void MainWindow::minimise()
{
    m_window->miniaturize();
}

void MainWindow::layOutPage()
{
    double inset = isFullScreen() ? 0 : band;
    platform::Size size = m_hover->bounds().size;
    m_page->setFrame({ { 0, 0 }, { size.width, size.height - inset } });
}

void MainWindow::showButtons(bool show)
{
    double alpha = (show || isFullScreen()) ? 1 : 0;
    for (auto button : { platform::WindowButton::close, platform::WindowButton::miniaturize, platform::WindowButton::zoom }) {
        if (m_window->buttonAlpha(button))
            m_window->setButtonAlpha(button, alpha);
    }
}

bool MainWindow::pointerNearButtons() const
{
    return m_hover->pointerIsNear();
}

} // namespace quillane
