#pragma once
// Private to the platform layer.
#include "platform/application.h"
#include "platform/ordered_map.h"
#include "platform/program.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/platform_access.h"
#include "platform/gtk/signal.h"
#include "platform/main_queue.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

namespace quillane::platform {

struct Program::Impl {
    Program& owner;
    GObjectRef<GtkApplication> application;
    SignalConnection commandLineSignal;

    explicit Impl(Program& program)
        : owner(program)
    {
    }
    int onCommandLine(GApplication*, GApplicationCommandLine* commandLine);
};

struct Application::Impl {
    Program& program;
    ApplicationIdentity identity;
    std::optional<WebsiteDataFolders> folders;
    // The application's commands, shared by all of its windows and dialogs as their "app." actions.
    GObjectRef<GSimpleActionGroup> actions = GObjectRef<GSimpleActionGroup>::adopt(g_simple_action_group_new());
    GObjectRef<WebKitWebContext> context;
    // The spell checker's dictionaries, loaded once the context's first page has begun.
    ScheduledBlock spellingLoad;
    // The notification answers the engine gives its pages without asking. Each page process asks
    // for them as it starts, and keeps what it was given.
    OrderedMap<bool> notificationAnswers;
    SignalConnection notificationAnswersAsked;
    // Its commands on the session bus, as a single application's would be.
    GObjectRef<GDBusConnection> bus;
    guint exported = 0;

    Impl(Program& owner, ApplicationIdentity name, std::optional<WebsiteDataFolders> dataFolders);
    ~Impl();
    GtkApplication* gtkApplication() const { return implOf(program).application.get(); }
    // Made on first use: website data in the application's folders, cookies kept on disk beside
    // them (so that logins survive a restart), pages in the engine's sandbox.
    WebKitWebContext* webContext();
    // A window of this application: the program keeps running while it shows, it reaches the
    // application's commands, and the desktop tells it apart from other applications' windows.
    void adopt(GtkWindow* window) const;
    void giveNotificationAnswers(WebKitWebContext* context);
};

} // namespace quillane::platform
