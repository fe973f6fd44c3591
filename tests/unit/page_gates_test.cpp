// What a page may make the program do: once per input of the user's, links that leave for other
// programs by their scheme, print dialogs that a page cannot keep in front of the user.
#include "page/once_per_input.h"
#include "page/printing.h"
#include "page/address_rules.h"
#include "page/leaving_links.h"
#include "page/page_windows.h"

#include <gtest/gtest.h>

#include <tuple>

using quillane::LinkDestination;

TEST(OncePerInput, EachInputAllowsOneThingAndNothingBeforeTheFirstIsTakenTwice)
{
    unsigned long inputs = 0;
    quillane::OncePerInput once([&] { return inputs; });
    EXPECT_TRUE(once.take()) << "what a page does while it loads, before any input, once";
    EXPECT_FALSE(once.take());
    inputs = 1;
    EXPECT_TRUE(once.take());
    EXPECT_FALSE(once.take());
    EXPECT_FALSE(once.take());
    inputs = 3;
    EXPECT_TRUE(once.take()) << "inputs that went by unused are not saved up";
    EXPECT_FALSE(once.take());
}

TEST(LeavingLinks, WebAddressesGoToTheBrowserCodeAndDataNeverLeaveOthersAreAskedAbout)
{
    const std::pair<const char*, LinkDestination> cases[] = {
        { "http", LinkDestination::browser },
        { "HTTPS", LinkDestination::browser },
        { "javascript", LinkDestination::nowhere },
        { "JavaScript", LinkDestination::nowhere },
        { "data", LinkDestination::nowhere },
        { "blob", LinkDestination::nowhere },
        { "about", LinkDestination::nowhere },
        { "file", LinkDestination::nowhere },
        { "quillane", LinkDestination::nowhere },
        { "", LinkDestination::nowhere },
        { "mailto", LinkDestination::askFirst },
        { "ssh", LinkDestination::askFirst },
        { "smb", LinkDestination::askFirst },
        { "web+chat", LinkDestination::askFirst },
        { "httpx", LinkDestination::askFirst },
    };
    for (const auto& [scheme, expected] : cases)
        EXPECT_EQ(quillane::destinationOf(scheme), expected) << scheme;
    EXPECT_EQ(quillane::rememberedLinkKey("https://mail.example.com", "MAILTO"), "https://mail.example.com mailto");
}

TEST(LeavingLinks, TheQuestionNamesTheProgramTheSiteAndTheLinkCutShortBetweenCharacters)
{
    auto question = quillane::leavingQuestion("SSH://host", "SSH", "https://chat.example", "Terminal");
    EXPECT_EQ(question.message, "Open this link with \u201cTerminal\u201d?");
    EXPECT_EQ(question.detail, "The page at https://chat.example wants to open a \u201cssh:\u201d link in another program:\nSSH://host");
    EXPECT_EQ(question.buttons, (std::vector<std::string> { "Open Link", "Cancel" }));
    EXPECT_EQ(question.checkBox, "Always open \u201cssh:\u201d links from this site");
    // A page of no site is asked about each time: no answer could be kept for it.
    auto siteless = quillane::leavingQuestion("ssh://host", "ssh", std::nullopt, "Terminal");
    EXPECT_EQ(siteless.detail, "The page wants to open a \u201cssh:\u201d link in another program:\nssh://host");
    EXPECT_EQ(siteless.checkBox, "");

    // 200 bytes are shown whole; a longer link is cut before the character that crosses them.
    const std::string start = "mailto:";
    const std::string whole = start + std::string(200 - start.size(), 'a');
    const std::string crossing = start + std::string(199 - start.size(), 'a') + "\xc3\xa9";
    const std::pair<std::string, std::string> links[] = {
        { whole, whole },
        { whole + "b", whole + "\u2026" },
        { crossing, crossing.substr(0, 199) + "\u2026" },
    };
    for (const auto& [link, shown] : links) {
        std::string detail = quillane::leavingQuestion(link, "mailto", "https://a.example", "Mail").detail;
        EXPECT_EQ(detail.substr(detail.find('\n') + 1), shown) << link.size();
    }
}

TEST(LeavingLinks, TheSourceIsThePagesSiteAndANoteNamesASchemeNoProgramTakes)
{
    using Address = std::optional<std::string>;
    const std::tuple<Address, Address, Address> sources[] = {
        { "https://chat.example/room/1?x=2", std::nullopt, "https://chat.example" },
        { "http://127.0.0.1:8080/a", "https://chat.example/", "http://127.0.0.1:8080" },
        { "about:blank", std::nullopt, std::nullopt },
        { std::nullopt, std::nullopt, std::nullopt },
        // A blank pop-up its opener wrote into leaves from its opener's site, when that has one.
        { "about:blank", "https://chat.example/room", "https://chat.example" },
        { std::nullopt, "https://chat.example/room", "https://chat.example" },
        { "about:blank", "about:blank", std::nullopt },
    };
    for (const auto& [page, opener, source] : sources)
        EXPECT_EQ(quillane::linkSource(page, opener), source) << page.value_or("no page") << " from " << opener.value_or("no page");
    EXPECT_EQ(quillane::noProgramNote("IRC"), "No program is set to open \u201circ:\u201d links.");
    EXPECT_EQ(quillane::noProgramNote("irc", "Chat"), "\u201cChat\u201d could not be started for the link.");
    EXPECT_EQ(quillane::forgottenLinksNote(0), "No link had a remembered choice to forget.");
    EXPECT_EQ(quillane::forgottenLinksNote(1), "Forgot 1 link choice: such links will be asked about again.");
    EXPECT_EQ(quillane::forgottenLinksNote(2), "Forgot 2 link choices: such links will be asked about again.");
}

