#include "platform/gtk/menu_bar.h"

namespace quillane::platform {

MenuBar::MenuBar(GtkApplication* application, std::vector<Menu> menus)
    : m_application(application)
    , m_menus(std::move(menus))
{
    for (std::size_t menu = 0; menu < m_menus.size(); ++menu) {
        for (std::size_t item = 0; item < m_menus[menu].items.size(); ++item) {
            MenuItem& described = m_menus[menu].items[item];
            if (described.separator)
                continue;
            Entry& entry = m_entries.emplace_back();
            entry.owner = this;
            entry.menu = menu;
            entry.item = item;
            std::string name = actionNameFor(menu, item);
            entry.action = GObjectRef<GSimpleAction>::adopt(described.checkable
                    ? g_simple_action_new_stateful(name.c_str(), nullptr, g_variant_new_boolean(FALSE))
                    : g_simple_action_new(name.c_str(), nullptr));
            entry.activated = connect<&Entry::onActivate>(entry.action.get(), "activate", &entry);
            g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(entry.action.get()));
            std::string accelerator = acceleratorFor(described);
            std::string detailed = "app." + name;
            const char* accelerators[] = { accelerator.c_str(), nullptr };
            const char* none[] = { nullptr };
            gtk_application_set_accels_for_action(application, detailed.c_str(), accelerator.empty() ? none : accelerators);
        }
    }
    m_showMenu = GObjectRef<GSimpleAction>::adopt(g_simple_action_new("show-menu", nullptr));
    m_showMenuAtPointer = GObjectRef<GSimpleAction>::adopt(g_simple_action_new("show-menu-at-pointer", nullptr));
    m_showMenuSignal = connect<&MenuBar::onShowMenu>(m_showMenu.get(), "activate", this);
    m_showMenuAtPointerSignal = connect<&MenuBar::onShowMenuAtPointer>(m_showMenuAtPointer.get(), "activate", this);
    g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(m_showMenu.get()));
    g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(m_showMenuAtPointer.get()));
    const char* f10[] = { "F10", nullptr };
    gtk_application_set_accels_for_action(application, "app.show-menu", f10);
    validate();
}

void MenuBar::onShowMenu(GSimpleAction*, GVariant*)
{
    if (GtkWindow* window = gtk_application_get_active_window(m_application))
        popUp(GTK_WIDGET(window), false);
}

void MenuBar::onShowMenuAtPointer(GSimpleAction*, GVariant*)
{
    if (GtkWindow* window = gtk_application_get_active_window(m_application))
        popUp(GTK_WIDGET(window), true);
}

void MenuBar::Entry::onActivate(GSimpleAction*, GVariant*)
{
    // What an item does may depend on the state its validation sets, so validate before acting.
    owner->validate();
    MenuItem& item = owner->itemOf(*this);
    if (!g_action_get_enabled(G_ACTION(action.get())))
        return;
    auto perform = item.perform;
    if (perform)
        perform();
    owner->validate();
}

void MenuBar::validate()
{
    bool titlesChanged = !m_model;
    for (auto& entry : m_entries) {
        MenuItem& item = itemOf(entry);
        if (!item.target)
            continue;
        MenuItemState state { item.action, item.title, false, true };
        if (item.checkable) {
            GVariantPtr current(g_action_get_state(G_ACTION(entry.action.get())));
            state.on = current && g_variant_get_boolean(current.get());
        }
        state.enabled = item.target->validateMenuItem(state);
        g_simple_action_set_enabled(entry.action.get(), state.enabled);
        if (item.checkable)
            g_simple_action_set_state(entry.action.get(), g_variant_new_boolean(state.on));
        if (state.title != item.title) {
            item.title = state.title;
            titlesChanged = true;
        }
    }
    if (titlesChanged)
        rebuildModel();
}

void MenuBar::rebuildModel()
{
    auto bar = GObjectRef<GMenu>::adopt(g_menu_new());
    for (std::size_t menu = 0; menu < m_menus.size(); ++menu) {
        auto submenu = GObjectRef<GMenu>::adopt(g_menu_new());
        auto section = GObjectRef<GMenu>::adopt(g_menu_new());
        auto closeSection = [&] {
            if (g_menu_model_get_n_items(G_MENU_MODEL(section.get())) > 0)
                g_menu_append_section(submenu.get(), nullptr, G_MENU_MODEL(section.get()));
            section = GObjectRef<GMenu>::adopt(g_menu_new());
        };
        for (std::size_t item = 0; item < m_menus[menu].items.size(); ++item) {
            const MenuItem& described = m_menus[menu].items[item];
            if (described.separator) {
                closeSection();
                continue;
            }
            std::string detailed = "app." + actionNameFor(menu, item);
            auto entry = GObjectRef<GMenuItem>::adopt(g_menu_item_new(described.title.c_str(), detailed.c_str()));
            std::string accelerator = acceleratorFor(described);
            if (!accelerator.empty())
                g_menu_item_set_attribute(entry.get(), "accel", "s", accelerator.c_str());
            g_menu_append_item(section.get(), entry.get());
        }
        closeSection();
        g_menu_append_submenu(bar.get(), m_menus[menu].title.c_str(), G_MENU_MODEL(submenu.get()));
    }
    m_model = bar;
    gtk_application_set_menubar(m_application, G_MENU_MODEL(m_model.get()));
}

void MenuBar::popUp(GtkWidget* window, bool atPointer)
{
    validate();
    if (m_popup)
        gtk_widget_destroy(m_popup.get());
    GtkWidget* menu = gtk_menu_new_from_model(model());
    m_popup = GObjectRef<GtkWidget>::retain(menu);
    gtk_menu_attach_to_widget(GTK_MENU(menu), window, nullptr);
    if (atPointer)
        gtk_menu_popup_at_pointer(GTK_MENU(menu), nullptr);
    else
        gtk_menu_popup_at_widget(GTK_MENU(menu), window, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, nullptr);
}

namespace {
void describe(GMenuModel* model, const std::string& indent, std::vector<std::string>& lines)
{
    for (int index = 0; index < g_menu_model_get_n_items(model); ++index) {
        if (auto section = GObjectRef<GMenuModel>::adopt(g_menu_model_get_item_link(model, index, G_MENU_LINK_SECTION))) {
            if (index > 0)
                lines.push_back(indent + "---");
            describe(section.get(), indent, lines);
            continue;
        }
        char* label = nullptr;
        char* accelerator = nullptr;
        g_menu_model_get_item_attribute(model, index, G_MENU_ATTRIBUTE_LABEL, "s", &label);
        g_menu_model_get_item_attribute(model, index, "accel", "s", &accelerator);
        GCharPtr ownedLabel(label);
        GCharPtr ownedAccelerator(accelerator);
        std::string line = indent + (label ? label : "");
        if (accelerator)
            line += std::string(" ") + accelerator;
        lines.push_back(line);
        if (auto submenu = GObjectRef<GMenuModel>::adopt(g_menu_model_get_item_link(model, index, G_MENU_LINK_SUBMENU)))
            describe(submenu.get(), indent + "  ", lines);
    }
}
} // namespace

std::vector<std::string> describeMenuModel(GMenuModel* model)
{
    std::vector<std::string> lines;
    describe(model, "", lines);
    return lines;
}

} // namespace quillane::platform
