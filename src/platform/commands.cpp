#include "platform/commands.h"

#include "platform/gtk/application_impl.h"
#include "platform/gtk/window_impl.h"

#include <map>

namespace quillane::platform {

std::string withoutMnemonic(const std::string& label)
{
    std::string plain;
    for (std::size_t index = 0; index < label.size(); ++index) {
        if (label[index] == '_' && index + 1 < label.size())
            ++index;
        plain += label[index];
    }
    return plain;
}

struct Commands::Impl {
    struct Entry {
        Command command;
        GObjectRef<GSimpleAction> action;
        SignalConnection activated;
        void onActivate(GSimpleAction* action, GVariant*)
        {
            if (!g_action_get_enabled(G_ACTION(action)))
                return;
            // Keep the command: what it does may change the table.
            auto run = command.activate;
            if (run)
                run();
        }
    };
    GtkApplication* application;
    GSimpleActionGroup* actions;
    std::map<std::string, std::unique_ptr<Entry>> entries;
    std::vector<Menu> menus;
    GObjectRef<GMenu> model;
    GObjectRef<GtkWidget> popup;

    void rebuild()
    {
        auto bar = GObjectRef<GMenu>::adopt(g_menu_new());
        for (const auto& menu : menus) {
            auto submenu = GObjectRef<GMenu>::adopt(g_menu_new());
            for (const auto& names : menu.sections) {
                auto section = GObjectRef<GMenu>::adopt(g_menu_new());
                for (const auto& name : names) {
                    auto found = entries.find(name);
                    if (found == entries.end())
                        continue;
                    const Command& command = found->second->command;
                    auto item = GObjectRef<GMenuItem>::adopt(g_menu_item_new(command.label.c_str(), ("app." + name).c_str()));
                    if (!command.accelerators.empty())
                        g_menu_item_set_attribute(item.get(), "accel", "s", command.accelerators.front().c_str());
                    g_menu_append_item(section.get(), item.get());
                }
                g_menu_append_section(submenu.get(), nullptr, G_MENU_MODEL(section.get()));
            }
            g_menu_append_submenu(bar.get(), menu.title.c_str(), G_MENU_MODEL(submenu.get()));
        }
        // Not the program's menu bar: the program runs several applications, each with its own
        // commands reached through its own windows.
        model = bar;
    }
};

Commands::Commands(Application& application)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->application = implOf(application).gtkApplication();
    m_impl->actions = implOf(application).actions.get();
}

Commands::~Commands() = default;

void Commands::add(Command command)
{
    auto entry = std::make_unique<Impl::Entry>();
    const char* name = command.name.c_str();
    entry->action = GObjectRef<GSimpleAction>::adopt(command.checked ? g_simple_action_new_stateful(name, nullptr, g_variant_new_boolean(*command.checked))
                                                                      : g_simple_action_new(name, nullptr));
    entry->activated = connect<&Impl::Entry::onActivate>(entry->action.get(), "activate", entry.get());
    g_action_map_add_action(G_ACTION_MAP(m_impl->actions), G_ACTION(entry->action.get()));
    std::vector<const char*> accelerators;
    for (const auto& accelerator : command.accelerators)
        accelerators.push_back(accelerator.c_str());
    accelerators.push_back(nullptr);
    gtk_application_set_accels_for_action(m_impl->application, ("app." + command.name).c_str(), accelerators.data());
    entry->command = std::move(command);
    m_impl->entries[entry->command.name] = std::move(entry);
}

void Commands::setEnabled(const std::string& name, bool enabled)
{
    if (auto found = m_impl->entries.find(name); found != m_impl->entries.end())
        g_simple_action_set_enabled(found->second->action.get(), enabled);
}

bool Commands::isEnabled(const std::string& name) const
{
    auto found = m_impl->entries.find(name);
    return found != m_impl->entries.end() && g_action_get_enabled(G_ACTION(found->second->action.get()));
}

