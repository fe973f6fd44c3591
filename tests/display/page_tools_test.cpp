// Notifications, zoom, find in page and printing.
#include "in_process.h"
#include "quillane_test.h"

using namespace quillane;
using namespace quillane::testing;

using PageTools = QuillaneTest;

TEST_F(PageTools, NotificationsAreAskedOnceShownOnTheDesktopAndClickedThrough)
{
    std::string shown = session.folder() + "/notifications.txt";
    auto service = session.start({ NOTIFICATION_SERVICE, shown });
    ASSERT_TRUE(waitUntil([&] { return readFile(shown).find("ready") != std::string::npos; }));
    HttpServer otherSite;
    otherSite.serve("/frame.html", "<script>Notification.requestPermission().then(answer => parent.postMessage('frame ' + answer, '*'))</script>");
    const std::string page = "<title>page</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                             "<iframe src='" + otherSite.url("/frame.html") + "' style='position: fixed; top: 300px'></iframe>"
                             "<button style='position: fixed; top: 100px; left: 20px; font-size: 30px'"
                             " onclick=\"Notification.requestPermission().then(answer => { document.title += ' ' + answer;"
                             " const shown = new Notification('Hello', { body: 'from the page' }); shown.onclick = () => document.title += ' clicked' })\">"
                             "notify</button><script>addEventListener('message', event => document.title += ' ' + event.data);"
                             "document.title += ' ' + Notification.permission</script></body>";
    ASSERT_TRUE(open(page));
    EXPECT_TRUE(titleHas("frame denied")) << "a frame of another site is refused: " << title();
    EXPECT_FALSE(session.waitForWindowNamed("Allow \u201c127.0.0.1\u201d to show notifications?", std::chrono::milliseconds(300)))
        << "and never asked about";

    click(60, 10 + 115);
    ASSERT_TRUE(session.waitForWindowNamed("Allow \u201c127.0.0.1\u201d to show notifications?"));
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(waitUntil([&] { return readFile(shown).find("Hello|from the page") != std::string::npos; })) << readFile(shown);
    EXPECT_TRUE(titleHas("granted clicked")) << "the click reached the page: " << title();
    EXPECT_TRUE(waitUntil([&] {
        return session.readPreferences().find("notifications={'" + server.url("") + "': true}") != std::string::npos;
    })) << session.readPreferences();

    // Remembered across a restart: the page is allowed without a question.
    ASSERT_TRUE(restart());
    EXPECT_TRUE(titleHas("page granted")) << title();
}

