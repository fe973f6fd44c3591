#pragma once
// Texts fixed for the whole run, built once at start-up.
#include <string>

namespace quillane {

struct FixedTexts {
    std::string probePage;
    std::string probeSaves;
    std::string saveScript;
};

FixedTexts buildFixedTexts();

} // namespace quillane
