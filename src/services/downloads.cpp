#include "services/downloads.h"

#include "app/names.h"
#include "platform/application.h"
#include "platform/preferences.h"
#include "platform/file_panels.h"
#include "services/download_destination.h"

#include <filesystem>

namespace quillane {

Downloads::Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure)
    : m_chooseDestination(std::move(chooseDestination))
    , m_tellFailure(std::move(tellFailure))
{
}

DestinationChooser Downloads::askWhereToSave(platform::Application& application, platform::Window& window, platform::Preferences& preferences)
{
    return [&application, &window, &preferences](const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion) {
        application.activate();
        std::string folder = saveFolder(preferences);
        platform::runSavePanel(window, safeFileName(suggestedFilename), folder, [&preferences, completion](std::optional<std::string> path) {
            if (path)
                preferences.setText(keys::downloadFolder, std::filesystem::path(*path).parent_path().string());
            completion(path);
        });
    };
}

std::string Downloads::saveFolder(platform::Preferences& preferences)
{
    return preferences.text(keys::downloadFolder).value_or(platform::downloadsFolder());
}

void Downloads::take(platform::Download& download)
{
    download.setDelegate(this);
}

void Downloads::decideDestination(platform::Download&, const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion)
{
    m_chooseDestination(suggestedFilename, std::move(completion));
}

void Downloads::downloadDidFail(platform::Download&, int code, const std::string& message)
{
    // The user's own cancel needs no word.
    if (code == platform::downloadCancelledCode)
        return;
    m_tellFailure(message.empty() ? "The download failed." : message);
}

} // namespace quillane