void Commands::setChecked(const std::string& name, bool checked)
{
    if (auto found = m_impl->entries.find(name); found != m_impl->entries.end() && found->second->command.checked)
        g_simple_action_set_state(found->second->action.get(), g_variant_new_boolean(checked));
}

bool Commands::isChecked(const std::string& name) const
{
    auto found = m_impl->entries.find(name);
    if (found == m_impl->entries.end() || !found->second->command.checked)
        return false;
    GVariantPtr state(g_action_get_state(G_ACTION(found->second->action.get())));
    return state && g_variant_get_boolean(state.get());
}

void Commands::setLabel(const std::string& name, const std::string& label)
{
    auto found = m_impl->entries.find(name);
    if (found == m_impl->entries.end() || found->second->command.label == label)
        return;
    found->second->command.label = label;
    if (m_impl->model)
        m_impl->rebuild();
}

void Commands::activate(const std::string& name)
{
    g_action_group_activate_action(G_ACTION_GROUP(m_impl->actions), name.c_str(), nullptr);
}

void Commands::setMenuBar(std::vector<Menu> menus)
{
    m_impl->menus = std::move(menus);
    m_impl->rebuild();
}

std::vector<ShownMenu> Commands::menuBar() const
{
    std::vector<ShownMenu> shown;
    GMenuModel* bar = m_impl->model ? G_MENU_MODEL(m_impl->model.get()) : nullptr;
    for (int menu = 0; bar && menu < g_menu_model_get_n_items(bar); ++menu) {
        ShownMenu& described = shown.emplace_back();
        char* title = nullptr;
        g_menu_model_get_item_attribute(bar, menu, G_MENU_ATTRIBUTE_LABEL, "s", &title);
        GCharPtr ownedTitle(title);
        described.title = title ? title : "";
        auto submenu = GObjectRef<GMenuModel>::adopt(g_menu_model_get_item_link(bar, menu, G_MENU_LINK_SUBMENU));
        for (int section = 0; submenu && section < g_menu_model_get_n_items(submenu.get()); ++section) {
            auto items = GObjectRef<GMenuModel>::adopt(g_menu_model_get_item_link(submenu.get(), section, G_MENU_LINK_SECTION));
            for (int item = 0; items && item < g_menu_model_get_n_items(items.get()); ++item) {
                char *label = nullptr, *action = nullptr, *accelerator = nullptr;
                g_menu_model_get_item_attribute(items.get(), item, G_MENU_ATTRIBUTE_LABEL, "s", &label);
                g_menu_model_get_item_attribute(items.get(), item, G_MENU_ATTRIBUTE_ACTION, "s", &action);
                g_menu_model_get_item_attribute(items.get(), item, "accel", "s", &accelerator);
                GCharPtr ownedLabel(label), ownedAction(action), ownedAccelerator(accelerator);
                std::string name = action ? action : "";
                described.items.push_back({ label ? label : "", name.rfind("app.", 0) == 0 ? name.substr(4) : name, accelerator ? accelerator : "" });
            }
        }
    }
    return shown;
}

void Commands::popUpMenuBar(Window& over, bool atPointer)
{
    if (!m_impl->model)
        return;
    GtkWidget* window = implOf(over).window.get();
    if (m_impl->popup)
        gtk_widget_destroy(m_impl->popup.get());
    GtkWidget* menu = gtk_menu_new_from_model(G_MENU_MODEL(m_impl->model.get()));
    m_impl->popup = GObjectRef<GtkWidget>::retain(menu);
    gtk_menu_attach_to_widget(GTK_MENU(menu), window, nullptr);
    if (atPointer) {
        gtk_menu_popup_at_pointer(GTK_MENU(menu), nullptr);
        return;
    }
    gtk_menu_popup_at_widget(GTK_MENU(menu), window, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, nullptr);
    // From the keyboard: the first menu is chosen, so that the arrow keys go on from there.
    gtk_menu_shell_select_first(GTK_MENU_SHELL(menu), TRUE);
}

} // namespace quillane::platform
