// Windows the page asks for, closing a page that objects, and keys that belong to the page.
#include "in_process.h"
#include "quillane_test.h"

#include <algorithm>
#include <fstream>
#include <thread>

using namespace quillane;
using namespace quillane::testing;

namespace {

class PageWindows : public QuillaneTest {
protected:
    // A program of the desktop for each scheme, for this test: each writes the links it is handed to
    // one file.
    std::string installRecorders(const std::vector<std::string>& schemes) const
    {
        std::string received = session.folder() + "/handed.txt";
        std::string applications = session.dataHome() + "/applications";
        session.run({ "mkdir", "-p", applications });
        std::ofstream defaults(session.configHome() + "/mimeapps.list");
        defaults << "[Default Applications]\n";
        for (const auto& scheme : schemes) {
            std::ofstream(applications + "/record-" + scheme + ".desktop") << "[Desktop Entry]\nType=Application\nName=Recorder " + scheme
                    + "\nExec=sh -c 'echo \"$1\" >> " + received + "' sh %u\nMimeType=x-scheme-handler/" + scheme + ";\n";
            defaults << "x-scheme-handler/" << scheme << "=record-" << scheme << ".desktop\n";
        }
        return received;
    }
};

// Each control sits at a place of its own, 40 points high, from the page's top-left corner.
std::string control(int y, const std::string& html)
{
    return "<div style='position: fixed; left: 20px; top: " + std::to_string(y) + "px; font-size: 30px'>" + html + "</div>";
}
} // namespace

TEST_F(PageWindows, APageWindowWhosePageCannotLoadSaysSoInItsWindow)
{
    int closedPort = 0;
    {
        HttpServer closed;
        closedPort = closed.port();
    }
    const std::string refused = "http://127.0.0.1:" + std::to_string(closedPort) + "/";
    ASSERT_TRUE(open("<body style='margin: 0'>" + control(60, "<button onclick=\"window.open('" + refused + "', 'w')\">open</button>")
        + control(120, "<button onclick=\"window.open('http://127.0.0.1:9/', 'b')\">blocked</button>") + "</body>"));
    click(60, 10 + 75);
    auto told = session.waitForWindowNamed("The site refused the connection");
    ASSERT_TRUE(told) << "the window stayed blank";
    session.run({ "wmctrl", "-i", "-c", std::to_string(*told) });
    ASSERT_TRUE(gone("The site refused the connection"));
    // A port pages are kept from, which the engine refuses without a word.
    click(60, 10 + 135);
    EXPECT_TRUE(session.waitForWindowNamed("Pages may not use this port")) << "the window stayed blank";
}

