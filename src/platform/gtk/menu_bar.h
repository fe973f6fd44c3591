#pragma once
// Private to the platform layer: the menu bar as a GIO menu model with one action per item.
#include "platform/gtk/gobject_ref.h"
#include "platform/menu.h"
#include "platform/gtk/signal.h"

#include <gtk/gtk.h>

#include <list>

namespace quillane::platform {

class MenuBar {
public:
    MenuBar(GtkApplication* application, std::vector<Menu> menus);
    const std::vector<Menu>& menus() const { return m_menus; }
    GMenuModel* model() const { return G_MENU_MODEL(m_model.get()); }
    // Asks each item's target about it, and shows the answers (check marks, titles, enabled).
    void validate();
    // Opens the whole menu bar as one menu, at the pointer or at the window's top-left corner.
    void popUp(GtkWidget* window, bool atPointer);

private:
    struct Entry {
        MenuBar* owner = nullptr;
        std::size_t menu = 0, item = 0;
        GObjectRef<GSimpleAction> action;
        SignalConnection activated;
        void onActivate(GSimpleAction*, GVariant*);
    };
    void rebuildModel();
    MenuItem& itemOf(const Entry& entry) { return m_menus[entry.menu].items[entry.item]; }

    GtkApplication* m_application;
    std::vector<Menu> m_menus;
    std::list<Entry> m_entries;
    GObjectRef<GMenu> m_model;
    GObjectRef<GtkWidget> m_popup;
    // F10 and a right-click on the band open the whole menu bar as a menu.
    GObjectRef<GSimpleAction> m_showMenu;
    GObjectRef<GSimpleAction> m_showMenuAtPointer;
    SignalConnection m_showMenuSignal;
    SignalConnection m_showMenuAtPointerSignal;
    void onShowMenu(GSimpleAction*, GVariant*);
    void onShowMenuAtPointer(GSimpleAction*, GVariant*);
};

// The items of a menu model as text, one line each: "title accelerator", submenus indented.
// For reading back what was built.
std::vector<std::string> describeMenuModel(GMenuModel* model);

} // namespace quillane::platform
