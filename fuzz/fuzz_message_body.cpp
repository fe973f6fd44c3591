// The conversion of what a page posts: the input is a little program that builds a graph of the
// engine's values (objects, lists, texts, shared and cyclic references), which is then converted.
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/script_value_from_js.h"

#include <cstdint>
#include <string>
#include <vector>

using quillane::platform::GObjectRef;
using quillane::platform::ScriptValue;

namespace {
std::size_t countValues(const ScriptValue& value)
{
    std::size_t count = 1;
    for (const auto& item : value.items)
        count += countValues(item);
    for (const auto& entry : value.entries)
        count += countValues(entry.value);
    return count;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static JSCContext* context = jsc_context_new();
    std::vector<GObjectRef<JSCValue>> nodes;
    nodes.push_back(GObjectRef<JSCValue>::adopt(jsc_value_new_object(context, nullptr, nullptr)));
    for (std::size_t at = 0; at + 2 < size; at += 3) {
        std::uint8_t op = data[at], a = data[at + 1], b = data[at + 2];
        JSCValue* first = nodes[a % nodes.size()].get();
        JSCValue* second = nodes[b % nodes.size()].get();
        switch (op % 7) {
        case 0:
            nodes.push_back(GObjectRef<JSCValue>::adopt(jsc_value_new_object(context, nullptr, nullptr)));
            break;
        case 1:
            nodes.push_back(GObjectRef<JSCValue>::adopt(jsc_value_new_array(context, G_TYPE_NONE)));
            break;
        case 2:
            if (jsc_value_is_object(first))
                jsc_value_object_set_property(first, ("p" + std::to_string(b % 8)).c_str(), second);
            break;
        case 3:
            if (jsc_value_is_object(first))
                jsc_value_object_set_property_at_index(first, guint(b) * guint(b) * 977u, second);
            break;
        case 4:
            nodes.push_back(GObjectRef<JSCValue>::adopt(jsc_value_new_string(context, std::string(std::size_t(a) * 4099, 'x').c_str())));
            break;
        case 5:
            nodes.push_back(GObjectRef<JSCValue>::adopt(jsc_value_new_number(context, a * 256.0 + b)));
            break;
        case 6:
            if (jsc_value_is_object(first))
                jsc_value_object_set_property(first, std::string(std::size_t(b) * 31, 'k').c_str(), second);
            break;
        }
    }
    auto converted = quillane::platform::scriptValueFrom(nodes.front().get());
    if (converted && countValues(*converted) > 10000)
        __builtin_trap();
    return 0;
}
