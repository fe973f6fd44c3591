#pragma once
// The page's downloads: each saved where its destination chooser says; a failure other than a
// cancel is told to the user.
#include "platform/download.h"

#include <functional>
#include <optional>
#include <string>

namespace quillane {

namespace platform {
class Preferences;
class WebView;
class Window;
}

// Answers once with the path to save a download under, or with none to cancel it.
using DestinationChooser = std::function<void(const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion)>;

class Downloads {
public:
    Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure);

    // Everyday destinations: the save dialog, over the window, starting from the page's name made
    // safe, in the folder a download was last saved to (else the user's Downloads folder).
    static DestinationChooser askWhereToSave(platform::Window& window, platform::Preferences& preferences);

    // The folder a download was last saved to, else the user's Downloads folder.
    static std::string saveFolder(platform::Preferences& preferences);

    // Hears the page's downloads.
    void attach(platform::WebView& page);
    // A navigation of a page became a download.
    void take(platform::Download& download);
    void failed(int code, const std::string& message);

private:
    DestinationChooser m_chooseDestination;
    std::function<void(const std::string&)> m_tellFailure;
};

} // namespace quillane
