#include "main_window/main_window.h"

#include "main_window/drag_script.h"
#include "platform/application.h"
#include "platform/colour_scheme.h"

namespace quillane {

namespace {
platform::WebViewSettings mainPageSettings(const FixedTexts& texts, const MainWindow::Setup& setup)
{
    platform::WebViewSettings settings;
    settings.scriptWorld = names::scriptWorld;
    settings.worldScripts = { texts.mainPageGate, dragScript(texts, topStripHeight(MainWindow::band)), texts.bandScript, texts.badgeScript,
        texts.notificationWord, texts.spellingSelection };
    settings.mainFramePageScripts = { texts.badgeShim };
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
    : m_page(application, mainPageSettings(texts, setup))
    , m_window(application, m_page, firstSize, band)
    , m_hover(*this)
    , m_appThemeColour(setup.themeColour)
{
    if (setup.backgroundColour) {
        m_viewBackground = m_page.backgroundColour();
        m_page.setBackgroundColour(*setup.backgroundColour);
        m_window.setFirstColour(setup.backgroundColour);
        m_firstLoad.push_back(m_page.loadFinished.add([this] { firstPageLoaded(); }));
        m_firstLoad.push_back(m_page.loadFailed.add([this](const platform::LoadFailure&) { firstPageLoaded(); }));
    }
    const std::string name = application.identity().displayName;
    m_window.setTitle(name);
    m_colourChanged = m_page.themeColourChanged.add([this] { paintBand(); });
    // Task switchers name the window after its page.
    m_titleChanged = m_page.titleChanged.add([this, name] {
        std::string title = m_page.title();
        m_window.setTitle(title.empty() ? name : title);
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

void MainWindow::followColourScheme(platform::DesktopColourScheme& scheme)
{
    m_desktopIsDark = scheme.isDark();
    m_colourSchemeChanged = scheme.changed.add([this](bool dark) {
        m_desktopIsDark = dark;
        paintBlank();
    });
    m_committed = m_page.loadCommitted.add([this] { paintBlank(); });
    paintBlank();
}

void MainWindow::paintBlank()
{
    // An application's own first colour shows until its first page has loaded, light or dark.
    if (!m_firstLoad.empty())
        return;
    // A page shows on the engine's own white where it paints nothing, as in a browser.
    bool dark = m_desktopIsDark && !m_page.hasCommittedLoad();
    if (dark == m_blankIsDark)
        return;
    m_blankIsDark = dark;
    m_page.setBackgroundColour(dark ? darkBlank : platform::Colour { 1, 1, 1, 1 });
    paintBand();
}

platform::Colour MainWindow::underPageColour() const
{
    if (m_page.hasThemeColour())
        return m_page.underPageColour();
    // Without accelerated compositing the engine does not report a page's theme colour: the page's
    // own declaration, as our script reads it, says the same.
    if (m_themeColour)
        return *m_themeColour;
    return m_appThemeColour.value_or(m_page.underPageColour());
}

void MainWindow::firstPageLoaded()
{
    // A page that paints no background of its own shows the view's, as in any browser.
    m_page.setBackgroundColour(*m_viewBackground);
    m_window.setFirstColour(std::nullopt);
    paintBand();
    m_firstLoad.clear();
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
