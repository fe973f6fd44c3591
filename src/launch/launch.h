#pragma once
// The start of a run: builds the owner of each concern (the main window and its page, the window
// modes, dragging, navigation, the page services, page windows, the commands, and in a self-test run
// the probe) and connects each to the windows, pages and commands it serves. It holds no behaviour
// of its own.
#include "fixed_texts.h"
#include "names.h"
#include "platform/colour.h"
#include "platform/url.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

class AboutPanel;
class FileChooser;
class FindInPage;
class MainWindow;
class WindowModes;
namespace platform {
class Application;
class Commands;
class DesktopColourScheme;
class Preferences;
}

// How this run differs from an everyday one.
struct LaunchOptions {
    // A self-test run writes its report here.
    std::optional<std::string> probeFile;
    // For the self-test's own tests: a page to load in place of the built-in probe page.
    std::optional<std::string> probeTestPage;
    // Pages get a pretend microphone (for tests).
    bool mockCaptureDevices = false;
    // Whether pages are composited with OpenGL: not when OpenGL runs in software.
    bool acceleratedCompositing = true;
    // How long a page request may go unanswered before it is given up: the engine has no limit of
    // its own for one (tests shorten it).
    double pageRequestTimeout = 60;
    // An application of its own (`--app NAME`): links handed to it may be web addresses (its
    // shortcuts') and links of the schemes it handles; and its colours, from its manifest.
    std::optional<std::string> appName;
    std::optional<platform::Colour> themeColour;
    std::optional<platform::Colour> backgroundColour;
};

class Launch {
public:
    Launch(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts, LaunchOptions options);
    ~Launch();

    // Builds and connects everything, then shows the remembered page (or asks for one), or runs the
    // self-test. The desktop's colour scheme is the whole process's.
    void start(platform::DesktopColourScheme& colourScheme);
    // Links handed to the program: the last page they carry is opened (kept for the start when it
    // has not come yet).
    void open(const std::vector<std::string>& links);
    // Another start with nothing to open: the window comes forward.
    void bringForward();
    // What the process ends with: not 0 when a self-test could not write its report.
    int exitStatus() const;

    // The owners, once started (for tests that drive the program in-process).
    MainWindow& mainWindow();
    WindowModes& modes();
    AboutPanel& aboutPanel();
    FindInPage& findInPage();
    FileChooser& fileChooser();
    platform::Commands& commands();

private:
    struct Parts;
    void connectCommands();
    platform::Application& m_application;
    platform::Preferences& m_preferences;
    const FixedTexts& m_texts;
    const LaunchOptions m_options;
    std::unique_ptr<Parts> m_parts;
    // A page handed over before the start that is not to be remembered: the start opens it instead.
    std::optional<platform::URL> m_startPage;
};

} // namespace quillane