TEST(PageWindowSize, WhatTheOpenerAskedForNoSmallerThanUsableElseEightHundredBySixHundredNoLargerThanTheWorkArea)
{
    using quillane::platform::Size;
    const std::optional<Size> screen = Size { 1280, 1024 };
    const std::tuple<std::optional<Size>, std::optional<Size>, Size> cases[] = {
        { std::nullopt, screen, { 800, 600 } },
        { Size { 400, 300 }, screen, { 400, 300 } },
        { Size { 240, 160 }, screen, { 240, 160 } },
        { Size { 239, 159 }, screen, { 240, 160 } },
        { Size { 50, 1000 }, screen, { 240, 1000 } },
        { Size { 1280, 1024 }, screen, { 1280, 1024 } },
        { Size { 1281, 5000 }, screen, { 1280, 1024 } },
        { std::nullopt, Size { 640, 480 }, { 640, 480 } },
        { Size { 5000, 5000 }, std::nullopt, { 5000, 5000 } }, // no work area known
    };
    for (const auto& [requested, workArea, size] : cases) {
        auto given = quillane::pageWindowSizeFor(requested, workArea);
        EXPECT_EQ(given, size) << (requested ? requested->width : 0) << " by " << (requested ? requested->height : 0) << " gave " << given.width << " by " << given.height;
    }
}

TEST(BlockedPorts, PortsOfOtherServicesAreBlockedAndTheWebsOwnAreNot)
{
    for (int port : { 1, 7, 21, 22, 23, 25, 53, 110, 143, 6000, 6665, 6669, 6697, 10080 })
        EXPECT_TRUE(quillane::isBlockedPort(port)) << port;
    for (int port : { 0, 2, 80, 443, 3000, 6664, 6670, 8000, 8080, 8443, 10079, 10081, 65535 })
        EXPECT_FALSE(quillane::isBlockedPort(port)) << port;
}

namespace {
// A print dialog that stays up until the test answers it.
struct Dialogs {
    int shown = 0;
    std::function<void(bool)> answer;
    quillane::Printing::ShowDialog show()
    {
        return [this](std::function<void(bool)> answered) {
            ++shown;
            answer = std::move(answered);
        };
    }
};
} // namespace

TEST(Printing, APageIsRefusedWhileADialogShowsAndForAWhileThatDoublesAfterEachCancel)
{
    double now = 100;
    quillane::Printing printing([&] { return now; });
    Dialogs dialogs;
    printing.pageAsks(dialogs.show());
    EXPECT_EQ(dialogs.shown, 1);
    printing.pageAsks(dialogs.show());
    printing.userAsks(dialogs.show());
    EXPECT_EQ(dialogs.shown, 1) << "one dialog at a time, whoever asks";

    // Each cancel in a row keeps the page quiet twice as long: 3, 6, 12 seconds.
    for (double quiet : { 3.0, 6.0, 12.0 }) {
        dialogs.answer(false);
        int before = dialogs.shown;
        now += quiet - 0.01;
        printing.pageAsks(dialogs.show());
        EXPECT_EQ(dialogs.shown, before) << "still quiet just before " << quiet << " s";
        now += 0.01;
        printing.pageAsks(dialogs.show());
        EXPECT_EQ(dialogs.shown, before + 1) << "asked again at " << quiet << " s";
    }
    // The user's own command is never held back by a page's cancels.
    dialogs.answer(false);
    printing.userAsks(dialogs.show());
    EXPECT_EQ(dialogs.shown, 5);
    // Printing ends the quiet altogether.
    dialogs.answer(true);
    printing.pageAsks(dialogs.show());
    EXPECT_EQ(dialogs.shown, 6);
}

TEST(Printing, TheQuietNeverGrowsPastAMinute)
{
    double now = 0;
    quillane::Printing printing([&] { return now; });
    Dialogs dialogs;
    for (int cancel = 0; cancel < 12; ++cancel) {
        printing.userAsks(dialogs.show());
        dialogs.answer(false);
    }
    now += quillane::Printing::longestQuiet - 0.01;
    printing.pageAsks(dialogs.show());
    EXPECT_EQ(dialogs.shown, 12);
    now += 0.01;
    printing.pageAsks(dialogs.show());
    EXPECT_EQ(dialogs.shown, 13);
}
