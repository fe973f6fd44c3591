// What an application installed from its page keeps of the page's manifest: shortcuts the desktop
// offers as actions, links of other schemes the desktop hands to it, and its colours.
#include "quillane_test.h"
#include "test_images.h"

#include <gio/gdesktopappinfo.h>

using namespace quillane::testing;

namespace {
constexpr const char* composePage = "<body style='margin: 0; background: rgb(255, 255, 255)'><script>"
                                    "document.title = 'Compose ' + decodeURIComponent(location.search)</script></body>";

class AppManifest : public QuillaneTest {
protected:
    // Serves the page with the manifest, installs it from the page as "Team-Mail", and waits for
    // its entry; the new application starts on its own.
    bool installWith(const std::string& manifest, const std::function<void()>& beforeAnswering = [] { })
    {
        return installWith(manifest, beforeAnswering, std::chrono::seconds(15));
    }
    bool installWith(const std::string& manifest, const std::function<void()>& beforeAnswering, std::chrono::milliseconds questionWithin)
    {
        server.serve("/manifest.json", manifest, "application/manifest+json");
        server.serve("/compose", composePage);
        if (!open("<title>Inbox</title><link rel='manifest' href='/manifest.json'><body style='margin: 0; background: rgb(240, 240, 240)'></body>"))
            return false;
        activate("install-app");
        if (!session.waitForWindowNamed("Install as Application", questionWithin))
            return false;
        beforeAnswering();
        session.xdotool({ "key", "Return" });
        return waitUntil([&] { return g_file_test(entry.c_str(), G_FILE_TEST_EXISTS); });
    }
    std::string titleOf(unsigned long id) const { return session.property(id, "_NET_WM_NAME"); }
    std::string appPreferences() const { return readFile(session.configHome() + "/quillane/apps/Team-Mail/preferences.ini"); }
    // The colour at a point of a window, in its top-left coordinates.
    Pixel pixelOf(unsigned long id, int x, int y) const
    {
        Geometry here = session.geometry(id);
        return session.screenshot({ here.x + x, here.y + y, 1, 1 }, "pixel").at(0, 0);
    }

    const std::string entry = session.dataHome() + "/applications/org.quillane.Quillane.Team-Mail.desktop";
};
} // namespace

