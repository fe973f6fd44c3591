#include "harness.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillane::testing {

namespace {
std::vector<char*> cStrings(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (const auto& text : strings)
        result.push_back(const_cast<char*>(text.c_str()));
    result.push_back(nullptr);
    return result;
}

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment, int* standardOutput)
{
    auto args = cStrings(argv);
    auto envp = cStrings(environment);
    GPid pid = 0;
    GError* error = nullptr;
    auto flags = GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | (standardOutput ? 0 : G_SPAWN_STDOUT_TO_DEV_NULL));
    if (!g_spawn_async_with_pipes(nullptr, args.data(), envp.data(), flags, nullptr, nullptr, &pid, nullptr, standardOutput, nullptr, &error)) {
        std::string message = error->message;
        g_error_free(error);
        throw std::runtime_error("could not start " + argv.front() + ": " + message);
    }
    return pid;
}

// The first line a child writes (Xvfb's display number, the bus's address).
std::string firstLine(int fd, std::chrono::milliseconds timeout)
{
    std::string line;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wait { fd, POLLIN, 0 };
        if (poll(&wait, 1, 100) <= 0)
            continue;
        char c = 0;
        if (read(fd, &c, 1) != 1)
            break;
        if (c == '\n')
            return line;
        line += c;
    }
    throw std::runtime_error("no answer from a helper process");
}

constexpr const char* busConfig = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}
} // namespace

Process::Process(pid_t pid)
    : m_pid(pid)
{
}

Process::~Process()
{
    if (!running())
        return;
    kill(m_pid, SIGTERM);
    if (!waitForExit(3s)) {
        kill(m_pid, SIGKILL);
        waitForExit(3s);
    }
}

bool Process::running()
{
    if (m_status)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_status = status;
        return false;
    }
    return true;
}

std::optional<int> Process::waitForExit(std::chrono::milliseconds timeout)
{
    waitUntil([this] { return !running(); }, timeout);
    if (!m_status)
        return std::nullopt;
    return WIFEXITED(*m_status) ? WEXITSTATUS(*m_status) : 128 + WTERMSIG(*m_status);
}

Pixel Image::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return { -1, -1, -1 };
    auto offset = (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
    return { rgb[offset], rgb[offset + 1], rgb[offset + 2] };
}

namespace {
// The dummy driver has outputs DUMMY0 to DUMMY15; a frame buffer wide enough for two of them.
constexpr const char* dummyConfig = R"(Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 2560 1024
    EndSubSection
EndSection
)";
} // namespace

DisplaySession::DisplaySession(Monitors monitors)
{
    char pattern[] = "/tmp/quillane-test-XXXXXX";
    if (!g_mkdtemp(pattern))
        throw std::runtime_error("no temporary folder");
    m_folder = pattern;
    for (const char* sub : { "/config", "/data", "/cache", "/runtime" })
        g_mkdir_with_parents((m_folder + sub).c_str(), 0700);

    int out = -1;
    std::string path = "PATH=" + std::string(g_getenv("PATH") ? g_getenv("PATH") : "/usr/bin:/bin");
    if (monitors == Monitors::two) {
        writeFile(m_folder + "/xorg.conf", dummyConfig);
        m_server = std::make_unique<Process>(spawn({ "Xorg", "-displayfd", "1", "-config", m_folder + "/xorg.conf", "-logfile", m_folder + "/xorg.log",
                                                       "-nolisten", "tcp", "-noreset" },
            { path }, &out));
    } else {
        m_server = std::make_unique<Process>(spawn({ "Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset" },
            { path }, &out));
    }
    m_display = ":" + firstLine(out, 15s);
    close(out);
    if (monitors == Monitors::two) {
        int status = -1;
        std::string said = run({ "sh", "-c", "xrandr --addmode DUMMY1 1280x1024 && xrandr --fb 2560x1024 --output DUMMY0 --mode 1280x1024 --pos 0x0 "
                                             "--primary --output DUMMY1 --mode 1280x1024 --pos 1280x0 && xrandr --listmonitors 2>&1" },
            &status);
        if (status != 0 || said.find("DUMMY1") == std::string::npos)
            throw std::runtime_error("the second monitor did not come: " + said);
    }

    writeFile(m_folder + "/bus.conf", busConfig);
    m_busDaemon = std::make_unique<Process>(spawn({ "dbus-daemon", "--config-file=" + m_folder + "/bus.conf", "--nofork", "--print-address=1" },
        environment(), &out));
    m_bus = firstLine(out, 10s);
    close(out);

    m_windowManager = start({ "openbox", "--sm-disable" });
    bool managed = waitUntil([this] {
        return run({ "xprop", "-root", "_NET_SUPPORTING_WM_CHECK" }).find("window id") != std::string::npos;
    }, 15s);
    if (!managed)
        throw std::runtime_error("openbox did not start");
}

