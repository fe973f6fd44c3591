#pragma once
// The widget behind a view. Private to the platform layer.
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/view.h"

#include <gtk/gtk.h>

namespace quillane::platform {

struct View::Widget {
    GObjectRef<GtkWidget> widget;
    // Where subviews are placed; null for views that hold none.
    GtkLayout* layout = nullptr;
};

} // namespace quillane::platform
