// Choosing the page: the Open Address dialog, links on the command line and from a second launch,
// and the installed desktop entry, against pages served on 127.0.0.1.
#include "harness.h"
#include "http_server.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <thread>

using namespace quillane::testing;

namespace {
constexpr const char* greenPage = "<!doctype html><body style='margin: 0; background: rgb(0, 160, 0)'>green</body>";
constexpr const char* bluePage = "<!doctype html><body style='margin: 0; background: rgb(0, 0, 200)'>blue</body>";
// The start page's background, light and dark.
constexpr Pixel startPageColour { 0xf4, 0xf4, 0xf5 };
constexpr Pixel darkStartPageColour { 0x1f, 0x1f, 0x22 };

class Navigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.serve("/green.html", greenPage);
        server.serve("/blue.html", bluePage);
    }

    std::optional<std::string> rememberedAddress() const
    {
        std::istringstream lines(session.readPreferences());
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("address='", 0) == 0 && line.size() > 10)
                return line.substr(9, line.size() - 10);
        }
        return std::nullopt;
    }

    void remember(const std::string& address) const { session.writePreferences("[Preferences]\naddress='" + address + "'\n"); }

    bool dialogShows(std::chrono::milliseconds within) const { return session.waitForWindowNamed("Open Address", within).has_value(); }

    // The middle of the page area of the main window.
    Pixel pageColour(unsigned long window) const
    {
        Geometry frame = session.geometry(window);
        return session.screenshot({ frame.x + frame.width / 2, frame.y + frame.height / 2, 1, 1 }, "page").at(0, 0);
    }

    static std::string link(const std::string& address)
    {
        char* escaped = g_uri_escape_string(address.c_str(), nullptr, FALSE);
        std::string result = std::string("quillane://open?url=") + escaped;
        g_free(escaped);
        return result;
    }

    void closeWindow(unsigned long window) const { session.run({ "wmctrl", "-i", "-c", std::to_string(window) }); }

    DisplaySession session;
    HttpServer server;
};

std::string hex(unsigned long window)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}
} // namespace

TEST_F(Navigation, TheFirstStartAsksForAnAddressAndTheNextStartReopensIt)
{
    {
        auto quillane = session.startQuillane();
        auto window = session.waitForWindow();
        auto dialog = session.waitForWindowNamed("Open Address");
        ASSERT_TRUE(window && dialog);
        EXPECT_NE(session.property(*dialog, "WM_TRANSIENT_FOR").find(hex(*window)), std::string::npos) << "attached to the main window";
        EXPECT_NE(session.property(*dialog, "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE"), std::string::npos) << "above the floating window";
        // The field starts empty and has the focus: what is typed is the whole address.
        session.xdotool({ "type", "--delay", "15", "127.0.0.1:" + std::to_string(server.port()) + "/green.html" });
        session.xdotool({ "key", "Return" });
        ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 1; }));
        EXPECT_TRUE(waitUntil([&] { return rememberedAddress() == server.url("/green.html"); })) << session.readPreferences();
        EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == Pixel { 0, 160, 0 }; }));
        closeWindow(*window);
        ASSERT_EQ(quillane->waitForExit(10s), 0);
    }
    auto quillane = session.startQuillane();
    ASSERT_TRUE(session.waitForWindow());
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 2; }));
    EXPECT_FALSE(dialogShows(1500ms));
}

TEST_F(Navigation, CancelLeavesTheStartPageAndTheDialogReturnsAtTheNextStart)
{
    {
        auto quillane = session.startQuillane();
        auto window = session.waitForWindow();
        ASSERT_TRUE(window && dialogShows(15s));
        session.xdotool({ "type", "--delay", "15", "example.com" });
        session.xdotool({ "key", "Escape" });
        ASSERT_TRUE(waitUntil([&] { return !dialogShows(100ms); }));
        EXPECT_EQ(rememberedAddress(), std::nullopt);
        EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == startPageColour; })) << "the start page shows, in the light theme";
        closeWindow(*window);
        ASSERT_EQ(quillane->waitForExit(10s), 0);
    }
    auto quillane = session.startQuillane();
    EXPECT_TRUE(dialogShows(15s));
}