DisplaySession::~DisplaySession()
{
    m_windowManager.reset();
    m_busDaemon.reset();
    m_server.reset();
    if (!g_getenv("QUILLANE_KEEP_TEST_FOLDER")) {
        std::string command = "rm -rf '" + m_folder + "'";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not remove %s\n", m_folder.c_str());
    }
}

std::vector<std::string> DisplaySession::environment() const
{
    std::vector<std::string> result;
    for (char** variable = environ; *variable; ++variable) {
        std::string entry = *variable;
        for (const char* dropped : { "DISPLAY=", "WEBKIT_DISABLE_COMPOSITING_MODE=", "WAYLAND_DISPLAY=", "DBUS_SESSION_BUS_ADDRESS=", "XDG_CONFIG_HOME=", "XDG_DATA_HOME=",
                 "XDG_CACHE_HOME=", "XDG_RUNTIME_DIR=" }) {
            if (entry.rfind(dropped, 0) == 0)
                entry.clear();
        }
        if (!entry.empty())
            result.push_back(entry);
    }
    result.push_back("DISPLAY=" + m_display);
    if (!m_bus.empty())
        result.push_back("DBUS_SESSION_BUS_ADDRESS=" + m_bus);
    result.push_back("XDG_CONFIG_HOME=" + m_folder + "/config");
    result.push_back("XDG_DATA_HOME=" + m_folder + "/data");
    result.push_back("XDG_CACHE_HOME=" + m_folder + "/cache");
    result.push_back("XDG_RUNTIME_DIR=" + m_folder + "/runtime");
    // WEBKIT_DISABLE_COMPOSITING_MODE is left alone: with it set, WebKitGTK 2.50 never reports a
    // page's theme colour, which the band shows.
    result.push_back("GTK_IM_MODULE=none");
    result.push_back("NO_AT_BRIDGE=1");
    for (const auto& extra : m_extraEnvironment) {
        auto name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(result, [&](const std::string& entry) { return entry.rfind(name, 0) == 0; });
        result.push_back(extra);
    }
    return result;
}

void DisplaySession::enterThisProcess() const
{
    for (const auto& entry : environment()) {
        auto equals = entry.find('=');
        g_setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), TRUE);
    }
    g_unsetenv("WAYLAND_DISPLAY");
}

std::unique_ptr<Process> DisplaySession::start(const std::vector<std::string>& argv) const
{
    return std::make_unique<Process>(spawn(argv, environment(), nullptr));
}

std::unique_ptr<Process> DisplaySession::startQuillane(const std::vector<std::string>& arguments) const
{
    std::vector<std::string> argv { QUILLANE_BINARY };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return start(argv);
}

