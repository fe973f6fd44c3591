#include "process_stats.h"

#include "harness.h"

#include <filesystem>
#include <map>
#include <sstream>

#include <unistd.h>

namespace quillane::testing {

namespace {
// The fields of /proc/PID/stat after the command name, which is in parentheses and may hold spaces.
std::vector<std::string> statFields(pid_t pid, std::string* name = nullptr)
{
    std::string text = readFile("/proc/" + std::to_string(pid) + "/stat");
    auto open = text.find('('), close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return {};
    if (name)
        *name = text.substr(open + 1, close - open - 1);
    std::istringstream rest(text.substr(close + 1));
    std::vector<std::string> fields;
    for (std::string field; rest >> field;)
        fields.push_back(field);
    return fields;
}
} // namespace

std::optional<long> statusKibibytes(pid_t pid, const std::string& field)
{
    std::istringstream lines(readFile("/proc/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    }
    return std::nullopt;
}

double processorSeconds(pid_t pid)
{
    // After the name: state, ppid, …; utime and stime are the 12th and 13th of these.
    auto fields = statFields(pid);
    if (fields.size() < 13)
        return -1;
    return double(std::atoll(fields[11].c_str()) + std::atoll(fields[12].c_str())) / double(sysconf(_SC_CLK_TCK));
}

namespace {
// The live (not yet reaped) processes below `ancestor` that `chosen` takes, given their pid and the
// kernel's name for their command.
template<typename Chosen> std::vector<pid_t> descendantsWhere(pid_t ancestor, Chosen chosen)
{
    std::map<pid_t, pid_t> parents;
    std::vector<pid_t> candidates;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::string file = entry.path().filename();
        if (file.find_first_not_of("0123456789") != std::string::npos)
            continue;
        pid_t pid = std::atoi(file.c_str());
        std::string command;
        auto fields = statFields(pid, &command);
        if (fields.size() < 2 || fields[0] == "Z")
            continue;
        parents[pid] = std::atoi(fields[1].c_str());
        if (chosen(pid, command))
            candidates.push_back(pid);
    }
    std::vector<pid_t> found;
    for (pid_t pid : candidates) {
        for (pid_t up = parents[pid]; up > 1; up = parents.count(up) ? parents[up] : 0) {
            if (up == ancestor) {
                found.push_back(pid);
                break;
            }
        }
    }
    return found;
}
} // namespace

std::vector<pid_t> descendantsNamed(pid_t ancestor, const std::string& name)
{
    // The kernel keeps the first 15 bytes of a command's name.
    const std::string shown = name.substr(0, 15);
    return descendantsWhere(ancestor, [&](pid_t, const std::string& command) { return command == shown; });
}

std::vector<pid_t> webProcessesOf(pid_t program)
{
    // By the program run rather than its truncated name.
    return descendantsWhere(program, [](pid_t pid, const std::string&) {
        std::string command = readFile("/proc/" + std::to_string(pid) + "/cmdline");
        command = command.substr(0, command.find('\0'));
        return command == "WebKitWebProcess" || command.ends_with("/WebKitWebProcess");
    });
}

} // namespace quillane::testing
