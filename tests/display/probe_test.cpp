// The self-test run end to end: the real program on a private display, its report read back.
#include "harness.h"
#include "http_server.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <thread>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillane::testing;

namespace {
const std::vector<std::string> expectedReport {
    R"json(page: {"secure":true,"getUserMedia":"function","title":"Probe","background":"rgb(243, 244, 245)","address":"https://example.com/","pageMayGoFullScreen":"function","size":"756x939","clicksHeard":3,"keysHeard":"Escape ","fileButtonsAccept":".txt,.md"})json",
    "window content size: 756x949",
    "a click in the top strip lands on: HoverView, which drags the window",
    "window has a title bar: true",
    "floats on top: true, window level: 10, stays with every app and desktop: true, an ordinary window's behaviour: false, green button handled here: true",
    "typed addresses: example.com is https://example.com, localhost:3000 is http://localhost:3000",
    "quillane:// links: answered true, claimed in Info.plist true, one for https://example.com/a?b=1&c=d is https://example.com/a?b=1&c=d, one for "
    "javascript:alert(1) is refused, one for file:///etc/hosts is refused",
    "window can be resized: true, is an ordinary window: true",
    "provides the page's file chooser: true, which for a list of .txt, .md and text/plain offers: text/markdown, text/plain",
    "menus: Quillane (About Quillane [about], Forget Microphone Choices [forgetMicrophoneChoices], Quit Quillane [terminate:]); File (Open "
    "Address\u2026 [openAddress]); Edit (Undo [undo:], Redo [redo:], Cut [cut:], Copy [copy:], Paste [paste:], Select All [selectAll:]); View "
    "(Reload Page [reloadFromOrigin:], Enter Full Screen [toggleFullScreen]); Window (Float on Top [toggleFloating], Minimise [minimise]), the "
    "page can paste: true",
    "a \u2318-click is taken for dragging: true",
    "About panel: says Quillane / [0-9.]+ / .+, above this window: true",
    "band above the page: 10 points, coloured #1E3C5A (the strip at the top of the page is #1E3C5A, its background #FFFFFF)",
    "of a press on the empty top of the page and one on its top-right button, only the first is taken for dragging: true (1 taken; the page "
    "should have heard 3 presses, none of them the one on the band)",
    "buttons showing: false, pointer near them: false",
    "the buttons are brought out by the pointer within the top-left [0-9]+ by [0-9]+ points, an area that has followed the resizing: true",
    "a page's download link to a blob of its own: saved as probe.txt, as the page made it",
    "saves what a page cannot show: true",
    "answers microphone requests: true",
    "microphone: 0 site(s) have an answer remembered; any other is asked about",
    "microphone permission (0 not asked, 2 refused, 3 allowed): 3",
};
// Lines 12 and 16 hold patterns; the others are compared exactly.
bool isPattern(std::size_t index)
{
    return index == 11 || index == 15;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

class Probe : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The desktop entry is installed where the system finds it, as on a real machine.
        std::string prefix = session.folder() + "/prefix";
        int status = -1;
        session.run({ "cmake", "--install", QUILLANE_BUILD_DIR, "--prefix", prefix }, &status);
        ASSERT_EQ(status, 0);
        environment = { "XDG_DATA_HOME=" + prefix + "/share" };
        session.setExtraEnvironment(environment);
        mkdir(out().c_str(), 0700);
    }
    std::string out() const { return session.folder() + "/out"; }
    std::string reportPath() const { return out() + "/report.txt"; }

    // Runs a probe; its exit status.
    std::optional<int> probe(const std::string& report, std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        auto run = session.startQuillane({ "--probe", report });
        return run->waitForExit(timeout);
    }

    void expectLine(const std::vector<std::string>& lines, std::size_t index, const std::string& expected)
    {
        ASSERT_LT(index, lines.size());
        EXPECT_EQ(lines[index], expected) << "line " << index + 1;
    }

    DisplaySession session;
    std::vector<std::string> environment;
};
} // namespace

TEST_F(Probe, TheReportSaysWhatTheRunFound)
{
    std::string oldDownload = out() + "/probe.txt";
    session.run({ "sh", "-c", "echo left from before > '" + oldDownload + "'" });
    auto started = std::chrono::steady_clock::now();
    auto run = session.startQuillane({ "--probe", reportPath() });
    // Once the window is up the screen shows nothing of it: the window is never seen.
    ASSERT_TRUE(session.waitForWindow());
    Image screen = session.screenshot({ 0, 0, 1280, 1024 }, "during");
    bool allBlack = !screen.rgb.empty() && std::all_of(screen.rgb.begin(), screen.rgb.end(), [](std::uint8_t value) { return value == 0; });
    EXPECT_TRUE(allBlack) << "something of the probe window showed on screen";
    ASSERT_EQ(run->waitForExit(std::chrono::seconds(20)), 0);
    auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("probe run took %.2f s\n", took);
    std::string text = readFile(reportPath());
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n') << "no line feed after the last entry";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
    auto lines = linesOf(text);
    ASSERT_EQ(lines.size(), expectedReport.size()) << text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (isPattern(index))
            EXPECT_TRUE(std::regex_match(lines[index], std::regex(expectedReport[index]))) << "line " << index + 1 << ": " << lines[index];
        else
            EXPECT_EQ(lines[index], expectedReport[index]) << "line " << index + 1;
    }
    EXPECT_TRUE(readFile(oldDownload).empty()) << "the download replaced the old file and the report removed it";
    EXPECT_FALSE(g_file_test(oldDownload.c_str(), G_FILE_TEST_EXISTS));
}

