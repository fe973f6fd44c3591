// What a screen reader finds of Quillane over AT-SPI, and the window's actions from the keyboard.
#include "quillane_test.h"

#include <atspi/atspi.h>

#include <functional>

using namespace quillane::testing;

namespace {
constexpr const char* plainPage = "<title>Reading</title><body style='margin: 0; background: rgb(240, 240, 240)'></body>";

class Accessibility : public QuillaneTest {
protected:
    void SetUp() override
    {
        // The accessibility bus runs for this test alone; Quillane joins it.
        session.enterThisProcess();
        busLauncher = session.start({ "/usr/libexec/at-spi-bus-launcher", "--launch-immediately" });
        ASSERT_TRUE(waitUntil([&] {
            return session.run({ "dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus" })
                       .find("true")
                != std::string::npos;
        }));
        session.setExtraEnvironment({ "NO_AT_BRIDGE=0" });
        ASSERT_EQ(atspi_init(), 0);
    }

    // The first accessible below `root` (depth first) that the test accepts.
    static AtspiAccessible* find(AtspiAccessible* root, const std::function<bool(AtspiAccessible*)>& accept, int depth = 0)
    {
        if (!root || depth > 30)
            return nullptr;
        if (accept(root))
            return static_cast<AtspiAccessible*>(g_object_ref(root));
        int children = atspi_accessible_get_child_count(root, nullptr);
        for (int index = 0; index < children; ++index) {
            AtspiAccessible* child = atspi_accessible_get_child_at_index(root, index, nullptr);
            AtspiAccessible* found = find(child, accept, depth + 1);
            if (child)
                g_object_unref(child);
            if (found)
                return found;
        }
        return nullptr;
    }

    static std::string nameOf(AtspiAccessible* accessible)
    {
        char* name = atspi_accessible_get_name(accessible, nullptr);
        std::string result = name ? name : "";
        g_free(name);
        return result;
    }

    static bool has(AtspiAccessible* accessible, AtspiStateType state)
    {
        AtspiStateSet* states = atspi_accessible_get_state_set(accessible);
        bool contained = states && atspi_state_set_contains(states, state);
        if (states)
            g_object_unref(states);
        return contained;
    }

    // Quillane's push button with this name, once the application shows on the accessibility bus.
    AtspiAccessible* button(const std::string& name) const
    {
        AtspiAccessible* found = nullptr;
        waitUntil([&] {
            AtspiAccessible* desktop = atspi_get_desktop(0);
            found = find(desktop, [&](AtspiAccessible* candidate) {
                return atspi_accessible_get_role(candidate, nullptr) == ATSPI_ROLE_PUSH_BUTTON && nameOf(candidate) == name;
            });
            g_object_unref(desktop);
            return found != nullptr;
        });
        return found;
    }

    std::string states() const { return session.property(window, "_NET_WM_STATE"); }

    std::unique_ptr<Process> busLauncher;
};
} // namespace

TEST_F(Accessibility, TheWindowButtonsAreNamedPushButtonsThatShowOnlyWhenSeen)
{
    ASSERT_TRUE(open(plainPage));
    AtspiAccessible* close = button("Close");
    AtspiAccessible* zoom = button("Zoom");
    AtspiAccessible* minimise = button("Minimise");
    ASSERT_TRUE(close && zoom && minimise);
    EXPECT_FALSE(has(minimise, ATSPI_STATE_SHOWING)) << "hidden buttons are not there to be read";
    EXPECT_FALSE(has(minimise, ATSPI_STATE_FOCUSABLE));

    pointAt(30, 14);
    ASSERT_TRUE(waitUntil([&] { return buttonsShow(); }));
    EXPECT_TRUE(waitUntil([&] { return has(minimise, ATSPI_STATE_SHOWING); })) << "shown buttons are";

    AtspiAction* action = atspi_accessible_get_action_iface(minimise);
    ASSERT_TRUE(action);
    EXPECT_TRUE(atspi_action_do_action(action, 0, nullptr));
    EXPECT_TRUE(waitUntil([&] { return states().find("_NET_WM_STATE_HIDDEN") != std::string::npos; })) << "pressed through its action";
    g_object_unref(action);
    for (AtspiAccessible* accessible : { close, zoom, minimise })
        g_object_unref(accessible);
}

TEST_F(Accessibility, EveryWindowActionHasAKey)
{
    ASSERT_TRUE(open(plainPage));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    // Maximise and back, as a double-click on the band does.
    session.xdotool({ "key", "alt+F10" });
    EXPECT_TRUE(waitUntil([&] { return states().find("MAXIMIZED_VERT") != std::string::npos; })) << states();
    session.xdotool({ "key", "alt+F10" });
    EXPECT_TRUE(waitUntil([&] { return states().find("MAXIMIZED_VERT") == std::string::npos; })) << states();

    // Moving, as the band and the page's top strip do: the window manager's keyboard move.
    ASSERT_TRUE(waitUntil([&] { return frame().width == 640; }));
    Geometry before = frame();
    session.xdotool({ "key", "alt+F7" });
    // The window manager's move starts in its own time: the arrow keys go on until it has.
    EXPECT_TRUE(waitUntil([&] {
        session.xdotool({ "key", "Right", "Down" });
        return frame().x > before.x && frame().y > before.y;
    })) << frame().x << "," << frame().y << " from " << before.x << "," << before.y;
    session.xdotool({ "key", "Return" });
}