TEST_F(PageWindows, ThePageAsksForAnotherWindow)
{
    std::string browser = installRecorders({ "http", "https", "mailto" });
    HttpServer otherSite;
    // The pop-up closes itself when it is clicked, not at a moment of its own that the test could miss.
    otherSite.serve("/popup.html", "<title>Pop-up</title><body style='margin: 0'><script>opener.postMessage('signed in', '*');"
                                   "addEventListener('mousedown', () => window.close())</script></body>");
    otherSite.serve("/elsewhere.html", "<title>Elsewhere</title>");
    // Its links for another program, into a new window and within the page, each half of the window high.
    server.serve("/same.html", "<title>Same site</title><body style='margin: 0; background: rgb(0, 150, 0)'>"
                               "<a href='mailto:new@example.com' target='_blank' style='display: block; height: 50vh'>new</a>"
                               "<a href='mailto:in@example.com' style='display: block; height: 50vh'>in</a>"
                               "<script>addEventListener('load', () => requestAnimationFrame(() => requestAnimationFrame(() => fetch('/same-painted'))))</script></body>");
    server.serve("/report.bin", std::string("report"), "application/x-quillane-report");
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'>"
        + control(60, "<button onclick=\"window.open('" + otherSite.url("/popup.html") + "', 'sign-in')\">sign in</button>")
        + control(120, "<a href='/same.html' target='_blank'>same site</a>")
        + control(180, "<a href='" + otherSite.url("/elsewhere.html") + "' target='_blank'>elsewhere</a>")
        + control(240, "<button onclick=\"window.open('/report.bin')\">download</button>")
        + "<script>addEventListener('message', event => { if (event.data === 'signed in') fetch('/heard') })</script></body>"));

    // A script's pop-up to another site: a window of its own, above the main one, that talks to its
    // opener and closes itself.
    click(60, 10 + 75);
    auto popUp = session.waitForWindowNamed("Pop-up");
    ASSERT_TRUE(popUp);
    char mainId[32];
    std::snprintf(mainId, sizeof mainId, "0x%lx", window);
    EXPECT_NE(session.property(*popUp, "WM_TRANSIENT_FOR").find(mainId), std::string::npos) << session.property(*popUp, "WM_TRANSIENT_FOR");
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/heard") == 1; })) << "the opener heard from its pop-up";
    ASSERT_TRUE(waitUntil([&] { return isActive(*popUp); }));
    clickInside(*popUp);
    EXPECT_TRUE(gone("Pop-up")) << "window.close() closes the pop-up";

    // A link into a new window on the same site: a page window.
    click(60, 10 + 135);
    auto same = session.waitForWindowNamed("Same site");
    ASSERT_TRUE(same);
    // Once its links are laid out and drawn, where the window has been placed.
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/same-painted") == 1; }));
    // Its links for another program are asked about over it, not over the main window.
    char sameId[32];
    std::snprintf(sameId, sizeof sameId, "0x%lx", *same);
    for (double down : { 0.25, 0.75 }) {
        ASSERT_TRUE(waitUntil([&] { return isActive(*same); }));
        Geometry frame = session.geometry(*same);
        session.xdotool({ "mousemove", std::to_string(frame.x + 100), std::to_string(frame.y + int(frame.height * down)) });
        session.xdotool({ "click", "1" });
        auto question = session.waitForWindowNamed("Open this link with \u201cRecorder mailto\u201d?");
        ASSERT_TRUE(question) << down;
        EXPECT_NE(session.property(*question, "WM_TRANSIENT_FOR").find(sameId), std::string::npos) << down << session.property(*question, "WM_TRANSIENT_FOR");
        session.xdotool({ "key", "Escape" });
        ASSERT_TRUE(gone("Open this link with \u201cRecorder mailto\u201d?"));
    }
    session.run({ "wmctrl", "-i", "-c", std::to_string(*same) });
    EXPECT_TRUE(gone("Same site"));

    // A window that only downloads: the save dialog, and the empty window goes.
    click(60, 10 + 255);
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Save File"));
    // A link into a new window on another site: the default browser.
    click(60, 10 + 195);
    EXPECT_TRUE(waitUntil([&] { return readFile(browser) == otherSite.url("/elsewhere.html") + "\n"; })) << readFile(browser);
    EXPECT_EQ(otherSite.timesRequested("/elsewhere.html"), 0);

    EXPECT_EQ(session.search({ "--class", "^Quillane$" }), std::vector { window }) << "only the main window is left";
    EXPECT_EQ(server.timesRequested("/page.html"), 1) << "the main page stayed";
}

