// What a screen reader finds of Quillane over AT-SPI, and the window's actions from the keyboard.
#include "atspi_tree.h"
#include "quillane_test.h"

#include <functional>

using namespace quillane::testing;

namespace {
constexpr const char* plainPage = "<title>Reading</title><body style='margin: 0; background: rgb(240, 240, 240)'></body>";

class Accessibility : public QuillaneTest {
protected:
    void SetUp() override { ASSERT_TRUE(bus.ready()); }

    static bool has(AtspiAccessible* accessible, AtspiStateType state) { return hasState(accessible, state); }

    // Quillane's push button with this name, once the application shows on the accessibility bus.
    AtspiAccessible* button(const std::string& name) const
    {
        AtspiAccessible* found = nullptr;
        waitUntil([&] {
            AtspiAccessible* desktop = atspi_get_desktop(0);
            found = findAccessible(desktop, [&](AtspiAccessible* candidate) {
                return atspi_accessible_get_role(candidate, nullptr) == ATSPI_ROLE_PUSH_BUTTON && nameOf(candidate) == name;
            });
            g_object_unref(desktop);
            return found != nullptr;
        });
        return found;
    }

    std::string states() const { return session.property(window, "_NET_WM_STATE"); }

    // The accessibility bus runs for this test alone; Quillane joins it.
    AccessibilityBus bus { session };
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
