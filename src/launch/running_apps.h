#pragma once
// The applications the program runs, all in one process: the default one and each `--app NAME`.
// Every start's command line (the first one, and each later start's, handed over) opens its
// application or brings it forward; an application ends with its last window or its Quit, and the
// program with its last application.
#include "launch/launch.h"
#include "platform/colour_scheme.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quillane {

namespace platform {
class Program;
}

class RunningApps {
public:
    RunningApps(platform::Program& program, const FixedTexts& texts, LaunchOptions options);
    ~RunningApps();

    // Carries out a start's command line; what that start ends with.
    int commandLine(const std::vector<std::string>& arguments);
    // What the program ends with: not 0 when a self-test could not write its report.
    int exitStatus() const { return m_exitStatus; }
    // The application running under a name ("" for the default one), if it runs (for tests).
    Launch* find(const std::string& name);

private:
    struct Running;
    void end(const std::string& name);

    platform::Program& m_program;
    // The whole process's; made once the toolkit has started, before any page shows.
    std::optional<platform::DesktopColourScheme> m_colourScheme;
    const FixedTexts& m_texts;
    const LaunchOptions m_options;
    std::map<std::string, std::unique_ptr<Running>> m_running;
    int m_exitStatus = 0;
};

} // namespace quillane
