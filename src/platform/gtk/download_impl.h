#pragma once
// Private to the platform layer.
#include "platform/download.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"

#include <webkit2/webkit2.h>

namespace quillane::platform {

struct Download::Impl {
    Download* owner = nullptr;
    GObjectRef<WebKitDownload> download;
    DownloadDelegate* delegate = nullptr;
    // Called once the download has finished or failed, so its owner can let it go.
    std::function<void(Download*)> ended;
    SignalConnection decideSignal;
    SignalConnection failedSignal;
    SignalConnection finishedSignal;

    gboolean onDecideDestination(WebKitDownload*, gchar* suggestedFilename);
    void onFailed(WebKitDownload*, GError* error);
    void onFinished(WebKitDownload*);
};

std::unique_ptr<Download> makeDownload(WebKitDownload* download, std::function<void(Download*)> ended);

} // namespace quillane::platform