TEST_F(PageWindows, APopUpOpensAtTheSizeItsOpenerAskedForNoSmallerThanUsableElseEightHundredBySixHundred)
{
    server.serve("/sized.html", "<title>Sized</title>");
    server.serve("/tiny.html", "<title>Tiny</title>");
    server.serve("/plain.html", "<title>Plain</title>");
    ASSERT_TRUE(open("<title>Main</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
        + control(60, "<button onclick=\"window.open('/sized.html', 'sized', 'width=400,height=300')\">sized</button>")
        + control(140, "<button onclick=\"window.open('/tiny.html', 'tiny', 'width=50,height=40')\">tiny</button>")
        + control(220, "<button onclick=\"window.open('/plain.html')\">plain</button>") + "</body>"));
    const std::pair<int, std::pair<std::string, Geometry>> asked[] = {
        { 10 + 75, { "Sized", { 0, 0, 400, 300 } } },
        { 10 + 155, { "Tiny", { 0, 0, 240, 160 } } },
        { 10 + 235, { "Plain", { 0, 0, 800, 600 } } },
    };
    for (const auto& [y, expected] : asked) {
        const auto& [name, size] = expected;
        click(60, y);
        auto popUp = session.waitForWindowNamed(name);
        ASSERT_TRUE(popUp) << name;
        EXPECT_TRUE(waitUntil([&] {
            Geometry shown = session.geometry(*popUp);
            return shown.width == size.width && shown.height == size.height;
        })) << name << ": " << session.geometry(*popUp).width << " by " << session.geometry(*popUp).height;
        session.run({ "wmctrl", "-i", "-c", std::to_string(*popUp) });
        EXPECT_TRUE(gone(name));
    }
}

TEST_F(PageWindows, ABlankWindowThePagePointsAtADownloadAfterwardsLeavesNoWindow)
{
    // As a notebook's "Download as" does: a blank window first, then the download in it.
    server.serve("/report.bin", std::string("report"), "application/x-quillane-report");
    ASSERT_TRUE(open("<title>Main</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
        + control(60, "<button onclick=\"const w = window.open('about:blank', 'export'); setTimeout(() => w.location = '/report.bin', 700)\">export</button>")
        + "</body>"));
    click(60, 10 + 75);
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    EXPECT_TRUE(waitUntil([&] { return windowsShown() == 2; })) << "the main window and the save dialog: " << windowsShown();
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Save File"));
    EXPECT_EQ(session.search({ "--class", "^Quillane$" }), std::vector { window }) << "only the main window is left";
}

TEST_F(PageWindows, AWindowTheUserUsesStaysWhenADownloadStartsInIt)
{
    // Its opener writes a page into it, and the user saves from there.
    server.serve("/report.bin", std::string("report"), "application/x-quillane-report");
    ASSERT_TRUE(open("<title>Main</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
        + control(60, "<button onclick=\"window.open('', 'export').document.write("
                      "'<title>Export</title><a href=/report.bin style=&quot;position: fixed; inset: 0&quot;>save</a>')\">export</button>")
        + "</body>"));
    click(60, 10 + 75);
    auto written = session.waitForWindowNamed("Export");
    ASSERT_TRUE(written);
    session.xdotool({ "windowactivate", "--sync", std::to_string(*written) });
    session.xdotool({ "mousemove", "--window", std::to_string(*written), "100", "100" });
    session.xdotool({ "click", "1" });
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Save File"));
    EXPECT_TRUE(waitUntil([&] { return windowsShown() == 2; })) << "the window the user was using is still there beside the main one: " << windowsShown();
    EXPECT_TRUE(session.property(*written, "_NET_WM_NAME").find("Export") != std::string::npos) << session.property(*written, "_NET_WM_NAME");
}

