#include "files/downloads.h"

#include "platform/files.h"

#include "files/download_destination.h"
#include "names.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/preferences.h"
#include "platform/web_view.h"

#include <filesystem>

namespace quillane {

namespace {
// A finished download's note stays long enough to be acted on.
constexpr double finishedNoteSeconds = 10;

std::string inQuotes(const std::string& name)
{
    return "\u201c" + name + "\u201d";
}
} // namespace

Downloads::Downloads(DestinationChooser chooseDestination, std::function<void(const std::string& message)> tellFailure, Shown shown)
    : m_chooseDestination(std::move(chooseDestination))
    , m_tellFailure(std::move(tellFailure))
    , m_shown(std::move(shown))
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

std::string notOpenedNote(const std::string& name, bool stillThere, const std::optional<std::string>& program)
{
    if (!stillThere)
        return inQuotes(name) + " is no longer where it was saved.";
    if (program)
        return inQuotes(*program) + " could not be started for " + inQuotes(name) + ".";
    return "No program is set to open " + inQuotes(name) + ".";
}

std::string Downloads::saveFolder(platform::Preferences& preferences)
{
    return preferences.text(keys::downloadFolder).value_or(platform::downloadsFolder());
}

std::optional<double> Downloads::overallProgress(const std::vector<std::pair<std::uint64_t, std::uint64_t>>& receivedOfExpected)
{
    if (receivedOfExpected.empty())
        return std::nullopt;
    double received = 0, expected = 0;
    for (const auto& [got, wanted] : receivedOfExpected) {
        if (wanted == 0)
            return -1.0;
        received += double(std::min(got, wanted));
        expected += double(wanted);
    }
    return received / expected;
}

void Downloads::attach(platform::WebView& page)
{
    page.onDownload = [this](platform::Download& download) { take(download); };
}

void Downloads::take(platform::Download& download)
{
    std::uint64_t id = ++m_lastId;
    m_running[id] = {};
    // A download runs on after its application has ended: then nothing here hears of it, and a
    // destination not yet chosen is never chosen, which cancels it.
    std::weak_ptr<bool> alive = m_alive;
    download.onDestination = [this, id, alive](const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion) {
        if (alive.expired())
            return;
        if (auto running = m_running.find(id); running != m_running.end())
            running->second.name = safeFileName(suggestedFilename);
        m_chooseDestination(suggestedFilename, [this, id, alive, completion](std::optional<std::string> path) {
            // The download may have ended while the question was up.
            if (auto running = alive.expired() ? m_running.end() : m_running.find(id); running != m_running.end() && path)
                running->second.name = std::filesystem::path(*path).filename().string();
            completion(path);
        });
    };
    download.onProgress = [this, id, alive](std::uint64_t received, std::uint64_t expected) {
        if (alive.expired())
            return;
        if (auto running = m_running.find(id); running != m_running.end()) {
            running->second.received = received;
            running->second.expected = expected;
            progressed();
        }
    };
    download.onFinished = [this, id, alive](const std::string& path) {
        if (alive.expired())
            return;
        if (auto running = m_running.find(id); running != m_running.end())
            finished(running->second.name, path);
    };
    download.onFailed = [this, id, alive](int code, const std::string& message) {
        if (alive.expired())
            return;
        auto running = m_running.find(id);
        failed(code, message, running != m_running.end() ? running->second.name : "");
    };
    download.onEnded = [this, id, alive] {
        if (alive.expired())
            return;
        m_running.erase(id);
        progressed();
    };
}

void Downloads::progressed()
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> sizes;
    for (const auto& [id, running] : m_running)
        sizes.emplace_back(running.received, running.expected);
    m_shown.progress(overallProgress(sizes));
}

void Downloads::finished(const std::string& name, const std::string& path)
{
    auto note = m_shown.note;
    std::string shownName = name.empty() ? std::filesystem::path(path).filename().string() : name;
    m_shown.note({ inQuotes(shownName) + " is downloaded.",
        { { "Open",
              [note, path, shownName] {
                  if (!platform::openFile(path))
                      note({ notOpenedNote(shownName, platform::isRegularFile(path), platform::programForFile(path)), {} });
              } },
            { "Show in Folder",
                [note, path, alive = std::weak_ptr<bool>(m_alive)] {
                    // The file manager answers later, perhaps after this application has ended.
                    platform::showInFolder(path, [note, alive] {
                        if (!alive.expired())
                            note({ "No program is set to show folders.", {} });
                    });
                } } },
        finishedNoteSeconds });
}

void Downloads::failed(int code, const std::string& message, const std::string& name)
{
    // The user's own cancel needs no word.
    if (code == platform::downloadCancelledCode)
        return;
    std::string what = name.empty() ? "The download" : "The download of " + inQuotes(name);
    std::string why = code == platform::downloadIncompleteCode ? "the connection ended before all of it had arrived" : message;
    while (!why.empty() && (why.back() == '.' || why.back() == ' '))
        why.pop_back();
    m_tellFailure(what + " failed" + (why.empty() ? "." : ": " + why + "."));
}

} // namespace quillane
