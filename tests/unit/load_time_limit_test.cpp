// The time limit on a load of the program's own: the load it stopped is reported timed out, and no
// other, whatever came before or after it, and in whatever order the engine tells of them.
#include "platform/load_time_limit.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>

using quillane::platform::LoadTimeLimit;

namespace {
// Turns the main loop until the condition holds; whether it did within the time.
bool turnUntil(const std::function<bool()>& condition, std::chrono::milliseconds within = std::chrono::seconds(2))
{
    auto deadline = std::chrono::steady_clock::now() + within;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(1000);
    }
    return true;
}

void turnFor(std::chrono::milliseconds duration)
{
    auto until = std::chrono::steady_clock::now() + duration;
    turnUntil([&] { return std::chrono::steady_clock::now() >= until; }, duration + std::chrono::seconds(1));
}

constexpr double shortLimit = 0.05;
const std::string page = "http://127.0.0.1:8080/page.html";
const std::string other = "http://127.0.0.1:8080/other.html";
} // namespace

TEST(LoadTimeLimit, AfterATimeOutALaterCancelledLoadIsReportedCancelled)
{
    LoadTimeLimit limit;
    int stops = 0;
    limit.start(shortLimit, page, [&] { ++stops; });
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return stops == 1; }));
    EXPECT_TRUE(limit.failed(page)) << "the load the limit stopped timed out";
    // The same address again, as the page's own navigation (or a plain link), later cancelled.
    limit.began();
    EXPECT_FALSE(limit.failed(page));
    // And a cancelled load of it with no new one seen begin in between.
    EXPECT_FALSE(limit.failed(page));
    EXPECT_EQ(stops, 1);
}

TEST(LoadTimeLimit, ATimeOutWhoseStopNeverFailedBelongsToNoLaterLoad)
{
    LoadTimeLimit limit;
    int stops = 0;
    limit.start(shortLimit, page, [&] { ++stops; });
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return stops == 1; }));
    // The engine reported nothing for the load it stopped; the next load begins and is cancelled.
    limit.began();
    EXPECT_FALSE(limit.failed(page));
}

TEST(LoadTimeLimit, AnotherFailureAfterTheTimeOutSpendsIt)
{
    LoadTimeLimit limit;
    int stops = 0;
    limit.start(shortLimit, page, [&] { ++stops; });
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return stops == 1; }));
    EXPECT_FALSE(limit.failed(other)) << "another load's failure is not the one stopped";
    // Refused just as the limit ran out: that failure is told as it is, and the limit is spent.
    EXPECT_TRUE(limit.failed(page));
    EXPECT_FALSE(limit.failed(page));
}

TEST(LoadTimeLimit, ALoadThatReplacesAHangingOneKeepsItsOwnLimitWhateverTheOrderOfTheEvents)
{
    // The engine tells of the first load's start, or of its redirect, only once the second has been
    // asked for; its failure and its end come after.
    for (bool redirect : { false, true }) {
        LoadTimeLimit limit;
        int firstStops = 0, secondStops = 0;
        limit.start(60, page, [&] { ++firstStops; });
        limit.start(shortLimit, other, [&] { ++secondStops; });
        limit.began();
        if (redirect)
            limit.redirected(other);
        EXPECT_FALSE(limit.failed(page)) << redirect;
        EXPECT_TRUE(limit.isRunning()) << "the second load's limit runs on";
        limit.began();
        ASSERT_TRUE(turnUntil([&] { return secondStops == 1; })) << "the second load is stopped in its time";
        EXPECT_TRUE(limit.failed(other));
        EXPECT_EQ(firstStops, 0);
    }
}

TEST(LoadTimeLimit, ARedirectedLoadIsFollowedToItsNewAddress)
{
    LoadTimeLimit limit;
    int stops = 0;
    limit.start(shortLimit, page, [&] { ++stops; });
    limit.began();
    limit.redirected(other);
    ASSERT_TRUE(turnUntil([&] { return stops == 1; }));
    EXPECT_FALSE(limit.failed(page));
    EXPECT_TRUE(limit.failed(other));
}

