#pragma once
// Managing applications of their own from the command line: what it prints, and the exit status.
#include "launch/command_line.h"

namespace quillane {

// 0 when done, 1 when it could not be done, 2 for words that do not make a request.
int manageApps(const AppManagementRequest& request);

} // namespace quillane
