#include "platform/dialogs.h"

#include "platform/gtk/window_impl.h"

namespace quillane::platform {

namespace {
using Answer = std::function<void(GtkFileChooserNative*, gint response)>;

// Keeps the chooser until it answers, then lets it go.
struct Shown {
    GObjectRef<GtkFileChooserNative> chooser;
    Answer answer;
    SignalConnection response;
    void onResponse(GtkNativeDialog* dialog, gint result)
    {
        auto keep = std::move(answer);
        keep(GTK_FILE_CHOOSER_NATIVE(dialog), result);
        delete this;
    }
};

void show(GtkFileChooserNative* chooser, Window& parent, Answer answer)
{
    gtk_native_dialog_set_transient_for(GTK_NATIVE_DIALOG(chooser), GTK_WINDOW(implOf(parent).window.get()));
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(chooser), TRUE);
    auto* shown = new Shown { GObjectRef<GtkFileChooserNative>::adopt(chooser), std::move(answer), {} };
    shown->response = connect<&Shown::onResponse>(chooser, "response", shown);
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
}
} // namespace

void chooseFilesToOpen(Window& parent, bool allowsMultipleSelection, const std::vector<std::string>& contentTypes,
    std::function<void(std::optional<std::vector<std::string>>)> completion)
{
    GtkFileChooserNative* chooser = gtk_file_chooser_native_new("Open File", nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr);
    gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(chooser), allowsMultipleSelection);
    if (!contentTypes.empty()) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, "Files the page accepts");
        for (const auto& type : contentTypes)
            gtk_file_filter_add_mime_type(filter, type.c_str());
        gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
    }
    show(chooser, parent, [completion = std::move(completion)](GtkFileChooserNative* dialog, gint response) {
        if (response != GTK_RESPONSE_ACCEPT) {
            completion(std::nullopt);
            return;
        }
        std::vector<std::string> paths;
        GStringSListPtr files(gtk_file_chooser_get_filenames(GTK_FILE_CHOOSER(dialog)));
        for (GSList* item = files.get(); item; item = item->next)
            paths.emplace_back(static_cast<char*>(item->data));
        completion(paths.empty() ? std::nullopt : std::optional(paths));
    });
}

void chooseWhereToSave(Window& parent, const std::string& suggestedName, const std::string& folder,
    std::function<void(std::optional<std::string>)> completion)
{
    GtkFileChooserNative* chooser = gtk_file_chooser_native_new("Save File", nullptr, GTK_FILE_CHOOSER_ACTION_SAVE, nullptr, nullptr);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
    if (!folder.empty())
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), folder.c_str());
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), suggestedName.c_str());
    show(chooser, parent, [completion = std::move(completion)](GtkFileChooserNative* dialog, gint response) {
        GCharPtr path(response == GTK_RESPONSE_ACCEPT ? gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)) : nullptr);
        completion(path ? std::optional<std::string>(static_cast<char*>(path.get())) : std::nullopt);
    });
}

} // namespace quillane::platform
