#pragma once
// What a page's message to the handler "quillane" asks for, told apart by its shape alone.
#include "platform/script_value.h"

#include <string>

namespace quillane {

struct BridgeMessage {
    enum class Kind { bandReport, dragRequest };
    Kind kind = Kind::dragRequest;
    // For a band report: the colour text it carries, and the page's declared theme colour ("" for none).
    std::string band;
    std::string theme;
};

// An object with a text under "band" is a band report; anything else is a drag request.
BridgeMessage sortMessage(const platform::ScriptValue& body);

} // namespace quillane
