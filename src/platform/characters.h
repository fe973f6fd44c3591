#pragma once
// What Unicode says of the characters of a text, and host names in their two forms.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane::platform {

struct CharacterFacts {
    char32_t code = 0;
    // The script's ISO 15924 code: "Latn", "Cyrl", "Hani", …; "Zyyy" for characters common to
    // several scripts (digits, "-"), "Zinh" for marks that take their base character's.
    std::string script;
    bool letter = false;
    bool mark = false;
    bool decimalDigit = false;
};

// The facts of each character in turn; none for text that is not UTF-8.
std::optional<std::vector<CharacterFacts>> charactersOf(std::string_view text);

// The Unicode form of a host name in ASCII form ("xn--bcher-kva.test" gives "bücher.test"); none
// when a label does not decode, or when its Unicode form is not the one that gives this ASCII form
// back (characters that would be mapped away or folded, such as full-width letters or joiners).
std::optional<std::string> unicodeHostname(const std::string& asciiHost);

} // namespace quillane::platform
