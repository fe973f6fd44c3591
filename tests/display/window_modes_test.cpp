// Floating, full screen, zoom and minimising, the menus' key equivalents and the About panel.
#include "in_process.h"
#include "quillane_test.h"

using namespace quillane;
using namespace quillane::testing;

namespace {
constexpr const char* plainPage = "<body style='margin: 0; background: rgb(240, 240, 240)'></body>";
constexpr int zoomX = 55;

class WindowBehaviour : public QuillaneTest {
protected:
    std::string states() const { return session.property(window, "_NET_WM_STATE"); }
    bool has(const std::string& state) const { return states().find(state) != std::string::npos; }
    bool becomes(const std::string& state, bool present) const
    {
        return waitUntil([&] { return has(state) == present; }, std::chrono::seconds(5));
    }
    bool sticky() const { return session.property(window, "_NET_WM_DESKTOP").find("4294967295") != std::string::npos; }
};

class InProcessModes : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.enterThisProcess();
        // A remembered page keeps the Open Address dialog away.
        blank.serve("/", "");
        session.writePreferences("[Preferences]\naddress='" + blank.url("/") + "'\n");
    }
    HttpServer blank;
    std::string states(DrivenQuillane& delegate) const { return session.property(delegate.mainWindow().window().x11Id(), "_NET_WM_STATE"); }
    bool floats(DrivenQuillane& delegate) const
    {
        return states(delegate).find("_NET_WM_STATE_ABOVE") != std::string::npos
            && session.property(delegate.mainWindow().window().x11Id(), "_NET_WM_DESKTOP").find("4294967295") != std::string::npos;
    }
    bool ordinary(DrivenQuillane& delegate) const
    {
        return states(delegate).find("_NET_WM_STATE_ABOVE") == std::string::npos
            && session.property(delegate.mainWindow().window().x11Id(), "_NET_WM_DESKTOP").find("4294967295") == std::string::npos;
    }
    DisplaySession session;
};
} // namespace

TEST_F(InProcessModes, FloatOnTopTurnsFloatingOffAndOnAndIsRemembered)
{
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        ASSERT_TRUE(spinUntil([&] { return floats(delegate); }));
        EXPECT_TRUE(delegate.commands().isChecked("float-on-top"));
        delegate.modes().toggleFloating();
        EXPECT_TRUE(spinUntil([&] { return ordinary(delegate); }));
        EXPECT_FALSE(delegate.commands().isChecked("float-on-top")) << "the menu shows the choice";
        // The store writes on a thread of its own, within milliseconds.
        EXPECT_TRUE(spinUntil([&] { return session.readPreferences().find("float=false") != std::string::npos; })) << session.readPreferences();
        delegate.modes().toggleFloating();
        EXPECT_TRUE(spinUntil([&] { return floats(delegate); }));
        EXPECT_TRUE(spinUntil([&] { return session.readPreferences().find("float=true") != std::string::npos; })) << session.readPreferences();
    });
}

TEST_F(InProcessModes, AChoiceMadeInFullScreenWaitsUntilFullScreenEnds)
{
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        platform::Window& window = delegate.mainWindow().window();
        auto fullScreen = [&] { return window.isFullScreen(); };
        delegate.modes().toggleFullScreen();
        ASSERT_TRUE(spinUntil(fullScreen));
        EXPECT_TRUE(spinUntil([&] { return window.frame().size == platform::Size { 1280, 1024 } && !window.isBandAt({ 320, 0.5 }); }))
            << "no band in full screen";
        EXPECT_TRUE(window.buttonsShown());
        EXPECT_EQ(platform::withoutMnemonic(delegate.commands().menuBar()[3].items[1].label), "Exit Full Screen");
        EXPECT_TRUE(ordinary(delegate)) << "a full-screen window floats above nothing";
        delegate.modes().toggleFloating();
        EXPECT_FALSE(window.keepsAbove()) << "unchanged in full screen";
        EXPECT_TRUE(spinUntil([&] { return session.readPreferences().find("float=false") != std::string::npos; })) << session.readPreferences();
        delegate.modes().toggleFullScreen();
        ASSERT_TRUE(spinUntil([&] { return !fullScreen(); }));
        EXPECT_TRUE(spinUntil([&] { return ordinary(delegate); }));
        EXPECT_TRUE(spinUntil([&] { return window.frame().size == platform::Size { 640, 400 } && window.isBandAt({ 320, 0.5 }); }));
        EXPECT_EQ(platform::withoutMnemonic(delegate.commands().menuBar()[3].items[1].label), "Enter Full Screen");
    });
}