TEST_F(Navigation, BlankTextClosesTheDialogAndTextThatIsNoAddressKeepsIt)
{
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window && dialogShows(15s));
    session.xdotool({ "type", "--delay", "15", "    " });
    session.xdotool({ "key", "Return" });
    ASSERT_TRUE(waitUntil([&] { return !dialogShows(100ms); }));
    EXPECT_EQ(rememberedAddress(), std::nullopt);
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == startPageColour; })) << "the start page shows";

    // The dialog stays with what was typed (it says why, under the field) until an address comes.
    session.xdotool({ "windowactivate", "--sync", std::to_string(*window) });
    session.xdotool({ "key", "ctrl+l" });
    ASSERT_TRUE(dialogShows(5s));
    session.xdotool({ "type", "--delay", "15", "hello world" });
    session.xdotool({ "key", "Return" });
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(dialogShows(0ms)) << "not closed";
    session.xdotool({ "key", "ctrl+a" });
    session.xdotool({ "type", "--delay", "15", "127.0.0.1:" + std::to_string(server.port()) + "/green.html" });
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 1; }));
    EXPECT_TRUE(waitUntil([&] { return !dialogShows(0ms); }));
    EXPECT_TRUE(quillane->running());
}

TEST_F(Navigation, TheStartPageFollowsADarkTheme)
{
    session.run({ "mkdir", "-p", session.configHome() + "/gtk-3.0" });
    session.run({ "sh", "-c", "printf '[Settings]\\ngtk-application-prefer-dark-theme=1\\n' > " + session.configHome() + "/gtk-3.0/settings.ini" });
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window && dialogShows(15s));
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == darkStartPageColour; })) << pageColour(*window).red;
    Geometry frame = session.geometry(*window);
    EXPECT_TRUE(waitUntil([&] { return session.screenshot({ frame.x + frame.width / 2, frame.y + 5, 1, 1 }, "band").at(0, 0) == darkStartPageColour; }))
        << "the band takes the page's colour";
}

TEST_F(Navigation, AnAddressOnTheCommandLineOpensItsPageAsALinkWould)
{
    auto quillane = session.startQuillane({ server.url("/green.html?from=command&x=1") });
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/green.html?from=command&x=1") == 1; }));
    EXPECT_TRUE(waitUntil([&] { return rememberedAddress() == server.url("/green.html?from=command&x=1"); })) << session.readPreferences();
    EXPECT_FALSE(dialogShows(1s));

    // An address as typed in Open Address, handed to the running Quillane.
    int status = -1;
    std::string said = session.run({ "sh", "-c", std::string(QUILLANE_BINARY) + " '127.0.0.1:" + std::to_string(server.port()) + "/blue.html' 'hello world' --bogus 2>&1" }, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(said.find("\u201chello world\u201d is neither a web address nor a quillane: link"), std::string::npos) << said;
    EXPECT_NE(said.find("\u201c--bogus\u201d is not understood here"), std::string::npos) << said;
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/blue.html") == 1; }));
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == Pixel { 0, 0, 200 }; }));
}

TEST_F(Navigation, ALinkOnTheCommandLineOpensItsPage)
{
    std::string address = server.url("/green.html?from=link&x=1");
    auto quillane = session.startQuillane({ link(address) });
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/green.html?from=link&x=1") == 1; }));
    // The store writes on a thread of its own, within milliseconds.
    EXPECT_TRUE(waitUntil([&] { return rememberedAddress() == address; })) << session.readPreferences();
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == Pixel { 0, 160, 0 }; }));
    EXPECT_FALSE(dialogShows(1s));
}

TEST_F(Navigation, ASecondLaunchHandsItsLinkToTheRunningWindowAndEnds)
{
    remember(server.url("/green.html"));
    auto first = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 1; }));

    auto second = session.startQuillane({ link("ftp://refused.example/"), link(server.url("/blue.html")) });
    EXPECT_EQ(second->waitForExit(5s), 0);
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/blue.html") == 1; }));
    EXPECT_TRUE(waitUntil([&] { return rememberedAddress() == server.url("/blue.html"); })) << session.readPreferences();
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == Pixel { 0, 0, 200 }; }));
    EXPECT_EQ(session.search({ "--class", "^Quillane$" }), std::vector { *window })
        << "still one window";
    EXPECT_TRUE(first->running());
}

