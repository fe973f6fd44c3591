#include "files/download_destination.h"

#include <algorithm>

namespace quillane {

namespace {
constexpr std::string_view fallbackName = "download";
}

std::string safeFileName(std::string_view suggested)
{
    auto slash = suggested.find_last_of('/');
    std::string name(slash == std::string_view::npos ? suggested : suggested.substr(slash + 1));
    // Control characters (a line feed, a NUL) have no business in a file name.
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }, '_');
    if (name.empty() || name == "." || name == "..")
        return std::string(fallbackName);
    return name;
}

std::string probeDestination(std::string_view probeFile, std::string_view suggested)
{
    auto slash = probeFile.find_last_of('/');
    std::string folder = slash == std::string_view::npos ? "." : std::string(probeFile.substr(0, slash == 0 ? 1 : slash));
    if (folder.back() != '/')
        folder += '/';
    return folder + safeFileName(suggested);
}

} // namespace quillane
