#pragma once
// What the installed desktop entry of an application declares to the system.
#include <string>
#include <vector>

namespace quillane::platform {

// The link schemes the desktop entry that the system finds for the application id claims
// ("x-scheme-handler/quillane" gives "quillane"); empty when no entry is installed.
std::vector<std::string> urlSchemesOfDesktopEntry(const std::string& applicationId);

} // namespace quillane::platform
