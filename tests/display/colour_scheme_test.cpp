// The desktop's light or dark preference, from a settings portal on the test's session bus: pages
// see it as prefers-color-scheme, Quillane's own pages, its blank window and its dialogs follow it,
// and a change while running reaches them all.
#include "quillane_test.h"

#include <glib.h>

using namespace quillane::testing;

namespace {
// Tells the server whether the page matches prefers-color-scheme: dark, at once and at each change.
constexpr const char* schemePage = "<title>Scheme</title><style>body { margin: 0; background: rgb(250, 250, 250) }"
                                   " @media (prefers-color-scheme: dark) { body { background: rgb(20, 20, 20) } }</style><body><script>"
                                   "const query = matchMedia('(prefers-color-scheme: dark)');"
                                   "const tell = () => fetch('/scheme?' + (query.matches ? 'dark' : 'light'));"
                                   "tell(); query.addEventListener('change', tell)</script></body>";
constexpr Pixel darkPage { 20, 20, 20 }, lightPage { 250, 250, 250 };
// Quillane's own dark and light backgrounds.
constexpr Pixel darkOwn { 31, 31, 34 }, lightOwn { 244, 244, 245 };

class ColourScheme : public QuillaneTest {
protected:
    std::string portalLog() const { return session.folder() + "/portal.txt"; }

    void startPortal(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv { SETTINGS_PORTAL, portalLog() };
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        portal = session.start(argv);
        ASSERT_TRUE(waitUntil([&] { return readFile(portalLog()).find("ready") != std::string::npos; }));
    }

    // What the desktop prefers from now on: 0 nothing, 1 dark, 2 light.
    void prefer(int scheme) const
    {
        session.run({ "gdbus", "call", "--session", "--dest", "org.freedesktop.portal.Desktop", "--object-path", "/org/freedesktop/portal/desktop",
            "--method", "org.quillane.TestPortal.SetColorScheme", std::to_string(scheme) });
    }

    // What the page last said of itself: "dark" or "light".
    std::string pageScheme() const
    {
        std::string last;
        for (const auto& path : server.requests()) {
            if (path.rfind("/scheme?", 0) == 0)
                last = path.substr(8);
        }
        return last;
    }
    bool pageSays(const std::string& scheme) const
    {
        return waitUntil([&] { return pageScheme() == scheme; });
    }

    static int brightness(const Pixel& pixel) { return (pixel.red + pixel.green + pixel.blue) / 3; }
    // The colour near the bottom right corner of a window, inside it.
    Pixel insideCorner(unsigned long id) const
    {
        Geometry frame = session.geometry(id);
        return session.screenshot({ frame.x + frame.width - 6, frame.y + frame.height - 6, 1, 1 }, "corner").at(0, 0);
    }

    std::unique_ptr<Process> portal;
};
} // namespace

TEST_F(ColourScheme, PagesSeeTheDesktopsPreferenceAndFollowItsChanges)
{
    startPortal({ "1" });
    ASSERT_TRUE(open(schemePage));
    EXPECT_TRUE(pageSays("dark")) << pageScheme();
    EXPECT_TRUE(waitForPixel(300, 200, darkPage)) << pixel(300, 200);
    EXPECT_TRUE(waitForPixel(300, 4, darkPage)) << "the band takes the page's dark top: " << pixel(300, 4);
    EXPECT_NE(readFile(portalLog()).find("ReadOne org.freedesktop.appearance color-scheme"), std::string::npos) << readFile(portalLog());

    prefer(2);
    EXPECT_TRUE(pageSays("light")) << pageScheme();
    EXPECT_TRUE(waitForPixel(300, 200, lightPage)) << pixel(300, 200);
    prefer(1);
    EXPECT_TRUE(pageSays("dark")) << pageScheme();
    EXPECT_TRUE(waitForPixel(300, 200, darkPage)) << pixel(300, 200);
}

TEST_F(ColourScheme, TheStartPageOfAFirstStartAndItsDialogAreDarkUntilTheDesktopTurnsLight)
{
    startPortal({ "1" });
    quillane = session.startQuillane();
    auto found = session.waitForWindow();
    auto dialog = session.waitForWindowNamed("Open Address");
    ASSERT_TRUE(found && dialog);
    window = *found;
    EXPECT_TRUE(waitForPixel(20, 380, darkOwn)) << pixel(20, 380);
    EXPECT_TRUE(waitForPixel(20, 4, darkOwn)) << "the band too: " << pixel(20, 4);
    EXPECT_TRUE(waitUntil([&] { return brightness(insideCorner(*dialog)) < 90; })) << "GTK's dark variant: " << insideCorner(*dialog);

    prefer(2);
    EXPECT_TRUE(waitForPixel(20, 380, lightOwn)) << pixel(20, 380);
    EXPECT_TRUE(waitForPixel(20, 4, lightOwn)) << "the band too: " << pixel(20, 4);
    EXPECT_TRUE(waitUntil([&] { return brightness(insideCorner(*dialog)) > 200; })) << insideCorner(*dialog);
}

TEST_F(ColourScheme, AFailurePageIsDarkWhileTheDesktopPrefersDark)
{
    startPortal({ "1" });
    // Port 1 is kept from pages: Quillane tells it on a page of its own.
    session.writePreferences("[Preferences]\naddress='http://127.0.0.1:1/'\n");
    quillane = session.startQuillane();
    auto found = session.waitForWindow();
    ASSERT_TRUE(found);
    window = *found;
    ASSERT_TRUE(session.waitForWindowNamed("Pages may not use this port"));
    EXPECT_TRUE(waitForPixel(20, 380, darkOwn)) << pixel(20, 380);
    prefer(2);
    EXPECT_TRUE(waitForPixel(20, 380, lightOwn)) << pixel(20, 380);
}

TEST_F(ColourScheme, WithoutAPreferenceFromTheDesktopTheUsersOwnGtkSettingHolds)
{
    // The user asked GTK for dark; no portal runs at the start.
    g_mkdir_with_parents((session.configHome() + "/gtk-3.0").c_str(), 0700);
    g_file_set_contents((session.configHome() + "/gtk-3.0/settings.ini").c_str(), "[Settings]\ngtk-application-prefer-dark-theme=1\n", -1, nullptr);
    ASSERT_TRUE(open(schemePage));
    EXPECT_TRUE(pageSays("dark")) << pageScheme();

    // A portal that comes later is read, and its changes are followed.
    startPortal({ "0" });
    EXPECT_TRUE(waitUntil([&] { return readFile(portalLog()).find("ReadOne") != std::string::npos; })) << readFile(portalLog());
    prefer(2);
    EXPECT_TRUE(pageSays("light")) << "the desktop's preference wins over the user's GTK setting";
    prefer(0);
    EXPECT_TRUE(pageSays("dark")) << "no preference: the user's own GTK setting again";
}

TEST_F(ColourScheme, AnOlderPortalWithoutReadOneIsReadWithRead)
{
    startPortal({ "1", "--read-only" });
    ASSERT_TRUE(open(schemePage));
    EXPECT_TRUE(pageSays("dark")) << pageScheme();
    EXPECT_NE(readFile(portalLog()).find("Read org.freedesktop.appearance color-scheme"), std::string::npos) << readFile(portalLog());
}
