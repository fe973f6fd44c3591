// The count on the launcher icon: what a title's count is, what a badge may be, which of the two
// shows, and how often a count is published.
#include "page/unread_count.h"
#include "page/unread_count_rules.h"

#include <glib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

using quillane::Badge;
using quillane::LauncherCount;
using quillane::largestUnreadCount;
using quillane::platform::ScriptValue;

namespace {
ScriptValue number(double value)
{
    ScriptValue result;
    result.kind = ScriptValue::Kind::number;
    result.number = value;
    return result;
}

ScriptValue text(std::string value)
{
    ScriptValue result;
    result.kind = ScriptValue::Kind::text;
    result.text = std::move(value);
    return result;
}

constexpr Badge flag { Badge::Kind::flag, 0 };
Badge count(std::int64_t value)
{
    return { Badge::Kind::count, value };
}
} // namespace

TEST(TitleCount, ACountInBracketsAtTheStartOfTheTitle)
{
    const std::pair<const char*, std::int64_t> counts[] = {
        { "(3) Inbox", 3 },
        { "[3] Inbox", 3 },
        { "(3)", 3 },
        { "[12]", 12 },
        { "  (3) Inbox", 3 },
        { "\t(12) Chat", 12 },
        { "(3)\tInbox", 3 },
        { "(0) Inbox", 0 },
        { "(007) Bond", 7 },
        { "(99+) Mail", 99 },
        { "[9+] Chat", 9 },
        { "(99998) Mail", 99998 },
        { "(99999) Mail", 99999 },
        { "(100000) Mail", largestUnreadCount },
        { "(99999999999999999999999999) Mail", largestUnreadCount },
    };
    for (const auto& [title, expected] : counts)
        EXPECT_EQ(quillane::countInTitle(title), expected) << title;
}

TEST(TitleCount, NumbersThatAreNotACountAtTheStartOfTheTitle)
{
    const char* noCounts[] = {
        "",
        "   ",
        "Inbox",
        "2024 report",
        "3 Inbox",
        "404 Not Found",
        "Inbox (3)",
        "Mail - (3) Inbox",
        "(3)Inbox",
        "(3)-Inbox",
        "(3] Inbox",
        "[3) Inbox",
        "{3} Inbox",
        "() Inbox",
        "(+) Inbox",
        "(3 Inbox",
        "(-3) Inbox",
        "(3.5) Inbox",
        "( 3) Inbox",
        "(3 ) Inbox",
        "(1,234) Inbox",
        "(3++) Inbox",
        "(+3) Inbox",
        "(x) Inbox",
        "(\u0663) Inbox",
    };
    for (const char* title : noCounts)
        EXPECT_EQ(quillane::countInTitle(title), std::nullopt) << title;
}

TEST(BadgeValue, AFiniteNumberOfAtLeastZeroByItsWholePartCappedOrAFlag)
{
    const std::pair<double, std::int64_t> counts[] = {
        { 0, 0 },
        { -0.0, 0 },
        { 0.5, 0 },
        { 1, 1 },
        { 3.9, 3 },
        { 99999, 99999 },
        { 99999.9, 99999 },
        { 100000, largestUnreadCount },
        { 1e12, largestUnreadCount },
        { std::numeric_limits<double>::max(), largestUnreadCount },
    };
    for (const auto& [value, expected] : counts)
        EXPECT_EQ(quillane::badgeFrom(number(value)), count(expected)) << value;
    EXPECT_EQ(quillane::badgeFrom(text("flag")), flag);
}

TEST(BadgeValue, EverythingElseIsRefused)
{
    for (double value : { -1.0, -0.5, -1e-300, -1e12, std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity() })
        EXPECT_EQ(quillane::badgeFrom(number(value)), std::nullopt) << value;
    ScriptValue truth;
    truth.kind = ScriptValue::Kind::boolean;
    truth.boolean = true;
    ScriptValue list;
    list.kind = ScriptValue::Kind::list;
    list.items = { number(3) };
    ScriptValue dictionary;
    dictionary.kind = ScriptValue::Kind::dictionary;
    dictionary.entries = { { "badge", number(3) } };
    for (const ScriptValue& value : { text("3"), text("Flag"), text(""), text("flag "), ScriptValue {}, truth, list, dictionary })
        EXPECT_EQ(quillane::badgeFrom(value), std::nullopt) << value.text;
}

