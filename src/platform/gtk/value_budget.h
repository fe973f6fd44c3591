#pragma once
// Private to the platform layer. What reading a value from outside (a page's message, a manifest)
// may still take, counted down as it is read: a value past either count is dropped whole. It is data
// for a few small decisions: anything larger is not one of ours.
#include <cstddef>
#include <cstring>
#include <string>

namespace quillane::platform {

struct ValueBudget {
    static constexpr std::size_t mostValues = 10000;
    static constexpr std::size_t mostTextBytes = 1 << 20;
    static constexpr std::size_t deepest = 32;

    std::size_t values = mostValues;
    std::size_t bytes = mostTextBytes;

    // One value more; false when none is left.
    bool takeValue()
    {
        if (values == 0)
            return false;
        --values;
        return true;
    }
    // A text (none is empty) into `into`; false when its bytes are more than are left.
    bool takeText(const char* text, std::string& into)
    {
        std::size_t length = text ? std::strlen(text) : 0;
        if (length > bytes)
            return false;
        bytes -= length;
        into.assign(text ? text : "", length);
        return true;
    }
};

} // namespace quillane::platform