TEST_F(AppManifest, ShortcutsAndAMailtoHandlerBecomeTheEntrysActionsAndSchemes)
{
    std::string icon = session.folder() + "/compose.png";
    session.run({ "convert", "-size", "128x128", "xc:rgb(40,40,200)", icon });
    server.serve("/compose.png", readFile(icon), "image/png");
    ASSERT_TRUE(installWith(R"json({"name": "Team Mail",
        "shortcuts": [{"name": " Compose ", "url": "/compose?new=1", "icons": [{"src": "/compose.png", "sizes": "128x128", "type": "image/png"}]},
                      {"name": "Elsewhere", "url": "https://other.example/"}, {"name": "Drafts", "url": "compose?drafts=1"}],
        "protocol_handlers": [{"protocol": "mailto", "url": "/compose?to=%s"}, {"protocol": "javascript", "url": "/compose?js=%s"},
                              {"protocol": "web+Mail", "url": "/compose?web=%s"}]})json"));
    int status = -1;
    std::string validation = session.run({ "desktop-file-validate", entry }, &status);
    EXPECT_EQ(status, 0) << validation;
    EXPECT_EQ(validation, "") << "not even a hint";
    std::string text = readFile(entry);
    EXPECT_NE(text.find("\nExec=quillane --app Team-Mail %u\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nMimeType=x-scheme-handler/mailto;\n"), std::string::npos) << "only the allowed scheme: " << text;
    EXPECT_NE(text.find("\nActions=shortcut-1;shortcut-2;\n"), std::string::npos) << "not the one on another origin";
    EXPECT_NE(text.find("[Desktop Action shortcut-1]\nName=Compose\nExec=quillane --app Team-Mail \"" + server.url("/compose?new=1")
                  + "\"\nIcon=org.quillane.Quillane.Team-Mail.shortcut-1\n"),
        std::string::npos);
    EXPECT_NE(text.find("[Desktop Action shortcut-2]\nName=Drafts\nExec=quillane --app Team-Mail \"" + server.url("/compose?drafts=1") + "\"\n"),
        std::string::npos);
    EXPECT_EQ(text.find("Elsewhere"), std::string::npos);
    EXPECT_EQ(session.run({ "identify", "-format", "%m %wx%h", session.dataHome() + "/icons/hicolor/96x96/apps/org.quillane.Quillane.Team-Mail.shortcut-1.png" }),
        "PNG 96x96")
        << "the shortcut's icon, decoded and made to its size";

    // The new application runs; the desktop starts the shortcut, which the running one opens.
    auto app = session.waitForWindow("Quillane-Team-Mail");
    ASSERT_TRUE(app);
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/page.html") == 2; }));
    std::string binaries = std::string(QUILLANE_BINARY).substr(0, std::string(QUILLANE_BINARY).rfind('/'));
    session.setExtraEnvironment({ "PATH=" + binaries + ":" + g_getenv("PATH") });
    session.enterThisProcess();
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(entry.c_str());
    ASSERT_TRUE(info);
    g_desktop_app_info_launch_action(info, "shortcut-1", nullptr);
    g_object_unref(info);
    EXPECT_TRUE(waitUntil([&] { return titleOf(*app).find("Compose ?new=1") != std::string::npos; })) << titleOf(*app);
    EXPECT_EQ(server.timesRequested("/compose?new=1"), 1);

    // The desktop hands it a mailto: link, through the entry it now has for the scheme.
    session.run({ "gio", "mime", "x-scheme-handler/mailto", "org.quillane.Quillane.Team-Mail.desktop" });
    session.run({ "gio", "open", "mailto:someone@example.com?subject=Hello" });
    EXPECT_TRUE(waitUntil([&] { return titleOf(*app).find("Compose ?to=mailto:someone@example.com?subject=Hello") != std::string::npos; }))
        << titleOf(*app);
    EXPECT_EQ(server.timesRequested("/compose?to=mailto%3Asomeone%40example.com%3Fsubject%3DHello"), 1) << "the link percent-encoded";

    // Neither became the page it starts on; a link handed to it when it is not running opens too.
    session.run({ "wmctrl", "-i", "-c", std::to_string(*app) });
    ASSERT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane-Team-Mail", std::chrono::milliseconds(0)); }));
    EXPECT_NE(appPreferences().find("address='" + server.url("/page.html") + "'"), std::string::npos) << appPreferences();
    // Started, not run to its end: the application it starts keeps its output open.
    auto opener = session.start({ "gio", "open", "mailto:other@example.com" });
    app = session.waitForWindow("Quillane-Team-Mail");
    ASSERT_TRUE(app);
    EXPECT_TRUE(waitUntil([&] { return titleOf(*app).find("Compose ?to=mailto:other@example.com") != std::string::npos; })) << titleOf(*app);
    EXPECT_EQ(server.timesRequested("/page.html"), 2) << "opened in place of its page";
    EXPECT_NE(appPreferences().find("address='" + server.url("/page.html") + "'"), std::string::npos) << appPreferences();
}

TEST_F(AppManifest, ShortcutIconsThatCannotBeUsedLeaveTheirShortcutsWithoutAndHoldTheInstallUpBriefly)
{
    server.serve("/fake.png", "<html>not an image</html>", "image/png");
    server.hang("/slow.png");
    server.serve("/late.png", "never asked for", "image/png");
    auto asked = std::chrono::steady_clock::now();
    auto answered = asked;
    ASSERT_TRUE(installWith(R"json({"name": "Team Mail", "shortcuts": [
        {"name": "Fake", "url": "/a", "icons": [{"src": "/fake.png"}]},
        {"name": "Slow", "url": "/b", "icons": [{"src": "/slow.png"}]},
        {"name": "Late", "url": "/c", "icons": [{"src": "/late.png"}]}]})json",
        [&] { answered = std::chrono::steady_clock::now(); }, std::chrono::seconds(25)));
    // The question waits for the shortcuts' icons ten seconds at most, with the page's icon's time on top.
    EXPECT_LT(answered - asked, std::chrono::seconds(18));
    EXPECT_EQ(server.timesRequested("/fake.png"), 1);
    EXPECT_EQ(server.timesRequested("/slow.png"), 1);
    EXPECT_EQ(server.timesRequested("/late.png"), 0) << "not begun once the time is up";
    int status = -1;
    session.run({ "desktop-file-validate", entry }, &status);
    EXPECT_EQ(status, 0);
    std::string text = readFile(entry);
    EXPECT_NE(text.find("\nActions=shortcut-1;shortcut-2;shortcut-3;\n"), std::string::npos) << "every shortcut kept: " << text;
    EXPECT_EQ(text.find("Icon=org.quillane.Quillane.Team-Mail.shortcut-"), std::string::npos) << "none with an icon: " << text;
    EXPECT_TRUE(quillane->running());
}

