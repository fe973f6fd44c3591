// The page's file inputs and downloads, through the system's file choosers.
#include "in_process.h"
#include "quillane_test.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace quillane;
using namespace quillane::testing;

namespace {
constexpr Pixel chosen { 0, 200, 0 };
constexpr const char* inputsPage = R"(<body style='margin: 0; background: rgb(240, 240, 240)'>
<input id='pictures' type='file' accept='image/*' style='position: fixed; top: 100px; left: 20px'>
<input id='documents' type='file' accept=' .PDF' multiple style='position: fixed; top: 200px; left: 20px'>
<script>for (const input of document.querySelectorAll('input'))
  input.onchange = () => document.body.style.background = input.files.length === 2 ? 'rgb(0, 0, 200)' : 'rgb(0, 200, 0)'</script></body>)";

constexpr const char* downloadPage = R"(<body style='margin: 0; background: rgb(240, 240, 240)'>
<a id='save' download='notes.txt' style='position: fixed; top: 100px; left: 20px; font-size: 40px'>Save</a>
<a id='broken' download='broken.bin' href='/broken.bin' style='position: fixed; top: 200px; left: 20px; font-size: 40px'>Broken</a>
<a id='data' href='/data.bin' style='position: fixed; top: 300px; left: 20px; font-size: 40px'>Data</a>
<script>save.href = URL.createObjectURL(new Blob(['Written by the page\n']))</script></body>)";

class FileServices : public QuillaneTest {
protected:
    std::string makeFile(const std::string& name, const std::string& contents)
    {
        std::string path = session.folder() + "/" + name;
        std::ofstream(path) << contents;
        return path;
    }
    // Answers the save dialog with the given folder in front of the suggested name.
    void saveInto(const std::string& folder) const
    {
        session.xdotool({ "key", "Home" });
        session.xdotool({ "type", "--delay", "20", folder + "/" });
        session.xdotool({ "key", "Return" });
    }
};
} // namespace

TEST_F(FileServices, AChosenFileReachesTheInputAndACancelLeavesItEmpty)
{
    std::string picture = makeFile("picture.png", "not really a picture");
    ASSERT_TRUE(open(inputsPage));
    click(40, 10 + 110);
    auto chooser = session.waitForWindowNamed("Open File");
    ASSERT_TRUE(chooser);
    EXPECT_NE(session.property(*chooser, "WM_TRANSIENT_FOR").find("window id"), std::string::npos);
    session.xdotool({ "key", "Escape" });
    ASSERT_TRUE(waitUntil([&] { return !session.waitForWindowNamed("Open File", std::chrono::milliseconds(0)); }));
    // Once the page is drawn again where the chooser was, it shows it has no file.
    EXPECT_TRUE(waitForPixel(300, 300, { 240, 240, 240 })) << "a cancel changes nothing";

    click(40, 10 + 110);
    ASSERT_TRUE(session.waitForWindowNamed("Open File"));
    // The location field takes a whole path; its completion may take a Return of its own.
    session.xdotool({ "key", "ctrl+l" });
    session.xdotool({ "type", "--delay", "20", picture });
    for (int answer = 0; answer < 3 && windowsNamed("Open File") > 0; ++answer) {
        session.xdotool({ "key", "Return" });
        waitUntil([&] { return windowsNamed("Open File") == 0; }, std::chrono::seconds(1));
    }
    EXPECT_TRUE(waitForPixel(300, 300, chosen)) << pixel(300, 300);
}

