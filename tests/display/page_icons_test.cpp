// The icon a page's manifest names, wherever it is served from, becomes the installed application's.
#include "quillane_test.h"
#include "test_images.h"

using namespace quillane::testing;

namespace {
class PageIcons : public QuillaneTest {
protected:
    void serveManifestWithIcon(const std::string& name, const std::string& icon)
    {
        server.serve("/manifest.json", "{\"name\": \"" + name + "\", \"icons\": [{\"src\": \"" + icon + "\", \"sizes\": \"64x64\", \"type\": \"image/png\"}]}",
            "application/manifest+json");
    }
    static constexpr const char* page = "<title>Brand</title><link rel='manifest' href='/manifest.json'><body style='margin: 0; background: rgb(240, 240, 240)'></body>";

    // Asks the running program to install its page; its question, once it shows.
    std::optional<unsigned long> askToInstall() const
    {
        activate("install-app");
        return session.waitForWindowNamed("Install as Application", std::chrono::seconds(30));
    }
    // Answers the question with Install (its default button).
    void pressInstall(unsigned long question) const
    {
        // An application installed before has a window of its own, which may have the focus.
        session.xdotool({ "windowactivate", "--sync", std::to_string(question) });
        session.xdotool({ "key", "Return" });
    }
    std::string entryOf(const std::string& name) const { return session.dataHome() + "/applications/org.quillane.Quillane." + name + ".desktop"; }

    // Installs the page as NAME; the installed icon file, once the entry names it.
    std::optional<std::string> installAs(const std::string& name)
    {
        auto question = askToInstall();
        if (!question)
            return std::nullopt;
        savePanelShown = session.waitForWindowNamed("Save File", std::chrono::milliseconds(0)).has_value();
        pressInstall(*question);
        if (!waitUntil([&] { return readFile(entryOf(name)).find("Icon=org.quillane.Quillane." + name + "\n") != std::string::npos; }))
            return std::nullopt;
        return session.dataHome() + "/icons/hicolor/256x256/apps/org.quillane.Quillane." + name + ".png";
    }
    // ImageMagick's account of an image: its format and size, and the colour at its centre.
    std::string describe(const std::string& image) const { return session.run({ "convert", image, "-format", "%m %wx%h %[pixel:p{128,128}]", "info:" }); }

    bool savePanelShown = false;
};
} // namespace

TEST_F(PageIcons, AnIconOnAnotherOriginIsFetchedThroughThePagesSession)
{
    HttpServer cdn;
    // Served without any CORS header, as a CDN often does: the page's own fetch() could not read it.
    cdn.serve("/brand/icon.png", solidPng(64, 64, 30, 110, 220), "image/png");
    serveManifestWithIcon("Brand Mail", cdn.url("/brand/icon.png"));
    ASSERT_TRUE(open(page));
    auto icon = installAs("Brand-Mail");
    ASSERT_TRUE(icon) << "installed with an icon of its own";
    EXPECT_EQ(cdn.timesRequested("/brand/icon.png"), 1);
    EXPECT_FALSE(savePanelShown) << "the program's own download asks nobody where to save it";
    EXPECT_EQ(describe(*icon), "PNG 256x256 srgb(30,110,220)");
    int status = -1;
    session.run({ "desktop-file-validate", entryOf("Brand-Mail") }, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(readFile(entryOf("Brand-Mail")).find("Name=Brand Mail\n"), std::string::npos) << "the manifest's name, as people see it";
    // The new application starts on the page.
    EXPECT_TRUE(session.waitForWindow("Quillane-Brand-Mail"));
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/page.html") == 2; }));
}

TEST_F(PageIcons, AnIconThatCannotBeFetchedArrivesIncompleteOrIsTooLargeFallsBackWithoutAWord)
{
    std::string nowhere;
    {
        HttpServer gone;
        nowhere = gone.url("/brand/icon.png");
    }
    HttpServer cdn;
    // The whole of a good PNG, but short of the length its headers promise.
    cdn.drop("/brand/icon.png", "image/png", solidPng(64, 64, 30, 110, 220));
    // A good PNG with more than 1 MiB after it.
    cdn.serve("/brand/large.png", solidPng(64, 64, 30, 110, 220) + std::string(1 << 20, '\0'), "image/png");
    ASSERT_TRUE(open(page));
    for (const auto& [name, icon] : { std::pair("Unreachable", nowhere), std::pair("Incomplete", cdn.url("/brand/icon.png")),
             std::pair("Oversized", cdn.url("/brand/large.png")) }) {
        serveManifestWithIcon(name, icon);
        auto question = askToInstall();
        ASSERT_TRUE(question) << name;
        // A failed download of the page's own would be told; the program's own is no business of
        // the downloads, and its failure only means Quillane's icon. (Both would come before the
        // question.)
        EXPECT_FALSE(waitUntil([&] { return windowsShown() > 2; }, std::chrono::milliseconds(500))) << windowsShown() << " windows";
        pressInstall(*question);
        EXPECT_TRUE(waitUntil([&] { return readFile(entryOf(name)).find("Icon=org.quillane.Quillane\n") != std::string::npos; })) << name;
        EXPECT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Install as Application", std::chrono::milliseconds(0)); }));
    }
    EXPECT_EQ(cdn.timesRequested("/brand/icon.png"), 1);
}

TEST_F(PageIcons, TheInstalledProgramDecodesIconsWithTheDecoderInstalledBesideIt)
{
    std::string prefix = session.folder() + "/prefix";
    int status = -1;
    std::string said = session.run({ "cmake", "--install", QUILLANE_BUILD_DIR, "--prefix", prefix }, &status);
    ASSERT_EQ(status, 0) << said;

    server.serve("/icon.png", solidPng(64, 64, 200, 120, 10), "image/png");
    serveManifestWithIcon("Installed", "/icon.png");
    server.serve("/page.html", std::string(page) + paintedReport);
    session.writePreferences("[Preferences]\naddress='" + server.url("/page.html") + "'\n");
    quillane = session.start({ prefix + "/bin/quillane" });
    auto found = session.waitForWindow();
    ASSERT_TRUE(found && waitUntil([&] { return server.timesRequested("/painted") >= 1; }));
    auto icon = installAs("Installed");
    ASSERT_TRUE(icon) << "installed with an icon of its own";
    EXPECT_EQ(describe(*icon), "PNG 256x256 srgb(200,120,10)");
}