TEST_F(AppManifest, APageWithoutAManifestIsNamedAfterItsTitleAndInstalledWithItsLinksBestIcon)
{
    server.serve("/icon-32.ico", solidPng(32, 32, 200, 0, 0), "image/x-icon");
    server.serve("/icon-192.png", solidPng(192, 192, 0, 160, 80), "image/png");
    ASSERT_TRUE(open("<title>Team Mail: inbox</title><link rel='icon' href='/icon-32.ico'>"
                     "<link rel='icon' href='/icon-192.png' sizes='192x192'><body>inbox</body>"));
    activate("install-app");
    ASSERT_TRUE(session.waitForWindowNamed("Install as Application"));
    session.xdotool({ "key", "Return" });
    const std::string installed = session.dataHome() + "/applications/org.quillane.Quillane.Team-Mail-inbox.desktop";
    ASSERT_TRUE(waitUntil([&] { return g_file_test(installed.c_str(), G_FILE_TEST_EXISTS); })) << "the name suggested from the title";
    std::string text = readFile(installed);
    EXPECT_NE(text.find("\nName=Team-Mail-inbox\n"), std::string::npos) << "the name the user gave: " << text;
    EXPECT_NE(text.find("\nIcon=org.quillane.Quillane.Team-Mail-inbox\n"), std::string::npos) << text;
    EXPECT_EQ(server.timesRequested("/icon-192.png"), 1);
    EXPECT_EQ(server.timesRequested("/icon-32.ico"), 0) << "the largest PNG is the best";
    const std::string icon = session.dataHome() + "/icons/hicolor/256x256/apps/org.quillane.Quillane.Team-Mail-inbox.png";
    EXPECT_TRUE(g_file_test(icon.c_str(), G_FILE_TEST_EXISTS));
}

TEST_F(AppManifest, TheThemeAndBackgroundColoursShowUntilThePageHasItsOwn)
{
    // The application's page never finishes: what shows is the manifest's colours.
    ASSERT_TRUE(installWith(R"json({"name": "Team Mail", "theme_color": "#336699", "background_color": "rgb(10, 20, 30)"})json",
        [&] { server.hang("/page.html"); }));
    EXPECT_NE(appPreferences().find("theme colour='#336699'"), std::string::npos) << appPreferences();
    EXPECT_NE(appPreferences().find("background colour='#0a141e'"), std::string::npos);
    auto app = session.waitForWindow("Quillane-Team-Mail");
    ASSERT_TRUE(app);
    EXPECT_TRUE(waitUntil([&] { return pixelOf(*app, 300, 5) == Pixel { 51, 102, 153 }; })) << "the band: " << pixelOf(*app, 300, 5);
    EXPECT_TRUE(waitUntil([&] { return pixelOf(*app, 300, 200) == Pixel { 10, 20, 30 }; })) << "the page: " << pixelOf(*app, 300, 200);

    // A page with colours of its own shows them.
    auto handing = session.startQuillane({ "--app", "Team-Mail", server.url("/compose?x=1") });
    EXPECT_EQ(handing->waitForExit(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(waitUntil([&] { return titleOf(*app).find("Compose ?x=1") != std::string::npos; })) << titleOf(*app);
    EXPECT_TRUE(waitUntil([&] { return pixelOf(*app, 300, 5) == Pixel { 255, 255, 255 }; })) << "the band: " << pixelOf(*app, 300, 5);
    EXPECT_TRUE(waitUntil([&] { return pixelOf(*app, 300, 200) == Pixel { 255, 255, 255 }; })) << "the page: " << pixelOf(*app, 300, 200);
}