TEST_F(PageWindows, ClosingAPageWithABeforeunloadHandlerAsksFirst)
{
    ASSERT_TRUE(open("<title>Unsaved</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                     "<script>addEventListener('beforeunload', event => event.preventDefault())</script></body>"));
    // A page may only object once the user has done something in it.
    click(300, 300);

    // The buttons come out as the pointer nears them; a hidden one takes no press.
    pointAt(closeX, buttonsY);
    ASSERT_TRUE(waitUntil([&] { return buttonsShow(); }));
    session.xdotool({ "click", "1" });
    ASSERT_TRUE(session.waitForWindowNamed("Leave page?")) << "the close button asks";
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Leave page?"));

    session.run({ "wmctrl", "-i", "-c", std::to_string(window) });
    ASSERT_TRUE(session.waitForWindowNamed("Leave page?")) << "the window manager's close asks";
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Leave page?"));
    EXPECT_TRUE(quillane->running()) << "staying keeps the program";

    key("ctrl+q");
    ASSERT_TRUE(session.waitForWindowNamed("Leave page?")) << "quitting asks";
    session.xdotool({ "key", "Return" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(10)), 0) << "leaving quits";
}

TEST_F(PageWindows, KeysReachThePageBeforeTheMenus)
{
    ASSERT_TRUE(open("<title>keys:</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "addEventListener('keydown', event => { if (!event.ctrlKey || event.key === 'Control') return;"
                     " event.preventDefault(); document.title += ' ' + event.key }); window.close()</script></body>"));
    click(300, 300);
    for (const char* keys : { "ctrl+c", "ctrl+r", "ctrl+l", "ctrl+q", "ctrl+m" })
        key(keys);
    EXPECT_TRUE(titleHas("keys: c r l q m")) << title();
    EXPECT_TRUE(quillane->running()) << "not quit, and the page's own window.close() closed nothing";
    EXPECT_EQ(server.timesRequested("/page.html"), 1) << "not reloaded";
    EXPECT_FALSE(session.waitForWindowNamed("Open Address", std::chrono::milliseconds(300))) << "no Open Address";
    EXPECT_EQ(session.property(window, "_NET_WM_STATE").find("HIDDEN"), std::string::npos) << "not minimised";
}

TEST_F(PageWindows, F10GoesToThePageFirstAndTheMenusHaveAKeyATerminalLeavesAlone)
{
    // Like a terminal in the page: every key is the page's, except the Ctrl+Shift ones.
    ASSERT_TRUE(open("<title>keys:</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "addEventListener('keydown', event => { if (event.ctrlKey && event.shiftKey) return;"
                     " event.preventDefault(); document.title += ' ' + event.key })</script></body>"));
    click(300, 300);
    key("F10");
    key("a");
    EXPECT_TRUE(waitUntil([&] { return title().find("keys: F10 a") != std::string::npos; })) << "F10 reached the page, and no menu took the next key: " << title();

    // Ctrl+Shift+M opens the menus with the first one chosen: Right opens it, Return takes its first item.
    key("ctrl+shift+m");
    ASSERT_TRUE(waitUntil([&] { return windowsShown() == 2; })) << "the menu shows";
    session.xdotool({ "key", "Right" });
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(session.waitForWindowNamed("About Quillane", std::chrono::seconds(5))) << "Quillane > About Quillane";
    EXPECT_TRUE(title().find(" M") == std::string::npos && title().find(" m") == std::string::npos) << "the page left it alone: " << title();
}

TEST_F(PageWindows, CtrlWClosesAPageWindowAndNeverTheMainOneAndAnUntitledOneIsNamedAfterItsSite)
{
    server.serve("/untitled.html", "<body style='margin: 0; background: rgb(0, 150, 0)'></body>");
    ASSERT_TRUE(open("<title>Main</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
        + control(60, "<button onclick=\"window.open('/untitled.html', 'untitled')\">open</button>") + "</body>"));
    click(60, 10 + 75);
    std::string site = "127.0.0.1:" + std::to_string(server.port());
    auto untitled = session.waitForWindowNamed(site);
    ASSERT_TRUE(untitled) << "named after its site";
    session.xdotool({ "windowactivate", "--sync", std::to_string(*untitled) });
    session.xdotool({ "key", "ctrl+w" });
    EXPECT_TRUE(gone(site));

    // Keys are taken in order: once Ctrl+L's dialog shows, Ctrl+W before it has had its turn.
    key("ctrl+w");
    key("ctrl+l");
    ASSERT_TRUE(session.waitForWindowNamed("Open Address"));
    EXPECT_TRUE(quillane->running());
    EXPECT_EQ(windowsNamed("Main"), 1) << "the main window stays";
    session.xdotool({ "key", "Escape" });
}

TEST_F(PageWindows, AClickThatFollowsSixtyLinksHandsOneToAnotherProgramAndNeverCodeOrData)
{
    std::string handed = installRecorders({ "http", "https", "ssh", "smb", "mailto", "javascript", "data", "blob", "about", "file", "quillane" });
    std::string never = "'javascript:alert(1)', 'data:text/html,hi', 'blob:" + server.url("/x") + "', 'about:blank', 'file:///etc/passwd', "
                        "'quillane://open?url=https%3A%2F%2Fexample.com'";
    // Each click of the user's follows a round of links made on the spot.
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "const rounds = [[" + never + ", 'https://elsewhere.example/', 'smb://host/share', 'mailto:a@example.com'],"
                     " ['ssh://second.example', 'mailto:b@example.com', " + never + "]];"
                     "for (let i = 0; i < 50; ++i) rounds[0].push('ssh://host' + i);"
                     "let round = 0;"
                     "addEventListener('click', event => { if (!event.isTrusted) return;"
                     " for (const href of rounds[round++] || []) {"
                     "  const a = document.createElement('a'); a.href = href; a.target = '_blank'; document.body.append(a); a.click() } })"
                     "</script></body>"));

    // The links that carry code or data go nowhere; the first that may leave does, and nothing after it.
    click(300, 200);
    EXPECT_TRUE(waitUntil([&] { return readFile(handed) == "https://elsewhere.example/\n"; })) << readFile(handed);

    // A scheme of another program's: asked first, naming the program.
    click(300, 200);
    ASSERT_TRUE(session.waitForWindowNamed("Open this link with \u201cRecorder ssh\u201d?"));
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(waitUntil([&] { return readFile(handed) == "https://elsewhere.example/\nssh://second.example\n"; })) << readFile(handed);
    // Nothing more comes of either click.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(readFile(handed), "https://elsewhere.example/\nssh://second.example\n") << "one link a click";
    EXPECT_EQ(session.search({ "--class", "^Quillane$" }), std::vector { window }) << "no page window either";
    EXPECT_EQ(server.timesRequested("/page.html"), 1) << "the page stayed";
}

TEST_F(PageWindows, AClickGetsOneWindowAndNoPageGetsMoreThanTwentyAtOnce)
{
    server.serve("/popup.html", "<title>Pop-up</title>");
    // The page counts the windows it was given (window.open gives null for one refused).
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "let presses = 0, given = 0;"
                     "addEventListener('keydown', () => { ++presses;"
                     " for (let i = 0; i < 1000; ++i) given += window.open('/popup.html', 'w' + Math.random()) ? 1 : 0;"
                     " document.title = presses + ' presses ' + given + ' windows' })"
                     "</script></body>"));
    // 1000 calls in one key press open one window; past 20 no more open.
    for (int press = 1; press <= 22; ++press) {
        key("k");
        int expected = std::min(press, 20);
        EXPECT_TRUE(titleHas(std::to_string(press) + " presses " + std::to_string(expected) + " windows")) << title();
        EXPECT_TRUE(waitUntil([&] { return windowsNamed("Pop-up") == expected; })) << press << " presses: " << windowsNamed("Pop-up");
    }
    EXPECT_EQ(windowsNamed("Pop-up"), 20) << "one window a press, and no more than 20";
    EXPECT_TRUE(quillane->running());
}

TEST_F(PageWindows, QuittingAsksAPageWindowWithUnsavedWork)
{
    server.serve("/draft.html", "<title>Draft</title><body style='margin: 0; background: rgb(0, 150, 0)'>"
                                "<script>addEventListener('beforeunload', event => event.preventDefault())</script></body>");
    ASSERT_TRUE(open("<title>Main</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
        + control(60, "<button onclick=\"window.open('/draft.html', 'draft')\">draft</button>") + "</body>"));
    click(60, 10 + 75);
    auto draft = session.waitForWindowNamed("Draft");
    ASSERT_TRUE(draft);
    // A page may only object once the user has done something in it.
    clickInside(*draft);

    key("ctrl+q");
    ASSERT_TRUE(session.waitForWindowNamed("Leave page?")) << "the page window is asked";
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Leave page?"));
    EXPECT_FALSE(quillane->waitForExit(std::chrono::seconds(4))) << "staying keeps everything, past the time a silent page is given";
    EXPECT_EQ(windowsNamed("Draft"), 1);

    key("ctrl+q");
    ASSERT_TRUE(session.waitForWindowNamed("Leave page?"));
    session.xdotool({ "key", "Return" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(10)), 0) << "leaving quits";
}

TEST_F(PageWindows, APrintLoopShowsOneDialogAtATimeAndQuitAlwaysWorks)
{
    ASSERT_TRUE(open("<title>Printing</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                     "<script>setInterval(() => print(), 50)</script></body>"));
    ASSERT_TRUE(session.waitForWindowNamed("Print"));
    EXPECT_EQ(windowsNamed("Print"), 1);
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(gone("Print"));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(windowsNamed("Print"), 0) << "not again at once after a cancel";
    ASSERT_TRUE(session.waitForWindowNamed("Print", std::chrono::seconds(10))) << "again after a while";
    // Quit works from the dialog itself, as from the window.
    session.xdotool({ "key", "ctrl+q" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(5)), 0);
}

TEST_F(PageWindows, ALinkForAnotherProgramLeavesThePageAsItIsAndOneNoProgramTakesIsSaidSo)
{
    std::string handed = installRecorders({ "mailto" });
    session.enterThisProcess();
    server.serve("/links.html", "<title>Links</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
            + control(60, "<a href='mailto:team@example.com'>mail</a>") + control(140, "<a href='irc://chat.example/room'>chat</a>")
            + control(220, "<button onclick=\"location.href = 'mailto:script@example.com'\">script</button>") + "</body>");
    server.serve("/blank.html", "");
    session.writePreferences("[Preferences]\naddress='" + server.url("/blank.html") + "'\n");
    launchQuillane(session, [&](DrivenQuillane& quillane) {
        platform::Window& shown = quillane.mainWindow().window();
        platform::WebView& page = quillane.mainWindow().page();
        page.load(server.url("/links.html"), 30);
        ASSERT_TRUE(spinUntil([&] { return shown.bandColour() == platform::Colour { 240 / 255.0, 240 / 255.0, 240 / 255.0, 1 }; }));
        Geometry frame = session.geometry(shown.x11Id());
        auto clickAt = [&](int y) {
            session.xdotool({ "mousemove", std::to_string(frame.x + 40), std::to_string(frame.y + 10 + y) });
            session.xdotool({ "click", "1" });
        };

        clickAt(75);
        ASSERT_TRUE(spinUntil([&] { return session.windowsNamed("Open this link with \u201cRecorder mailto\u201d?").size() == 1; }));
        session.xdotool({ "key", "Return" });
        EXPECT_TRUE(spinUntil([&] { return readFile(handed) == "mailto:team@example.com\n"; })) << readFile(handed);

        clickAt(155);
        EXPECT_TRUE(spinUntil([&] { return shown.noteShown() == "No program is set to open \u201circ:\u201d links."; }))
            << shown.noteShown().value_or("no note");

        // The page's script moving on from the user's click, as many mail links are made.
        clickAt(235);
        ASSERT_TRUE(spinUntil([&] { return session.windowsNamed("Open this link with \u201cRecorder mailto\u201d?").size() == 1; }));
        session.xdotool({ "key", "Return" });
        EXPECT_TRUE(spinUntil([&] { return readFile(handed) == "mailto:team@example.com\nmailto:script@example.com\n"; })) << readFile(handed);
        EXPECT_EQ(page.url(), server.url("/links.html")) << "the page stays";
        EXPECT_EQ(server.timesRequested("/links.html"), 1);

        // A load that a redirect takes to another program's link fails in the engine, and no
        // failure page takes the place of the page shown.
        server.redirect("/away", "irc://chat.example/room");
        bool failed = false;
        auto heard = page.loadFailed.add([&](const platform::LoadFailure& failure) { failed = failed || failure.address.rfind("irc:", 0) == 0; });
        page.load(server.url("/away"), 30);
        ASSERT_TRUE(spinUntil([&] { return failed; }));
        spinUntil([] { return false; }, std::chrono::milliseconds(500));
        EXPECT_EQ(page.title(), "Links");
    });
}
