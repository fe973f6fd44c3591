// Several web applications, each apart from the others, all run by one Quillane process.
#include "process_stats.h"
#include "quillane_test.h"

#include <cstdio>
#include <fstream>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include <glib.h>

using namespace quillane::testing;

namespace {
// Shows in its title whether the site knew it already (a cookie), and remembers it from now on.
constexpr const char* rememberingPage = "<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                                        "const known = document.cookie.includes('login=');"
                                        "document.cookie = 'login=kept; max-age=3600; path=/';"
                                        "document.title = location.pathname.slice(1) + (known ? ' known' : ' new')</script></body>";

class Apps : public QuillaneTest {
protected:
    std::string link(const std::string& path) const
    {
        char* escaped = g_uri_escape_string(server.url(path).c_str(), nullptr, FALSE);
        std::string result = std::string("quillane://open?url=") + escaped;
        g_free(escaped);
        return result;
    }
    std::string titleOf(unsigned long id) const { return session.property(id, "_NET_WM_NAME"); }
    bool titleBecomes(unsigned long id, const std::string& text) const
    {
        return waitUntil([&] { return titleOf(id).find(text) != std::string::npos; });
    }
};
} // namespace

TEST_F(Apps, ApplicationsRunSideBySideWithTheirOwnWindowsLinksAndCookies)
{
    for (const char* path : { "/mail", "/chat", "/default", "/inbox" })
        server.serve(path, rememberingPage);
    auto mail = session.startQuillane({ "--app", "mail", link("/mail") });
    auto chat = session.startQuillane({ "--app", "chat", link("/chat") });
    quillane = session.startQuillane({ link("/default") });
    auto mailWindow = session.waitForWindow("Quillane-mail");
    auto chatWindow = session.waitForWindow("Quillane-chat");
    auto defaultWindow = session.waitForWindow("Quillane");
    ASSERT_TRUE(mailWindow && chatWindow && defaultWindow);
    EXPECT_TRUE(titleBecomes(*mailWindow, "mail new"));
    EXPECT_TRUE(titleBecomes(*chatWindow, "chat new")) << "the mail application's cookie is not the chat's";
    EXPECT_TRUE(titleBecomes(*defaultWindow, "default new"));

    // A link handed to the mail application reaches it, and only it.
    auto handing = session.startQuillane({ "--app", "mail", link("/inbox") });
    EXPECT_EQ(handing->waitForExit(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(titleBecomes(*mailWindow, "inbox known")) << titleOf(*mailWindow);
    EXPECT_NE(titleOf(*chatWindow).find("chat new"), std::string::npos);
    EXPECT_EQ(server.timesRequested("/inbox"), 1);

    // Started at once, they still end up in one process: whichever start came first holds them all.
    int running = 0;
    for (auto* start : { mail.get(), chat.get(), quillane.get() }) {
        if (!start->waitForExit(std::chrono::seconds(3)))
            ++running;
    }
    EXPECT_EQ(running, 1);

    // Each keeps its own page and cookies across a restart.
    session.run({ "wmctrl", "-i", "-c", std::to_string(*chatWindow) });
    ASSERT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-chat", std::chrono::milliseconds(0)); }));
    // A new start of its own: the first chat start may be the process that holds them all, and
    // must live on.
    auto chatAgain = session.startQuillane({ "--app", "chat" });
    chatWindow = session.waitForWindow("Quillane-chat");
    ASSERT_TRUE(chatWindow);
    EXPECT_TRUE(titleBecomes(*chatWindow, "chat known")) << titleOf(*chatWindow);
    EXPECT_TRUE(g_file_test((session.configHome() + "/quillane/apps/chat/preferences.ini").c_str(), G_FILE_TEST_EXISTS));
}

TEST_F(Apps, OneProcessRunsThemAllAndEachEndsApart)
{
    for (const char* path : { "/mail", "/chat", "/default" })
        server.serve(path, rememberingPage);
    quillane = session.startQuillane({ link("/default") });
    auto defaultWindow = session.waitForWindow("Quillane");
    ASSERT_TRUE(defaultWindow);
    for (const char* name : { "mail", "chat" }) {
        auto handing = session.startQuillane({ "--app", name, link("/" + std::string(name)) });
        EXPECT_EQ(handing->waitForExit(std::chrono::seconds(10)), 0) << "a later start hands its command line over and ends";
    }
    auto mailWindow = session.waitForWindow("Quillane-mail");
    auto chatWindow = session.waitForWindow("Quillane-chat");
    ASSERT_TRUE(mailWindow && chatWindow);
    const std::string pid = std::to_string(quillane->pid());
    // Each window is the first process's, and tells the desktop whose it is.
    for (auto [window, desktopId] : { std::pair { *defaultWindow, "org.quillane.Quillane" }, { *mailWindow, "org.quillane.Quillane.mail" },
             { *chatWindow, "org.quillane.Quillane.chat" } }) {
        EXPECT_NE(session.property(window, "_NET_WM_PID").find("= " + pid), std::string::npos) << session.property(window, "_NET_WM_PID");
        EXPECT_NE(session.property(window, "_GTK_APPLICATION_ID").find('"' + std::string(desktopId) + '"'), std::string::npos)
            << session.property(window, "_GTK_APPLICATION_ID");
    }
    EXPECT_NE(session.property(*mailWindow, "WM_CLASS").find("\"quillane\", \"Quillane-mail\""), std::string::npos)
        << session.property(*mailWindow, "WM_CLASS");
    EXPECT_TRUE(titleBecomes(*mailWindow, "mail new"));
    EXPECT_TRUE(titleBecomes(*chatWindow, "chat new"));
    EXPECT_TRUE(titleBecomes(*defaultWindow, "default new")) << "one site, three cookie jars";
    EXPECT_TRUE(waitUntil([&] { return readFile(session.configHome() + "/quillane/apps/mail/preferences.ini").find("/mail'") != std::string::npos; }));
    EXPECT_EQ(readFile(session.preferencesPath()).find("/mail'"), std::string::npos) << "the default application keeps its own page";

    // Closing an application's window ends it alone; so does its Quit.
    session.run({ "wmctrl", "-i", "-c", std::to_string(*mailWindow) });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-mail", std::chrono::milliseconds(0)); }));
    session.xdotool({ "windowactivate", "--sync", std::to_string(*chatWindow) });
    session.xdotool({ "key", "ctrl+q" });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-chat", std::chrono::milliseconds(0)); }));
    EXPECT_TRUE(quillane->running());
    EXPECT_TRUE(session.waitForWindow("Quillane", std::chrono::milliseconds(0))) << "the default application runs on";

    // Started again, in the same process, with what it kept.
    auto again = session.startQuillane({ "--app", "mail" });
    EXPECT_EQ(again->waitForExit(std::chrono::seconds(10)), 0);
    mailWindow = session.waitForWindow("Quillane-mail");
    ASSERT_TRUE(mailWindow);
    EXPECT_TRUE(titleBecomes(*mailWindow, "mail known")) << titleOf(*mailWindow);
    EXPECT_NE(session.property(*mailWindow, "_NET_WM_PID").find("= " + pid), std::string::npos);

    // The process ends with its last application.
    session.run({ "wmctrl", "-i", "-c", std::to_string(*defaultWindow) });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane", std::chrono::milliseconds(0)); }));
    EXPECT_TRUE(quillane->running());
    session.run({ "wmctrl", "-i", "-c", std::to_string(*mailWindow) });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(10)), 0);
}

