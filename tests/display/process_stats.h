#pragma once
// What the kernel says about a running process: its memory, its processor time, its children.
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace quillane::testing {

// A "Vm…" line of /proc/PID/status in KiB (VmHWM: the most it has ever had resident).
std::optional<long> statusKibibytes(pid_t pid, const std::string& field);
// User and system time the process has used, in seconds.
double processorSeconds(pid_t pid);
// The live (not yet reaped) processes below `ancestor` whose command name is `name`.
std::vector<pid_t> descendantsNamed(pid_t ancestor, const std::string& name);
// The processes that run a program's pages: its descendants (through the sandbox) that are the
// engine's web process.
std::vector<pid_t> webProcessesOf(pid_t program);

} // namespace quillane::testing