TEST_F(InProcessModes, TheAboutPanelStandsAboveTheFloatingWindowAndStaysSingle)
{
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        delegate.aboutPanel().show();
        std::vector<unsigned long> found;
        ASSERT_TRUE(spinUntil([&] {
            found = session.windowsNamed("About Quillane");
            return !found.empty();
        }));
        unsigned long panel = found.front();
        EXPECT_TRUE(delegate.aboutPanel().dialog().isVisible());
        EXPECT_TRUE(spinUntil([&] { return session.property(panel, "_NET_WM_STATE").find("ABOVE") != std::string::npos; })) << "above the floating window";
        char mainId[32];
        std::snprintf(mainId, sizeof mainId, "0x%lx", delegate.mainWindow().window().x11Id());
        EXPECT_NE(session.property(panel, "WM_TRANSIENT_FOR").find(mainId), std::string::npos) << "and kept with it";
        delegate.aboutPanel().show();
        EXPECT_FALSE(spinUntil([&] { return session.windowsNamed("About Quillane") != found; },
            std::chrono::milliseconds(300))) << "one panel";
    });
}

TEST_F(WindowBehaviour, F11AndTheZoomButtonTakeTheWindowIntoFullScreenAndBack)
{
    ASSERT_TRUE(open(plainPage));
    key("F11");
    ASSERT_TRUE(becomes("_NET_WM_STATE_FULLSCREEN", true));
    EXPECT_TRUE(waitUntil([&] { return frame().width == 1280 && frame().height == 1024; }));
    EXPECT_FALSE(has("_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(waitUntil([&] { return buttonsShow(); })) << "opaque in full screen";
    key("F11");
    ASSERT_TRUE(becomes("_NET_WM_STATE_FULLSCREEN", false));
    EXPECT_TRUE(becomes("_NET_WM_STATE_ABOVE", true)) << "floating again";
    EXPECT_TRUE(sticky());

    // The buttons come out as the pointer nears them; a hidden one takes no press.
    pointAt(zoomX, buttonsY);
    ASSERT_TRUE(waitUntil([&] { return buttonsShow(); }));
    session.xdotool({ "click", "1" });
    EXPECT_TRUE(becomes("_NET_WM_STATE_FULLSCREEN", true));
}

TEST_F(WindowBehaviour, MinimiseHidesTheWindowAndItComesBackWithTheButtonsHidden)
{
    ASSERT_TRUE(open(plainPage));
    pointAt(300, 300);
    key("ctrl+m");
    ASSERT_TRUE(becomes("_NET_WM_STATE_HIDDEN", true));
    session.run({ "wmctrl", "-i", "-a", std::to_string(window) });
    ASSERT_TRUE(becomes("_NET_WM_STATE_HIDDEN", false));
    // Shown on its return until the pointer, away from them, says otherwise.
    ASSERT_TRUE(waitForPixel(300, 300, { 240, 240, 240 })) << "the window is back on screen";
    EXPECT_TRUE(waitUntil([&] { return !buttonsShow(); }));
}

TEST_F(WindowBehaviour, APagesElementFullScreenSuspendsFloating)
{
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><div id='video' style='background: rgb(0, 0, 150)'>video</div>"
                     "<script>addEventListener('click', () => video.requestFullscreen())</script></body>"));
    pointAt(300, 300);
    session.xdotool({ "click", "1" });
    ASSERT_TRUE(becomes("_NET_WM_STATE_FULLSCREEN", true));
    EXPECT_FALSE(has("_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(waitForPixel(5, 5, { 0, 0, 150 })) << "the element fills the screen, no band and no buttons: " << pixel(5, 5);
    key("Escape");
    ASSERT_TRUE(becomes("_NET_WM_STATE_FULLSCREEN", false));
    EXPECT_TRUE(becomes("_NET_WM_STATE_ABOVE", true));
    EXPECT_TRUE(waitUntil([&] { return frame().width == 640 && frame().height == 400; }));
}

TEST_F(WindowBehaviour, KeyEquivalentsReloadOpenTheDialogAndQuit)
{
    ASSERT_TRUE(open(plainPage));
    key("ctrl+r");
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/page.html") == 2; })) << "reloaded";
    key("ctrl+l");
    EXPECT_TRUE(session.waitForWindowNamed("Open Address", std::chrono::seconds(5)));
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Open Address", std::chrono::milliseconds(0)); }));
    key("ctrl+q");
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(10)), 0);
}

TEST_F(WindowBehaviour, F10ThatThePageLeavesAloneAndARightClickOnTheBandOpenTheMenus)
{
    // The page takes every other key it is given (a page that takes F10 too keeps it: the page
    // window tests show that).
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "addEventListener('keydown', event => { fetch('/key?' + event.key); if (event.key != 'F10') event.preventDefault() }, true)"
                     "</script></body>"));
    key("a");
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/key?a") == 1; })) << "the page has the keys";
    // The page and its band are one grey: anything else there is a menu.
    auto menuShows = [&] { return !near(pixel(40, 12), { 240, 240, 240 }); };
    key("F10");
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/key?F10") == 1; })) << "the page saw it first";
    EXPECT_TRUE(waitUntil(menuShows)) << "a menu over the window's top-left corner";
    session.xdotool({ "key", "Escape" });
    ASSERT_TRUE(waitUntil([&] { return !menuShows(); }));
    pointAt(300, 5);
    session.xdotool({ "click", "3" });
    EXPECT_TRUE(waitUntil([&] { return !near(pixel(300 + 30, 5 + 10), { 240, 240, 240 }); })) << "a menu at the pointer";
}