TEST_F(Apps, AnApplicationsPageProcessEndingLeavesTheOthersAlone)
{
    server.serve("/default", "<body><script>document.title = 'default ' + Date.now()</script></body>");
    server.serve("/mail", "<body><script>document.title = 'mail ' + Date.now()</script></body>");
    quillane = session.startQuillane({ link("/default") });
    auto defaultWindow = session.waitForWindow("Quillane");
    ASSERT_TRUE(defaultWindow);
    ASSERT_TRUE(titleBecomes(*defaultWindow, "default "));
    ASSERT_TRUE(waitUntil([&] { return webProcessesOf(quillane->pid()).size() == 1; }));
    const pid_t defaultPages = webProcessesOf(quillane->pid()).front();
    session.startQuillane({ "--app", "mail", link("/mail") })->waitForExit(std::chrono::seconds(10));
    auto mailWindow = session.waitForWindow("Quillane-mail");
    ASSERT_TRUE(mailWindow);
    ASSERT_TRUE(titleBecomes(*mailWindow, "mail "));
    ASSERT_TRUE(waitUntil([&] { return webProcessesOf(quillane->pid()).size() == 2; })) << "each application's pages in processes of their own";
    const std::string defaultTitle = titleOf(*defaultWindow);

    for (pid_t pages : webProcessesOf(quillane->pid())) {
        if (pages != defaultPages)
            kill(pages, SIGKILL);
    }
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/mail") == 2; })) << "the mail application brings its page back";
    EXPECT_EQ(server.timesRequested("/default"), 1);
    EXPECT_EQ(titleOf(*defaultWindow), defaultTitle) << "the default application's page never noticed";
    EXPECT_EQ(kill(defaultPages, 0), 0);
    EXPECT_TRUE(quillane->running());
}

