// The page's downloads: saved where the user says, or beside the report in a probe run.
#include "app/app_delegate.h"
#include "platform/alert.h"
#include "platform/file_panels.h"
#include "services/download_destination.h"

namespace quillane {

void AppDelegate::navigationDidBecomeDownload(platform::WebView&, platform::Download& download)
{
    download.setDelegate(this);
}

void AppDelegate::decideDestination(platform::Download&, const std::string& suggestedFilename,
    std::function<void(std::optional<std::string>)> completion)
{
    if (isProbeRun()) {
        // An earlier file of that name is replaced when the download is written; nothing is removed first.
        probeDownload = probeDestination(*m_probeFile, suggestedFilename);
        completion(probeDownload);
        return;
    }
    if (!window) {
        completion(std::nullopt);
        return;
    }
    m_application.activate();
    platform::runSavePanel(*window, safeFileName(suggestedFilename), completion);
}

void AppDelegate::downloadDidFail(platform::Download&, int code, const std::string& message)
{
    if (code == platform::downloadCancelledCode || !window)
        return;
    auto alert = platform::Alert::make();
    alert->setMessageText(message.empty() ? "The download failed." : message);
    alert->addButton("OK");
    alert->beginSheetModal(*window, [alert](int) { });
}

} // namespace quillane
