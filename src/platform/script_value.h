#pragma once
// A value posted by a page script: an object becomes a dictionary with text keys, a string a text,
// a number a number, an array a list; anything else (null, undefined, functions) is null.
#include <string>
#include <utility>
#include <vector>

namespace quillane::platform {

struct ScriptValue {
    enum class Kind { null, boolean, number, text, list, dictionary };
    Kind kind = Kind::null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<ScriptValue> items;
    std::vector<std::pair<std::string, ScriptValue>> entries;

    // The entry under a key of a dictionary, or null when there is none.
    const ScriptValue* find(const std::string& key) const
    {
        for (const auto& [name, value] : entries) {
            if (name == key)
                return &value;
        }
        return nullptr;
    }
};

} // namespace quillane::platform