TEST_F(Apps, AnApplicationsNotificationsAreItsOwn)
{
    std::string shown = session.folder() + "/notifications.txt";
    auto service = session.start({ NOTIFICATION_SERVICE, shown });
    ASSERT_TRUE(waitUntil([&] { return readFile(shown).find("ready") != std::string::npos; }));
    server.serve("/mail", "<title>Inbox</title><script>new Notification('New mail', { body: 'from Ann' })</script>");
    server.serve("/default", "<title>Home</title><script>new Notification('Hello', { body: 'from the default' })</script>");
    int status = -1;
    session.run({ QUILLANE_BINARY, "--install", "mail", server.url("/mail") }, &status);
    ASSERT_EQ(status, 0);
    const std::string allowed = "[Preferences]\nnotifications={'" + server.url("") + "': true}\n";
    session.writePreferences(allowed + "address='" + server.url("/default") + "'\n");
    std::FILE* preferences = std::fopen((session.configHome() + "/quillane/apps/mail/preferences.ini").c_str(), "w");
    ASSERT_TRUE(preferences);
    std::fputs((allowed + "address='" + server.url("/mail") + "'\n").c_str(), preferences);
    std::fclose(preferences);

    quillane = session.startQuillane();
    ASSERT_TRUE(session.waitForWindow("Quillane"));
    session.startQuillane({ "--app", "mail" })->waitForExit(std::chrono::seconds(10));
    EXPECT_TRUE(waitUntil([&] { return readFile(shown).find("New mail|from Ann|mail|org.quillane.Quillane.mail\n") != std::string::npos; }))
        << readFile(shown);
    EXPECT_NE(readFile(shown).find("Hello|from the default|Quillane|org.quillane.Quillane\n"), std::string::npos) << readFile(shown);
}

