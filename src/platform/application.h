#pragma once
// The application object: start-up, the run loop, links handed over by the system, termination.
#include <memory>
#include <string>
#include <vector>

namespace quillane::platform {

class Window;

class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching() = 0;
    virtual bool applicationShouldTerminateAfterLastWindowClosed() = 0;
};

// Optional: a delegate that takes links handed to the application (on its command line, or from a
// second launch while this one runs).
class ApplicationOpenDelegate : public virtual ApplicationDelegate {
public:
    virtual void applicationOpen(const std::vector<std::string>& links) = 0;
};

struct ApplicationIdentity {
    std::string id;          // reverse-DNS id: D-Bus name, desktop entry and icon name
    std::string programName; // first part of WM_CLASS, and what messages are signed with
    std::string windowClass; // second part of WM_CLASS
    std::string displayName; // the name people see
};

class Application {
public:
    // A single-instance application forwards what a second launch opens to the first one over D-Bus
    // and that second launch then ends.
    Application(const ApplicationIdentity& identity, bool singleInstance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void setDelegate(ApplicationDelegate* delegate);
    ApplicationDelegate* delegate() const;

    // Runs the loop until the application quits; `links` are handed to the delegate as opened links.
    int run(const std::string& programPath, const std::vector<std::string>& links);
    void terminate();
    // Brings the application's windows forward.
    void activate();
    std::vector<Window*> windows() const;

    struct Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
