// Pages and faults that must not freeze, steer or silently break the program.
#include "quillane_test.h"

#include "process_stats.h"

#include <signal.h>
#include <unistd.h>

#include <fstream>

using namespace quillane::testing;

namespace {
class HostilePages : public QuillaneTest {
protected:
    std::vector<pid_t> webProcesses() const { return webProcessesOf(quillane->pid()); }

    // Ends the page's process as a crash would; true when there was one to end.
    bool crashThePage() const
    {
        auto processes = webProcesses();
        for (pid_t pid : processes)
            kill(pid, SIGKILL);
        return !processes.empty();
    }

    std::string title() const { return session.property(window, "_NET_WM_NAME"); }

    // Whether the page's processes used a fifth of a processor or more over half a second: an idle
    // page uses next to none, one that never yields all it is given, however busy the machine.
    bool pageSpins() const
    {
        auto used = [&] {
            double seconds = 0;
            for (pid_t pid : webProcesses())
                seconds += processorSeconds(pid);
            return seconds;
        };
        double before = used();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        return used() - before >= 0.1;
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
    // The frame keeps posting its colour: the band never takes it.
    for (int look = 0; look < 5; ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_TRUE(near(pixel(100, 5), blue)) << pixel(100, 5);
    }

    // A press in the frame's top strip, which the frame turns into a drag request, moves nothing.
    Geometry before = frame();
    pointAt(450, 10 + 5);
    session.xdotool({ "mousedown", "1" });
    session.xdotool({ "mousemove_relative", "--", "40", "30" });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    session.xdotool({ "mouseup", "1" });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(frame().x, before.x);
    EXPECT_EQ(frame().y, before.y);

    // The page's own top still reaches the band, and its empty top strip still moves the window.
    pointAt(100, 300);
    session.xdotool({ "click", "1" });
    EXPECT_TRUE(waitForPixel(100, 5, green)) << pixel(100, 5);
    pointAt(100, 10 + 5);
    session.xdotool({ "mousedown", "1" });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    session.xdotool({ "mousemove_relative", "--", "40", "30" });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    session.xdotool({ "mouseup", "1" });
    EXPECT_TRUE(waitUntil([&] { return frame().x == before.x + 40 && frame().y == before.y + 30; }));
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
    EXPECT_TRUE(waitUntil([&] { return title().find("The page stopped working") != std::string::npos; })) << title();
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
    EXPECT_TRUE(waitUntil([&] { return title().find("The site\u2019s certificate was not accepted") != std::string::npos; })) << title();
    // The address remembered for the start failed: the dialog offers another.
    ASSERT_TRUE(session.waitForWindowNamed("Open Address"));
    session.xdotool({ "key", "ctrl+a" });
    session.xdotool({ "type", "127.0.0.1:" + std::to_string(closed) + "/" });
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(waitUntil([&] { return title().find("The site refused the connection") != std::string::npos; })) << title();
    EXPECT_FALSE(session.waitForWindowNamed("Open Address", std::chrono::milliseconds(500))) << "asked once, at the start";
    EXPECT_TRUE(quillane->running());
}

TEST_F(HostilePages, TheProgramsOwnKeysWorkWhileThePageNeverYields)
{
    // Once it has shown itself, the page never gives its process back.
    ASSERT_TRUE(open("<title>Busy</title><body style='margin: 0; background: rgb(0, 0, 200)'>"
                     "<script>addEventListener('load', () => setTimeout(() => { for (;;) { } }, 300))</script></body>"));
    ASSERT_TRUE(waitUntil([&] { return pageSpins(); })) << "the page's process keeps a processor busy";

    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+l" });
    ASSERT_TRUE(session.waitForWindowNamed("Open Address", std::chrono::seconds(3)));
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Open Address", std::chrono::milliseconds(0)); }));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+q" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(8)), 0) << "quits, after the time a silent page is given";
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
    EXPECT_TRUE(waitUntil([&] { return title().find("Pages may not use this port") != std::string::npos; })) << title();
    EXPECT_TRUE(session.waitForWindowNamed("Open Address")) << "the remembered page failed at the start";
}