TEST_F(Navigation, APageThatKeepsTheUserWaitingHasALineUnderTheBandUntilAnotherComes)
{
    server.silent("/silent.html");
    // A page that has come but whose image never does: its load never finishes. Its text is enough
    // for the engine to draw it before then (a page with next to nothing in it waits for more).
    server.hang("/never.png");
    server.serve("/arrived.html", std::string(bluePage) + "<p style='color: rgb(0, 0, 200)'>" + std::string(400, 'w') + " arrived</p><img src='/never.png'>");
    remember(server.url("/green.html"));
    auto first = session.startQuillane();
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    auto bandBottom = [&] {
        Geometry frame = session.geometry(*window);
        return session.screenshot({ frame.x + 3, frame.y + 9, 1, 1 }, "line").at(0, 0);
    };
    const Pixel green { 0, 160, 0 }, blue { 0, 0, 200 };
    ASSERT_TRUE(waitUntil([&] { return pageColour(*window) == green && bandBottom() == green; })) << "no line over a page that came";

    auto second = session.startQuillane({ link(server.url("/silent.html")) });
    EXPECT_EQ(second->waitForExit(5s), 0);
    EXPECT_TRUE(waitUntil([&] { return bandBottom() != green; })) << "a line while the server says nothing";
    EXPECT_EQ(pageColour(*window), green) << "under it the page shown before";

    auto third = session.startQuillane({ link(server.url("/arrived.html")) });
    EXPECT_EQ(third->waitForExit(5s), 0);
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == blue && bandBottom() == blue; })) << "gone once a page came: " << bandBottom();
}

TEST_F(Navigation, ARefusedLinkChangesNothing)
{
    remember(server.url("/green.html"));
    auto first = session.startQuillane();
    ASSERT_TRUE(session.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 1; }));
    auto second = session.startQuillane({ "quillane://open?url=javascript%3Aalert(1)", link("file:///etc/hosts") });
    EXPECT_EQ(second->waitForExit(5s), 0);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(rememberedAddress(), server.url("/green.html"));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(first->running());
}

TEST_F(Navigation, TheInstalledDesktopEntryMakesQuillaneTheHandlerOfItsLinks)
{
    std::string prefix = session.folder() + "/prefix";
    int status = -1;
    session.run({ "cmake", "--install", QUILLANE_BUILD_DIR, "--prefix", prefix }, &status);
    ASSERT_EQ(status, 0);
    session.setExtraEnvironment({ "PATH=" + prefix + "/bin:" + std::string(getenv("PATH")), "XDG_DATA_HOME=" + prefix + "/share" });
    EXPECT_EQ(session.run({ "gio", "mime", "x-scheme-handler/quillane" }).find("org.quillane.Quillane.desktop") != std::string::npos, true);

    // Started, not run: the program gio starts keeps gio's output open.
    auto gio = session.start({ "gio", "open", link(server.url("/green.html")) });
    EXPECT_EQ(gio->waitForExit(10s), 0);
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 1; }));
    // gio started it on its own: end it here.
    std::string pid = session.run({ "xdotool", "getwindowpid", std::to_string(*window) });
    if (int number = std::atoi(pid.c_str()); number > 0)
        kill(number, SIGTERM);
}

TEST_F(Navigation, ARememberedAddressRefusedAtOnceAsksAboveTheWindowAtTheStart)
{
    // A blocked port fails before the window shows: the dialog must still come above it.
    remember("http://127.0.0.1:6000/");
    auto quillane = session.startQuillane();
    auto window = session.waitForWindow();
    auto dialog = session.waitForWindowNamed("Open Address");
    ASSERT_TRUE(window && dialog);
    auto stackedAbove = [&] {
        std::string stacking = session.run({ "xprop", "-root", "_NET_CLIENT_LIST_STACKING" });
        auto main = stacking.find(hex(*window)), asking = stacking.find(hex(*dialog));
        return main != std::string::npos && asking != std::string::npos && asking > main;
    };
    EXPECT_TRUE(waitUntil(stackedAbove)) << session.run({ "xprop", "-root", "_NET_CLIENT_LIST_STACKING" });
    session.xdotool({ "key", "ctrl+a" });
    session.xdotool({ "type", "--delay", "15", server.url("/green.html") });
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/green.html") == 1; })) << "the dialog has the keyboard";
    EXPECT_TRUE(waitUntil([&] { return pageColour(*window) == Pixel { 0, 160, 0 }; }));
}
