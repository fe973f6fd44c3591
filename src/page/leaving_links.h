#pragma once
// Links that leave Quillane for another program: a web address goes to the default browser; a link
// of a scheme that a program of the desktop takes (mail, chat, calls) goes to it after a question
// naming it, unless the user said to remember the answer for that site and scheme; a link that
// carries code or data of its own, or the program's own scheme, never leaves.
#include "platform/dialogs.h"
#include "platform/url.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

class OncePerInput;
namespace platform {
class Preferences;
class Window;
}

enum class LinkDestination { browser, askFirst, nowhere };

// Where a link of this scheme may go (the scheme in any letter case).
LinkDestination destinationOf(std::string_view scheme);

// The site of the page at `pageAddress`, which its links leave from. A page of no site (a blank
// pop-up its opener wrote into) leaves from the site of `openerAddress`'s page, when that has one,
// else from none, whose answers are never remembered.
std::optional<std::string> linkSource(const std::optional<std::string>& pageAddress, const std::optional<std::string>& openerAddress = std::nullopt);

// The note for a link that no program of the desktop takes, or that `program` did not start for.
std::string noProgramNote(std::string_view scheme, const std::optional<std::string>& program = std::nullopt);

// What the window says once `count` remembered answers are forgotten.
std::string forgottenLinksNote(std::size_t count);

// The key an answer is remembered under: the site the link comes from and the link's scheme.
std::string rememberedLinkKey(const std::string& fromSite, std::string_view scheme);

// The question before a link of `scheme` on a page of `fromSite` goes to `program`: the link is
// shown, cut short when a page has made it long. Only a page of a site is offered "Always".
platform::Question leavingQuestion(const std::string& link, std::string_view scheme, const std::optional<std::string>& fromSite, const std::string& program);

class LeavingLinks {
public:
    // `window` is where the program's own words are said; `once` is shared with whatever else a
    // page may do once per input.
    LeavingLinks(platform::Preferences& preferences, platform::Window& window, OncePerInput& once);
    // A question still up is answered after this has gone (its window goes last): nobody's answer.
    ~LeavingLinks() { m_alive.reset(); }
    LeavingLinks(const LeavingLinks&) = delete;
    LeavingLinks& operator=(const LeavingLinks&) = delete;

    // A link the user followed on a page of `fromSite` that the program does not show itself; asked
    // and said over `where`.
    void handOff(const platform::URL& link, const std::optional<std::string>& fromSite, platform::Window& where);
    // A link the user followed within a page of `fromSite`, in `where`: one for another program is
    // handed off as above, and the page stays as it is. Whether the link was taken.
    bool followedInPage(const std::string& link, const std::optional<std::string>& fromSite, platform::Window& where);
    // Forgets every remembered answer, and says so in the window.
    void forget();

private:
    void ask(const platform::URL& link, const std::optional<std::string>& fromSite, const std::string& program, platform::Window& where);
    void open(const std::string& address, std::string_view scheme, platform::Window& where);

    platform::Preferences& m_preferences;
    platform::Window& m_window;
    OncePerInput& m_once;
    // One question at a time: a page that asks again while one is up is not asked.
    bool m_asking = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace quillane
