#pragma once
// A download the engine runs for a page; it lives until it has finished or failed, also after the
// page that started it has gone.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillane::platform {

// The code of a download that was cancelled, by the user or by an answer of no destination.
inline constexpr int downloadCancelledCode = -999;
// The code of a download whose connection ended before all the bytes its server announced had
// arrived; what did arrive is removed, as the engine removes what a failed download wrote.
inline constexpr int downloadIncompleteCode = -998;

// Whether a download the engine calls finished is short of what its server announced. The engine
// takes the end of a connection for the end of the body in some answers (HTTP/1.0). A size not
// announced (0) says nothing, nor does one counted before a content encoding was undone
// (`contentEncoding` is the answer's Content-Encoding, "" when it has none; "identity" is none).
bool arrivedShort(std::uint64_t received, std::uint64_t announced, std::string_view contentEncoding);

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
