#pragma once
// Where the pages' website data (cookies, local storage, cache) lives.
#include <string>
#include <vector>

namespace quillane::platform {

// Set once, before the first page: a program of its own keeps its website data in these folders;
// without it the folders are named after the program, under the user's data and cache folders.
void setWebsiteDataFolders(const std::string& dataFolder, const std::string& cacheFolder);

// Set before the first page: the spell checker's dictionary names ("en_GB") for pages' editable
// fields, most wanted first; names without an installed dictionary are passed over without a word.
// Empty, or never set: the engine's own choice.
void setSpellCheckingLanguages(std::vector<std::string> languages);

} // namespace quillane::platform
