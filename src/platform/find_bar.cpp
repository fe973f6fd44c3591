#include "platform/find_bar.h"

#include "platform/gtk/window_impl.h"

namespace quillane::platform {

struct FindBar::Impl {
    Window& window;
    Handlers handlers;
    GObjectRef<GtkWidget> box;
    GtkWidget* entry = nullptr;
    GtkWidget* status = nullptr;
    GtkWidget* previous = nullptr;
    GtkWidget* next = nullptr;
    SignalConnection changedSignal;
    SignalConnection keySignal;
    SignalConnection stopSignal;
    SignalConnection closeSignal;
    SignalConnection previousSignal;
    SignalConnection nextSignal;

    Impl(Window& owner, Handlers given)
        : window(owner)
        , handlers(std::move(given))
    {
    }
    void onChanged(GtkSearchEntry*) { handlers.changed(gtk_entry_get_text(GTK_ENTRY(entry))); }
    gboolean onKey(GtkWidget*, GdkEventKey* key)
    {
        if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter)
            return FALSE;
        if (key->state & GDK_SHIFT_MASK)
            handlers.previous();
        else
            handlers.next();
        return TRUE;
    }
    void onStop(GtkSearchEntry*) { close(); }
    void onPrevious(GtkButton*) { handlers.previous(); }
    void onNext(GtkButton*) { handlers.next(); }
    void onClose(GtkButton*) { close(); }
    void close()
    {
        hide();
        handlers.closed();
    }
    void hide()
    {
        gtk_widget_hide(box.get());
        // Whatever lay over the page is drawn again in full (no holes where the bar was).
        gtk_widget_queue_draw(implOf(window).window.get());
    }
};

namespace {
// A small flat button with an icon, which leaves the keyboard in the field when clicked.
GtkWidget* iconButton(const char* icon, const char* tooltip, const char* name)
{
    GtkWidget* button = gtk_button_new_from_icon_name(icon, GTK_ICON_SIZE_MENU);
    gtk_widget_set_tooltip_text(button, tooltip);
    atk_object_set_name(gtk_widget_get_accessible(button), name);
    gtk_button_set_relief(GTK_BUTTON(button), GTK_RELIEF_NONE);
    gtk_widget_set_focus_on_click(button, FALSE);
    return button;
}
} // namespace

FindBar::FindBar(Window& window, double top, Handlers handlers)
    : m_impl(std::make_unique<Impl>(window, std::move(handlers)))
{
    Impl& impl = *m_impl;
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    impl.box = GObjectRef<GtkWidget>::retain(box);
    gtk_widget_set_halign(box, GTK_ALIGN_END);
    gtk_widget_set_valign(box, GTK_ALIGN_START);
    gtk_widget_set_margin_top(box, int(top) + 4);
    gtk_widget_set_margin_end(box, 8);
    gtk_style_context_add_class(gtk_widget_get_style_context(box), "background");
    gtk_container_set_border_width(GTK_CONTAINER(box), 4);

    impl.entry = gtk_search_entry_new();
    gtk_entry_set_width_chars(GTK_ENTRY(impl.entry), 22);
    gtk_entry_set_placeholder_text(GTK_ENTRY(impl.entry), "Find in page");
    atk_object_set_name(gtk_widget_get_accessible(impl.entry), "Find in page");
    impl.status = gtk_label_new("");
    gtk_label_set_width_chars(GTK_LABEL(impl.status), 10);
    impl.previous = iconButton("go-up-symbolic", "Previous match (Shift+Return)", "Previous match");
    impl.next = iconButton("go-down-symbolic", "Next match (Return)", "Next match");
    gtk_widget_set_sensitive(impl.previous, FALSE);
    gtk_widget_set_sensitive(impl.next, FALSE);
    GtkWidget* close = iconButton("window-close-symbolic", "Close", "Close find bar");
    gtk_box_pack_start(GTK_BOX(box), impl.entry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), impl.status, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), impl.previous, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), impl.next, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), close, FALSE, FALSE, 0);
    gtk_widget_show_all(box);
    gtk_widget_hide(box);
    atk_object_set_name(gtk_widget_get_accessible(box), "Find bar");
    atk_object_set_role(gtk_widget_get_accessible(box), ATK_ROLE_TOOL_BAR);

    impl.changedSignal = connect<&Impl::onChanged>(impl.entry, "search-changed", &impl);
    impl.keySignal = connect<&Impl::onKey>(impl.entry, "key-press-event", &impl);
    impl.stopSignal = connect<&Impl::onStop>(impl.entry, "stop-search", &impl);
    impl.closeSignal = connect<&Impl::onClose>(close, "clicked", &impl);
    impl.previousSignal = connect<&Impl::onPrevious>(impl.previous, "clicked", &impl);
    impl.nextSignal = connect<&Impl::onNext>(impl.next, "clicked", &impl);
    gtk_overlay_add_overlay(GTK_OVERLAY(implOf(window).overlay), box);
}

FindBar::~FindBar()
{
    if (m_impl->box && gtk_widget_get_parent(m_impl->box.get()))
        gtk_container_remove(GTK_CONTAINER(gtk_widget_get_parent(m_impl->box.get())), m_impl->box.get());
}

void FindBar::show()
{
    gtk_widget_show(m_impl->box.get());
    gtk_widget_grab_focus(m_impl->entry);
    gtk_editable_select_region(GTK_EDITABLE(m_impl->entry), 0, -1);
    gtk_widget_queue_draw(implOf(m_impl->window).window.get());
}

void FindBar::hide()
{
    m_impl->hide();
}

bool FindBar::isShown() const
{
    return gtk_widget_get_visible(m_impl->box.get());
}

std::string FindBar::text() const
{
    return gtk_entry_get_text(GTK_ENTRY(m_impl->entry));
}

void FindBar::setStatus(const std::string& status)
{
    gtk_label_set_text(GTK_LABEL(m_impl->status), status.c_str());
}

void FindBar::setCanStep(bool canStep)
{
    gtk_widget_set_sensitive(m_impl->previous, canStep);
    gtk_widget_set_sensitive(m_impl->next, canStep);
}

} // namespace quillane::platform
