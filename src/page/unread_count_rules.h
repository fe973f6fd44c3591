#pragma once
// How many unread things an application shows on its launcher icon: the badge its page sets with
// navigator.setAppBadge(), else a count at the start of the page's title.
#include "platform/script_value.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillane {

// Larger counts show as this: no launcher has room for more digits, and a page's nonsense stays small.
inline constexpr std::int64_t largestUnreadCount = 99999;

// The count a title starts with, in round or square brackets and followed by a space or nothing:
// "(3) Inbox", "[12] Chat", "  (0) Inbox" (0), "(99+) Mail" (99), capped at largestUnreadCount.
// A bare number is part of the title, not a count: "2024 report", "3 ways to …", "404 Not Found".
std::optional<std::int64_t> countInTitle(std::string_view title);

// What a page set with setAppBadge(): a count (0 clears it), or a flag (no number given).
struct Badge {
    enum class Kind { count, flag };
    Kind kind = Kind::count;
    std::int64_t count = 0;
    friend bool operator==(const Badge&, const Badge&) = default;
};

// A badge as our page script forwards it: a finite number not below 0 (its whole part, capped at
// largestUnreadCount), or the text "flag". Anything else is refused.
std::optional<Badge> badgeFrom(const platform::ScriptValue& value);

// What the launcher shows on the icon.
struct LauncherCount {
    std::int64_t count = 0;
    bool visible = false;
    friend bool operator==(const LauncherCount&, const LauncherCount&) = default;
};

// A badge wins over the title's count while it is set (a count of 0 is no badge). A flag carries no
// number: the launcher-entry interface has only numbers, so it shows the title's count, else 1.
LauncherCount launcherCount(const std::optional<Badge>& badge, std::optional<std::int64_t> titleCount);

// Launcher counts are published at most once in this many seconds, so that a page that changes its
// title or badge without pause does not flood the session bus; the newest count goes out at the
// end of the wait.
inline constexpr double publishInterval = 0.25;
// How long a publish at `now` must wait, given when the last one went out.
double delayBeforePublish(std::optional<double> lastPublished, double now);

} // namespace quillane