TEST_F(FileServices, TheChooserOffersWhatEveryFileInputOfThePageAccepts)
{
    session.enterThisProcess();
    server.serve("/blank.html", "");
    session.writePreferences("[Preferences]\naddress='" + server.url("/blank.html") + "'\n");
    launchQuillane(session, [&](DrivenQuillane& delegate) {
        delegate.mainWindow().page().loadHTML(inputsPage, "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return !delegate.messages.empty(); }));
        std::optional<std::vector<std::string>> types;
        delegate.fileChooser().acceptedTypes(delegate.mainWindow().page(), {}, [&](std::vector<std::string> result) { types = result; });
        ASSERT_TRUE(spinUntil([&] { return types.has_value(); }));
        EXPECT_EQ(*types, (std::vector<std::string> { "image/*", "application/pdf" }));

        delegate.messages.clear();
        delegate.mainWindow().page().loadHTML("<body style='margin: 0; background: rgb(1, 2, 3)'><p>no inputs</p></body>", "https://example.com/");
        // The new page's band report says it is the one showing.
        ASSERT_TRUE(spinUntil([&] { return delegate.mainWindow().window().bandColour() == platform::Colour { 1 / 255.0, 2 / 255.0, 3 / 255.0, 1 }; }));
        types.reset();
        delegate.fileChooser().acceptedTypes(delegate.mainWindow().page(), {}, [&](std::vector<std::string> result) { types = result; });
        ASSERT_TRUE(spinUntil([&] { return types.has_value(); }));
        EXPECT_TRUE(types->empty()) << "every type is offered";
    });
}

TEST_F(FileServices, ABlobDownloadIsSavedWhereTheUserSaysAndACancelSaysNothing)
{
    ASSERT_TRUE(open(downloadPage));
    click(40, 10 + 120);
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    session.xdotool({ "key", "Escape" });
    ASSERT_TRUE(gone("Save File"));

    std::string folder = session.folder() + "/saved";
    mkdir(folder.c_str(), 0700);
    click(40, 10 + 120);
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    // The name field holds the link's name; the folder goes in front of it.
    saveInto(folder);
    EXPECT_TRUE(waitUntil([&] { return readFile(folder + "/notes.txt") == "Written by the page\n"; })) << readFile(folder + "/notes.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(windowsShown(), 1) << "no alert, for the cancel or the save";
}

TEST_F(FileServices, ADownloadWhoseConnectionEndsEarlyShowsAnAlertAndLeavesNoPartOfIt)
{
    ASSERT_TRUE(open(downloadPage));
    std::string folder = session.folder() + "/saved";
    mkdir(folder.c_str(), 0700);
    // A connection that breaks, and one that ends cleanly where an HTTP/1.0 answer may end.
    for (bool http10 : { true, false }) {
        SCOPED_TRACE(http10 ? "HTTP/1.0" : "HTTP/1.1");
        if (http10)
            server.dropAsHttp10("/broken.bin");
        else
            server.drop("/broken.bin");
        click(40, 10 + 220);
        ASSERT_TRUE(session.waitForWindowNamed("Save File"));
        saveInto(folder);
        // The alert is titled with what it says; the engine words a broken connection itself. (The
        // search's pattern is matched byte by byte: ".*" stands for each quotation mark.)
        std::vector<unsigned long> alert;
        EXPECT_TRUE(waitUntil([&] {
            alert = session.search({ "--name", http10 ? "^The download of .*broken\\.bin.* failed: the connection ended before all of it had arrived\\.$"
                                                      : "^The download of .*broken\\.bin.* failed: ." });
            return alert.size() == 1;
        }));
        if (alert.size() == 1)
            session.run({ "wmctrl", "-i", "-c", std::to_string(alert.front()) });
        EXPECT_TRUE(waitUntil([&] { return windowsShown() == 1; }));
        EXPECT_FALSE(std::filesystem::exists(folder + "/broken.bin")) << "20000 of 100000 bytes are no download";
        // Nor is it said to be downloaded: no note over the bottom of the page, where it would have
        // come with the alert and stayed 10 s.
        EXPECT_TRUE(near(pixel(frame().width / 2, frame().height - 19), { 240, 240, 240 })) << "no note";
    }
    EXPECT_TRUE(quillane->running());
}

TEST_F(FileServices, AResponseThePageCannotShowIsOfferedForSaving)
{
    server.serve("/data.bin", std::string("\x01\x02binary\x03", 9), "application/x-quillane-test");
    ASSERT_TRUE(open(downloadPage));
    std::string folder = session.folder() + "/saved";
    mkdir(folder.c_str(), 0700);
    click(40, 10 + 320);
    ASSERT_TRUE(session.waitForWindowNamed("Save File"));
    saveInto(folder);
    EXPECT_TRUE(waitUntil([&] { return readFile(folder + "/data.bin") == std::string("\x01\x02binary\x03", 9); }));
    EXPECT_TRUE(near(pixel(300, 200), { 240, 240, 240 })) << "the page stays";
    // The load that became a download waits no more: no line along the bottom of the band.
    EXPECT_TRUE(waitForPixel(3, 9, { 240, 240, 240 })) << "a line left: " << pixel(3, 9);
}
