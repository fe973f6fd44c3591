#include "platform/gtk/script_value_from_js.h"

#include "platform/gtk/gobject_ref.h"

namespace quillane::platform {

namespace {
constexpr int deepest = 32;

ScriptValue convert(JSCValue* value, int depth)
{
    ScriptValue result;
    if (!value || depth > deepest)
        return result;
    if (jsc_value_is_boolean(value)) {
        result.kind = ScriptValue::Kind::boolean;
        result.boolean = jsc_value_to_boolean(value);
    } else if (jsc_value_is_number(value)) {
        result.kind = ScriptValue::Kind::number;
        result.number = jsc_value_to_double(value);
    } else if (jsc_value_is_string(value)) {
        result.kind = ScriptValue::Kind::text;
        GCharPtr text(jsc_value_to_string(value));
        result.text = text ? static_cast<char*>(text.get()) : "";
    } else if (jsc_value_is_array(value)) {
        result.kind = ScriptValue::Kind::list;
        auto length = GObjectRef<JSCValue>::adopt(jsc_value_object_get_property(value, "length"));
        auto count = length ? jsc_value_to_int32(length.get()) : 0;
        for (int index = 0; index < count; ++index) {
            auto item = GObjectRef<JSCValue>::adopt(jsc_value_object_get_property_at_index(value, guint(index)));
            result.items.push_back(convert(item.get(), depth + 1));
        }
    } else if (jsc_value_is_object(value) && !jsc_value_is_function(value)) {
        result.kind = ScriptValue::Kind::dictionary;
        GStrvPtr names(jsc_value_object_enumerate_properties(value));
        for (char** name = names.get(); name && *name; ++name) {
            auto item = GObjectRef<JSCValue>::adopt(jsc_value_object_get_property(value, *name));
            result.entries.emplace_back(*name, convert(item.get(), depth + 1));
        }
    }
    return result;
}
} // namespace

ScriptValue scriptValueFrom(JSCValue* value)
{
    return convert(value, 0);
}

} // namespace quillane::platform
