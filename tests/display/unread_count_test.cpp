// The count on the application's launcher icon: the launcher-entry Update signals Quillane sends on
// the session bus, as a dock hears them, for badges the page sets and counts in its title.
#include "quillane_test.h"

#include <glib.h>

#include <algorithm>
#include <sstream>

using namespace quillane::testing;

namespace {
struct Update {
    std::string path;
    std::string uri;
    long long count = -1;
    bool visible = false;
};

std::ostream& operator<<(std::ostream& out, const Update& update)
{
    return out << update.uri << " " << update.count << (update.visible ? " shown" : " hidden");
}

// Keys the page acts on: c clears the badge, f sets a flag, t drops the title's count, q loads the
// page again without its own badge.
constexpr const char* keyedBadges = "<script>addEventListener('keydown', event => {"
                                    " if (event.key === 'c') navigator.clearAppBadge();"
                                    " if (event.key === 'f') navigator.setAppBadge();"
                                    " if (event.key === 't') document.title = 'Inbox';"
                                    " if (event.key === 'q') location.replace('/page.html?quiet');"
                                    "})</script>";

class UnreadCounts : public QuillaneTest {
protected:
    void SetUp() override
    {
        listener = session.start({ LAUNCHER_ENTRY_LISTENER, updatesFile() });
        ASSERT_TRUE(waitUntil([&] { return readFile(updatesFile()).find("ready") != std::string::npos; }));
    }

    std::string updatesFile() const { return session.folder() + "/updates.txt"; }

    std::vector<Update> updates() const
    {
        std::vector<Update> result;
        std::istringstream lines(readFile(updatesFile()));
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            Update update;
            std::string count, visible;
            if (!(words >> update.path >> update.uri >> count >> visible))
                continue;
            update.count = count.rfind("count=", 0) == 0 ? std::atoll(count.c_str() + 6) : -1;
            update.visible = visible == "visible=true";
            result.push_back(update);
        }
        return result;
    }

    std::string describe() const
    {
        std::ostringstream out;
        for (const auto& update : updates())
            out << update << "; ";
        return out.str();
    }

    // Whether the last update comes to show this.
    bool lastBecomes(long long count, bool visible, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        return waitUntil([&] {
            auto all = updates();
            return !all.empty() && all.back().count == count && all.back().visible == visible;
        }, timeout);
    }

    void press(const std::string& key) const
    {
        session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
        session.xdotool({ "key", key });
    }

    std::unique_ptr<Process> listener;
    static constexpr const char* defaultEntry = "application://org.quillane.Quillane.desktop";
};
} // namespace

