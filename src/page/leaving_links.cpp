#include "page/leaving_links.h"

#include "names.h"
#include "page/address_rules.h"
#include "page/once_per_input.h"
#include "text.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/preferences.h"
#include "platform/window.h"

#include <array>

namespace quillane {

namespace {
// Links that run code in, or show data of, the page they come from, or that name the program itself:
// no other program has any business with them.
constexpr std::array<std::string_view, 6> staying { "javascript", "data", "blob", "about", "file", "quillane" };
// A link is shown in the question, but a page could make one as long as it likes.
constexpr std::size_t longestShown = 200;

std::string shortened(const std::string& text)
{
    if (text.size() <= longestShown)
        return text;
    std::size_t cut = longestShown;
    // Never in the middle of a character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "\u2026";
}
} // namespace

LinkDestination destinationOf(std::string_view scheme)
{
    std::string lower = lowercased(scheme);
    if (lower == "http" || lower == "https")
        return LinkDestination::browser;
    for (auto kept : staying) {
        if (lower == kept)
            return LinkDestination::nowhere;
    }
    return lower.empty() ? LinkDestination::nowhere : LinkDestination::askFirst;
}

platform::Question leavingQuestion(const std::string& link, std::string_view scheme, const std::optional<std::string>& fromSite, const std::string& program)
{
    std::string lower = lowercased(scheme);
    platform::Question question { "Open this link with \u201c" + program + "\u201d?",
        (fromSite ? "The page at " + *fromSite : std::string("The page")) + " wants to open a \u201c" + lower + ":\u201d link in another program:\n"
            + shortened(link),
        { "Open Link", "Cancel" } };
    if (fromSite)
        question.checkBox = "Always open \u201c" + lower + ":\u201d links from this site";
    return question;
}

std::optional<std::string> linkSource(const std::optional<std::string>& pageAddress, const std::optional<std::string>& openerAddress)
{
    auto page = platform::URL::parse(pageAddress.value_or(""));
    if (!page || !page->host() || page->host()->empty())
        return openerAddress ? linkSource(openerAddress) : std::nullopt;
    return site(page->scheme(), *page->host(), page->port().value_or(0));
}

std::string noProgramNote(std::string_view scheme, const std::optional<std::string>& program)
{
    if (program)
        return "\u201c" + *program + "\u201d could not be started for the link.";
    return "No program is set to open \u201c" + lowercased(scheme) + ":\u201d links.";
}

std::string forgottenLinksNote(std::size_t count)
{
    if (count == 0)
        return "No link had a remembered choice to forget.";
    return count == 1 ? "Forgot 1 link choice: such links will be asked about again."
                      : "Forgot " + std::to_string(count) + " link choices: such links will be asked about again.";
}

std::string rememberedLinkKey(const std::string& fromSite, std::string_view scheme)
{
    return fromSite + " " + lowercased(scheme);
}

LeavingLinks::LeavingLinks(platform::Preferences& preferences, platform::Window& window, OncePerInput& once)
    : m_preferences(preferences)
    , m_window(window)
    , m_once(once)
{
}

void LeavingLinks::handOff(const platform::URL& link, const std::optional<std::string>& fromSite, platform::Window& where)
{
    LinkDestination destination = destinationOf(link.scheme());
    if (destination == LinkDestination::nowhere)
        return;
    auto program = destination == LinkDestination::askFirst ? platform::defaultApplicationName(lowercased(link.scheme())) : std::nullopt;
    // Said without taking the input's one hand-off: a later link of the same input may have a program.
    if (destination == LinkDestination::askFirst && !program) {
        where.showNote({ noProgramNote(link.scheme()), {} });
        return;
    }
    if (m_asking || !m_once.take())
        return;
    auto remembered = m_preferences.dictionary(keys::leavingLinks).value_or(platform::OrderedMap<bool> {});
    bool always = fromSite && remembered.find(rememberedLinkKey(*fromSite, link.scheme())).value_or(false);
    if (destination == LinkDestination::browser || always) {
        open(link.absoluteString(), link.scheme(), where);
        return;
    }
    ask(link, fromSite, *program, where);
}

bool LeavingLinks::followedInPage(const std::string& link, const std::optional<std::string>& fromSite, platform::Window& where)
{
    auto target = platform::URL::parse(link);
    // Web links and the page's own code and data stay the engine's.
    if (!target || destinationOf(target->scheme()) != LinkDestination::askFirst)
        return false;
    handOff(*target, fromSite, where);
    return true;
}

void LeavingLinks::open(const std::string& address, std::string_view scheme, platform::Window& where)
{
    if (platform::openWithDefaultApplication(address))
        return;
    // The scheme's program, when there is one, is the one that failed.
    where.showNote({ noProgramNote(scheme, platform::defaultApplicationName(lowercased(scheme))), {} });
}

void LeavingLinks::ask(const platform::URL& link, const std::optional<std::string>& fromSite, const std::string& program, platform::Window& where)
{
    m_asking = true;
    std::string address = link.absoluteString();
    auto question = leavingQuestion(address, link.scheme(), fromSite, program);
    std::optional<std::string> key = fromSite ? std::optional(rememberedLinkKey(*fromSite, link.scheme())) : std::nullopt;
    platform::ask(where, question,
        [this, alive = std::weak_ptr(m_alive), &where, address, scheme = lowercased(link.scheme()), key](const platform::Answer& answer) {
            // The question's window may outlast this: then the answer is nobody's.
            if (alive.expired())
                return;
            m_asking = false;
            if (!answer.affirmative())
                return;
            if (answer.checked && key) {
                // Read again now: the store may have changed while the question was up.
                auto remembered = m_preferences.dictionary(keys::leavingLinks).value_or(platform::OrderedMap<bool> {});
                remembered.set(*key, true);
                m_preferences.setDictionary(keys::leavingLinks, remembered);
            }
            open(address, scheme, where);
        });
}

void LeavingLinks::forget()
{
    auto remembered = m_preferences.dictionary(keys::leavingLinks).value_or(platform::OrderedMap<bool> {});
    m_preferences.remove(keys::leavingLinks);
    m_window.showNote({ forgottenLinksNote(remembered.size()), {} });
}

} // namespace quillane
