#pragma once
// Private to the platform layer.
#include <gio/gio.h>

#include <string>
#include <vector>

namespace quillane::platform {

// What is wrong with a certificate the engine refused, one text a problem, in people's words.
std::vector<std::string> certificateProblems(GTlsCertificateFlags flags);

} // namespace quillane::platform
