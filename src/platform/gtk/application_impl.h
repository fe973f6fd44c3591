#pragma once
// Private to the platform layer.
#include "platform/application.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"

#include <gtk/gtk.h>

namespace quillane::platform {

struct Application::Impl {
    Application& owner;
    GObjectRef<GtkApplication> application;
    std::string windowClass;
    bool started = false;
    SignalConnection activateSignal;
    SignalConnection openSignal;

    explicit Impl(Application& application)
        : owner(application)
    {
    }
    void start();
    void onActivate(GApplication*);
    void onOpen(GApplication*, GFile** files, gint count, gchar* hint);
};

} // namespace quillane::platform
