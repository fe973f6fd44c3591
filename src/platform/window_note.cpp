// A short note over the bottom of a window's page: what the program did, with a button or two to go
// on from there; it goes by itself after a few seconds. Screen readers hear it as a notification.
#include "platform/gtk/window_impl.h"

namespace quillane::platform {

namespace {
constexpr const char* noteStyle = "box { background: rgba(32, 32, 36, 0.94); color: #f2f2f4; border-radius: 8px; padding: 6px 10px; }"
                                  " button { color: #f2f2f4; background: rgba(255, 255, 255, 0.12); border: 0; box-shadow: none;"
                                  " text-shadow: none; padding: 2px 10px; min-height: 0; }"
                                  " button:hover { background: rgba(255, 255, 255, 0.24); }";
} // namespace

void Window::Impl::buildNote()
{
    auto style = GObjectRef<GtkCssProvider>::adopt(gtk_css_provider_new());
    gtk_css_provider_load_from_data(style.get(), noteStyle, -1, nullptr);
    note = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 10);
    gtk_style_context_add_provider(gtk_widget_get_style_context(note), GTK_STYLE_PROVIDER(style.get()), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    gtk_widget_set_halign(note, GTK_ALIGN_CENTER);
    gtk_widget_set_valign(note, GTK_ALIGN_END);
    gtk_widget_set_margin_bottom(note, 16);
    gtk_widget_set_margin_start(note, 16);
    gtk_widget_set_margin_end(note, 16);
    atk_object_set_role(gtk_widget_get_accessible(note), ATK_ROLE_NOTIFICATION);
    noteText = gtk_label_new(nullptr);
    gtk_label_set_line_wrap(GTK_LABEL(noteText), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(noteText), 60);
    gtk_box_pack_start(GTK_BOX(note), noteText, FALSE, FALSE, 0);
    noteStyleProvider = style;
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), note);
}

void Window::Impl::hideNote()
{
    noteTimer.cancel();
    if (!note)
        return;
    gtk_widget_hide(note);
    // A partial redraw over the page leaves holes until its next full frame: redraw all of it.
    gtk_widget_queue_draw(overlay);
}

void Window::Impl::onNoteButton(GtkButton* button)
{
    auto index = std::size_t(GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(button), "quillane-note-button")));
    auto pressed = index < noteActions.size() ? noteActions[index] : nullptr;
    hideNote();
    if (pressed)
        pressed();
}

void Window::showNote(Note shown)
{
    Impl& impl = *m_impl;
    if (impl.destroyed)
        return;
    if (!impl.note)
        impl.buildNote();
    gtk_label_set_text(GTK_LABEL(impl.noteText), shown.text.c_str());
    impl.noteButtonSignals.clear();
    for (GtkWidget* old : impl.noteButtons)
        gtk_widget_destroy(old);
    impl.noteButtons.clear();
    impl.noteActions.clear();
    for (std::size_t index = 0; index < shown.buttons.size(); ++index) {
        GtkWidget* button = gtk_button_new_with_label(shown.buttons[index].label.c_str());
        gtk_style_context_add_provider(gtk_widget_get_style_context(button), GTK_STYLE_PROVIDER(impl.noteStyleProvider.get()),
            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        // The page keeps the keyboard: the note's buttons are for the pointer and screen readers.
        gtk_widget_set_can_focus(button, FALSE);
        g_object_set_data(G_OBJECT(button), "quillane-note-button", GSIZE_TO_POINTER(index));
        impl.noteButtonSignals.push_back(connect<&Impl::onNoteButton>(button, "clicked", &impl));
        gtk_box_pack_start(GTK_BOX(impl.note), button, FALSE, FALSE, 0);
        impl.noteButtons.push_back(button);
        impl.noteActions.push_back(std::move(shown.buttons[index].pressed));
    }
    gtk_widget_show_all(impl.note);
    gtk_widget_queue_draw(impl.overlay);
    Impl* self = &impl;
    impl.noteTimer = runOnMainQueueAfter(shown.seconds, [self] { self->hideNote(); });
}

std::optional<std::string> Window::noteShown() const
{
    const Impl& impl = *m_impl;
    if (!impl.note || !gtk_widget_get_visible(impl.note))
        return std::nullopt;
    return std::string(gtk_label_get_text(GTK_LABEL(impl.noteText)));
}

} // namespace quillane::platform