std::string DisplaySession::run(const std::vector<std::string>& argv, int* exitStatus, std::string* errors) const
{
    auto args = cStrings(argv);
    auto env = environment();
    auto envp = cStrings(env);
    char* output = nullptr;
    char* errorOutput = nullptr;
    int status = 0;
    auto flags = GSpawnFlags(G_SPAWN_SEARCH_PATH | (errors ? 0 : G_SPAWN_STDERR_TO_DEV_NULL));
    bool ran = g_spawn_sync(nullptr, args.data(), envp.data(), flags, nullptr, nullptr, &output, errors ? &errorOutput : nullptr, &status, nullptr);
    std::string result = output ? output : "";
    g_free(output);
    if (errors)
        *errors = errorOutput ? errorOutput : "";
    g_free(errorOutput);
    if (exitStatus)
        *exitStatus = ran && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<unsigned long> DisplaySession::search(const std::vector<std::string>& criteria) const
{
    std::vector<std::string> argv { "xdotool", "search", "--onlyvisible" };
    argv.insert(argv.end(), criteria.begin(), criteria.end());
    // xdotool dies on BadWindow, printing nothing, when any window on the display goes away while it walks the
    // tree; that says nothing about the windows sought, so such a search is made again.
    for (int attempt = 0;; ++attempt) {
        std::string errors;
        std::istringstream found(run(argv, nullptr, &errors));
        if (errors.find("X Error") != std::string::npos && attempt < 20)
            continue;
        std::vector<unsigned long> ids;
        for (unsigned long id = 0; found >> id;)
            ids.push_back(id);
        return ids;
    }
}

std::optional<unsigned long> DisplaySession::waitForWindow(const std::string& windowClass, std::chrono::milliseconds timeout) const
{
    std::optional<unsigned long> found;
    waitUntil([&] {
        // Dialogs share the class; the main window is the one that belongs to no other window.
        for (unsigned long id : search({ "--class", "^" + windowClass + "$" })) {
            if (!found && property(id, "WM_TRANSIENT_FOR").empty())
                found = id;
        }
        return found.has_value();
    }, timeout);
    return found;
}

std::vector<unsigned long> DisplaySession::windowsNamed(const std::string& name) const
{
    std::string pattern;
    for (char c : name) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    return search({ "--name", "^" + pattern + "$" });
}

std::optional<unsigned long> DisplaySession::waitForWindowNamed(const std::string& name, std::chrono::milliseconds timeout) const
{
    std::optional<unsigned long> found;
    waitUntil([&] {
        auto ids = windowsNamed(name);
        if (!ids.empty())
            found = ids.front();
        return found.has_value();
    }, timeout);
    return found;
}

Geometry DisplaySession::geometry(unsigned long window) const
{
    Geometry result;
    std::istringstream lines(run({ "xwininfo", "-id", std::to_string(window) }));
    std::string line;
    auto valueAfter = [](const std::string& text, const std::string& label, int& into) {
        auto at = text.find(label);
        if (at != std::string::npos)
            into = std::atoi(text.c_str() + at + label.size());
    };
    while (std::getline(lines, line)) {
        valueAfter(line, "Absolute upper-left X:", result.x);
        valueAfter(line, "Absolute upper-left Y:", result.y);
        valueAfter(line, "Width:", result.width);
        valueAfter(line, "Height:", result.height);
    }
    return result;
}

std::string DisplaySession::property(unsigned long window, const std::string& name) const
{
    std::string line = run({ "xprop", "-id", std::to_string(window), name });
    return line.find("not found") != std::string::npos || line.find("no such atom") != std::string::npos ? "" : line;
}

void DisplaySession::xdotool(const std::vector<std::string>& arguments) const
{
    std::vector<std::string> argv { "xdotool" };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    run(argv);
}

Image DisplaySession::screenshot(const Geometry& region, const std::string& name) const
{
    std::string path = m_folder + "/" + name + ".ppm";
    std::string crop = std::to_string(region.width) + "x" + std::to_string(region.height) + "+" + std::to_string(region.x) + "+"
        + std::to_string(region.y);
    run({ "import", "-window", "root", "-crop", crop, "+repage", "-depth", "8", path });
    run({ "convert", path, m_folder + "/" + name + ".png" });
    Image image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> image.width >> image.height >> maximum;
    in.get();
    if (magic != "P6" || maximum != 255 || image.width <= 0 || image.height <= 0)
        return {};
    image.rgb.resize(std::size_t(image.width) * std::size_t(image.height) * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), std::streamsize(image.rgb.size()));
    return image;
}

void DisplaySession::writePreferences(const std::string& contents) const
{
    g_mkdir_with_parents((configHome() + "/quillane").c_str(), 0700);
    writeFile(preferencesPath(), contents);
}

std::string DisplaySession::readPreferences() const
{
    return readFile(preferencesPath());
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

} // namespace quillane::testing
