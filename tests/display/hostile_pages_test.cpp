// Pages and faults that must not freeze, steer or silently break the program.
#include "in_process.h"
#include "process_stats.h"
#include "quillane_test.h"

#include <signal.h>

using namespace quillane;
using namespace quillane::testing;

namespace {
class HostilePages : public QuillaneTest {
protected:
    // Ends the page's process as a crash would; true when there was one to end.
    bool crashThePage() const
    {
        auto processes = webProcessesOf(quillane->pid());
        for (pid_t pid : processes)
            kill(pid, SIGKILL);
        return !processes.empty();
    }
};

constexpr Pixel blue { 0, 0, 200 };
constexpr Pixel green { 0, 150, 0 };
} // namespace

TEST_F(HostilePages, NeitherAFrameOfAnotherSiteNorThePagesOwnScriptsReachTheProgram)
{
    HttpServer otherSite;
    otherSite.serve("/frame.html", "<body style='margin: 0; background: rgb(250, 250, 0)'><script>"
                                   "const post = body => { try { webkit.messageHandlers.quillane.postMessage(body) } catch (e) { } };"
                                   "setInterval(() => post({band: 'rgb(255, 0, 0)'}), 20);"
                                   "addEventListener('mousedown', () => post('drag'))</script></body>");
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(0, 0, 200)'>"
                     "<iframe src='" + otherSite.url("/frame.html") + "' style='position: fixed; top: 0; left: 300px; width: 300px; height: 200px; border: 0'></iframe>"
                     "<script>const post = body => { try { webkit.messageHandlers.quillane.postMessage(body) } catch (e) { } };"
                     "const a = []; a.push(a, a); post(a); post({band: 'rgb(255, 0, 0)'});"
                     "window.webkit = { messageHandlers: { quillane: { postMessage() { } } } };"
                     "addEventListener('click', () => document.body.style.background = 'rgb(0, 150, 0)')</script></body>"));
    ASSERT_TRUE(waitUntil([&] { return otherSite.timesRequested("/frame.html") == 1; }));
    EXPECT_TRUE(waitForPixel(100, 5, blue)) << "the band shows the page's top: " << pixel(100, 5);

    // A press in the frame's top strip, which the frame turns into a drag request, while the frame
    // keeps posting its colour: the window moves with none of the pointer's moves, the band stays.
    Geometry before = frame();
    pointAt(450, 10 + 5);
    session.xdotool({ "mousedown", "1" });
    int step = 0;
    EXPECT_FALSE(waitUntil([&] {
        session.xdotool({ "mousemove_relative", "--", std::to_string(++step % 2 ? 30 : -30), "20" });
        return frame().x != before.x || frame().y != before.y || !near(pixel(100, 5), blue);
    }, std::chrono::milliseconds(800))) << pixel(100, 5);
    session.xdotool({ "mouseup", "1" });

    // The page's own top still reaches the band, and its empty top strip still moves the window.
    click(100, 300);
    EXPECT_TRUE(waitForPixel(100, 5, green)) << pixel(100, 5);
    EXPECT_TRUE(dragMoves(100, 10 + 5, 40, 30));
}

TEST(PopUps, APopUpOfTheMainPagesSiteSharingItsScriptsNeverSpeaksForTheMainWindow)
{
    DisplaySession session;
    session.enterThisProcess();
    HttpServer server;
    // The pop-up shows red at its top, and makes our drag script ask for a drag before it tells its
    // opener, which then turns green: the main page's report comes after anything the pop-up said.
    server.serve("/main.html", "<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                               "addEventListener('mousedown', () => window.open('/popup.html', 'sign-in'));"
                               "addEventListener('message', () => document.body.style.background = 'rgb(0, 150, 0)')</script></body>");
    server.serve("/popup.html", "<body style='margin: 0; background: rgb(250, 0, 0)'><script>addEventListener('load', () => {"
                                " document.body.dispatchEvent(new MouseEvent('mousedown', { bubbles: true, clientX: 300, clientY: 2 }));"
                                " opener.postMessage('said', '*') })</script></body>");
    server.serve("/blank.html", "");
    session.writePreferences("[Preferences]\naddress='" + server.url("/blank.html") + "'\n");
    launchQuillane(session, [&](DrivenQuillane& quillane) {
        platform::Window& window = quillane.mainWindow().window();
        quillane.mainWindow().page().load(server.url("/main.html"), 30);
        ASSERT_TRUE(spinUntil([&] { return window.bandColour() == platform::Colour { 240 / 255.0, 240 / 255.0, 240 / 255.0, 1 }; }));
        Geometry frame = session.geometry(window.x11Id());
        session.xdotool({ "mousemove", std::to_string(frame.x + 300), std::to_string(frame.y + 300) });
        session.xdotool({ "click", "1" });
        EXPECT_TRUE(spinUntil([&] { return window.bandColour() == platform::Colour { 0, 150 / 255.0, 0, 1 }; })) << "the opener heard";
        EXPECT_EQ(server.timesRequested("/popup.html"), 1);
        for (const auto& message : quillane.messages) {
            const platform::ScriptValue* band = message.find("band");
            ASSERT_TRUE(band) << "a drag request came through";
            EXPECT_NE(band->text, "rgb(250, 0, 0)") << "the pop-up's colour came through";
        }
    });
}

