#pragma once
// The page's downloads: each saved where its destination chooser says; a failure other than a
// cancel is told to the user.
#include "platform/download.h"

#include <functional>
#include <optional>
#include <string>

namespace quillane {

namespace platform {
class Application;
class Preferences;
class Window;
}

// Answers once with the path to save a download under, or with none to cancel it.
using DestinationChooser = std::function<void(const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion)>;

class Downloads : public platform::DownloadDelegate {
public:
    Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure);

    // Everyday destinations: the save dialog, over the window, starting from the page's name made
    // safe, in the folder a download was last saved to (else the user's Downloads folder).
    static DestinationChooser askWhereToSave(platform::Application& application, platform::Window& window, platform::Preferences& preferences);

    // The folder a download was last saved to, else the user's Downloads folder.
    static std::string saveFolder(platform::Preferences& preferences);

    // A navigation of the page became a download.
    void take(platform::Download& download);

    void decideDestination(platform::Download& download, const std::string& suggestedFilename,
        std::function<void(std::optional<std::string>)> completion) override;
    void downloadDidFail(platform::Download& download, int code, const std::string& message) override;

private:
    DestinationChooser m_chooseDestination;
    std::function<void(const std::string&)> m_tellFailure;
};

} // namespace quillane
