#pragma once
// Small text helpers shared by the rules that compare names without regard to case.
#include <algorithm>
#include <string>
#include <string_view>

namespace quillane {

// The text with its ASCII letters in lower case; other bytes as they are.
inline std::string lowercased(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
    return result;
}

} // namespace quillane
