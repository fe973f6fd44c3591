#include "services/downloads.h"

#include "platform/application.h"
#include "platform/file_panels.h"
#include "services/download_destination.h"

namespace quillane {

Downloads::Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure)
    : m_chooseDestination(std::move(chooseDestination))
    , m_tellFailure(std::move(tellFailure))
{
}

DestinationChooser Downloads::askWhereToSave(platform::Application& application, platform::Window& window)
{
    return [&application, &window](const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion) {
        application.activate();
        platform::runSavePanel(window, safeFileName(suggestedFilename), std::move(completion));
    };
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
