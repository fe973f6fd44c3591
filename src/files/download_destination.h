#pragma once
// Where a download may be saved, whatever name the page suggests.
#include <string>
#include <string_view>

namespace quillane {

// The suggested name reduced to a plain file name: no folders, never "." or "..", never empty.
std::string safeFileName(std::string_view suggested);

// In a probe run: the report file's folder with the safe form of the suggested name.
std::string probeDestination(std::string_view probeFile, std::string_view suggested);

} // namespace quillane
