#include "page/unread_count_rules.h"

#include <cmath>

namespace quillane {

std::optional<std::int64_t> countInTitle(std::string_view title)
{
    std::size_t at = title.find_first_not_of(" \t");
    if (at == std::string_view::npos)
        return std::nullopt;
    char closing = title[at] == '(' ? ')' : title[at] == '[' ? ']' : 0;
    if (!closing)
        return std::nullopt;
    ++at;
    std::size_t digits = 0;
    std::int64_t count = 0;
    for (; at < title.size() && title[at] >= '0' && title[at] <= '9'; ++at, ++digits)
        count = std::min(count * 10 + (title[at] - '0'), largestUnreadCount + 1);
    if (digits == 0)
        return std::nullopt;
    // "99+": at least as many as the page shows.
    if (at < title.size() && title[at] == '+')
        ++at;
    if (at >= title.size() || title[at] != closing)
        return std::nullopt;
    ++at;
    if (at < title.size() && title[at] != ' ' && title[at] != '\t')
        return std::nullopt;
    return std::min(count, largestUnreadCount);
}

std::optional<Badge> badgeFrom(const platform::ScriptValue& value)
{
    using Kind = platform::ScriptValue::Kind;
    if (value.kind == Kind::text && value.text == "flag")
        return Badge { Badge::Kind::flag, 0 };
    if (value.kind != Kind::number || !std::isfinite(value.number) || value.number < 0)
        return std::nullopt;
    double whole = std::min(std::trunc(value.number), double(largestUnreadCount));
    return Badge { Badge::Kind::count, static_cast<std::int64_t>(whole) };
}

LauncherCount launcherCount(const std::optional<Badge>& badge, std::optional<std::int64_t> titleCount)
{
    std::int64_t fromTitle = titleCount.value_or(0);
    if (badge && badge->kind == Badge::Kind::flag)
        return { fromTitle > 0 ? fromTitle : 1, true };
    if (badge && badge->count > 0)
        return { badge->count, true };
    return { fromTitle, fromTitle > 0 };
}

double delayBeforePublish(std::optional<double> lastPublished, double now)
{
    if (!lastPublished || now < *lastPublished)
        return 0;
    return std::max(0.0, *lastPublished + publishInterval - now);
}

} // namespace quillane
