#pragma once
// Texts fixed for the whole run, built once at start-up.
#include <string>

namespace quillane {

struct FixedTexts {
    std::string probePage;
    std::string probeSaves;
    std::string saveScript;
    std::string bandScript;
    std::string acceptLists;
};

FixedTexts buildFixedTexts();

} // namespace quillane
