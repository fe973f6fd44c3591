#pragma once
// Private to the platform layer.
#include "platform/script_value.h"

#include <jsc/jsc.h>

#include <optional>

namespace quillane::platform {

// The value a page posted, converted under a budget of values and bytes (a value reached again by
// another path counts again; a value that holds itself is cut where it comes round). None when the
// value is over budget: nothing of it is kept.
std::optional<ScriptValue> scriptValueFrom(JSCValue* value);

} // namespace quillane::platform
