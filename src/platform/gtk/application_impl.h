#pragma once
// Private to the platform layer.
#include "platform/application.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/menu_bar.h"
#include "platform/gtk/signal.h"

#include <gtk/gtk.h>

#include <list>

namespace quillane::platform {

struct Application::Impl {
    Application& owner;
    GObjectRef<GtkApplication> application;
    ApplicationDelegate* delegate = nullptr;
    std::string windowClass;
    bool launched = false;
    SignalConnection activateSignal;
    SignalConnection openSignal;
    std::unique_ptr<MenuBar> menuBar;
    std::unique_ptr<AboutPanel> aboutPanel;
    struct CommandAction {
        GObjectRef<GSimpleAction> action;
        std::function<void()> perform;
        SignalConnection activated;
        void onActivate(GSimpleAction*, GVariant*) { perform(); }
    };
    std::list<CommandAction> commands;

    explicit Impl(Application& application);
    ~Impl();
    void launch();
    void onActivate(GApplication*);
    void onOpen(GApplication*, GFile** files, gint count, gchar* hint);
};

// The Window object behind a GTK window of ours, or null.
Window* windowFor(GtkWindow* window);

} // namespace quillane::platform