TEST_F(HostilePages, APageWhoseProcessEndsComesBackUntilItKeepsEnding)
{
    ASSERT_TRUE(open("<title>Alive</title><body style='margin: 0; background: rgb(0, 0, 200)'></body>"));
    ASSERT_TRUE(crashThePage());
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/page.html") == 2; }, std::chrono::seconds(3))) << "loaded again by itself";
    EXPECT_TRUE(waitForPixel(300, 300, blue));

    // Twice more within the minute: the program stops bringing it back and says so.
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/painted") == 2; }));
    ASSERT_TRUE(crashThePage());
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/painted") == 3; }));
    ASSERT_TRUE(crashThePage());
    EXPECT_TRUE(titleHas("The page stopped working")) << title();
    EXPECT_EQ(server.timesRequested("/page.html"), 3);
    EXPECT_TRUE(quillane->running());
}

TEST_F(HostilePages, ALoadThatFailsIsToldInTheWindowAndACertificateIsNeverAcceptedQuietly)
{
    // A self-signed certificate, as a careless or hostile site shows.
    std::string key = session.folder() + "/key.pem", certificate = session.folder() + "/certificate.pem";
    int status = -1;
    session.run({ "openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", certificate, "-days", "2", "-subj", "/CN=localhost" },
        &status);
    ASSERT_EQ(status, 0);
    int port = 0, closed = 0;
    {
        HttpServer free, gone;
        port = free.port();
        closed = gone.port();
    }
    auto tls = session.start({ "openssl", "s_server", "-accept", std::to_string(port), "-cert", certificate, "-key", key, "-www", "-quiet" });
    std::string address = "https://127.0.0.1:" + std::to_string(port) + "/";
    ASSERT_TRUE(waitUntil([&] { return session.run({ "sh", "-c", "echo | openssl s_client -connect 127.0.0.1:" + std::to_string(port) + " 2>&1" }).find("CONNECTED") != std::string::npos; }));

    session.writePreferences("[Preferences]\naddress='" + address + "'\n");
    quillane = session.startQuillane();
    auto found = session.waitForWindow();
    ASSERT_TRUE(found);
    window = *found;
    EXPECT_TRUE(titleHas("The site\u2019s certificate was not accepted")) << title();
    // The address remembered for the start failed: the dialog offers another.
    ASSERT_TRUE(session.waitForWindowNamed("Open Address"));
    session.xdotool({ "key", "ctrl+a" });
    session.xdotool({ "type", "127.0.0.1:" + std::to_string(closed) + "/" });
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(titleHas("The site refused the connection")) << title();
    EXPECT_FALSE(session.waitForWindowNamed("Open Address", std::chrono::milliseconds(500))) << "asked once, at the start";
    EXPECT_TRUE(quillane->running());
}

TEST_F(HostilePages, TheProgramsOwnKeysWorkWhileThePageNeverYields)
{
    // Once it has shown itself, the page never gives its process back.
    ASSERT_TRUE(open("<title>Busy</title><body style='margin: 0; background: rgb(0, 0, 200)'>"
                     "<script>addEventListener('load', () => setTimeout(() => { const said = new XMLHttpRequest();"
                     " said.open('GET', '/spinning', false); said.send(); for (;;) { } }, 300))</script></body>"));
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/spinning") == 1; })) << "the page's script never yields from now on";

    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+l" });
    ASSERT_TRUE(session.waitForWindowNamed("Open Address", std::chrono::seconds(3)));
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Open Address", std::chrono::milliseconds(0)); }));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+q" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(8)), 0) << "quits, within the time a silent page is given";
}

TEST_F(HostilePages, TheProgramsOwnKeysWorkWithNoPage)
{
    quillane = session.startQuillane();
    ASSERT_TRUE(session.waitForWindowNamed("Open Address"));
    auto found = session.waitForWindow();
    ASSERT_TRUE(found);
    window = *found;
    session.xdotool({ "key", "Escape" });
    ASSERT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Open Address", std::chrono::milliseconds(0)); }));
    EXPECT_TRUE(waitForPixel(320, 200, { 0xf4, 0xf4, 0xf5 })) << "the start page: " << pixel(320, 200);
    EXPECT_TRUE(waitForPixel(320, 5, { 0xf4, 0xf4, 0xf5 })) << "the band takes its colour: " << pixel(320, 5);

    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+l" });
    ASSERT_TRUE(session.waitForWindowNamed("Open Address", std::chrono::seconds(3))) << "asks again, from the start page";
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Open Address", std::chrono::milliseconds(0)); }));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+q" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(3)), 0);
}

TEST_F(HostilePages, APortPagesMayNotUseIsToldLikeAnyOtherFailure)
{
    session.writePreferences("[Preferences]\naddress='http://127.0.0.1:1/'\n");
    quillane = session.startQuillane();
    auto found = session.waitForWindow();
    ASSERT_TRUE(found);
    window = *found;
    EXPECT_TRUE(titleHas("Pages may not use this port")) << title();
    EXPECT_TRUE(session.waitForWindowNamed("Open Address")) << "the remembered page failed at the start";
}
