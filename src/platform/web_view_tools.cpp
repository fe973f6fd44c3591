// Zoom, find in page, printing, the inspector and the program's items in the page's context menu.
#include "platform/gtk/web_view_impl.h"

#include "platform/gtk/window_impl.h"

#include <gtk/gtkunixprint.h>

namespace quillane::platform {

double WebView::zoomLevel() const
{
    return webkit_web_view_get_zoom_level(m_impl->view.get());
}

void WebView::setZoomLevel(double level)
{
    webkit_web_view_set_zoom_level(m_impl->view.get(), level);
}

void WebView::find(const std::string& text)
{
    WebKitFindController* finder = webkit_web_view_get_find_controller(m_impl->view.get());
    if (text.empty()) {
        webkit_find_controller_search_finish(finder);
        return;
    }
    auto options = WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    // The search itself reports only that it found something; the count says how much.
    webkit_find_controller_count_matches(finder, text.c_str(), options, G_MAXUINT);
    webkit_find_controller_search(finder, text.c_str(), options, G_MAXUINT);
}

void WebView::findNext()
{
    webkit_find_controller_search_next(webkit_web_view_get_find_controller(m_impl->view.get()));
}

void WebView::findPrevious()
{
    webkit_find_controller_search_previous(webkit_web_view_get_find_controller(m_impl->view.get()));
}

void WebView::finishFind()
{
    webkit_find_controller_search_finish(webkit_web_view_get_find_controller(m_impl->view.get()));
}

namespace {
GObjectRef<GtkPrintSettings> printSettingsFor(const std::string& file)
{
    auto settings = GObjectRef<GtkPrintSettings>::adopt(gtk_print_settings_new());
    GCharPtr uri(g_filename_to_uri(file.c_str(), nullptr, nullptr));
    if (uri)
        gtk_print_settings_set(settings.get(), GTK_PRINT_SETTINGS_OUTPUT_URI, static_cast<char*>(uri.get()));
    gtk_print_settings_set(settings.get(), GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    return settings;
}

// A name for the printed file: the page's title, without what a file name cannot hold.
std::string printName(WebKitWebView* view)
{
    const char* title = webkit_web_view_get_title(view);
    std::string name = title && *title ? title : "page";
    for (char& c : name) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    return name + ".pdf";
}

struct PrintJob {
    GObjectRef<WebKitPrintOperation> operation;
    std::function<void(bool)> completion;
    bool failed = false;
    SignalConnection finishedSignal;
    SignalConnection failedSignal;
    void onFailed(WebKitPrintOperation*, GError*) { failed = true; }
    void onFinished(WebKitPrintOperation*)
    {
        auto done = std::move(completion);
        bool succeeded = !failed;
        delete this;
        if (done)
            done(succeeded);
    }
};

PrintJob* startJob(WebKitWebView* view, std::function<void(bool)> completion)
{
    auto* job = new PrintJob;
    job->operation = GObjectRef<WebKitPrintOperation>::adopt(webkit_print_operation_new(view));
    job->completion = std::move(completion);
    job->failedSignal = connect<&PrintJob::onFailed>(job->operation.get(), "failed", job);
    job->finishedSignal = connect<&PrintJob::onFinished>(job->operation.get(), "finished", job);
    return job;
}
} // namespace

// The print dialog is our own rather than the engine's, which runs a loop of its own until it is
// answered: the program, its other windows and Quit go on answering while it is up.
struct PrintDialog {
    GObjectRef<GtkWidget> dialog;
    PrintJob* job = nullptr;
    std::function<void(bool)> answered;
    SignalConnection response;
    SignalConnection destroyed;
    void onResponse(GtkDialog*, gint result)
    {
        auto* unix = GTK_PRINT_UNIX_DIALOG(dialog.get());
        GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(unix);
        bool print = result == GTK_RESPONSE_OK && printer;
        if (print) {
            auto settings = GObjectRef<GtkPrintSettings>::adopt(gtk_print_unix_dialog_get_settings(unix));
            gtk_print_settings_set_printer(settings.get(), gtk_printer_get_name(printer));
            webkit_print_operation_set_print_settings(job->operation.get(), settings.get());
            webkit_print_operation_set_page_setup(job->operation.get(), gtk_print_unix_dialog_get_page_setup(unix));
            webkit_print_operation_print(job->operation.get());
            job = nullptr;
        }
        destroyed.disconnect();
        gtk_widget_destroy(dialog.get());
        finish(print);
    }
    // The dialog went with its window.
    void onDestroy(GtkWidget*) { finish(false); }
    void finish(bool printed)
    {
        // A job that was not started lets itself go here; a started one when the engine has printed.
        delete job;
        auto done = std::move(answered);
        delete this;
        if (done)
            done(printed);
    }
};

void WebView::print(Window& parent, const std::string& folder, std::function<void(bool printed)> answered)
{
    PrintJob* job = startJob(m_impl->view.get(), nullptr);
    auto settings = printSettingsFor(folder + "/" + printName(m_impl->view.get()));
    GtkWindow* window = GTK_WINDOW(implOf(parent).window.get());
    GtkWidget* dialog = gtk_print_unix_dialog_new(nullptr, window);
    auto* unix = GTK_PRINT_UNIX_DIALOG(dialog);
    gtk_print_unix_dialog_set_manual_capabilities(unix, GtkPrintCapabilities(GTK_PRINT_CAPABILITY_NUMBER_UP | GTK_PRINT_CAPABILITY_NUMBER_UP_LAYOUT
        | GTK_PRINT_CAPABILITY_PAGE_SET | GTK_PRINT_CAPABILITY_REVERSE | GTK_PRINT_CAPABILITY_COPIES | GTK_PRINT_CAPABILITY_COLLATE | GTK_PRINT_CAPABILITY_SCALE));
    gtk_print_unix_dialog_set_settings(unix, settings.get());
    gtk_print_unix_dialog_set_embed_page_setup(unix, TRUE);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
    // The application's keys (Quit among them) work in it as in the window.
    implOf(parent).application.adopt(GTK_WINDOW(dialog));
    if (parent.keepsAbove())
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    auto* shown = new PrintDialog;
    shown->dialog = GObjectRef<GtkWidget>::retain(dialog);
    shown->job = job;
    shown->answered = std::move(answered);
    shown->response = connect<&PrintDialog::onResponse>(dialog, "response", shown);
    shown->destroyed = connect<&PrintDialog::onDestroy>(dialog, "destroy", shown);
    gtk_window_present(GTK_WINDOW(dialog));
}

void WebView::printToFile(const std::string& path, std::function<void(bool)> completion)
{
    PrintJob* job = startJob(m_impl->view.get(), std::move(completion));
    auto settings = printSettingsFor(path);
    gtk_print_settings_set_printer(settings.get(), "Print to File");
    webkit_print_operation_set_print_settings(job->operation.get(), settings.get());
    webkit_print_operation_print(job->operation.get());
}

void WebView::showInspector()
{
    webkit_web_inspector_show(webkit_web_view_get_inspector(m_impl->view.get()));
}

} // namespace quillane::platform
