#pragma once
// Where the pages' website data (cookies, local storage, cache) lives.
#include <string>

namespace quillane::platform {

// Set once, before the first page: a program of its own keeps its website data in these folders;
// without it the folders are named after the program, under the user's data and cache folders.
void setWebsiteDataFolders(const std::string& dataFolder, const std::string& cacheFolder);

} // namespace quillane::platform
