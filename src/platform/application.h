#pragma once
// The application: its identity on the desktop, the run loop, links handed to it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillane::platform {

struct ApplicationIdentity {
    std::string id;          // reverse-DNS id: D-Bus name, desktop entry and icon name
    std::string programName; // first part of WM_CLASS, and what messages are signed with
    std::string windowClass; // second part of WM_CLASS
    std::string displayName; // the name people see
};

class Application {
public:
    // A single-instance application hands what a second start opens to the first one over D-Bus,
    // and that second start then ends.
    Application(const ApplicationIdentity& identity, bool singleInstance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The run has begun: build what the application shows (once).
    std::function<void()> onStartup;
    // Links handed to the application, on its own command line (before onStartup) or by a later start.
    std::function<void(const std::vector<std::string>& links)> onOpen;
    // A later start with nothing to open.
    std::function<void()> onActivate;

    // Runs the loop until the application quits; `links` are opened as the command line's.
    int run(const std::string& programPath, const std::vector<std::string>& links);
    void quit();

    struct Impl;

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
