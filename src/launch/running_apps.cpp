#include "launch/running_apps.h"

#include "apps/app_names.h"
#include "apps/installed_apps.h"
#include "launch/command_line.h"
#include "names.h"
#include "platform/application.h"
#include "platform/colour.h"
#include "platform/desktop.h"
#include "platform/main_queue.h"
#include "platform/preferences.h"
#include "platform/program.h"

#include <cstdio>

namespace quillane {

namespace {
platform::ApplicationIdentity defaultIdentity()
{
    return { names::applicationId, names::programName, names::windowClass, names::displayName, names::applicationId };
}

// An application of its own is named, and shows its icon, as its desktop entry says once installed.
platform::ApplicationIdentity identityOf(const std::string& name, const AppIdentity& app)
{
    return { app.iconName, names::programName, app.windowClass, installedEntryValue(name, "Name").value_or(name),
        installedEntryValue(name, "Icon").value_or(names::applicationId) };
}
} // namespace

// Built in this order and let go in the reverse one: the application outlives its windows.
struct RunningApps::Running {
    Running(platform::Program& program, platform::ApplicationIdentity identity, std::optional<platform::WebsiteDataFolders> folders,
        const std::string& preferencesFolder, const FixedTexts& texts, const LaunchOptions& options, const std::optional<std::string>& name)
        : application(program, std::move(identity), std::move(folders))
        , preferences(preferencesFolder)
        , launch(application, preferences, texts, optionsFor(options, name))
    {
    }
    // An application of its own takes links of the schemes it handles, and shows its manifest's colours.
    LaunchOptions optionsFor(LaunchOptions options, const std::optional<std::string>& name) const
    {
        if (!name)
            return options;
        options.appName = name;
        options.themeColour = platform::cssColour(preferences.text(keys::themeColour).value_or(""));
        options.backgroundColour = platform::cssColour(preferences.text(keys::backgroundColour).value_or(""));
        return options;
    }
    platform::Application application;
    platform::Preferences preferences;
    Launch launch;
    platform::ScheduledBlock ending;
};

RunningApps::RunningApps(platform::Program& program, const FixedTexts& texts, LaunchOptions options)
    : m_program(program)
    , m_texts(texts)
    , m_options(std::move(options))
{
}

RunningApps::~RunningApps() = default;

int RunningApps::commandLine(const std::vector<std::string>& arguments)
{
    const std::optional<std::string> name = appNameFrom(arguments);
    const std::optional<AppIdentity> app = name ? appIdentity(*name) : std::nullopt;
    if (name && !app) {
        std::fprintf(stderr, "quillane: %s\n", notAnAppName(*name).c_str());
        return 2;
    }
    // A self-test opens nothing it is given. Addresses go to the default application as the quillane:
    // links that open them; an application takes its own schemes' links too (mailto:…).
    std::vector<std::string> links;
    for (const auto& argument : m_options.probeFile ? std::vector<std::string> {} : linksFrom(arguments)) {
        if (app)
            links.push_back(argument);
        else if (auto link = linkFor(argument))
            links.push_back(*link);
    }
    const std::string key = name.value_or("");
    if (Launch* running = find(key)) {
        if (links.empty())
            running->bringForward();
        else
            running->open(links);
        return 0;
    }
    std::unique_ptr<Running> started;
    if (app) {
        auto folders = platform::userFolders();
        started = std::make_unique<Running>(m_program, identityOf(*name, *app),
            platform::WebsiteDataFolders { app->folderUnder(folders.data), app->folderUnder(folders.cache) }, app->folderUnder(folders.config),
            m_texts, m_options, name);
    } else {
        started = std::make_unique<Running>(m_program, defaultIdentity(), std::nullopt, platform::Preferences::defaultFolder(), m_texts, m_options,
            std::nullopt);
    }
    Running& running = *m_running.emplace(key, std::move(started)).first->second;
    running.application.onQuit = [this, key] { end(key); };
    // Links that come with the start are remembered first, so that the start finds what they chose.
    running.launch.open(links);
    if (!m_colourScheme)
        m_colourScheme.emplace();
    running.launch.start(*m_colourScheme);
    return 0;
}

Launch* RunningApps::find(const std::string& name)
{
    auto found = m_running.find(name);
    return found == m_running.end() ? nullptr : &found->second->launch;
}

void RunningApps::end(const std::string& name)
{
    auto found = m_running.find(name);
    if (found == m_running.end() || found->second->ending.isPending())
        return;
    // Let go once the call that ended it is over: it may come from the application's own windows.
    found->second->ending = platform::runOnMainQueue([this, name] {
        auto ended = m_running.find(name);
        if (ended == m_running.end())
            return;
        if (int status = ended->second->launch.exitStatus())
            m_exitStatus = status;
        m_running.erase(ended);
        if (m_running.empty())
            m_program.quit();
    });
}

} // namespace quillane
