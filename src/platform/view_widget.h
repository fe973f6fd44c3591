#pragma once
// The widget behind a view. Private to the platform layer.
#include "platform/gobject_ref.h"
#include "platform/view.h"

#include <gtk/gtk.h>

namespace quillane::platform {

struct View::Widget {
    GObjectRef<GtkWidget> widget;
    // Where subviews are placed; null for views that hold none.
    GtkLayout* layout = nullptr;
};

} // namespace quillane::platform
