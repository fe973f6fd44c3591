#include "platform/json.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/value_budget.h"

#include <json-glib/json-glib.h>

namespace quillane::platform {

namespace {
// The same budget as a page's messages. Whitespace aside, a text within it is not much longer than
// the bytes it holds.
constexpr std::size_t longestText = 2 * ValueBudget::mostTextBytes;

// The parser goes as deep as the text does: a text nested deeper than any value we read is refused
// before it is parsed.
bool nestedWithin(const std::string& text, std::size_t most)
{
    std::size_t depth = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > most)
                return false;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return true;
}

class Conversion {
public:
    // False when the value is over budget: then nothing of it is kept.
    bool convert(JsonNode* node, ScriptValue& result)
    {
        if (!m_budget.takeValue())
            return false;
        switch (json_node_get_node_type(node)) {
        case JSON_NODE_NULL:
            return true;
        case JSON_NODE_VALUE:
            return convertValue(node, result);
        case JSON_NODE_ARRAY: {
            result.kind = ScriptValue::Kind::list;
            JsonArray* array = json_node_get_array(node);
            guint length = json_array_get_length(array);
            if (length > m_budget.values)
                return false;
            for (guint index = 0; index < length; ++index) {
                if (!convert(json_array_get_element(array, index), result.items.emplace_back()))
                    return false;
            }
            return true;
        }
        case JSON_NODE_OBJECT: {
            result.kind = ScriptValue::Kind::dictionary;
            JsonObject* object = json_node_get_object(node);
            JsonObjectIter members;
            json_object_iter_init(&members, object);
            const char* name = nullptr;
            JsonNode* member = nullptr;
            while (json_object_iter_next(&members, &name, &member)) {
                auto& entry = result.entries.emplace_back();
                if (!m_budget.takeText(name, entry.key) || !convert(member, entry.value))
                    return false;
            }
            return true;
        }
        }
        return true;
    }

private:
    bool convertValue(JsonNode* node, ScriptValue& result)
    {
        switch (json_node_get_value_type(node)) {
        case G_TYPE_BOOLEAN:
            result.kind = ScriptValue::Kind::boolean;
            result.boolean = json_node_get_boolean(node);
            return true;
        case G_TYPE_INT64:
            result.kind = ScriptValue::Kind::number;
            result.number = double(json_node_get_int(node));
            return true;
        case G_TYPE_DOUBLE:
            result.kind = ScriptValue::Kind::number;
            result.number = json_node_get_double(node);
            return true;
        case G_TYPE_STRING:
            result.kind = ScriptValue::Kind::text;
            return m_budget.takeText(json_node_get_string(node), result.text);
        default:
            return true;
        }
    }

    ValueBudget m_budget;
};
} // namespace

std::optional<ScriptValue> parseJSON(const std::string& text)
{
    if (text.size() > longestText || !nestedWithin(text, ValueBudget::deepest))
        return std::nullopt;
    auto parser = GObjectRef<JsonParser>::adopt(json_parser_new_immutable());
    if (!json_parser_load_from_data(parser.get(), text.data(), gssize(text.size()), nullptr))
        return std::nullopt;
    JsonNode* root = json_parser_get_root(parser.get());
    ScriptValue result;
    if (!root || !Conversion().convert(root, result))
        return std::nullopt;
    return result;
}

} // namespace quillane::platform
