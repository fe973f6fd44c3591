// What a screen reader finds of Quillane over AT-SPI, and the window's actions from the keyboard.
#include "atspi_tree.h"
#include "quillane_test.h"

#include <atspi/atspi.h>

#include <fstream>
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
    EXPECT_FALSE(hasState(minimise, ATSPI_STATE_SHOWING)) << "hidden buttons are not there to be read";
    EXPECT_FALSE(hasState(minimise, ATSPI_STATE_FOCUSABLE));

    pointAt(30, 14);
    ASSERT_TRUE(waitUntil([&] { return buttonsShow(); }));
    EXPECT_TRUE(waitUntil([&] { return hasState(minimise, ATSPI_STATE_SHOWING); })) << "shown buttons are";

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

TEST_F(Accessibility, OpenAddressSaysWhyItRefusesTextUnderTheField)
{
    quillane = session.startQuillane();
    ASSERT_TRUE(session.waitForWindowNamed("Open Address"));
    session.xdotool({ "type", "--delay", "15", "hello world" });
    session.xdotool({ "key", "Return" });
    AtspiAccessible* said = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        AtspiAccessible* desktop = atspi_get_desktop(0);
        said = findAccessible(desktop, [&](AtspiAccessible* candidate) {
            return atspi_accessible_get_role(candidate, nullptr) == ATSPI_ROLE_LABEL
                && nameOf(candidate) == "\u201chello world\u201d is not an address: addresses have no spaces. Type one such as example.com."
                && hasState(candidate, ATSPI_STATE_SHOWING);
        });
        g_object_unref(desktop);
        return said != nullptr;
    }));
    if (said)
        g_object_unref(said);
    EXPECT_TRUE(session.waitForWindowNamed("Open Address", std::chrono::milliseconds(0))) << "the question stays";
}

TEST_F(Accessibility, ADownloadShowsHowFarItHasComeAndItsNoteOpensTheFile)
{
    // The desktop's program for text files, for this test: it writes the addresses it is handed to a file.
    std::string opened = session.folder() + "/opened.txt";
    session.run({ "mkdir", "-p", session.dataHome() + "/applications", session.folder() + "/saved" });
    std::ofstream(session.dataHome() + "/applications/record-text.desktop") << "[Desktop Entry]\nType=Application\nName=Recorder\n"
                                                                              "Exec=sh -c 'echo \"$1\" >> " + opened + "' sh %u\nMimeType=text/plain;\n";
    std::ofstream(session.configHome() + "/mimeapps.list") << "[Default Applications]\ntext/plain=record-text.desktop\n";
    server.serveInParts("/big.txt", { std::string(20000, 'a'), std::string(20000, 'b'), std::string(20000, 'c'), std::string(20000, 'd') },
        std::chrono::milliseconds(600), "text/plain");
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'>"
                     "<a download='big.txt' href='/big.txt' style='position: fixed; top: 100px; left: 20px; font-size: 40px'>Save</a></body>"));
    pointAt(40, 10 + 120);
    session.xdotool({ "click", "1" });
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    std::string saved = session.folder() + "/saved/big.txt";
    session.xdotool({ "key", "Home" });
    session.xdotool({ "type", "--delay", "20", session.folder() + "/saved/" });
    session.xdotool({ "key", "Return" });

    // A thin line along the band's bottom edge while it runs, gone when it is done.
    EXPECT_TRUE(waitUntil([&] { return pixel(3, 9).red < 200; }, std::chrono::seconds(3))) << pixel(3, 9);
    EXPECT_TRUE(near(pixel(3, 5), { 240, 240, 240 })) << "the band above it keeps its colour";
    ASSERT_TRUE(waitUntil([&] { return readFile(saved).size() == 80000; })) << readFile(saved).size();
    EXPECT_TRUE(waitForPixel(3, 9, { 240, 240, 240 }));

    AtspiAccessible* note = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        AtspiAccessible* desktop = atspi_get_desktop(0);
        note = findAccessible(desktop, [&](AtspiAccessible* candidate) {
            return atspi_accessible_get_role(candidate, nullptr) == ATSPI_ROLE_NOTIFICATION && hasState(candidate, ATSPI_STATE_SHOWING);
        });
        g_object_unref(desktop);
        return note != nullptr;
    })) << "a note says it is done";
    AtspiAccessible* said = findAccessible(note, [&](AtspiAccessible* candidate) { return nameOf(candidate) == "\u201cbig.txt\u201d is downloaded."; });
    EXPECT_TRUE(said);
    AtspiAccessible* openButton = findAccessible(note, [&](AtspiAccessible* candidate) {
        return atspi_accessible_get_role(candidate, nullptr) == ATSPI_ROLE_PUSH_BUTTON && nameOf(candidate) == "Open";
    });
    ASSERT_TRUE(openButton);
    EXPECT_TRUE(findAccessible(note, [&](AtspiAccessible* candidate) { return nameOf(candidate) == "Show in Folder"; }));
    AtspiAction* action = atspi_accessible_get_action_iface(openButton);
    ASSERT_TRUE(action);
    EXPECT_TRUE(atspi_action_do_action(action, 0, nullptr));
    // (GIO hands a local file to the program as its path.)
    EXPECT_TRUE(waitUntil([&] { return readFile(opened) == saved + "\n"; })) << readFile(opened);
    g_object_unref(action);
    for (AtspiAccessible* accessible : { note, said, openButton })
        if (accessible)
            g_object_unref(accessible);
}