TEST(LauncherCount, TheBadgeWinsWhileItIsSetAndAFlagShowsTheTitlesCountElseOne)
{
    struct Case {
        std::optional<Badge> badge;
        std::optional<std::int64_t> title;
        LauncherCount expected;
    };
    const Case cases[] = {
        { std::nullopt, std::nullopt, { 0, false } },
        { std::nullopt, 0, { 0, false } },
        { std::nullopt, 7, { 7, true } },
        { count(3), std::nullopt, { 3, true } },
        { count(3), 7, { 3, true } },
        { count(1), 0, { 1, true } },
        { count(0), 7, { 7, true } },
        { count(0), std::nullopt, { 0, false } },
        { flag, std::nullopt, { 1, true } },
        { flag, 0, { 1, true } },
        { flag, 7, { 7, true } },
    };
    for (const auto& [badge, title, expected] : cases) {
        LauncherCount shown = quillane::launcherCount(badge, title);
        EXPECT_EQ(shown, expected) << (badge ? badge->count : -1) << (badge && badge->kind == Badge::Kind::flag ? " flag" : "") << " title "
                                   << title.value_or(-1) << ": " << shown.count << " " << shown.visible;
    }
}

TEST(LauncherCount, PublishesAreAQuarterOfASecondApart)
{
    EXPECT_EQ(quillane::delayBeforePublish(std::nullopt, 5), 0) << "the first goes at once";
    EXPECT_DOUBLE_EQ(quillane::delayBeforePublish(10, 10), 0.25);
    EXPECT_NEAR(quillane::delayBeforePublish(10, 10.1), 0.15, 1e-9);
    EXPECT_NEAR(quillane::delayBeforePublish(10, 10.2499), 0.0001, 1e-9);
    EXPECT_EQ(quillane::delayBeforePublish(10, 10.25), 0);
    EXPECT_EQ(quillane::delayBeforePublish(10, 11), 0);
    EXPECT_EQ(quillane::delayBeforePublish(10, 9), 0) << "a clock that went back waits for nothing";
}

namespace {
struct Launcher {
    double now = 100;
    std::vector<LauncherCount> published;
    quillane::UnreadCount unread { [this](const LauncherCount& count) { published.push_back(count); }, [this] { return now; } };
};

bool spinUntil(const std::function<bool()>& condition)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition() && std::chrono::steady_clock::now() < deadline)
        g_main_context_iteration(nullptr, FALSE);
    return condition();
}
} // namespace

TEST(UnreadCount, OnlyChangesArePublishedAndTheBadgeWinsUntilItIsClearedOrTheDocumentChanges)
{
    Launcher launcher;
    launcher.unread.setTitle("Inbox");
    EXPECT_TRUE(launcher.published.empty()) << "nothing shows, and nothing is said of it";
    launcher.unread.setTitle("(2) Inbox");
    ASSERT_EQ(launcher.published, (std::vector<LauncherCount> { { 2, true } }));
    launcher.now += 1;
    launcher.unread.setTitle("(2) Inbox (new)");
    EXPECT_EQ(launcher.published.size(), 1u) << "the same count is no change";
    launcher.unread.setBadge(count(5));
    EXPECT_EQ(launcher.published.back(), (LauncherCount { 5, true }));
    launcher.now += 1;
    launcher.unread.setTitle("(3) Inbox");
    EXPECT_EQ(launcher.published.size(), 2u) << "the badge wins over the title";
    launcher.unread.setBadge(count(0));
    EXPECT_EQ(launcher.published.back(), (LauncherCount { 3, true })) << "a badge of 0 clears it: the title's count shows";
    launcher.now += 1;
    launcher.unread.setBadge(flag);
    launcher.now += 1;
    launcher.unread.setTitle("Inbox");
    EXPECT_EQ(launcher.published.back(), (LauncherCount { 1, true }));
    launcher.now += 1;
    launcher.unread.documentChanged();
    EXPECT_EQ(launcher.published.back(), (LauncherCount { 0, false })) << "a new document starts without the last one's badge";
    EXPECT_EQ(launcher.published.size(), 5u);
}

TEST(UnreadCount, ChangesWithinAQuarterOfASecondWaitAndOnlyTheNewestGoesOut)
{
    Launcher launcher;
    launcher.unread.setTitle("(1) Inbox");
    launcher.now += 0.2;
    launcher.unread.setTitle("(2) Inbox");
    launcher.unread.setBadge(count(7));
    launcher.unread.setTitle("(4) Inbox");
    EXPECT_EQ(launcher.published.size(), 1u) << "not yet";
    launcher.now += 0.05;
    ASSERT_TRUE(spinUntil([&] { return launcher.published.size() == 2; }));
    EXPECT_EQ(launcher.published.back(), (LauncherCount { 7, true }));

    // Back to what shows before the wait is over: nothing to say.
    launcher.unread.setBadge(count(8));
    launcher.unread.setBadge(count(7));
    g_usleep(300000);
    for (int turn = 0; turn < 20; ++turn)
        g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(launcher.published.size(), 2u);
}