TEST_F(UnreadCounts, ABadgeIsPublishedOnlyWhenItChangesAndClearAppBadgeHidesIt)
{
    ASSERT_TRUE(open(std::string("<title>Mail</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                                 "<script>navigator.setAppBadge(3); setTimeout(() => { navigator.setAppBadge(3); fetch('/again') }, 300)</script>")
        + keyedBadges));
    ASSERT_TRUE(lastBecomes(3, true)) << describe();
    Update first = updates().back();
    EXPECT_EQ(first.uri, defaultEntry);
    EXPECT_EQ(first.path.rfind("/org/quillane/LauncherEntry/", 0), 0u) << first.path;
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/again") == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(updates().size(), 1u) << "the same badge again is no change: " << describe();

    press("c");
    EXPECT_TRUE(lastBecomes(0, false)) << describe();
    EXPECT_EQ(updates().size(), 2u) << describe();
}

TEST_F(UnreadCounts, ACountAtTheStartOfTheTitleIsPublishedAndATitleWithoutOneHidesIt)
{
    ASSERT_TRUE(open(std::string("<title>(2) Inbox</title><body style='margin: 0; background: rgb(240, 240, 240)'>") + keyedBadges));
    ASSERT_TRUE(lastBecomes(2, true)) << describe();
    EXPECT_EQ(updates().back().uri, defaultEntry);
    press("t");
    EXPECT_TRUE(lastBecomes(0, false)) << describe();
}

TEST_F(UnreadCounts, TheBadgeWinsOverTheTitleWhileItIsSetAndANewDocumentStartsWithoutIt)
{
    ASSERT_TRUE(open(std::string("<title>(5) Inbox</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                                 "<script>if (location.search !== '?quiet') addEventListener('load', () => navigator.setAppBadge(3))</script>")
        + keyedBadges));
    ASSERT_TRUE(lastBecomes(3, true)) << describe();
    press("c");
    EXPECT_TRUE(lastBecomes(5, true)) << "the title's count once the badge is cleared: " << describe();
    press("t");
    EXPECT_TRUE(lastBecomes(0, false)) << describe();
    press("f");
    EXPECT_TRUE(lastBecomes(1, true)) << "a flag with no count in the title: " << describe();
    press("q");
    EXPECT_TRUE(lastBecomes(5, true)) << "the new document's title, without the last one's flag: " << describe();
}

TEST_F(UnreadCounts, WhatAPageRaisesItselfIsCheckedAndNothingButACountOrAFlagIsPublished)
{
    ASSERT_TRUE(open(R"(<title>Mail</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>
        const answers = [];
        const raise = detail => dispatchEvent(new CustomEvent('quillane-app-badge', { detail }));
        (async () => {
            for (const value of [-1, NaN, Infinity, 'many', {}, 2 ** 60])
                await navigator.setAppBadge(value).then(() => answers.push('taken'), error => answers.push(error.name));
            for (const detail of [-5, NaN, -Infinity, Infinity, '7', '{"badge": 8}', { badge: 9 }, [10], true, null, { valueOf: () => 11 }])
                raise(detail);
            // Replacing the page's own functions changes nothing of ours.
            navigator.setAppBadge = () => raise(-1);
            navigator.setAppBadge(12);
            fetch('/tried?' + answers.join(',') + '&handler=' + typeof window.webkit);
            setTimeout(() => raise(1e12), 700);
            setTimeout(() => raise(4.7), 1400);
        })();
        </script>)"));
    ASSERT_TRUE(waitUntil([&] {
        auto requests = server.requests();
        return std::any_of(requests.begin(), requests.end(), [](const std::string& path) { return path.rfind("/tried?", 0) == 0; });
    }));
    for (const auto& path : server.requests()) {
        if (path.rfind("/tried?", 0) == 0) {
            EXPECT_EQ(path, "/tried?TypeError,TypeError,TypeError,TypeError,TypeError,TypeError&handler=undefined")
                << "every value that is not a whole number of at least 0 is refused, and the page has no way to our handler";
        }
    }
    EXPECT_TRUE(lastBecomes(99999, true)) << "a huge count is capped: " << describe();
    EXPECT_TRUE(lastBecomes(4, true)) << "the whole part of a fraction: " << describe();
    auto all = updates();
    ASSERT_EQ(all.size(), 2u) << "nothing else was published: " << describe();
    EXPECT_EQ(all.front().count, 99999);
}

TEST_F(UnreadCounts, APageThatNeverStopsChangingItsCountIsPublishedAFewTimesASecond)
{
    ASSERT_TRUE(open(R"(<title>Mail</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>
        let round = 0;
        const flood = setInterval(() => {
            for (let step = 0; step < 20; ++step) {
                ++round;
                document.title = '(' + (round % 50 + 1) + ') Inbox';
                navigator.setAppBadge(round % 7 + 1);
            }
        }, 1);
        setTimeout(() => { clearInterval(flood); navigator.setAppBadge(9); fetch('/calm?' + round) }, 2000);
        </script>)"));
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] {
        auto requests = server.requests();
        return std::any_of(requests.begin(), requests.end(), [](const std::string& path) { return path.rfind("/calm?", 0) == 0; });
    }));
    EXPECT_TRUE(lastBecomes(9, true)) << "the newest count goes out: " << describe();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::size_t published = updates().size();
    // One at once, then at most one every quarter of a second.
    EXPECT_LE(published, std::size_t(seconds / 0.25) + 2) << describe();
    std::string changes;
    for (const auto& path : server.requests()) {
        if (path.rfind("/calm?", 0) == 0)
            changes = path.substr(6);
    }
    RecordProperty("changes", changes);
    RecordProperty("published", std::to_string(published));
    std::printf("%s changes of the title and badge in 2 s; %zu updates published in %.1f s\n", changes.c_str(), published, seconds);
}

TEST_F(UnreadCounts, AnApplicationOfItsOwnSpeaksForItsOwnDesktopEntryAndClearsItsCountAsItEnds)
{
    server.serve("/mail", "<title>(4) Mail</title><body style='margin: 0; background: rgb(240, 240, 240)'>mail</body>");
    char* escaped = g_uri_escape_string(server.url("/mail").c_str(), nullptr, FALSE);
    std::string link = std::string("quillane://open?url=") + escaped;
    g_free(escaped);
    quillane = session.startQuillane({ "--app", "mail", link });
    auto mailWindow = session.waitForWindow("Quillane-mail");
    ASSERT_TRUE(mailWindow);
    ASSERT_TRUE(lastBecomes(4, true)) << describe();
    EXPECT_EQ(updates().back().uri, "application://org.quillane.Quillane.mail.desktop");
    session.run({ "wmctrl", "-i", "-c", std::to_string(*mailWindow) });
    ASSERT_EQ(quillane->waitForExit(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(lastBecomes(0, false, std::chrono::seconds(2))) << describe();
    EXPECT_EQ(updates().back().uri, "application://org.quillane.Quillane.mail.desktop");
}
