#pragma once
// What a message from our page scripts asks for, told apart by its shape alone.
#include "page/unread_count_rules.h"
#include "platform/script_value.h"

#include <optional>
#include <string>

namespace quillane {

struct ScriptMessage {
    enum class Kind { bandReport, badge, notificationRequest, dragRequest, refused };
    Kind kind = Kind::dragRequest;
    // For a band report: the colour text it carries, and the page's declared theme colour ("" for none).
    std::string band;
    std::string theme;
    // For a badge: what the page set.
    std::optional<Badge> badge;
};

// An object with a text under "band" is a band report; an object with "badge" is a badge, refused
// when its value is not one (see badgeFrom); one with "ask" under "notifications" is the page's
// request to be asked about notifications; anything else is a drag request.
ScriptMessage classifyMessage(const platform::ScriptValue& body);

} // namespace quillane
