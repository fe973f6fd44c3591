#pragma once
// The program as the desktop sees it: one process under one D-Bus name, the run loop, and the
// command lines of later starts, handed to the first one.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillane::platform {

class Program {
public:
    // A single-instance program takes every later start's command line in its own process (the later
    // start ends once it has been heard); otherwise each start runs alone.
    Program(const std::string& id, bool singleInstance);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // A command line to carry out, the first start's and each later one's (program path first): what
    // the start it came from ends with.
    std::function<int(const std::vector<std::string>& arguments)> onCommandLine;

    // Runs the loop until the program quits, beginning with this start's own command line.
    int run(const std::vector<std::string>& arguments);
    void quit();

    struct Impl;

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
