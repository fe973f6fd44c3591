// Loads that fail, and the end of the process that runs the page.
#include "platform/gtk/certificate_problems.h"
#include "platform/gtk/web_view_impl.h"

namespace quillane::platform {

namespace {
LoadFailure::Kind kindOf(const GError* error, bool timedOut)
{
    using Kind = LoadFailure::Kind;
    if (!error)
        return Kind::other;
    if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED))
        return timedOut ? Kind::timedOut : Kind::cancelled;
    // A response handed to a download is no failure.
    if (g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE)
        || g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_SHOW_MIME_TYPE) || error->domain == WEBKIT_PLUGIN_ERROR)
        return Kind::cancelled;
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED))
        return Kind::refused;
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT))
        return Kind::timedOut;
    if (error->domain == G_RESOLVER_ERROR)
        return Kind::nameNotFound;
    if (error->domain == G_TLS_ERROR)
        return Kind::certificate;
    return Kind::other;
}
} // namespace

gboolean WebView::Impl::onLoadFailed(WebKitWebView*, WebKitLoadEvent event, gchar* uri, GError* error)
{
    bool timedOut = loadLimit.failed(uri ? uri : "");
    // Before the load was committed nothing of the new page shows yet: a provisional failure.
    bool provisional = event == WEBKIT_LOAD_STARTED || event == WEBKIT_LOAD_REDIRECTED;
    if (!provisional)
        return FALSE;
    LoadFailure failure;
    failure.kind = kindOf(error, timedOut);
    failure.address = uri ? uri : "";
    failure.message = error && error->message ? error->message : "";
    // The engine says only that the load was cancelled.
    if (failure.kind == LoadFailure::Kind::timedOut && timedOut) {
        char seconds[G_ASCII_DTOSTR_BUF_SIZE];
        g_ascii_formatd(seconds, sizeof seconds, "%g", loadLimit.seconds());
        failure.message = std::string("No answer came within ") + seconds + " seconds";
    }
    failed(failure);
    // The view keeps what it showed, rather than the engine's error page.
    return TRUE;
}

gboolean WebView::Impl::onLoadFailedWithTLSErrors(WebKitWebView*, gchar* uri, GTlsCertificate*, GTlsCertificateFlags errors)
{
    // The certificate is refused, never accepted on the quiet: the program tells why.
    loadLimit.failed(uri ? uri : "");
    LoadFailure failure;
    failure.kind = LoadFailure::Kind::certificate;
    failure.address = uri ? uri : "";
    failure.message = "The site's certificate was not accepted";
    failure.certificateProblems = certificateProblems(errors);
    failed(failure);
    return TRUE;
}

void WebView::Impl::failed(const LoadFailure& failure)
{
    failedProvisionally = true;
    owner.loadFailed(failure);
}

void WebView::Impl::onProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason)
{
    loadLimit.settled();
    switch (reason) {
    case WEBKIT_WEB_PROCESS_CRASHED:
        owner.processEnded(ProcessEnd::crashed);
        break;
    case WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT:
        owner.processEnded(ProcessEnd::exceededMemoryLimit);
        break;
    case WEBKIT_WEB_PROCESS_TERMINATED_BY_API:
        owner.processEnded(ProcessEnd::endedByProgram);
        break;
    }
}

} // namespace quillane::platform

