#pragma once
// What every application's pages share: the spell checker's languages.
#include <string>
#include <vector>

namespace quillane::platform {

// Set before the first page: the spell checker's dictionary names ("en_GB") for pages' editable
// fields, most wanted first; names without an installed dictionary are passed over without a word.
// Empty, or never set: the engine's own choice.
void setSpellCheckingLanguages(std::vector<std::string> languages);

} // namespace quillane::platform
