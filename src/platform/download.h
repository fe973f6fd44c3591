#pragma once
// A download the web engine runs for a page; it lives until it has finished or failed.
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillane::platform {

class Download;
struct PlatformAccess;

// The code of a download that was cancelled, by the user or by an answer of no destination.
inline constexpr int downloadCancelledCode = -999;

class DownloadDelegate {
public:
    virtual ~DownloadDelegate() = default;
    // Answer once with a file path, or with none to cancel. An answer never given cancels.
    virtual void decideDestination(Download& download, const std::string& suggestedFilename,
        std::function<void(std::optional<std::string> path)> completion) = 0;
    virtual void downloadDidFail(Download& download, int code, const std::string& message) = 0;
};

class Download {
public:
    void setDelegate(DownloadDelegate* delegate);
    // Runs once when the download has finished or failed (after its delegate heard of a failure).
    void setEndedHandler(std::function<void()> handler);

    struct Impl;
    explicit Download(std::unique_ptr<Impl> impl);
    ~Download();

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
