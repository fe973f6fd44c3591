// Keys reach the focused view (the page) before the menus' key equivalents: a key equivalent acts
// only on a key the page leaves alone. The web view answers at once that it has taken a key, sends
// it to the page, and when the page did not handle it delivers it again, marked to be let through;
// then the key equivalent acts.
#include "platform/gtk/window_impl.h"

namespace quillane::platform {

namespace {
// Opening the menus stays the program's, so that they are always reachable from the keyboard.
bool isReservedForTheProgram(const GdkEventKey* key)
{
    return key->keyval == GDK_KEY_F10 && !(key->state & gtk_accelerator_get_default_mod_mask());
}
} // namespace

gboolean Window::Impl::onKeyPress(GtkWidget*, GdkEventKey* key)
{
    GtkWindow* gtkWindow = GTK_WINDOW(window.get());
    if (isReservedForTheProgram(key))
        return FALSE;
    if (gtk_window_propagate_key_event(gtkWindow, key))
        return TRUE;
    if (gtk_window_activate_key(gtkWindow, key))
        return TRUE;
    // What neither took: the window's own bindings (focus moves, say), as GTK would run them.
    gtk_bindings_activate_event(G_OBJECT(gtkWindow), key);
    return TRUE;
}

} // namespace quillane::platform
