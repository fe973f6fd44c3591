#pragma once
// Private to the platform layer.
#include "platform/script_value.h"

#include <jsc/jsc.h>

namespace quillane::platform {

// Converts a value that arrived from a page. Nesting deeper than a few dozen levels (a value that
// holds itself, say) is cut off as null.
ScriptValue scriptValueFrom(JSCValue* value);

} // namespace quillane::platform
