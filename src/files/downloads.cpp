#include "files/downloads.h"

#include "names.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/preferences.h"
#include "platform/web_view.h"
#include "platform/window.h"
#include "files/download_destination.h"

#include <filesystem>

namespace quillane {

Downloads::Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure)
    : m_chooseDestination(std::move(chooseDestination))
    , m_tellFailure(std::move(tellFailure))
{
}

DestinationChooser Downloads::askWhereToSave(platform::Window& window, platform::Preferences& preferences)
{
    return [&window, &preferences](const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion) {
        window.present();
        std::string folder = saveFolder(preferences);
        platform::chooseWhereToSave(window, safeFileName(suggestedFilename), folder, [&preferences, completion](std::optional<std::string> path) {
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

void Downloads::attach(platform::WebView& page)
{
    page.onDownload = [this](platform::Download& download) { take(download); };
}

void Downloads::take(platform::Download& download)
{
    download.onDestination = m_chooseDestination;
    download.onFailed = [this](int code, const std::string& message) { failed(code, message); };
}

void Downloads::failed(int code, const std::string& message)
{
    // The user's own cancel needs no word.
    if (code == platform::downloadCancelledCode)
        return;
    m_tellFailure(message.empty() ? "The download failed." : message);
}

} // namespace quillane
