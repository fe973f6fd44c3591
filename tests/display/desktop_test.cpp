// Quillane as a desktop application: sandboxed pages, a window named after its page, one instance.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
constexpr const char* titledPage = "<title>Inbox</title><body style='margin: 0; background: rgb(240, 240, 240)'>mail</body>";
class Desktop : public QuillaneTest { };
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
