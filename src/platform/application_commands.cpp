// Commands of the application that live outside the menu bar.
#include "platform/gtk/application_impl.h"

namespace quillane::platform {

void Application::setCommands(std::vector<Command> commands)
{
    GtkApplication* application = m_impl->application.get();
    for (auto& command : commands) {
        auto& added = m_impl->commands.emplace_back();
        added.action = GObjectRef<GSimpleAction>::adopt(g_simple_action_new(command.name.c_str(), nullptr));
        added.perform = std::move(command.perform);
        added.activated = connect<&Impl::CommandAction::onActivate>(added.action.get(), "activate", &added);
        g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(added.action.get()));
        std::vector<const char*> accelerators;
        for (const auto& accelerator : command.accelerators)
            accelerators.push_back(accelerator.c_str());
        accelerators.push_back(nullptr);
        gtk_application_set_accels_for_action(application, ("app." + command.name).c_str(), accelerators.data());
    }
}

} // namespace quillane::platform