TEST_F(Apps, InstallingAndUninstallingFromTheCommandLine)
{
    server.serve("/notes", "<title>Notes</title><body style='background: rgb(0, 150, 0)'></body>");
    const std::string noneInstalled = "no applications are installed (quillane --install NAME ADDRESS installs one)\n";
    int status = -1;
    EXPECT_EQ(session.run({ QUILLANE_BINARY, "--apps" }, &status), noneInstalled);
    EXPECT_EQ(status, 0);
    std::string said = session.run({ QUILLANE_BINARY, "--install", "my-notes", server.url("/notes") }, &status);
    EXPECT_EQ(status, 0) << said;
    std::string entry = session.dataHome() + "/applications/org.quillane.Quillane.my-notes.desktop";
    session.run({ "desktop-file-validate", entry }, &status);
    EXPECT_EQ(status, 0) << session.run({ "desktop-file-validate", entry });
    std::string text = readFile(entry);
    EXPECT_NE(text.find("Exec=quillane --app my-notes"), std::string::npos) << text;
    EXPECT_NE(text.find("StartupWMClass=Quillane-my-notes"), std::string::npos);
    EXPECT_EQ(text.find("MimeType"), std::string::npos) << "it does not claim the quillane: scheme";
    EXPECT_EQ(session.run({ QUILLANE_BINARY, "--apps" }), "my-notes\t" + server.url("/notes") + "\n");

    session.run({ QUILLANE_BINARY, "--install", "my-notes", server.url("/other") }, &status);
    EXPECT_EQ(status, 1) << "never over an installed one";
    session.run({ QUILLANE_BINARY, "--install", "../evil", server.url("/notes") }, &status);
    EXPECT_EQ(status, 2);
    session.run({ QUILLANE_BINARY, "--app", "a/b" }, &status);
    EXPECT_EQ(status, 2);
    // Only web pages become applications (the unit tests try the other kinds).
    said = session.run({ "sh", "-c", std::string(QUILLANE_BINARY) + " --install page 'file:///etc/passwd' 2>&1" }, &status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(said.find("http or https"), std::string::npos) << said;

    // The desktop starts it from its entry, on its page.
    std::string binaries = std::string(QUILLANE_BINARY).substr(0, std::string(QUILLANE_BINARY).rfind('/'));
    session.setExtraEnvironment({ "PATH=" + binaries + ":" + g_getenv("PATH") });
    auto launcher = session.start({ "gio", "launch", entry });
    auto window = session.waitForWindow("Quillane-my-notes");
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/notes") == 1; }));
    // While it runs, it stays.
    said = session.run({ "sh", "-c", std::string(QUILLANE_BINARY) + " --uninstall my-notes --purge 2>&1" }, &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(said.find("\u201cmy-notes\u201d is running: quit it first, then uninstall it"), std::string::npos) << said;
    EXPECT_TRUE(g_file_test(entry.c_str(), G_FILE_TEST_EXISTS));
    session.run({ "wmctrl", "-i", "-c", std::to_string(*window) });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-my-notes", std::chrono::milliseconds(0)); }));

    // What --purge takes, and the links it leaves alone, the unit tests show; here, what it says.
    said = session.run({ QUILLANE_BINARY, "--uninstall", "my-notes", "--purge" }, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(said.find("removed " + entry + "\n"), std::string::npos) << said;
    EXPECT_NE(said.find("removed " + session.configHome() + "/quillane/apps/my-notes\n"), std::string::npos) << said;
    EXPECT_EQ(session.run({ QUILLANE_BINARY, "--apps" }), noneInstalled);
    session.run({ QUILLANE_BINARY, "--uninstall", "my-notes" }, &status);
    EXPECT_EQ(status, 1) << "no longer installed";
}

TEST_F(Apps, AHostileManifestFallsBackToTheDefaults)
{
    server.serve("/icon.png", "<html>not an image</html>", "image/png");
    server.serve("/manifest.json", R"({"name": "../../../evil\u0007", "short_name": 7, "icons": [{"src": "/icon.png", "sizes": "512x512"},)"
                                   R"( {"src": "file:///etc/passwd.png"}]})", "application/manifest+json");
    ASSERT_TRUE(open("<title>Evil / page</title><link rel='manifest' href='/manifest.json'><body style='margin: 0; background: rgb(240, 240, 240)'></body>"));
    activate("install-app");
    ASSERT_TRUE(session.waitForWindowNamed("Install as Application"));
    session.xdotool({ "key", "Return" });
    std::string entry = session.dataHome() + "/applications/org.quillane.Quillane.Evil-page.desktop";
    ASSERT_TRUE(waitUntil([&] { return g_file_test(entry.c_str(), G_FILE_TEST_EXISTS); })) << "named after the title";
    EXPECT_NE(readFile(entry).find("Icon=org.quillane.Quillane\n"), std::string::npos) << "Quillane's own icon: " << readFile(entry);
    EXPECT_EQ(session.run({ "sh", "-c", "find '" + session.folder() + "' -name '*evil*' | wc -l" }), "0\n");
    EXPECT_TRUE(quillane->running());
}

TEST_F(Apps, ANameThatWillNotDoIsSaidInTheInstallDialogWhichStays)
{
    server.serve("/manifest.json", R"({"name": "Team Mail"})", "application/manifest+json");
    ASSERT_TRUE(open("<title>Inbox</title><link rel='manifest' href='/manifest.json'><body style='margin: 0; background: rgb(240, 240, 240)'></body>"));
    activate("install-app");
    ASSERT_TRUE(session.waitForWindowNamed("Install as Application"));
    for (const char* name : { "My App", "My_App" }) {
        session.xdotool({ "key", "ctrl+a" });
        session.xdotool({ "type", "--delay", "20", name });
        session.xdotool({ "key", "Return" });
        if (name == std::string("My App")) {
            // Keys sent at once could reach a dialog that had gone and come back: this one stays.
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            ASSERT_EQ(session.search({ "--name", "^Install as Application$" }).size(), 1u) << "the dialog stays for the first name";
        }
    }
    // Only a dialog that stayed takes the second name.
    std::string entries = session.dataHome() + "/applications/org.quillane.Quillane.";
    EXPECT_TRUE(waitUntil([&] { return g_file_test((entries + "My_App.desktop").c_str(), G_FILE_TEST_EXISTS); }));
    EXPECT_TRUE(session.waitForWindow("Quillane-My_App")) << "and it starts";
    EXPECT_FALSE(g_file_test((entries + "Team-Mail.desktop").c_str(), G_FILE_TEST_EXISTS));
}

TEST_F(Apps, InstallingFromThePageStartsAtTheManifestsStartAddressAndHoldsItsScope)
{
    // The desktop's default browser, for this test: it writes the links it is handed to a file.
    std::string browser = session.folder() + "/browser.txt";
    session.run({ "mkdir", "-p", session.dataHome() + "/applications" });
    std::ofstream(session.dataHome() + "/applications/test-browser.desktop") << "[Desktop Entry]\nType=Application\nName=Test Browser\n"
                                                                               "Exec=sh -c 'echo \"$1\" >> " + browser + "' sh %u\n"
                                                                               "MimeType=x-scheme-handler/http;x-scheme-handler/https;\n";
    std::ofstream(session.configHome() + "/mimeapps.list") << "[Default Applications]\nx-scheme-handler/http=test-browser.desktop\n";
    server.serve("/manifest.json", R"({"name": "Scoped", "start_url": "/app/start.html?source=app", "scope": "/app/"})", "application/manifest+json");
    server.serve("/app/inner.html", "<title>Inner</title>");
    server.serve("/outside.html", "<title>Outside</title>");
    server.serve("/app/start.html", "<title>Start</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                                    "<a href='/app/inner.html' target='_blank' style='position: fixed; top: 60px; left: 20px; font-size: 30px'>inner</a>"
                                    "<a href='/outside.html' target='_blank' style='position: fixed; top: 160px; left: 20px; font-size: 30px'>outside</a></body>");
    ASSERT_TRUE(open("<title>Inbox</title><link rel='manifest' href='/manifest.json'><body style='margin: 0; background: rgb(240, 240, 240)'></body>"));
    activate("install-app");
    ASSERT_TRUE(session.waitForWindowNamed("Install as Application"));
    session.xdotool({ "key", "Return" });
    auto started = session.waitForWindow("Quillane-Scoped");
    ASSERT_TRUE(started);
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/app/start.html?source=app") == 1; })) << "it starts at the manifest's start address";
    EXPECT_NE(readFile(session.configHome() + "/quillane/apps/Scoped/preferences.ini").find("scope='" + server.url("/app/") + "'"), std::string::npos)
        << readFile(session.configHome() + "/quillane/apps/Scoped/preferences.ini");
    ASSERT_TRUE(waitUntil([&] { return titleOf(*started).find("Start") != std::string::npos; }));

    // A link into a new window inside the scope is the application's; one outside it, on the same site, the browser's.
    session.xdotool({ "windowactivate", "--sync", std::to_string(*started) });
    Geometry frame = session.geometry(*started);
    session.xdotool({ "mousemove", std::to_string(frame.x + 40), std::to_string(frame.y + 10 + 175) });
    session.xdotool({ "click", "1" });
    EXPECT_TRUE(waitUntil([&] { return readFile(browser) == server.url("/outside.html") + "\n"; })) << readFile(browser);
    EXPECT_EQ(server.timesRequested("/outside.html"), 0);
    session.xdotool({ "mousemove", std::to_string(frame.x + 40), std::to_string(frame.y + 10 + 75) });
    session.xdotool({ "click", "1" });
    EXPECT_TRUE(session.waitForWindowNamed("Inner")) << "a page window of the application";
}

TEST_F(Apps, AnApplicationThatEndsWhileItDownloadsLeavesTheOthersRunning)
{
    // A download that takes a few seconds, started by the application's page as it loads.
    server.serveInParts("/big.bin", { std::string(20000, 'a'), std::string(20000, 'b'), std::string(20000, 'c'), std::string(20000, 'd') },
        std::chrono::milliseconds(700), "application/octet-stream");
    server.serve("/default", "<title>Default</title>");
    server.serve("/mail", "<title>Mail</title><script>addEventListener('load', () => location.href = '/big.bin')</script>");
    quillane = session.startQuillane({ link("/default") });
    auto defaultWindow = session.waitForWindow("Quillane");
    ASSERT_TRUE(defaultWindow);
    auto handing = session.startQuillane({ "--app", "mail", link("/mail") });
    EXPECT_EQ(handing->waitForExit(std::chrono::seconds(10)), 0);
    auto mailWindow = session.waitForWindow("Quillane-mail");
    ASSERT_TRUE(mailWindow);
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    session.run({ "mkdir", "-p", session.folder() + "/saved" });
    session.xdotool({ "key", "Home" });
    session.xdotool({ "type", "--delay", "20", session.folder() + "/saved/" });
    session.xdotool({ "key", "Return" });
    ASSERT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Save File", std::chrono::milliseconds(0)); }));

    // The application ends with the download under way: the download runs on to its end, and nothing
    // that the application kept of it is called on.
    session.run({ "wmctrl", "-i", "-c", std::to_string(*mailWindow) });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-mail", std::chrono::milliseconds(0)); }));
    EXPECT_FALSE(waitUntil([&] { return !quillane->running(); }, std::chrono::seconds(3))) << "the process runs on";
    EXPECT_TRUE(session.waitForWindow("Quillane", std::chrono::milliseconds(0))) << "the default application with it";
    EXPECT_TRUE(waitUntil([&] { return readFile(session.folder() + "/saved/big.bin").size() == 80000; })) << "the download is not lost";
}
