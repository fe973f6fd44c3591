#pragma once
// Links that leave Quillane for another program: a web address goes to the default browser; a link
// of a scheme that a program of the desktop takes (mail, chat, calls) goes to it after a question
// naming it, unless the user said to remember the answer for that site and scheme; a link that
// carries code or data of its own, or the program's own scheme, never leaves.
#include "platform/dialogs.h"
#include "platform/url.h"

#include <functional>
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

// What a page at `pageAddress` is called when one of its links leaves: its site, else "this page".
std::string linkSource(const std::optional<std::string>& pageAddress);

// The note for a link that no program of the desktop takes.
std::string noProgramNote(std::string_view scheme);

// What the window says once `count` remembered answers are forgotten.
std::string forgottenLinksNote(std::size_t count);

// The key an answer is remembered under: the site the link comes from and the link's scheme.
std::string rememberedLinkKey(const std::string& fromSite, std::string_view scheme);

// The question before a link of `scheme` on a page of `fromSite` goes to `program`: the link is
// shown, cut short when a page has made it long.
platform::Question leavingQuestion(const std::string& link, std::string_view scheme, const std::string& fromSite, const std::string& program);

class LeavingLinks {
public:
    // `window` is where questions are asked; `once` is shared with whatever else a page may do once
    // per input.
    LeavingLinks(platform::Preferences& preferences, platform::Window& window, OncePerInput& once);

    // A link the user followed on a page of `fromSite` that the program does not show itself.
    void handOff(const platform::URL& link, const std::string& fromSite);
    // A link the user followed within the page at `pageAddress`: one for another program is handed
    // off as above, and the page stays as it is. Whether the link was taken.
    bool followedInPage(const std::string& link, const std::optional<std::string>& pageAddress);
    // Forgets every remembered answer, and says so in the window.
    void forget();

private:
    void ask(const platform::URL& link, const std::string& fromSite, const std::string& program);
    void open(const std::string& address, std::string_view scheme);

    platform::Preferences& m_preferences;
    platform::Window& m_window;
    OncePerInput& m_once;
    // One question at a time: a page that asks again while one is up is not asked.
    bool m_asking = false;
};

} // namespace quillane
