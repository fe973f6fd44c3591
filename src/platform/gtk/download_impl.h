#pragma once
// Private to the platform layer.
#include "platform/download.h"
#include "platform/main_queue.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"

#include <webkit2/webkit2.h>

namespace quillane::platform {

struct Download::Impl {
    Download* owner = nullptr;
    GObjectRef<WebKitDownload> download;
    // Lets the download go once it has finished or failed.
    ScheduledBlock release;
    SignalConnection decideSignal;
    SignalConnection failedSignal;
    SignalConnection finishedSignal;
    SignalConnection receivedSignal;
    bool failed = false;

    gboolean onDecideDestination(WebKitDownload*, gchar* suggestedFilename);
    void onFailed(WebKitDownload*, GError* error);
    void onFinished(WebKitDownload*);
    void onReceivedData(WebKitDownload*, guint64 length);
};

// Keeps a download of the engine's until it has finished or failed.
Download& startDownload(WebKitDownload* download);

// Whether the program started the download for itself (WebView::downloadToFile).
bool isProgramDownload(WebKitDownload* download);

} // namespace quillane::platform
