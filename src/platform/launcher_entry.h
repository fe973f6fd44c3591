#pragma once
// An application's entry in the desktop's launcher (a dock, a panel): the count it shows on the
// application's icon, published as the launcher-entry interface's Update signal on the session bus.
#include <cstdint>
#include <memory>
#include <string>

namespace quillane::platform {

class LauncherEntry {
public:
    // `desktopEntryName` is the file name of the application's desktop entry ("NAME.desktop"), which
    // is how a launcher knows whose icon to mark.
    explicit LauncherEntry(const std::string& desktopEntryName);
    // An entry that showed a count clears it as the application ends.
    ~LauncherEntry();
    LauncherEntry(const LauncherEntry&) = delete;
    LauncherEntry& operator=(const LauncherEntry&) = delete;

    // Shows the count on the icon, or hides it. Without a session bus nothing happens.
    void publish(std::int64_t count, bool visible);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
