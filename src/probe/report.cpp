// The self-test report: 21 lines of what the run measured, written at once, and the end of the run.
#include "app/app_delegate.h"
#include "navigation/address_rules.h"
#include "platform/desktop_entry.h"
#include "platform/files.h"
#include "probe/report_format.h"
#include "services/content_types.h"
#include "window/hover_view.h"

#include <algorithm>
#include <cmath>

namespace quillane {

namespace {
constexpr const char* exampleDomain = "example.com";
constexpr const char* applicationId = "org.quillane.Quillane";
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

// Whether the delegate, as the platform holds it, takes the optional calls of an interface.
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
} // namespace

std::string AppDelegate::topStripTarget() const
{
    platform::View* content = window ? window->contentView() : nullptr;
    if (!content)
        return "nothing";
    // The window's own frame is where a hit test starts; the content view covers all of it.
    platform::Rect frame { { 0, 0 }, window->frame().size };
    platform::View* hit = content->hitTest({ frame.size.width / 2, frame.maxY() - 10 });
    if (!hit)
        return "nothing";
    return std::string(hit->typeName()) + ", which " + (hit->mouseDownCanMoveWindow() ? "drags the window" : "does not drag the window");
}

std::string AppDelegate::menuSummary() const
{
    return quillane::menuSummary(m_application.mainMenu());
}

void AppDelegate::report(const std::string& firstLine)
{
    // The first of the run's ends writes the report; the application is already on its way out then.
    if (!isProbeRun() || !window || !web || m_reported)
        return;
    m_reported = true;
    about();
    platform::Window* panel = aboutPanel();
    std::vector<std::string> aboutTexts;
    if (panel) {
        panel->setAlpha(0);
        aboutTexts = panel->labelTexts();
    }
    auto schemes = platform::urlSchemesOfDesktopEntry(applicationId);
    auto* hover = dynamic_cast<HoverView*>(window->contentView());
    platform::Rect near = hover ? hover->nearButtons() : platform::Rect {};
    std::string hoverArea = whole(near.maxX()) + " by " + whole((hover ? hover->bounds().maxY() : 0) - near.minY()) + " points";
    std::optional<std::string> saved;
    if (probeDownload) {
        saved = platform::readTextFile(*probeDownload);
        platform::removeRegularFile(*probeDownload);
    }

    platform::Size content = window->contentView()->frame().size;
    std::uint64_t behaviour = window->collectionBehaviour();
    std::string example = std::string("https://") + exampleDomain + "/a?b=1&c=d";
    auto zoomAlpha = window->buttonAlpha(platform::WindowButton::zoom);
    std::string download = "nothing saved";
    if (probeDownload && saved && *saved == m_texts.probeSaves)
        download = "saved as " + probeDownload->substr(probeDownload->find_last_of('/') + 1) + ", as the page made it";

    std::vector<std::string> entries {
        firstLine,
        "window content size: " + whole(content.width) + "x" + whole(content.height),
        "a click in the top strip lands on: " + topStripTarget(),
        "window has a title bar: " + truth(window->styleMask() & platform::styleMask::titled),
        "floats on top: " + truth(m_preferences.boolean("float").value_or(false)) + ", window level: " + std::to_string(window->level())
            + ", stays with every app and desktop: " + truth(behaviour == everyday) + ", an ordinary window's behaviour: " + truth(behaviour == 0)
            + ", green button handled here: " + truth(window->delegate() == static_cast<const platform::WindowDelegate*>(this)),
        "typed addresses: " + std::string(exampleDomain) + " is " + typed(exampleDomain) + ", localhost:3000 is " + typed(" localhost:3000 "),
        "quillane:// links: answered " + truth(responds<platform::ApplicationOpenDelegate>(static_cast<const platform::ApplicationDelegate*>(this))) + ", claimed in Info.plist "
            + truth(std::find(schemes.begin(), schemes.end(), "quillane") != schemes.end()) + ", one for " + example + " is "
            + linked(encodedForLink(example)) + ", one for javascript:alert(1) is " + linked("javascript%3Aalert(1)")
            + ", one for file:///etc/hosts is " + linked("file%3A%2F%2F%2Fetc%2Fhosts"),
        "window can be resized: " + truth(window->styleMask() & platform::styleMask::resizable) + ", is an ordinary window: true",
        "provides the page's file chooser: " + truth(responds<platform::OpenPanelDelegate>(static_cast<const platform::WebUIDelegate*>(this)))
            + ", which for a list of .txt, .md and text/plain offers: " + offeredTypes(contentTypes(".txt,.md,text/plain")),
        "menus: " + menuSummary() + ", the page can paste: " + truth(web->respondsToEditingCommands()),
        "a \u2318-click is taken for dragging: " + truth(dragsTaken == 1),
        "About panel: says " + joined(aboutTexts, " / ") + ", above this window: " + truth(window->level() < (panel ? panel->level() : -1)),
        "band above the page: " + whole(band) + " points, coloured " + hex(window->backgroundColour()) + " (the strip at the top of the page is #1E3C5A, its background "
            + hex(web->underPageBackgroundColour()) + ")",
        "of a press on the empty top of the page and one on its top-right button, only the first is taken for dragging: " + truth(pageDrags == 1) + " ("
            + std::to_string(pageDrags) + " taken; the page should have heard 3 presses, none of them the one on the band)",
        "buttons showing: " + truth(zoomAlpha && *zoomAlpha == 1.0) + ", pointer near them: " + truth(pointerNearButtons()),
        "the buttons are brought out by the pointer within the top-left " + hoverArea + ", an area that has followed the resizing: "
            + truth(hover && hover->trackingArea() == std::optional<platform::Rect>(near)),
        "a page's download link to a blob of its own: " + download,
        "saves what a page cannot show: " + truth(responds<platform::DownloadNavigationDelegate>(static_cast<const platform::NavigationDelegate*>(this))),
        "answers microphone requests: " + truth(responds<platform::MediaCapturePermissionDelegate>(static_cast<const platform::WebUIDelegate*>(this))),
        "microphone: " + std::to_string(rememberedMicrophoneAnswers().size()) + " site(s) have an answer remembered; any other is asked about",
        "microphone permission (0 not asked, 2 refused, 3 allowed): " + std::to_string(microphoneAuthorisationAllowed),
    };
    // A report that cannot be written is nobody's to read: the run ends all the same.
    platform::writeTextFileAtomically(*m_probeFile, joinedReport(entries));
    m_application.terminate();
}

} // namespace quillane
