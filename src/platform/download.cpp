#include "platform/gtk/download_impl.h"

#include "platform/main_queue.h"

#include <list>

namespace quillane::platform {

namespace {
// Cancels the download when its destination is never answered.
struct PendingDestination {
    GObjectRef<WebKitDownload> download;
    bool answered = false;
    ~PendingDestination()
    {
        if (!answered)
            webkit_download_cancel(download.get());
    }
};
} // namespace

Download::Download(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
    m_impl->owner = this;
}

Download::~Download() = default;

namespace {
// Downloads run on after the view that started them has gone (a window that only downloaded).
std::list<std::unique_ptr<Download>>& running()
{
    static std::list<std::unique_ptr<Download>> downloads;
    return downloads;
}
} // namespace

Download& startDownload(WebKitDownload* webDownload)
{
    auto impl = std::make_unique<Download::Impl>();
    impl->download = GObjectRef<WebKitDownload>::retain(webDownload);
    Download::Impl& handlers = *impl;
    handlers.decideSignal = connect<&Download::Impl::onDecideDestination>(webDownload, "decide-destination", &handlers);
    handlers.failedSignal = connect<&Download::Impl::onFailed>(webDownload, "failed", &handlers);
    handlers.finishedSignal = connect<&Download::Impl::onFinished>(webDownload, "finished", &handlers);
    handlers.receivedSignal = connect<&Download::Impl::onReceivedData>(webDownload, "received-data", &handlers);
    return *running().emplace_back(std::make_unique<Download>(std::move(impl)));
}

gboolean Download::Impl::onDecideDestination(WebKitDownload*, gchar* suggestedFilename)
{
    if (!owner->onDestination)
        return FALSE;
    auto pending = std::make_shared<PendingDestination>();
    pending->download = download;
    owner->onDestination(suggestedFilename ? suggestedFilename : "", [pending](std::optional<std::string> path) {
        if (pending->answered)
            return;
        pending->answered = true;
        GCharPtr uri(path ? g_filename_to_uri(path->c_str(), nullptr, nullptr) : nullptr);
        if (!uri) {
            webkit_download_cancel(pending->download.get());
            return;
        }
        // The user agreed to replace what is there (the save dialog asks), or it is the probe's own file.
        webkit_download_set_allow_overwrite(pending->download.get(), TRUE);
        webkit_download_set_destination(pending->download.get(), static_cast<char*>(uri.get()));
    });
    return TRUE;
}

void Download::Impl::onReceivedData(WebKitDownload*, guint64)
{
    if (!owner->onProgress)
        return;
    WebKitURIResponse* response = webkit_download_get_response(download.get());
    std::uint64_t expected = response ? webkit_uri_response_get_content_length(response) : 0;
    owner->onProgress(webkit_download_get_received_data_length(download.get()), expected);
}

void Download::Impl::onFailed(WebKitDownload*, GError* error)
{
    failed = true;
    if (!owner->onFailed || !error)
        return;
    bool cancelled = error->domain == WEBKIT_DOWNLOAD_ERROR && error->code == WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER;
    owner->onFailed(cancelled ? downloadCancelledCode : error->code, error->message ? error->message : "");
}

bool arrivedShort(std::uint64_t received, std::uint64_t announced, std::string_view contentEncoding)
{
    constexpr std::string_view none = "identity";
    bool encoded = !contentEncoding.empty()
        && !(contentEncoding.size() == none.size() && g_ascii_strncasecmp(contentEncoding.data(), none.data(), none.size()) == 0);
    return announced > 0 && !encoded && received < announced;
}

namespace {
bool isShort(WebKitDownload* download)
{
    WebKitURIResponse* response = webkit_download_get_response(download);
    if (!response)
        return false;
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    const char* encoding = headers ? soup_message_headers_get_one(headers, "Content-Encoding") : nullptr;
    return arrivedShort(webkit_download_get_received_data_length(download), webkit_uri_response_get_content_length(response), encoding ? encoding : "");
}
} // namespace

void Download::Impl::onFinished(WebKitDownload*)
{
    if (!failed && isShort(download.get())) {
        failed = true;
        const char* destination = webkit_download_get_destination(download.get());
        auto written = GObjectRef<GFile>::adopt(destination ? g_file_new_for_uri(destination) : nullptr);
        if (written)
            g_file_delete(written.get(), nullptr, nullptr);
        if (owner->onFailed)
            owner->onFailed(downloadIncompleteCode, "");
    }
    if (!failed && owner->onFinished) {
        // A "file:" address in this version of the engine's interface.
        const char* destination = webkit_download_get_destination(download.get());
        GCharPtr path(destination ? g_filename_from_uri(destination, nullptr, nullptr) : nullptr);
        if (path)
            owner->onFinished(static_cast<char*>(path.get()));
    }
    // Let go on a later turn: this runs inside the download's own signal ("finished" follows
    // "failed" too).
    if (auto handler = std::exchange(owner->onEnded, nullptr))
        handler();
    Download* self = owner;
    release = runOnMainQueue([self] { running().remove_if([self](const std::unique_ptr<Download>& entry) { return entry.get() == self; }); });
}

} // namespace quillane::platform
