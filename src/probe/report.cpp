#include "probe/report.h"

#include "platform/program.h"

#include "files/accepted_types.h"
#include "names.h"
#include "page/address_rules.h"
#include "platform/desktop.h"
#include "probe/report_format.h"

#include <algorithm>
#include <cmath>

namespace quillane {

namespace {
constexpr const char* exampleDomain = "example.com";
// Unsandboxed programs are not asked about: the system allows them the microphone.
constexpr int microphoneAuthorisationAllowed = 3;
// The window levels and the collection behaviour of the platform the report speaks of: a window kept
// above others is at level 10, a panel kept above that at 11; one on every workspace, beside
// full-screen windows, with every application, behaves as 0x40101.
constexpr int normalLevel = 0, floatingLevel = 10, panelLevel = 11;

std::string truth(bool value)
{
    return value ? "true" : "false";
}

std::string whole(double points)
{
    return std::to_string(static_cast<long long>(std::trunc(points)));
}

std::string typed(std::string_view text)
{
    auto result = address(text);
    return result ? result->absoluteString() : "none";
}

std::string joined(const std::vector<std::string>& texts, const std::string& separator)
{
    std::string result;
    for (const auto& text : texts)
        result += (result.empty() ? "" : separator) + text;
    return result;
}

int levelOf(const platform::Window& window)
{
    return window.keepsAbove() ? floatingLevel : normalLevel;
}

// What a press at the top strip, just above the page, lands on: the band is the window's own title bar.
std::string topStripTarget(const platform::Window& window)
{
    platform::Point point { window.frame().size.width / 2, MainWindow::band - 0.5 };
    return window.isBandAt(point) ? "HoverView, which drags the window" : "PageView, which does not drag the window";
}

// The window: its content, its title bar, its setup and what handles its zoom button.
std::vector<std::string> windowLines(const MainWindow& main, const WindowModes& modes)
{
    const platform::Window& window = main.window();
    platform::Size content = window.frame().size;
    bool floatingSetup = window.keepsAbove() && window.isSticky();
    bool ordinarySetup = !window.isSticky() && !window.isFullScreen();
    return {
        "window content size: " + whole(content.width) + "x" + whole(content.height),
        "a click in the top strip lands on: " + topStripTarget(window),
        "window has a title bar: " + truth(window.hasOwnTitleBar()),
        "floats on top: " + truth(modes.floats()) + ", window level: " + std::to_string(levelOf(window)) + ", stays with every app and desktop: "
            + truth(floatingSetup) + ", an ordinary window's behaviour: " + truth(ordinarySetup)
            + ", green button handled here: " + truth(static_cast<bool>(window.onButton)),
    };
}

// The address and link rules, and whether links reach the program.
std::vector<std::string> addressLines(const platform::Application& application)
{
    auto schemes = platform::urlSchemesOfDesktopEntry(names::applicationId);
    std::string example = std::string("https://") + exampleDomain + "/a?b=1&c=d";
    return {
        "typed addresses: " + std::string(exampleDomain) + " is " + typed(exampleDomain) + ", localhost:3000 is " + typed(" localhost:3000 "),
        "quillane:// links: answered " + truth(static_cast<bool>(application.program().onCommandLine)) + ", claimed in Info.plist "
            + truth(std::find(schemes.begin(), schemes.end(), "quillane") != schemes.end()) + ", one for " + example + " is "
            + linked(encodedForLink(example)) + ", one for javascript:alert(1) is " + linked("javascript%3Aalert(1)")
            + ", one for file:///etc/hosts is " + linked("file%3A%2F%2F%2Fetc%2Fhosts"),
    };
}
} // namespace

std::vector<std::string> reportLines(const std::string& firstLine, const ReportSources& sources)
{
    const MainWindow& main = sources.main;
    const platform::Window& window = main.window();
    const platform::WebView& page = main.page();
    const platform::AboutDialog& about = sources.about.dialog();
    platform::Rect near = main.hover().area();
    std::string hoverArea = whole(near.maxX()) + " by " + whole(near.maxY()) + " points";
    bool followsTheWindow = !near.isEmpty() && near == nearButtons(window.buttonsArea(), window.frame().size);
    int aboutLevel = about.isVisible() ? (about.keepsAbove() ? panelLevel : normalLevel) : -1;

    std::vector<std::string> lines { firstLine };
    for (auto& line : windowLines(main, sources.modes))
        lines.push_back(std::move(line));
    for (auto& line : addressLines(sources.application))
        lines.push_back(std::move(line));
    std::vector<std::string> rest {
        "window can be resized: " + truth(window.isResizable()) + ", is an ordinary window: " + truth(window.isOrdinary()),
        "provides the page's file chooser: " + truth(static_cast<bool>(page.onFileChooser))
            + ", which for a list of .txt, .md and text/plain offers: " + offeredTypes(contentTypes(".txt,.md,text/plain")),
        "menus: " + menuSummary(sources.commands.menuBar()) + ", the page can paste: " + truth(page.hasKeyboardFocus()),
        "a \u2318-click is taken for dragging: " + truth(sources.dragsTaken == 1),
        "About panel: says " + joined(about.isVisible() ? about.texts() : std::vector<std::string> {}, " / ") + ", above this window: "
            + truth(levelOf(window) < aboutLevel),
        "band above the page: " + whole(MainWindow::band) + " points, coloured " + hex(window.bandColour())
            + " (the strip at the top of the page is #1E3C5A, its background " + hex(main.underPageColour()) + ")",
        "of a press on the empty top of the page and one on its top-right button, only the first is taken for dragging: " + truth(sources.pageDrags == 1)
            + " (" + std::to_string(sources.pageDrags) + " taken; the page should have heard 3 presses, none of them the one on the band)",
        "buttons showing: " + truth(window.buttonsShown()) + ", pointer near them: " + truth(main.pointerNearButtons()),
        "the buttons are brought out by the pointer within the top-left " + hoverArea + ", an area that has followed the resizing: " + truth(followsTheWindow),
        "a page's download link to a blob of its own: " + sources.download,
        "saves what a page cannot show: " + truth(static_cast<bool>(page.onDownload)),
        "answers microphone requests: " + truth(static_cast<bool>(page.onMediaRequest)),
        "microphone: " + std::to_string(sources.microphone.remembered().size()) + " site(s) have an answer remembered; any other is asked about",
        "microphone permission (0 not asked, 2 refused, 3 allowed): " + std::to_string(microphoneAuthorisationAllowed),
    };
    for (auto& line : rest)
        lines.push_back(std::move(line));
    return lines;
}

} // namespace quillane
