#pragma once
// The page's downloads: each saved where its destination chooser says; while they run, the window
// shows how far they have come together; one that finishes is told in a note that opens the file or
// shows it in its folder, and a failure other than a cancel is told to the user.
#include "platform/download.h"
#include "platform/window.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace quillane {

namespace platform {
class Preferences;
class WebView;
}

// What the window says when a downloaded file could not be opened: it is no longer where it was
// saved, or the program the desktop has for its type did not start, or it has none.
std::string notOpenedNote(const std::string& name, bool stillThere, const std::optional<std::string>& program);

// Answers once with the path to save a download under, or with none to cancel it.
using DestinationChooser = std::function<void(const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion)>;

class Downloads {
public:
    // What the window shows of the downloads.
    struct Shown {
        // How far the running downloads have come together: a fraction, below 0 when not known;
        // none when none runs.
        std::function<void(std::optional<double> fraction)> progress;
        std::function<void(const platform::Note&)> note;
    };

    Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure, Shown shown);
    ~Downloads() { m_alive.reset(); }
    Downloads(const Downloads&) = delete;
    Downloads& operator=(const Downloads&) = delete;

    // Everyday destinations: the save dialog, over the window, starting from the page's name made
    // safe, in the folder a download was last saved to (else the user's Downloads folder).
    static DestinationChooser askWhereToSave(platform::Window& window, platform::Preferences& preferences);

    // The folder a download was last saved to, else the user's Downloads folder.
    static std::string saveFolder(platform::Preferences& preferences);

    // How far downloads have come together, from the bytes each has received of those it expects
    // (0 for a size not known): none without a download, below 0 when any size is not known.
    static std::optional<double> overallProgress(const std::vector<std::pair<std::uint64_t, std::uint64_t>>& receivedOfExpected);

    // Hears the page's downloads.
    void attach(platform::WebView& page);
    // A navigation of a page became a download.
    void take(platform::Download& download);

private:
    struct Running {
        std::string name;
        std::uint64_t received = 0;
        std::uint64_t expected = 0;
    };
    void progressed();
    void finished(const std::string& name, const std::string& path);
    void failed(int code, const std::string& message, const std::string& name);

    DestinationChooser m_chooseDestination;
    std::function<void(const std::string&)> m_tellFailure;
    Shown m_shown;
    std::map<std::uint64_t, Running> m_running;
    std::uint64_t m_lastId = 0;
    // What the downloads' handlers hold on to: they outlive this when the application ends first.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace quillane
