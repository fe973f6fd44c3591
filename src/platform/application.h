#pragma once
// A web application the program runs: the default one or one of its own (`--app NAME`). Several
// run in one program, each apart from the others on the desktop and in the engine: its own window
// class and icon, its own commands, its own website data (cookies, local storage, cache) and web
// processes.
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillane::platform {

class Program;

struct ApplicationIdentity {
    // Its desktop entry's id (the file's name without ".desktop"): the toolkit's application id on
    // its windows, and the desktop entry its notifications name.
    std::string desktopId;
    std::string programName; // first part of WM_CLASS
    std::string windowClass; // second part of WM_CLASS, what docks group the windows by
    std::string displayName; // the name people see, on its notifications too
    std::string iconName;    // the icon of its windows and notifications
};

// Where an application keeps its website data; none for the default application, whose folders are
// named after the program under the user's data and cache folders.
struct WebsiteDataFolders {
    std::string data;
    std::string cache;
};

class Application {
public:
    Application(Program& program, ApplicationIdentity identity, std::optional<WebsiteDataFolders> folders = std::nullopt);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const ApplicationIdentity& identity() const;
    Program& program() const;

    // Ends this application (its Quit, or its last window closed). Whoever runs it is told through
    // onQuit, and lets it go once the call is over; without anyone told, the program quits.
    std::function<void()> onQuit;
    void quit();

    struct Impl;

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

// Whether the program of this id, running in the user's session, runs the application of this
// desktop entry id now: no without a session bus or a running program; unknown when the program
// does not answer.
enum class Running { no, yes, unknown };
Running isApplicationRunning(const std::string& programId, const std::string& desktopId);

} // namespace quillane::platform
