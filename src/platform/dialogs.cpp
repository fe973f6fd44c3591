#include "platform/dialogs.h"

#include "platform/gtk/window_impl.h"

namespace quillane::platform {

namespace {
// Keeps a dialog and its completion until it is answered, then lets both go.
struct Asked {
    GObjectRef<GtkWidget> dialog;
    std::size_t cancel = 0;
    GtkWidget* field = nullptr;
    GtkWidget* check = nullptr;
    GtkWidget* problem = nullptr;
    std::function<std::optional<std::string>(const std::string&)> checkField;
    std::function<void(const Answer&)> completion;
    SignalConnection response;
    SignalConnection destroyed;

    void finish(std::size_t button, bool dismissed)
    {
        Answer answer;
        answer.button = button;
        answer.dismissed = dismissed;
        if (field)
            answer.field = gtk_entry_get_text(GTK_ENTRY(field));
        if (check)
            answer.checked = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(check));
        auto done = std::move(completion);
        destroyed.disconnect();
        response.disconnect();
        gtk_widget_destroy(dialog.get());
        delete this;
        done(answer);
    }
    void onResponse(GtkDialog*, gint id)
    {
        if (id == 0 && field && checkField) {
            if (auto why = checkField(gtk_entry_get_text(GTK_ENTRY(field)))) {
                gtk_label_set_text(GTK_LABEL(problem), why->c_str());
                gtk_widget_show(problem);
                gtk_widget_grab_focus(field);
                return;
            }
        }
        bool chosen = id >= 0 && std::size_t(id) <= cancel;
        finish(chosen ? std::size_t(id) : cancel, !chosen);
    }
    // The dialog went with its window: answered as Escape would.
    void onDestroy(GtkWidget*)
    {
        field = check = nullptr;
        Answer answer;
        answer.button = cancel;
        answer.dismissed = true;
        auto done = std::move(completion);
        response.disconnect();
        delete this;
        done(answer);
    }
};

} // namespace

void ask(Window& parent, const Question& question, std::function<void(const Answer&)> completion)
{
    GtkWindow* owner = GTK_WINDOW(implOf(parent).window.get());
    GtkWidget* dialog = gtk_message_dialog_new(owner, GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), GTK_MESSAGE_QUESTION,
        GTK_BUTTONS_NONE, "%s", question.message.c_str());
    auto* asked = new Asked;
    asked->dialog = GObjectRef<GtkWidget>::retain(dialog);
    asked->completion = std::move(completion);
    std::vector<std::string> buttons = question.buttons.empty() ? std::vector<std::string> { "OK" } : question.buttons;
    asked->cancel = buttons.size() - 1;
    gtk_window_set_title(GTK_WINDOW(dialog), question.message.c_str());
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(dialog), TRUE);
    // A floating window would otherwise cover its own question.
    if (parent.keepsAbove())
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    if (parent.isSticky())
        gtk_window_stick(GTK_WINDOW(dialog));
    implOf(parent).application.adopt(GTK_WINDOW(dialog));
    if (!question.detail.empty())
        gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", question.detail.c_str());
    GtkWidget* area = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(dialog));
    if (!question.imageFile.empty()) {
        auto image = GObjectRef<GdkPixbuf>::adopt(gdk_pixbuf_new_from_file_at_scale(question.imageFile.c_str(), 64, 64, TRUE, nullptr));
        if (image)
            gtk_box_pack_start(GTK_BOX(area), gtk_image_new_from_pixbuf(image.get()), FALSE, FALSE, 0);
    }
    if (question.field) {
        asked->field = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(asked->field), question.field->c_str());
        gtk_entry_set_activates_default(GTK_ENTRY(asked->field), TRUE);
        gtk_entry_set_width_chars(GTK_ENTRY(asked->field), 40);
        if (!question.fieldName.empty())
            atk_object_set_name(gtk_widget_get_accessible(asked->field), question.fieldName.c_str());
        gtk_box_pack_start(GTK_BOX(area), asked->field, FALSE, FALSE, 0);
        // Why the text will not do, when it will not; hidden until then.
        asked->checkField = question.checkField;
        asked->problem = gtk_label_new(nullptr);
        gtk_label_set_line_wrap(GTK_LABEL(asked->problem), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(asked->problem), 50);
        gtk_label_set_xalign(GTK_LABEL(asked->problem), 0);
        gtk_widget_set_no_show_all(asked->problem, TRUE);
        gtk_box_pack_start(GTK_BOX(area), asked->problem, FALSE, FALSE, 0);
    }
    if (!question.checkBox.empty()) {
        asked->check = gtk_check_button_new_with_label(question.checkBox.c_str());
        gtk_box_pack_start(GTK_BOX(area), asked->check, FALSE, FALSE, 0);
    }
    // Added last first, the affirmative answer stands at the right end, where GTK puts it.
    for (std::size_t index = buttons.size(); index-- > 0;)
        gtk_dialog_add_button(GTK_DIALOG(dialog), buttons[index].c_str(), int(index));
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), 0);
    asked->response = connect<&Asked::onResponse>(dialog, "response", asked);
    asked->destroyed = connect<&Asked::onDestroy>(dialog, "destroy", asked);
    gtk_widget_show_all(dialog);
    if (asked->field)
        gtk_widget_grab_focus(asked->field);
    gtk_window_present(GTK_WINDOW(dialog));
}

} // namespace quillane::platform