TEST_F(Probe, AReportThatCannotBeWrittenEndsTheRunWithOneLineSayingWhy)
{
    std::string missing = session.folder() + "/no/such/folder/report.txt";
    std::string folder = out() + "/a-folder";
    mkdir(folder.c_str(), 0700);
    for (const std::string& report : { missing, folder, std::string("/proc/report.txt") }) {
        int status = 0;
        std::string said = session.run({ "sh", "-c", std::string(QUILLANE_BINARY) + " --probe '" + report + "' 2>&1 >/dev/null | grep -v -e WARNING -e '^$'" }, &status);
        EXPECT_NE(said.find("could not write the report to " + report + ": "), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        auto run = session.startQuillane({ "--probe", report });
        EXPECT_EQ(run->waitForExit(std::chrono::seconds(20)), 1) << report;
    }
    EXPECT_FALSE(g_file_test(missing.c_str(), G_FILE_TEST_EXISTS));
    EXPECT_TRUE(g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR));
}

TEST_F(Probe, ARelativeReportAndALinkedOneAreWrittenWhereTheyPoint)
{
    // Relative to where the run starts, download and all.
    int status = -1;
    session.run({ "sh", "-c", "cd '" + out() + "' && " + std::string(QUILLANE_BINARY) + " --probe relative.txt" }, &status);
    EXPECT_EQ(status, 0);
    std::string relative = readFile(out() + "/relative.txt");
    EXPECT_NE(relative.find("a page's download link to a blob of its own: saved as probe.txt, as the page made it"), std::string::npos) << relative;

    // A link to the report is followed: the link stays, its target gets the report.
    std::string target = out() + "/target.txt";
    std::string link = out() + "/link.txt";
    ASSERT_EQ(symlink("target.txt", link.c_str()), 0);
    ASSERT_EQ(probe(link), 0);
    EXPECT_TRUE(g_file_test(link.c_str(), G_FILE_TEST_IS_SYMLINK));
    EXPECT_EQ(readFile(target).rfind("page: {", 0), 0u);
}

TEST_F(Probe, StoredPreferencesAreReadAndLeftAsTheyAre)
{
    HttpServer server;
    server.serve("/remembered.html", "<p>remembered</p>");
    std::string stored = "[Preferences]\naddress='" + server.url("/remembered.html")
        + "'\nfloat=false\nmicrophone={'https://a.example': true, 'http://[::1]:8080': false}\n";
    session.writePreferences(stored);
    ASSERT_EQ(probe(reportPath()), 0);
    auto lines = linesOf(readFile(reportPath()));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0].rfind("page: {", 0), 0u) << "the probe page, not the remembered one";
    expectLine(lines, 4, "floats on top: false, window level: 0, stays with every app and desktop: false, an ordinary window's behaviour: true, "
                         "green button handled here: true");
    expectLine(lines, 19, "microphone: 2 site(s) have an answer remembered; any other is asked about");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(session.readPreferences(), stored) << "nothing written";
}

TEST_F(Probe, APageThatFailsToLoadIsReported)
{
    // A port that was ours a moment ago and has nobody listening now: the connection is refused.
    std::string closed;
    {
        HttpServer gone;
        closed = gone.url("/page.html");
    }
    environment.push_back("QUILLANE_TEST_PROBE_PAGE=" + closed);
    session.setExtraEnvironment(environment);
    ASSERT_EQ(probe(reportPath()), 0);
    auto lines = linesOf(readFile(reportPath()));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0].rfind("the page failed to load: ", 0), 0u) << "[" << lines[0] << "]";
    EXPECT_GT(lines[0].size(), std::string("the page failed to load: ").size()) << "with the error's message";
}

TEST_F(Probe, APageThatNeverFinishesIsReportedAfterTenSeconds)
{
    HttpServer server;
    server.hang("/endless.html");
    environment.push_back("QUILLANE_TEST_PROBE_PAGE=" + server.url("/endless.html"));
    session.setExtraEnvironment(environment);
    auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(probe(reportPath(), std::chrono::seconds(30)), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    auto lines = linesOf(readFile(reportPath()));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "the page did not load in 10 seconds");
    expectLine(lines, 16, "a page's download link to a blob of its own: nothing saved");
}
