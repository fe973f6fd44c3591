// Downloads the program makes for itself through a page's session.
#include "platform/program_download.h"

#include "platform/gtk/download_impl.h"
#include "platform/gtk/web_view_impl.h"

#include <utility>

namespace quillane::platform {

namespace {
GQuark programDownloadMark()
{
    static GQuark mark = g_quark_from_static_string("quillane-program-download");
    return mark;
}

// Set while the engine starts one, in case it announces the download before handing it back.
bool startingProgramDownload = false;
} // namespace

bool isProgramDownload(WebKitDownload* download)
{
    return startingProgramDownload || g_object_get_qdata(G_OBJECT(download), programDownloadMark());
}

struct ProgramDownload::Impl {
    GObjectRef<WebKitDownload> download;
    std::string path;
    std::size_t largest = 0;
    std::function<void(std::optional<std::string>)> completion;
    // Why the program stopped it, when it did.
    std::optional<std::string> stoppedBecause;
    bool ended = false;
    ScheduledBlock deadline;
    ScheduledBlock report;
    SignalConnection decideSignal;
    SignalConnection receivedSignal;
    SignalConnection failedSignal;
    SignalConnection finishedSignal;

    ~Impl()
    {
        decideSignal.disconnect();
        receivedSignal.disconnect();
        failedSignal.disconnect();
        finishedSignal.disconnect();
        if (!ended && download)
            webkit_download_cancel(download.get());
    }

    void stop(const std::string& why)
    {
        if (!stoppedBecause)
            stoppedBecause = why;
        webkit_download_cancel(download.get());
    }

    // Reported on a later turn: the owner may drop the download from its completion, which must not
    // happen inside the engine's own signal.
    void end(std::optional<std::string> failure)
    {
        if (std::exchange(ended, true))
            return;
        deadline.cancel();
        report = runOnMainQueue([this, failure] {
            if (auto done = std::exchange(completion, nullptr))
                done(failure);
        });
    }

    gboolean onDecideDestination(WebKitDownload*, gchar*)
    {
        WebKitURIResponse* response = webkit_download_get_response(download.get());
        guint status = response ? webkit_uri_response_get_status_code(response) : 0;
        if (status < 200 || status > 299) {
            stop("the server answered " + std::to_string(status));
            return TRUE;
        }
        if (webkit_uri_response_get_content_length(response) > largest) {
            stop("it is larger than " + std::to_string(largest) + " bytes");
            return TRUE;
        }
        GCharPtr uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
        if (!uri) {
            stop("no file for it");
            return TRUE;
        }
        webkit_download_set_allow_overwrite(download.get(), TRUE);
        webkit_download_set_destination(download.get(), static_cast<char*>(uri.get()));
        return TRUE;
    }
    void onReceivedData(WebKitDownload*, guint64)
    {
        if (webkit_download_get_received_data_length(download.get()) > largest)
            stop("it is larger than " + std::to_string(largest) + " bytes");
    }
    void onFailed(WebKitDownload*, GError* error) { end(stoppedBecause.value_or(error && error->message ? error->message : "it failed")); }
    // Follows "failed" too. Alone, it can still mean a connection closed before the length the
    // response gave.
    void onFinished(WebKitDownload*)
    {
        WebKitURIResponse* response = webkit_download_get_response(download.get());
        guint64 announced = response ? webkit_uri_response_get_content_length(response) : 0;
        if (!stoppedBecause && announced && webkit_download_get_received_data_length(download.get()) != announced)
            stoppedBecause = "it arrived incomplete";
        end(stoppedBecause);
    }
};

ProgramDownload::ProgramDownload() = default;
ProgramDownload::ProgramDownload(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}
ProgramDownload::~ProgramDownload() = default;
ProgramDownload::ProgramDownload(ProgramDownload&&) noexcept = default;
ProgramDownload& ProgramDownload::operator=(ProgramDownload&&) noexcept = default;

ProgramDownload WebView::downloadToFile(const std::string& address, const std::string& path, std::size_t largest, double timeout,
    std::function<void(std::optional<std::string>)> completion)
{
    auto impl = std::make_unique<ProgramDownload::Impl>();
    impl->path = path;
    impl->largest = largest;
    impl->completion = std::move(completion);
    startingProgramDownload = true;
    WebKitDownload* started = webkit_web_view_download_uri(m_impl->view.get(), address.c_str());
    startingProgramDownload = false;
    impl->download = GObjectRef<WebKitDownload>::adopt(started);
    g_object_set_qdata(G_OBJECT(started), programDownloadMark(), GINT_TO_POINTER(1));
    ProgramDownload::Impl& handlers = *impl;
    handlers.decideSignal = connect<&ProgramDownload::Impl::onDecideDestination>(started, "decide-destination", &handlers);
    handlers.receivedSignal = connect<&ProgramDownload::Impl::onReceivedData>(started, "received-data", &handlers);
    handlers.failedSignal = connect<&ProgramDownload::Impl::onFailed>(started, "failed", &handlers);
    handlers.finishedSignal = connect<&ProgramDownload::Impl::onFinished>(started, "finished", &handlers);
    handlers.deadline = runOnMainQueueAfter(timeout, [&handlers, timeout] { handlers.stop("it took longer than " + std::to_string(int(timeout)) + " s"); });
    return ProgramDownload(std::move(impl));
}

} // namespace quillane::platform
