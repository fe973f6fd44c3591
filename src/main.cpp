// Quillane: one web page in one frameless window.
#include "apps/app_management.h"
#include "apps/app_desktop_entry.h"
#include "apps/app_names.h"
#include "fixed_texts.h"
#include "launch/command_line.h"
#include "launch/running_apps.h"
#include "names.h"
#include "page/spelling_languages.h"
#include "platform/desktop.h"
#include "platform/website_data.h"
#include "platform/graphics.h"
#include "platform/program.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {
// How this run differs from an everyday one: from the command line, and switches for tests.
quillane::LaunchOptions launchOptionsFrom(const std::vector<std::string>& arguments)
{
    using namespace quillane;
    LaunchOptions options;
    // The report and its download are written beside each other wherever the run was started from.
    if (auto probeFile = probeFileFrom(arguments)) {
        std::error_code error;
        auto absolute = std::filesystem::absolute(*probeFile, error);
        options.probeFile = error || probeFile->empty() ? *probeFile : absolute.string();
    }
    // Switches for tests only.
    if (const char* page = std::getenv("QUILLANE_TEST_PROBE_PAGE"))
        options.probeTestPage = page;
    options.mockCaptureDevices = std::getenv("QUILLANE_MOCK_CAPTURE_DEVICES") != nullptr;
    // Composited with OpenGL only where a GPU does it; QUILLANE_COMPOSITING=on|off decides for a benchmark.
    const char* compositing = std::getenv("QUILLANE_COMPOSITING");
    options.acceleratedCompositing = compositing ? std::string(compositing) == "on" : !platform::rendersOpenGLInSoftware();
    return options;
}
} // namespace

int main(int argc, char** argv)
{
    using namespace quillane;
    const FixedTexts texts = buildFixedTexts();
    const std::vector<std::string> arguments(argv, argv + argc);
    switch (informationRequestFrom(arguments)) {
    case InformationRequest::version:
        std::fputs(versionText().c_str(), stdout);
        return 0;
    case InformationRequest::help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case InformationRequest::none:
        break;
    }
    if (auto request = appManagementFrom(arguments))
        return manageApps(*request);
    // Said here, before anything is handed to a running Quillane.
    if (auto appName = appNameFrom(arguments); appName && !isValidAppName(*appName)) {
        std::fprintf(stderr, "quillane: %s\n", notAnAppName(*appName).c_str());
        return 2;
    }

    // A probe run stands alone: it never hands anything to a running Quillane, nor takes anything from one.
    LaunchOptions options = launchOptionsFrom(arguments);
    platform::Program program(names::applicationId, !options.probeFile);
    platform::setSpellCheckingLanguages(spellingLanguages(platform::userLanguageNames()));
    // Said here too: the running Quillane that is handed the rest leaves these alone.
    if (!options.probeFile) {
        for (const auto& option : unknownOptionsIn(arguments))
            std::fprintf(stderr, "quillane: \u201c%s\u201d is not understood here, and is left alone (quillane --help says what is)\n", option.c_str());
        auto appName = appNameFrom(arguments);
        auto handlerFor = [&appName](const std::string& scheme) { return appName ? installedHandler(*appName, scheme) : std::nullopt; };
        for (const auto& line : linksLeftAlone(arguments, handlerFor))
            std::fprintf(stderr, "quillane: %s\n", line.c_str());
    }
    RunningApps apps(program, texts, std::move(options));
    program.onCommandLine = [&apps](const std::vector<std::string>& given) { return apps.commandLine(given); };
    int status = program.run(arguments.empty() ? std::vector<std::string> { names::programName } : arguments);
    return status ? status : apps.exitStatus();
}
