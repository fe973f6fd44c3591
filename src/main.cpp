// Quillane: one web page in one frameless window.
#include "launch/launch.h"
#include "apps/app_management.h"
#include "apps/app_names.h"
#include "launch/command_line.h"
#include "fixed_texts.h"
#include "names.h"
#include "apps/installed_apps.h"
#include "platform/application.h"
#include "platform/graphics.h"
#include "platform/desktop.h"
#include "platform/website_data.h"
#include "platform/preferences.h"

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
    // An application of its own: its own id, window class, preferences and website data.
    const std::optional<std::string> appName = appNameFrom(arguments);
    const std::optional<AppIdentity> app = appName ? appIdentity(*appName) : std::nullopt;
    if (appName && !app) {
        std::fprintf(stderr, "quillane: \u201c%s\u201d is not a name for an application: use letters, digits, - and _\n", appName->c_str());
        return 2;
    }

    LaunchOptions options = launchOptionsFrom(arguments);
    // An installed application's windows carry the icon its desktop entry names.
    if (auto icon = appName ? installedIconName(*appName) : std::nullopt)
        options.iconName = *icon;

    // A probe run stands alone: it never hands anything to a running Quillane, nor takes anything from one.
    const bool probeRun = options.probeFile.has_value();
    std::string preferencesFolder = platform::Preferences::defaultFolder();
    if (app) {
        auto folders = platform::userFolders();
        preferencesFolder = app->folderUnder(folders.config);
        platform::setWebsiteDataFolders(app->folderUnder(folders.data), app->folderUnder(folders.cache));
    }
    platform::Application application({ app ? app->applicationId : names::applicationId, names::programName, app ? app->windowClass : names::windowClass,
                                          names::displayName },
        !probeRun);
    platform::Preferences preferences(preferencesFolder);
    Launch launch(application, preferences, texts, options);
    application.onStartup = [&launch] { launch.start(); };
    application.onOpen = [&launch](const std::vector<std::string>& links) { launch.open(links); };
    application.onActivate = [&launch] { launch.bringForward(); };
    // Addresses go as the quillane: links that open them, which a running Quillane takes as they are.
    std::vector<std::string> links;
    for (const auto& argument : probeRun ? std::vector<std::string> {} : linksFrom(arguments)) {
        if (auto link = linkFor(argument))
            links.push_back(*link);
        else
            std::fprintf(stderr, "quillane: \u201c%s\u201d is neither a web address nor a quillane: link, and is left alone\n", argument.c_str());
    }
    application.run(arguments.empty() ? names::programName : arguments.front(), links);
    return launch.exitStatus();
}
