// A notification that comes while the user is in another window marks Quillane's window as wanting
// attention (the urgency hint), until the window is focused again.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
class Urgency : public QuillaneTest {
protected:
    // The urgency hint in WM_HINTS, as xprop reads it.
    bool urgent() const { return session.property(window, "WM_HINTS").find("urgency hint bit is set") != std::string::npos; }
    unsigned long activeWindow() const { return std::strtoul(session.run({ "xdotool", "getactivewindow" }).c_str(), nullptr, 10); }
    bool shown(const std::string& title) const { return readFile(notifications()).find(title + "|") != std::string::npos; }
    std::string notifications() const { return session.folder() + "/notifications.txt"; }
};
} // namespace

TEST_F(Urgency, ANotificationWhileTheWindowIsNotFocusedMarksItUntilItIsFocused)
{
    // Nobody clicks the notifications: a click would bring the window forward.
    auto service = session.start({ NOTIFICATION_SERVICE, notifications(), "--no-click" });
    ASSERT_TRUE(waitUntil([&] { return readFile(notifications()).find("ready") != std::string::npos; }));
    // The page notifies once on a key, and once when it has lost the keyboard.
    ASSERT_TRUE(open("<title>Mail</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "addEventListener('keydown', event => { if (event.key === 'n') new Notification('While focused') });"
                     "let told = false;"
                     "setInterval(() => { if (!document.hasFocus() && !told) { told = true; new Notification('While away') } }, 100)"
                     "</script></body>",
        "notifications={'" + server.url("") + "': true}\n"));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    ASSERT_TRUE(waitUntil([&] { return activeWindow() == window; }));
    session.xdotool({ "key", "n" });
    ASSERT_TRUE(waitUntil([&] { return shown("While focused"); })) << readFile(notifications());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(urgent()) << "the user is looking at it already: " << session.property(window, "WM_HINTS");

    // Another window takes the keyboard.
    auto other = session.start({ "xmessage", "-geometry", "+700+600", "another window" });
    auto otherWindow = session.waitForWindow("Xmessage");
    ASSERT_TRUE(otherWindow);
    session.xdotool({ "windowactivate", "--sync", std::to_string(*otherWindow) });
    ASSERT_TRUE(waitUntil([&] { return shown("While away"); })) << readFile(notifications());
    EXPECT_TRUE(waitUntil([&] { return urgent(); })) << session.property(window, "WM_HINTS");
    EXPECT_NE(session.property(window, "_NET_WM_STATE").find("_NET_WM_STATE_DEMANDS_ATTENTION"), std::string::npos)
        << "the window manager shows it: " << session.property(window, "_NET_WM_STATE");

    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    EXPECT_TRUE(waitUntil([&] { return !urgent(); })) << session.property(window, "WM_HINTS");
}
