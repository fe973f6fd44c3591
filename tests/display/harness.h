#pragma once
// A private X display for one test: Xvfb (1280x1024x24) with openbox and a D-Bus session bus of its
// own, and fresh XDG folders, so no test touches a real user's files or another test's windows.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace quillane::testing {

using namespace std::chrono_literals;

// A child process; ended (SIGTERM, then SIGKILL) when this is destroyed.
class Process {
public:
    explicit Process(pid_t pid);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    pid_t pid() const { return m_pid; }
    bool running();
    // Waits for the process to end; its exit status, or none if it still runs after the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

private:
    pid_t m_pid;
    std::optional<int> m_status;
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Pixel {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Pixel& pixel)
    {
        return out << "rgb(" << pixel.red << ", " << pixel.green << ", " << pixel.blue << ")";
    }
};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    Pixel at(int x, int y) const;
};

class DisplaySession {
public:
    // One monitor of 1280x1024 (Xvfb); or two side by side, each 1280x1024, the left one primary, as
    // an X server with the dummy video driver makes them (its monitors are DUMMY0 and DUMMY1).
    enum class Monitors { one, two };
    explicit DisplaySession(Monitors monitors = Monitors::one);
    ~DisplaySession();
    DisplaySession(const DisplaySession&) = delete;
    DisplaySession& operator=(const DisplaySession&) = delete;

    // The test's own folder; XDG_CONFIG_HOME is config/ inside it, and so on.
    const std::string& folder() const { return m_folder; }
    std::string configHome() const { return m_folder + "/config"; }
    std::string dataHome() const { return m_folder + "/data"; }
    const std::string& display() const { return m_display; }
    // The environment that programs on this display get.
    std::vector<std::string> environment() const;
    // Points this process at the display, for tests that run GTK in-process.
    void enterThisProcess() const;
    // Variables ("NAME=value") that replace or add to the environment of programs started from now on.
    void setExtraEnvironment(std::vector<std::string> variables) { m_extraEnvironment = std::move(variables); }

    std::unique_ptr<Process> start(const std::vector<std::string>& argv) const;
    std::unique_ptr<Process> startQuillane(const std::vector<std::string>& arguments = {}) const;
    // Runs a command to its end; its standard output.
    std::string run(const std::vector<std::string>& argv, int* exitStatus = nullptr, std::string* errors = nullptr) const;
    // The mapped windows that xdotool's search criteria match ("--class", "^Quillane$").
    std::vector<unsigned long> search(const std::vector<std::string>& criteria) const;

    // The first mapped window of the class, once there is one.
    std::optional<unsigned long> waitForWindow(const std::string& windowClass = "Quillane", std::chrono::milliseconds timeout = 15s) const;
    // The mapped windows with this exact title.
    std::vector<unsigned long> windowsNamed(const std::string& name) const;
    // The first mapped window with this exact title, once there is one.
    std::optional<unsigned long> waitForWindowNamed(const std::string& name, std::chrono::milliseconds timeout = 15s) const;
    Geometry geometry(unsigned long window) const;
    // xprop's line for one property of a window ("" when the window has none).
    std::string property(unsigned long window, const std::string& name) const;
    void xdotool(const std::vector<std::string>& arguments) const;
    // A region of the screen, in root coordinates.
    Image screenshot(const Geometry& region, const std::string& name = "shot") const;

    // The preferences file as Quillane keeps it.
    std::string preferencesPath() const { return configHome() + "/quillane/preferences.ini"; }
    void writePreferences(const std::string& contents) const;
    std::string readPreferences() const;

private:
    std::string m_folder;
    std::string m_display;
    std::string m_bus;
    std::vector<std::string> m_extraEnvironment;
    std::unique_ptr<Process> m_server;
    std::unique_ptr<Process> m_busDaemon;
    std::unique_ptr<Process> m_windowManager;
};

// Polls until the condition holds; whether it did before the timeout.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

std::string readFile(const std::string& path);

} // namespace quillane::testing
