// Quillane as a desktop application: sandboxed pages, a window named after its page, one instance.
#include "in_process.h"
#include "quillane_test.h"

#include "platform/desktop.h"

#include <fstream>

using namespace quillane::testing;

namespace {
constexpr const char* titledPage = "<title>Inbox</title><body style='margin: 0; background: rgb(240, 240, 240)'>mail</body>";
class Desktop : public QuillaneTest {
protected:
    // Asks for a file to be shown in its folder, in this process, where no file manager answers on
    // the session's bus: what was handed to the desktop's program for folders, and whether the
    // program was told that nothing could show it.
    std::pair<std::string, bool> showInFolder(bool withAProgramForFolders)
    {
        std::string handed = session.folder() + "/handed.txt";
        session.run({ "mkdir", "-p", session.folder() + "/saved" });
        std::ofstream(session.folder() + "/saved/report.txt") << "report";
        if (withAProgramForFolders) {
            session.run({ "mkdir", "-p", session.dataHome() + "/applications" });
            std::ofstream(session.dataHome() + "/applications/folders.desktop") << "[Desktop Entry]\nType=Application\nName=Folders\n"
                "Exec=sh -c 'echo \"$1\" >> " + handed + "' sh %u\nMimeType=inode/directory;\n";
            std::ofstream(session.configHome() + "/mimeapps.list") << "[Default Applications]\ninode/directory=folders.desktop\n";
        }
        session.enterThisProcess();
        bool notShown = false;
        runApplication([&](quillane::platform::Application&) {
            quillane::platform::showInFolder(session.folder() + "/saved/report.txt", [&] { notShown = true; });
            spinUntil([&] { return notShown || !readFile(handed).empty(); });
        });
        return { readFile(handed), notShown };
    }
};
} // namespace

TEST_F(Desktop, PagesRunInTheEnginesSandbox)
{
    ASSERT_TRUE(open(titledPage));
    std::string children = session.run({ "pgrep", "-a", "-P", std::to_string(quillane->pid()) });
    EXPECT_NE(children.find("bwrap"), std::string::npos) << children;
    EXPECT_NE(children.find("WebKitWebProcess"), std::string::npos) << "the page's process runs inside bwrap: " << children;
    EXPECT_TRUE(waitForPixel(300, 300, { 240, 240, 240 })) << "and the page shows";
}

TEST_F(Desktop, ASecondLaunchWithoutALinkBringsTheWindowBack)
{
    ASSERT_TRUE(open(titledPage));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "ctrl+m" });
    ASSERT_TRUE(waitUntil([&] { return session.property(window, "_NET_WM_STATE").find("HIDDEN") != std::string::npos; }));
    auto second = session.startQuillane();
    EXPECT_EQ(second->waitForExit(std::chrono::seconds(5)), 0);
    EXPECT_TRUE(waitUntil([&] { return session.property(window, "_NET_WM_STATE").find("HIDDEN") == std::string::npos; }));
    EXPECT_TRUE(quillane->running());
}

TEST_F(Desktop, ShowInFolderOpensTheFolderWithoutAFileManager)
{
    auto [handed, notShown] = showInFolder(true);
    EXPECT_EQ(handed, session.folder() + "/saved\n");
    EXPECT_FALSE(notShown);
}

TEST_F(Desktop, ShowInFolderSaysSoWhenNothingCanShowTheFolder)
{
    auto [handed, notShown] = showInFolder(false);
    EXPECT_EQ(handed, "");
    EXPECT_TRUE(notShown);
}
