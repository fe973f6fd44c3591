#include "platform/alert.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/signal.h"
#include "platform/gtk/window_impl.h"

#include <gtk/gtk.h>

#include <cmath>

namespace quillane::platform {

struct Alert::Impl {
    std::string message;
    std::string informative;
    std::vector<std::string> buttons;
    std::optional<std::string> fieldText;
    std::string iconFile;
    std::string checkLabel;
    bool checked = false;
    GtkWidget* checkBox = nullptr;
    Size fieldSize;
    GObjectRef<GtkWidget> dialog;
    GtkWidget* entry = nullptr;
    std::function<void(int)> completion;
    // Held while the alert shows, so the alert lives until it has answered.
    std::shared_ptr<Alert> keepAlive;
    SignalConnection responseSignal;
    SignalConnection destroySignal;

    int escapeAnswer() const
    {
        for (std::size_t index = 0; index < buttons.size(); ++index) {
            if (buttons[index] == "Cancel")
                return int(index);
        }
        return buttons.empty() ? 0 : int(buttons.size() - 1);
    }

    void finish(int index)
    {
        if (!completion)
            return;
        auto done = std::move(completion);
        completion = nullptr;
        std::string text = entry ? gtk_entry_get_text(GTK_ENTRY(entry)) : "";
        fieldText = text;
        if (checkBox)
            checked = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(checkBox));
        checkBox = nullptr;
        responseSignal.disconnect();
        destroySignal.disconnect();
        if (dialog)
            gtk_widget_destroy(dialog.get());
        entry = nullptr;
        auto self = std::move(keepAlive);
        done(alertFirstButtonReturn + index);
    }

    void onResponse(GtkDialog*, gint response)
    {
        finish(response >= 0 && response < int(buttons.size()) ? response : escapeAnswer());
    }

    void onDestroy(GtkWidget*)
    {
        // The dialog went with its window: answer as Escape would.
        entry = nullptr;
        checkBox = nullptr;
        dialog = {};
        finish(escapeAnswer());
    }
};

Alert::Alert()
    : m_impl(std::make_unique<Impl>())
{
}

Alert::~Alert()
{
    if (m_impl->dialog)
        gtk_widget_destroy(m_impl->dialog.get());
}

std::shared_ptr<Alert> Alert::make()
{
    return std::shared_ptr<Alert>(new Alert());
}

void Alert::setMessageText(std::string text)
{
    m_impl->message = std::move(text);
}

void Alert::setInformativeText(std::string text)
{
    m_impl->informative = std::move(text);
}

void Alert::addButton(std::string title)
{
    m_impl->buttons.push_back(std::move(title));
}

void Alert::setIcon(std::string imageFile)
{
    m_impl->iconFile = std::move(imageFile);
}

void Alert::setTextField(std::string text, Size size)
{
    m_impl->fieldText = std::move(text);
    m_impl->fieldSize = size;
}

std::string Alert::textFieldValue() const
{
    if (m_impl->entry)
        return gtk_entry_get_text(GTK_ENTRY(m_impl->entry));
    return m_impl->fieldText.value_or("");
}

void Alert::setCheckBox(std::string label)
{
    m_impl->checkLabel = std::move(label);
}

bool Alert::checkBoxValue() const
{
    if (m_impl->checkBox)
        return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(m_impl->checkBox));
    return m_impl->checked;
}

bool Alert::isShowing() const
{
    return static_cast<bool>(m_impl->completion);
}

void Alert::beginSheetModal(Window& window, std::function<void(int)> completion)
{
    Impl& impl = *m_impl;
    if (impl.completion)
        return;
    if (impl.buttons.empty())
        impl.buttons.push_back("OK");
    GtkWindow* parent = GTK_WINDOW(implOf(window).window.get());
    GtkWidget* dialog = gtk_dialog_new();
    impl.dialog = GObjectRef<GtkWidget>::retain(dialog);
    gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_title(GTK_WINDOW(dialog), impl.message.c_str());
    // A floating parent would otherwise cover its own question.
    if (window.level() > windowLevel::normal)
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    if (window.collectionBehaviour() & collectionBehaviour::canJoinAllSpaces)
        gtk_window_stick(GTK_WINDOW(dialog));

    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_box_set_spacing(GTK_BOX(content), 8);
    gtk_container_set_border_width(GTK_CONTAINER(content), 16);
    GtkWidget* message = gtk_label_new(nullptr);
    GCharPtr markup(g_markup_printf_escaped("<b>%s</b>", impl.message.c_str()));
    gtk_label_set_markup(GTK_LABEL(message), static_cast<char*>(markup.get()));
    gtk_label_set_xalign(GTK_LABEL(message), 0);
    gtk_label_set_line_wrap(GTK_LABEL(message), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(message), 50);
    gtk_box_pack_start(GTK_BOX(content), message, FALSE, FALSE, 0);
    if (!impl.iconFile.empty()) {
        GObjectRef<GdkPixbuf> icon = GObjectRef<GdkPixbuf>::adopt(gdk_pixbuf_new_from_file_at_scale(impl.iconFile.c_str(), 64, 64, TRUE, nullptr));
        if (icon)
            gtk_box_pack_start(GTK_BOX(content), gtk_image_new_from_pixbuf(icon.get()), FALSE, FALSE, 0);
    }
    if (!impl.informative.empty()) {
        GtkWidget* informative = gtk_label_new(impl.informative.c_str());
        gtk_label_set_xalign(GTK_LABEL(informative), 0);
        gtk_label_set_line_wrap(GTK_LABEL(informative), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(informative), 50);
        gtk_box_pack_start(GTK_BOX(content), informative, FALSE, FALSE, 0);
    }
    if (impl.fieldText) {
        impl.entry = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(impl.entry), impl.fieldText->c_str());
        gtk_entry_set_activates_default(GTK_ENTRY(impl.entry), TRUE);
        gtk_widget_set_size_request(impl.entry, int(std::lround(impl.fieldSize.width)), int(std::lround(impl.fieldSize.height)));
        gtk_box_pack_start(GTK_BOX(content), impl.entry, FALSE, FALSE, 0);
    }
    if (!impl.checkLabel.empty()) {
        impl.checkBox = gtk_check_button_new_with_label(impl.checkLabel.c_str());
        gtk_box_pack_start(GTK_BOX(content), impl.checkBox, FALSE, FALSE, 0);
    }
    // Added last, the first button (the default) stands at the right end, where GTK puts the affirmative answer.
    for (std::size_t index = impl.buttons.size(); index-- > 0;)
        gtk_dialog_add_button(GTK_DIALOG(dialog), impl.buttons[index].c_str(), int(index));
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), 0);

    impl.completion = std::move(completion);
    impl.keepAlive = shared_from_this();
    impl.responseSignal = connect<&Impl::onResponse>(dialog, "response", &impl);
    impl.destroySignal = connect<&Impl::onDestroy>(dialog, "destroy", &impl);
    gtk_widget_show_all(dialog);
    if (impl.entry)
        gtk_widget_grab_focus(impl.entry);
    gtk_window_present(GTK_WINDOW(dialog));
}

} // namespace quillane::platform
