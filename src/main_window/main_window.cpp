#include "main_window/main_window.h"

#include "main_window/drag_script.h"

namespace quillane {

namespace {
platform::WebViewSettings mainPageSettings(const FixedTexts& texts, const MainWindow::Setup& setup)
{
    platform::WebViewSettings settings;
    settings.scriptWorld = names::scriptWorld;
    settings.worldScripts = { texts.mainPageGate, dragScript(texts, topStripHeight(MainWindow::band)), texts.bandScript, texts.notificationWord };
    settings.scriptOnCommit = MainWindow::mainPageWord;
    settings.messageHandler = names::messageHandler;
    settings.allFramesScripts = { texts.notificationAnswers, texts.subframeMediaGuard };
    settings.elementFullScreen = true;
    settings.mediaStreams = true;
    settings.mockCaptureDevices = setup.mockCaptureDevices;
    settings.developerExtras = true;
    settings.acceleratedCompositing = setup.acceleratedCompositing;
    return settings;
}
} // namespace

MainWindow::MainWindow(platform::Application& application, const FixedTexts& texts, const Setup& setup)
    : m_page(mainPageSettings(texts, setup))
    , m_window(application, m_page, firstSize, band)
    , m_hover(*this)
{
    m_window.setTitle(names::displayName);
    m_window.setIconName(setup.iconName);
    m_colourChanged = m_page.themeColourChanged.add([this] { paintBand(); });
    // Task switchers name the window after its page.
    m_titleChanged = m_page.titleChanged.add([this] {
        std::string title = m_page.title();
        m_window.setTitle(title.empty() ? names::displayName : title);
    });
    paintBand();
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
    if (m_themeColour && !m_page.hasThemeColour())
        return *m_themeColour;
    return m_page.underPageColour();
}

void MainWindow::paintBand()
{
    m_window.setBandColour(m_topColour.value_or(underPageColour()));
}

void MainWindow::showButtons(bool show)
{
    m_window.showButtons(show || m_window.isFullScreen());
}

void MainWindow::setFloating(bool floating)
{
    m_window.setKeepAbove(floating);
    m_window.setSticky(floating);
}

void MainWindow::ask(const platform::Question& question, std::function<void(const platform::Answer&)> answer)
{
    platform::ask(m_window, question, std::move(answer));
}

void MainWindow::tell(const std::string& message)
{
    ask({ message, {}, { "OK" } }, [](const platform::Answer&) { });
}

} // namespace quillane