TEST(LoadTimeLimit, ALoadThatArrivesInTimeOrAPageOfOursIsNeverStopped)
{
    for (bool byOurPage : { false, true }) {
        LoadTimeLimit limit;
        int stops = 0;
        limit.start(shortLimit, page, [&] { ++stops; });
        limit.began();
        // Another page arriving is not ours arriving.
        limit.committed(other);
        EXPECT_TRUE(limit.isRunning());
        if (byOurPage)
            limit.settled();
        else
            limit.committed(page);
        EXPECT_FALSE(limit.isRunning());
        turnFor(std::chrono::milliseconds(150));
        EXPECT_EQ(stops, 0) << byOurPage;
        EXPECT_FALSE(limit.failed(page)) << byOurPage;
    }
}

TEST(LoadTimeLimit, NoLimitForZeroSecondsAndALimitJustBeforeAndAtItsEnd)
{
    LoadTimeLimit none;
    int stops = 0;
    none.start(0, page, [&] { ++stops; });
    EXPECT_FALSE(none.isRunning());
    none.limitPageLoads(0, [&] { ++stops; });
    none.began();
    EXPECT_FALSE(none.isRunning()) << "nor for the page's own loads";
    EXPECT_FALSE(none.failed(page));

    LoadTimeLimit limit;
    std::chrono::steady_clock::time_point stopped;
    auto stop = [&] {
        stopped = std::chrono::steady_clock::now();
        ++stops;
    };
    limit.start(0.2, page, stop);
    limit.began();
    turnFor(std::chrono::milliseconds(150));
    EXPECT_EQ(stops, 0) << "not before its time";
    EXPECT_FALSE(limit.failed(page)) << "a load cancelled while the limit runs was not timed out";
    EXPECT_FALSE(limit.isRunning()) << "and the limit went with it";
    limit.start(0.2, page, stop);
    auto started = std::chrono::steady_clock::now();
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return stops == 1; }));
    EXPECT_GE(stopped - started, std::chrono::milliseconds(195));
}

TEST(LoadTimeLimit, APageLoadThatNoLimitRunsForGetsThePagesOwnWhileOursKeepsItsLength)
{
    LoadTimeLimit limit;
    int pageStops = 0, ourStops = 0;
    limit.limitPageLoads(shortLimit, [&] { ++pageStops; });
    // A link followed: stopped in the page's time, and its failure is a time-out.
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return pageStops == 1; }));
    EXPECT_TRUE(limit.failed(page));
    // Ours, as its load begins, keeps its own length.
    limit.start(0.3, other, [&] { ++ourStops; });
    auto started = std::chrono::steady_clock::now();
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return ourStops == 1; }));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(290));
    EXPECT_EQ(pageStops, 1);
    EXPECT_TRUE(limit.failed(other));
    // The engine names the page's load only as it fails or arrives: any address.
    limit.began();
    ASSERT_TRUE(turnUntil([&] { return pageStops == 2; }));
    EXPECT_TRUE(limit.failed(other));
    EXPECT_FALSE(limit.failed(other)) << "spent";
    // One that arrives in time, or fails first, is not stopped.
    limit.began();
    limit.committed(other);
    EXPECT_FALSE(limit.isRunning());
    limit.began();
    EXPECT_FALSE(limit.failed(page)) << "refused before its time";
    EXPECT_FALSE(limit.isRunning());
    // A form's POST or an upload takes what it takes; so does a sign-in the server asked for.
    limit.began(true);
    EXPECT_FALSE(limit.isRunning()) << "a load that sends data";
    limit.began();
    ASSERT_TRUE(limit.isRunning());
    limit.answered();
    EXPECT_FALSE(limit.isRunning()) << "a sign-in asked for";
    limit.start(60, other, [&] { ++ourStops; });
    limit.answered();
    EXPECT_FALSE(limit.isRunning()) << "ours too";
    turnFor(std::chrono::milliseconds(100));
    EXPECT_EQ(pageStops, 2);
    EXPECT_EQ(ourStops, 1);
}
