#include "platform/gtk/script_value_from_js.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/value_budget.h"

#include <algorithm>

namespace quillane::platform {

namespace {
class Conversion {
public:
    // False when the value is over budget: then nothing of it is kept.
    bool convert(JSCValue* value, ScriptValue& result)
    {
        if (!value)
            return true;
        if (m_path.size() > ValueBudget::deepest || !m_budget.takeValue())
            return false;
        if (jsc_value_is_boolean(value)) {
            result.kind = ScriptValue::Kind::boolean;
            result.boolean = jsc_value_to_boolean(value);
        } else if (jsc_value_is_number(value)) {
            result.kind = ScriptValue::Kind::number;
            result.number = jsc_value_to_double(value);
        } else if (jsc_value_is_string(value)) {
            result.kind = ScriptValue::Kind::text;
            GCharPtr text(jsc_value_to_string(value));
            return m_budget.takeText(text.get(), result.text);
        } else if (jsc_value_is_object(value) && !jsc_value_is_function(value)) {
            // A value that holds itself is cut where it comes round again; values reached twice
            // by other paths are counted each time they are reached.
            if (std::find(m_path.begin(), m_path.end(), value) != m_path.end())
                return true;
            m_path.push_back(value);
            bool kept = jsc_value_is_array(value) ? convertList(value, result) : convertDictionary(value, result);
            m_path.pop_back();
            return kept;
        }
        return true;
    }

private:
    bool convertList(JSCValue* value, ScriptValue& result)
    {
        result.kind = ScriptValue::Kind::list;
        auto length = GObjectRef<JSCValue>::adopt(jsc_value_object_get_property(value, "length"));
        double count = length ? jsc_value_to_double(length.get()) : 0;
        // The length alone says whether the items can fit.
        if (!(count >= 0) || count > double(m_budget.values))
            return false;
        for (guint index = 0; index < guint(count); ++index) {
            auto item = GObjectRef<JSCValue>::adopt(jsc_value_object_get_property_at_index(value, index));
            if (!convert(item.get(), result.items.emplace_back()))
                return false;
        }
        return true;
    }

    bool convertDictionary(JSCValue* value, ScriptValue& result)
    {
        result.kind = ScriptValue::Kind::dictionary;
        GStrvPtr names(jsc_value_object_enumerate_properties(value));
        for (char** name = names.get(); name && *name; ++name) {
            auto& entry = result.entries.emplace_back();
            if (!m_budget.takeText(*name, entry.key))
                return false;
            auto item = GObjectRef<JSCValue>::adopt(jsc_value_object_get_property(value, *name));
            if (!convert(item.get(), entry.value))
                return false;
        }
        return true;
    }

    ValueBudget m_budget;
    std::vector<JSCValue*> m_path;
};
} // namespace

std::optional<ScriptValue> scriptValueFrom(JSCValue* value)
{
    ScriptValue result;
    if (!Conversion().convert(value, result))
        return std::nullopt;
    return result;
}

} // namespace quillane::platform
