#include "probe/report.h"

#include "app/names.h"
#include "navigation/address_rules.h"
#include "platform/desktop_entry.h"
#include "probe/report_format.h"
#include "services/content_types.h"

#include <algorithm>
#include <cmath>

namespace quillane {

namespace {
constexpr const char* exampleDomain = "example.com";
// Unsandboxed programs are not asked about: the system allows them the microphone.
constexpr int microphoneAuthorisationAllowed = 3;

std::string truth(bool value)
{
    return value ? "true" : "false";
}

std::string whole(double points)
{
    return std::to_string(static_cast<long long>(std::trunc(points)));
}

// Whether a delegate, as the platform holds it, takes the optional calls of an interface.
template <typename Interface, typename Held>
bool responds(const Held* delegate)
{
    return dynamic_cast<const Interface*>(delegate) != nullptr;
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

// What a hit test from the window's own frame finds under the top strip; the content view covers all of it.
std::string topStripTarget(const platform::Window& window)
{
    platform::View* content = window.contentView();
    platform::Rect frame { { 0, 0 }, window.frame().size };
    platform::View* hit = content ? content->hitTest({ frame.size.width / 2, frame.maxY() - 10 }) : nullptr;
    if (!hit)
        return "nothing";
    return std::string(hit->typeName()) + ", which " + (hit->mouseDownCanMoveWindow() ? "drags the window" : "does not drag the window");
}

// The window: its content, its title bar, its setup and what handles its zoom button.
std::vector<std::string> windowLines(const MainWindow& main, const WindowModes& modes)
{
    const platform::Window& window = main.window();
    platform::Size content = window.contentView()->frame().size;
    std::uint64_t behaviour = window.collectionBehaviour();
    return {
        "window content size: " + whole(content.width) + "x" + whole(content.height),
        "a click in the top strip lands on: " + topStripTarget(window),
        "window has a title bar: " + truth(window.styleMask() & platform::styleMask::titled),
        "floats on top: " + truth(modes.floats()) + ", window level: " + std::to_string(window.level())
            + ", stays with every app and desktop: " + truth(behaviour == WindowModes::everyday) + ", an ordinary window's behaviour: " + truth(behaviour == 0)
            + ", green button handled here: " + truth(responds<platform::WindowZoomDelegate>(window.delegate())),
    };
}

// The address and link rules, and whether links reach the program.
std::vector<std::string> addressLines(const platform::Application& application)
{
    auto schemes = platform::urlSchemesOfDesktopEntry(names::applicationId);
    std::string example = std::string("https://") + exampleDomain + "/a?b=1&c=d";
    return {
        "typed addresses: " + std::string(exampleDomain) + " is " + typed(exampleDomain) + ", localhost:3000 is " + typed(" localhost:3000 "),
        "quillane:// links: answered " + truth(responds<platform::ApplicationOpenDelegate>(application.delegate())) + ", claimed in Info.plist "
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
    const PageView& page = main.page();
    const HoverView& hover = main.hover();
    platform::Rect near = hover.nearButtons();
    std::string hoverArea = whole(near.maxX()) + " by " + whole(hover.bounds().maxY() - near.minY()) + " points";
    auto zoomAlpha = window.buttonAlpha(platform::WindowButton::zoom);
    std::vector<std::string> aboutTexts = sources.aboutPanel ? sources.aboutPanel->labelTexts() : std::vector<std::string> {};

    std::vector<std::string> lines { firstLine };
    for (auto& line : windowLines(main, sources.modes))
        lines.push_back(std::move(line));
    for (auto& line : addressLines(sources.application))
        lines.push_back(std::move(line));
    std::vector<std::string> rest {
        "window can be resized: " + truth(window.styleMask() & platform::styleMask::resizable) + ", is an ordinary window: " + truth(window.isOrdinaryWindow()),
        "provides the page's file chooser: " + truth(responds<platform::OpenPanelDelegate>(page.uiDelegate()))
            + ", which for a list of .txt, .md and text/plain offers: " + offeredTypes(contentTypes(".txt,.md,text/plain")),
        "menus: " + menuSummary(sources.application.mainMenu()) + ", the page can paste: " + truth(page.respondsToEditingCommands()),
        "a \u2318-click is taken for dragging: " + truth(sources.dragsTaken == 1),
        "About panel: says " + joined(aboutTexts, " / ") + ", above this window: "
            + truth(window.level() < (sources.aboutPanel ? sources.aboutPanel->level() : -1)),
        "band above the page: " + whole(MainWindow::band) + " points, coloured " + hex(window.backgroundColour())
            + " (the strip at the top of the page is #1E3C5A, its background " + hex(main.underPageColour()) + ")",
        "of a press on the empty top of the page and one on its top-right button, only the first is taken for dragging: " + truth(sources.pageDrags == 1)
            + " (" + std::to_string(sources.pageDrags) + " taken; the page should have heard 3 presses, none of them the one on the band)",
        "buttons showing: " + truth(zoomAlpha && *zoomAlpha == 1.0) + ", pointer near them: " + truth(main.pointerNearButtons()),
        "the buttons are brought out by the pointer within the top-left " + hoverArea + ", an area that has followed the resizing: "
            + truth(hover.trackingArea() == std::optional<platform::Rect>(near)),
        "a page's download link to a blob of its own: " + sources.download,
        "saves what a page cannot show: " + truth(responds<platform::DownloadNavigationDelegate>(page.navigationDelegate())),
        "answers microphone requests: " + truth(responds<platform::MediaCapturePermissionDelegate>(page.uiDelegate())),
        "microphone: " + std::to_string(sources.microphone.remembered().size()) + " site(s) have an answer remembered; any other is asked about",
        "microphone permission (0 not asked, 2 refused, 3 allowed): " + std::to_string(microphoneAuthorisationAllowed),
    };
    for (auto& line : rest)
        lines.push_back(std::move(line));
    return lines;
}

} // namespace quillane
