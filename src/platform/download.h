#pragma once
// A download the engine runs for a page; it lives until it has finished or failed, also after the
// page that started it has gone.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillane::platform {

// The code of a download that was cancelled, by the user or by an answer of no destination.
inline constexpr int downloadCancelledCode = -999;

class Download {
public:
    // Where to save it: a path, or none to cancel. An answer never given cancels.
    std::function<void(const std::string& suggestedName, std::function<void(std::optional<std::string> path)>)> onDestination;
    std::function<void(int code, const std::string& message)> onFailed;
    // How far it has come: the bytes received, of those expected (0 when the size is not known).
    std::function<void(std::uint64_t received, std::uint64_t expected)> onProgress;
    // Once it is all written, where it was written.
    std::function<void(const std::string& path)> onFinished;
    // Once, when it has finished or failed.
    std::function<void()> onEnded;

    struct Impl;
    explicit Download(std::unique_ptr<Impl> impl);
    ~Download();

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
