#include "platform/editing.h"

#include "platform/gtk/gobject_ref.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

namespace quillane::platform {

namespace {
GtkWidget* focusedWidget()
{
    GApplication* application = g_application_get_default();
    GtkWindow* window = application ? gtk_application_get_active_window(GTK_APPLICATION(application)) : nullptr;
    // Dialogs are not always the application's own windows: look for the focused toplevel too.
    if (!window || !gtk_window_is_active(window)) {
        GListPtr toplevels(gtk_window_list_toplevels());
        for (GList* item = toplevels.get(); item; item = item->next) {
            if (gtk_window_is_active(GTK_WINDOW(item->data)))
                window = GTK_WINDOW(item->data);
        }
    }
    return window ? gtk_window_get_focus(window) : nullptr;
}

const char* webCommand(EditingCommand command)
{
    switch (command) {
    case EditingCommand::undo:
        return "Undo";
    case EditingCommand::redo:
        return "Redo";
    case EditingCommand::cut:
        return WEBKIT_EDITING_COMMAND_CUT;
    case EditingCommand::copy:
        return WEBKIT_EDITING_COMMAND_COPY;
    case EditingCommand::paste:
        return WEBKIT_EDITING_COMMAND_PASTE;
    case EditingCommand::selectAll:
        break;
    }
    return WEBKIT_EDITING_COMMAND_SELECT_ALL;
}
} // namespace

void sendEditingCommand(EditingCommand command)
{
    GtkWidget* focused = focusedWidget();
    if (!focused)
        return;
    if (WEBKIT_IS_WEB_VIEW(focused)) {
        webkit_web_view_execute_editing_command(WEBKIT_WEB_VIEW(focused), webCommand(command));
        return;
    }
    if (!GTK_IS_EDITABLE(focused))
        return;
    GtkEditable* editable = GTK_EDITABLE(focused);
    switch (command) {
    case EditingCommand::cut:
        gtk_editable_cut_clipboard(editable);
        break;
    case EditingCommand::copy:
        gtk_editable_copy_clipboard(editable);
        break;
    case EditingCommand::paste:
        gtk_editable_paste_clipboard(editable);
        break;
    case EditingCommand::selectAll:
        gtk_editable_select_region(editable, 0, -1);
        break;
    case EditingCommand::undo:
    case EditingCommand::redo:
        // GTK 3's text fields keep no history.
        break;
    }
}

} // namespace quillane::platform
