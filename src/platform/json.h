#pragma once
// JSON text from outside (a page's manifest), read into a value under the same budget as a page's
// messages.
#include "platform/script_value.h"

#include <optional>
#include <string>

namespace quillane::platform {

// None when the text is not JSON or the value is over budget.
std::optional<ScriptValue> parseJSON(const std::string& text);

} // namespace quillane::platform
