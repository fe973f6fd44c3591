// Small signs over the page: the zoom level as it changes, and the find bar's buttons.
#include "harness.h"
#include "http_server.h"
#include "in_process.h"
#include "page/find_in_page.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <atk/atk.h>
#include <gtk/gtk.h>
#include <gtest/gtest.h>

using namespace quillane;
using namespace quillane::testing;

namespace {
class PageSigns : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.enterThisProcess();
        server.serve("/start.html", "<title>Report</title><p>One fox, two Fox, three FOX, a fog and a foxglove.</p>");
        session.writePreferences("[Preferences]\naddress='" + server.url("/start.html") + "'\n");
    }

    // The widget of this process's windows that a screen reader knows by the name.
    static GtkWidget* widgetNamed(GtkWidget* widget, const std::string& name)
    {
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        const char* found = accessible ? atk_object_get_name(accessible) : nullptr;
        if (found && name == found)
            return widget;
        if (!GTK_IS_CONTAINER(widget))
            return nullptr;
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        GtkWidget* result = nullptr;
        for (GList* child = children; child && !result; child = child->next)
            result = widgetNamed(GTK_WIDGET(child->data), name);
        g_list_free(children);
        return result;
    }

    // Clicks the named widget with the real pointer.
    void click(const std::string& name) const
    {
        GtkWidget* widget = nullptr;
        GList* windows = gtk_window_list_toplevels();
        for (GList* window = windows; window && !widget; window = window->next)
            widget = widgetNamed(GTK_WIDGET(window->data), name);
        g_list_free(windows);
        ASSERT_TRUE(widget) << name;
        GtkAllocation place;
        gtk_widget_get_allocation(widget, &place);
        int x = 0, y = 0;
        gdk_window_get_origin(gtk_widget_get_window(gtk_widget_get_toplevel(widget)), &x, &y);
        gtk_widget_translate_coordinates(widget, gtk_widget_get_toplevel(widget), place.width / 2, place.height / 2, &place.x, &place.y);
        session.xdotool({ "mousemove", std::to_string(x + place.x), std::to_string(y + place.y) });
        session.xdotool({ "click", "1" });
    }

    DisplaySession session;
    HttpServer server;
};
} // namespace

TEST_F(PageSigns, TheZoomLevelShowsForAMomentAsItChanges)
{
    launchQuillane(session, [&](DrivenQuillane& driven) {
        platform::Window& window = driven.mainWindow().window();
        ASSERT_TRUE(spinUntil([&] { return driven.mainWindow().page().title() == "Report"; }));
        EXPECT_FALSE(window.notice());
        driven.commands().activate("zoom-in");
        EXPECT_EQ(window.notice(), "110 %");
        auto shown = std::chrono::steady_clock::now();
        driven.commands().activate("zoom-in");
        EXPECT_EQ(window.notice(), "125 %") << "the newest level, in place of the last";
        ASSERT_TRUE(spinUntil([&] { return !window.notice(); }, std::chrono::seconds(3)));
        double lasted = std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
        EXPECT_GE(lasted, 0.9) << "long enough to read";
        EXPECT_LE(lasted, 1.5);
        driven.commands().activate("zoom-reset");
        EXPECT_EQ(window.notice(), "100 %");
        for (int step = 0; step < 20; ++step)
            driven.commands().activate("zoom-out");
        EXPECT_EQ(window.notice(), "50 %") << "at the end too";
    });
}

TEST_F(PageSigns, TheFindBarsButtonsGoThroughTheMatches)
{
    launchQuillane(session, [&](DrivenQuillane& driven) {
        ASSERT_TRUE(spinUntil([&] { return driven.mainWindow().page().title() == "Report"; }));
        FindInPage& find = driven.findInPage();
        find.open();
        ASSERT_TRUE(spinUntil([&] { return find.isOpen(); }));
        // "f" and "fo" match five times: four is the count for the whole text, and a step taken
        // before that count arrives has nothing to step through.
        session.xdotool({ "type", "fox" });
        ASSERT_TRUE(spinUntil([&] { return find.status() == "1 of 4"; })) << find.status();
        click("Next match");
        EXPECT_TRUE(spinUntil([&] { return find.status() == "2 of 4"; })) << find.status();
        click("Previous match");
        click("Previous match");
        EXPECT_TRUE(spinUntil([&] { return find.status() == "4 of 4"; })) << "wraps round: " << find.status();
        // The keyboard stayed in the field: typing goes on finding.
        session.xdotool({ "type", "g" });
        EXPECT_TRUE(spinUntil([&] { return find.status() == "1 of 1"; })) << find.status();
    });
}
