#pragma once
// A download the program makes for itself through a page's session (WebView::downloadToFile): the
// file is the program's, and no downloads delegate hears of it, so nobody is asked where to save.
#include <memory>

namespace quillane::platform {

// Dropping it stops the download, and its completion never runs.
class ProgramDownload {
public:
    ProgramDownload();
    ~ProgramDownload();
    ProgramDownload(ProgramDownload&&) noexcept;
    ProgramDownload& operator=(ProgramDownload&&) noexcept;

    struct Impl;
    explicit ProgramDownload(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
