// Several web applications, each a Quillane of its own.
#include "quillane_test.h"

#include <cstdio>

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

    // Each keeps its own page and cookies across a restart.
    session.run({ "wmctrl", "-i", "-c", std::to_string(*chatWindow) });
    ASSERT_EQ(chat->waitForExit(std::chrono::seconds(10)), 0);
    chat = session.startQuillane({ "--app", "chat" });
    chatWindow = session.waitForWindow("Quillane-chat");
    ASSERT_TRUE(chatWindow);
    EXPECT_TRUE(titleBecomes(*chatWindow, "chat known")) << titleOf(*chatWindow);
    EXPECT_TRUE(g_file_test((session.configHome() + "/quillane/apps/chat/preferences.ini").c_str(), G_FILE_TEST_EXISTS));
}

TEST_F(Apps, InstallingAndUninstallingFromTheCommandLine)
{
    server.serve("/notes", "<title>Notes</title><body style='background: rgb(0, 150, 0)'></body>");
    int status = -1;
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
    session.run({ "wmctrl", "-i", "-c", std::to_string(*window) });
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-my-notes", std::chrono::milliseconds(0)); }));

    // What --purge takes, and the links it leaves alone, the unit tests show; here, what it says.
    said = session.run({ QUILLANE_BINARY, "--uninstall", "my-notes", "--purge" }, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(said.find("removed " + entry + "\n"), std::string::npos) << said;
    EXPECT_NE(said.find("removed " + session.configHome() + "/quillane/apps/my-notes\n"), std::string::npos) << said;
    EXPECT_EQ(session.run({ QUILLANE_BINARY, "--apps" }), "");
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
