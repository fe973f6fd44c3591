#include "page/leaving_links.h"

#include "names.h"
#include "page/once_per_input.h"
#include "text.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/preferences.h"

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

platform::Question leavingQuestion(const std::string& link, std::string_view scheme, const std::string& fromSite, const std::string& program)
{
    std::string lower = lowercased(scheme);
    platform::Question question { "Open this link with \u201c" + program + "\u201d?",
        "The page at " + fromSite + " wants to open a \u201c" + lower + ":\u201d link in another program:\n" + shortened(link), { "Open Link", "Cancel" } };
    question.checkBox = "Always open \u201c" + lower + ":\u201d links from this site";
    return question;
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

void LeavingLinks::handOff(const platform::URL& link, const std::string& fromSite)
{
    LinkDestination destination = destinationOf(link.scheme());
    if (destination == LinkDestination::nowhere)
        return;
    auto program = destination == LinkDestination::askFirst ? platform::defaultApplicationName(lowercased(link.scheme())) : std::nullopt;
    if (destination == LinkDestination::askFirst && !program)
        return;
    if (m_asking || !m_once.take())
        return;
    if (destination == LinkDestination::browser) {
        platform::openWithDefaultApplication(link.absoluteString());
        return;
    }
    auto remembered = m_preferences.dictionary(keys::leavingLinks).value_or(platform::OrderedMap<bool> {});
    if (remembered.find(rememberedLinkKey(fromSite, link.scheme())).value_or(false)) {
        platform::openWithDefaultApplication(link.absoluteString());
        return;
    }
    ask(link, fromSite, *program);
}

void LeavingLinks::ask(const platform::URL& link, const std::string& fromSite, const std::string& program)
{
    m_asking = true;
    std::string address = link.absoluteString();
    auto question = leavingQuestion(address, link.scheme(), fromSite, program);
    platform::ask(m_window, question, [this, address, key = rememberedLinkKey(fromSite, link.scheme())](const platform::Answer& answer) {
        m_asking = false;
        if (!answer.affirmative())
            return;
        if (answer.checked) {
            // Read again now: the store may have changed while the question was up.
            auto remembered = m_preferences.dictionary(keys::leavingLinks).value_or(platform::OrderedMap<bool> {});
            remembered.set(key, true);
            m_preferences.setDictionary(keys::leavingLinks, remembered);
        }
        platform::openWithDefaultApplication(address);
    });
}

void LeavingLinks::forget()
{
    m_preferences.remove(keys::leavingLinks);
}

} // namespace quillane
