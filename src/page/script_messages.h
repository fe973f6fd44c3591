#pragma once
// What a message from our page scripts asks for, told apart by its shape alone.
#include "platform/script_value.h"

#include <string>

namespace quillane {

struct ScriptMessage {
    enum class Kind { bandReport, notificationRequest, dragRequest };
    Kind kind = Kind::dragRequest;
    // For a band report: the colour text it carries, and the page's declared theme colour ("" for none).
    std::string band;
    std::string theme;
};

// An object with a text under "band" is a band report; one with "ask" under "notifications" is the
// page's request to be asked about notifications; anything else is a drag request.
ScriptMessage classifyMessage(const platform::ScriptValue& body);

} // namespace quillane
