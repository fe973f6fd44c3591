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
    struct Entry;
    std::vector<Entry> entries;

    // The entry under a key of a dictionary, or null when there is none.
    const ScriptValue* find(const std::string& key) const;
};

struct ScriptValue::Entry {
    std::string key;
    ScriptValue value;
};

inline const ScriptValue* ScriptValue::find(const std::string& key) const
{
    for (const auto& entry : entries) {
        if (entry.key == key)
            return &entry.value;
    }
    return nullptr;
}

} // namespace quillane::platform