TEST_F(PageTools, ClickingANotificationBringsBackAMinimisedWindow)
{
    std::string shown = session.folder() + "/notifications.txt";
    auto service = session.start({ NOTIFICATION_SERVICE, shown, "2500" });
    ASSERT_TRUE(waitUntil([&] { return readFile(shown).find("ready") != std::string::npos; }));
    // The page tells something once it is out of sight; the service clicks it 2.5 s later, after
    // the user has been working in another window (which a window manager weighs before it lets a
    // window come forward).
    ASSERT_TRUE(open("<title>page</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "document.addEventListener('visibilitychange', () => { if (!document.hidden) return;"
                     " const shown = new Notification('While away', { body: 'something came' });"
                     " shown.onclick = () => document.title += ' clicked' })</script></body>",
        "notifications={'" + server.url("") + "': true}\n"));
    // The user worked in the page, then in another program.
    pointAt(300, 200);
    session.xdotool({ "click", "1" });
    session.xdotool({ "windowminimize", "--sync", std::to_string(window) });
    ASSERT_TRUE(waitUntil([&] { return readFile(shown).find("While away|something came") != std::string::npos; })) << readFile(shown);
    auto other = session.start({ "xmessage", "-center", "another program" });
    auto otherWindow = session.waitForWindowNamed("xmessage");
    ASSERT_TRUE(otherWindow);
    Geometry where = session.geometry(*otherWindow);
    session.xdotool({ "mousemove", std::to_string(where.x + 5), std::to_string(where.y + where.height - 5) });
    session.xdotool({ "click", "1" });
    EXPECT_TRUE(titleHas("page clicked")) << title();
    EXPECT_TRUE(waitUntil([&] { return session.property(window, "_NET_WM_STATE").find("_NET_WM_STATE_HIDDEN") == std::string::npos; }))
        << session.property(window, "_NET_WM_STATE");
    EXPECT_TRUE(waitUntil([&] { return session.run({ "xdotool", "getactivewindow" }) == std::to_string(window) + "\n"; })) << "and has the keyboard";
}

TEST_F(PageTools, ARefusedSiteIsNotAskedAgainAndMicrophoneChoicesStayApart)
{
    ASSERT_TRUE(open("<title>page</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "Notification.requestPermission().then(answer => document.title += ' ' + answer)</script></body>",
        "notifications={'" + server.url("") + "': false}\n"));
    EXPECT_TRUE(titleHas("page denied")) << title();
    EXPECT_FALSE(session.waitForWindowNamed("Allow \u201c127.0.0.1\u201d to show notifications?", std::chrono::milliseconds(300)));
}

TEST_F(PageTools, ZoomGoesByStepsAndIsRememberedPerSite)
{
    const std::string page = "<title>zoom</title><body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                             // The zoom its first script saw, and the zoom now.
                             "const first = (640 / innerWidth).toFixed(2);"
                             "const show = () => document.title = 'zoom ' + (640 / innerWidth).toFixed(2) + ' from ' + first; show(); addEventListener('resize', show)"
                             "</script></body>";
    ASSERT_TRUE(open(page));
    EXPECT_TRUE(titleHas("zoom 1.00"));
    key("ctrl+plus");
    EXPECT_TRUE(titleHas("zoom 1.10")) << title();
    key("ctrl+equal");
    EXPECT_TRUE(titleHas("zoom 1.25")) << title();
    key("ctrl+minus");
    EXPECT_TRUE(titleHas("zoom 1.10")) << title();
    ASSERT_TRUE(restart());
    EXPECT_TRUE(titleHas("zoom 1.10 from 1.10")) << "restored after a restart, from the page's first script: " << title();

    // Another site keeps its own size (the window is 640 points wide, so the ratio is the zoom).
    HttpServer otherSite;
    otherSite.serve("/page.html", page);
    key("ctrl+l");
    ASSERT_TRUE(session.waitForWindowNamed("Open Address"));
    session.xdotool({ "key", "ctrl+a" });
    session.xdotool({ "type", otherSite.url("/page.html") });
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(waitUntil([&] { return otherSite.timesRequested("/page.html") == 1; }));
    EXPECT_TRUE(titleHas("zoom 1.00 from 1.00")) << title();
    key("ctrl+0");
    EXPECT_NE(session.readPreferences().find("zoom={'" + server.url("") + "': 1.1"), std::string::npos)
        << session.readPreferences();
}

TEST_F(PageTools, FindGoesThroughTheMatchesAndPrintingMakesAPDFOfThePage)
{
    session.enterThisProcess();
    server.serve("/blank.html", "");
    session.writePreferences("[Preferences]\naddress='" + server.url("/blank.html") + "'\n");
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        auto& page = delegate.mainWindow().page();
        page.loadHTML("<title>Report</title><p>One fox, two Fox, three FOX, a fog and a foxglove.</p>", "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return page.title() == "Report"; }));
        FindInPage& find = delegate.findInPage();
        find.open();
        ASSERT_TRUE(spinUntil([&] { return find.isOpen(); }));
        // "f" and "fo" match five times: four is the count for the whole text, and a step taken
        // before that count arrives has nothing to step through.
        session.xdotool({ "type", "fox" });
        ASSERT_TRUE(spinUntil([&] { return find.status() == "1 of 4"; })) << find.status();
        session.xdotool({ "key", "Return" });
        EXPECT_TRUE(spinUntil([&] { return find.status() == "2 of 4"; })) << find.status();
        session.xdotool({ "key", "shift+Return" });
        session.xdotool({ "key", "shift+Return" });
        EXPECT_TRUE(spinUntil([&] { return find.status() == "4 of 4"; })) << "wraps round: " << find.status();
        session.xdotool({ "type", "x" });
        EXPECT_TRUE(spinUntil([&] { return find.status() == "No matches"; })) << find.status();
        session.xdotool({ "key", "Escape" });
        EXPECT_TRUE(spinUntil([&] { return !find.isOpen(); }));
        EXPECT_TRUE(page.hasKeyboardFocus()) << "the keyboard is back in the page";

        std::string pdf = session.folder() + "/report.pdf";
        std::optional<bool> printed;
        page.printToFile(pdf, [&](bool done) { printed = done; });
        ASSERT_TRUE(spinUntil([&] { return printed.has_value(); }, std::chrono::seconds(20)));
        EXPECT_TRUE(*printed);
        EXPECT_NE(session.run({ "pdftotext", pdf, "-" }).find("One fox, two Fox"), std::string::npos);
    });
}

TEST_F(PageTools, AnAllowedSiteIsGrantedAtLoadAndAskedAgainAfterForgettingWithoutAReload)
{
    // What the page sees, a tenth of a second at a time: its first answer, Notification.permission,
    // the Permissions API's state, and the answer to a second request made with a click.
    std::string shown = session.folder() + "/notifications.txt";
    auto service = session.start({ NOTIFICATION_SERVICE, shown });
    ASSERT_TRUE(waitUntil([&] { return readFile(shown).find("ready") != std::string::npos; }));
    ASSERT_TRUE(open("<title>page</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                     "<button style='position: fixed; top: 100px; left: 20px; font-size: 30px'"
                     " onclick=\"Notification.requestPermission().then(answer => again = answer)\">ask</button><script>"
                     "let first = '', state = '', again = '', closed = '';"
                     "addEventListener('keydown', () => { const stale = new Notification('Stale', { body: 'old answer' });"
                     " stale.onclose = () => closed = ' closed' });"
                     "Notification.requestPermission().then(answer => first = answer);"
                     "setInterval(() => navigator.permissions.query({ name: 'notifications' }).then(status => {"
                     " state = status.state; document.title = ['asked', first, 'now', Notification.permission, 'query', state, 'again', again].join(' ') + closed }), 100)"
                     "</script></body>",
        "notifications={'" + server.url("") + "': true}\n"));
    EXPECT_TRUE(titleHas("asked granted now granted query granted again")) << "answered at load, without a click: " << title();
    activate("forget-notification-choices");
    EXPECT_TRUE(titleHas("now default query prompt")) << "the open page hears it: " << title();
    EXPECT_EQ(server.timesRequested("/page.html"), 1) << "not reloaded";
    // The engine still holds the old answer for the page, so it would show a notification: the
    // program does not.
    key("n");
    EXPECT_TRUE(titleHas("closed")) << title();
    EXPECT_EQ(readFile(shown).find("Stale|"), std::string::npos) << readFile(shown);

    pointAt(60, 10 + 115);
    session.xdotool({ "click", "1" });
    ASSERT_TRUE(session.waitForWindowNamed("Allow \u201c127.0.0.1\u201d to show notifications?")) << "asked again";
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(titleHas("now granted query granted again granted")) << title();
}

TEST_F(PageTools, ForgettingNotificationAndLinkChoicesSaysWhatItDidInTheWindow)
{
    session.enterThisProcess();
    server.serve("/blank.html", "");
    session.writePreferences("[Preferences]\naddress='" + server.url("/blank.html") + "'\n"
        "notifications={'https://mail.example': true, 'https://news.example': false}\n"
        "links={'https://mail.example mailto': true, 'https://mail.example tel': true, 'https://chat.example irc': true}\n");
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        platform::Window& window = delegate.mainWindow().window();
        EXPECT_FALSE(window.noteShown());
        delegate.commands().activate("forget-notification-choices");
        EXPECT_TRUE(spinUntil([&] { return window.noteShown() == "Forgot the notification choices of 2 sites: they will be asked again."; }))
            << window.noteShown().value_or("no note");
        delegate.commands().activate("forget-notification-choices");
        EXPECT_TRUE(spinUntil([&] { return window.noteShown() == "No site had a notification choice to forget."; }));
        EXPECT_TRUE(spinUntil([&] { return !window.noteShown(); }, std::chrono::seconds(6))) << "and it goes by itself";
        delegate.commands().activate("forget-link-choices");
        EXPECT_TRUE(spinUntil([&] { return window.noteShown() == "Forgot 3 link choices: such links will be asked about again."; }))
            << window.noteShown().value_or("no note");
        delegate.commands().activate("forget-link-choices");
        EXPECT_TRUE(spinUntil([&] { return window.noteShown() == "No link had a remembered choice to forget."; }))
            << window.noteShown().value_or("no note");
    });
}
