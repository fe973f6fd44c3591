#include "fake_window.h"
#include "menus/command_table.h"
#include "platform/application.h"
#include "platform/menu.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillane;

namespace {
class MenuTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillane-menus-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string folder;
    platform::Application application { { "org.quillane.MenuTest", "quillane", "Quillane", "Quillane" }, false };
    quillane::testing::FakeWindow window;
};
} // namespace

TEST_F(MenuTable, TheBuiltMenuBarReadsBackAsTheTable)
{
    platform::Preferences preferences(folder);
    WindowModes modes(preferences, window, [] { });
    MenuValidation validation(modes);
    MenuActions perform;
    application.setMainMenu(menuTable(perform, validation));
    const std::vector<std::string> expected {
        "Quillane",
        "  About Quillane",
        "  ---",
        "  Forget Microphone Choices",
        "  ---",
        "  Quit Quillane <Primary>q",
        "File",
        "  Open Address\u2026 <Primary>l",
        "Edit",
        "  Undo <Primary>z",
        "  Redo <Primary><Shift>z",
        "  ---",
        "  Cut <Primary>x",
        "  Copy <Primary>c",
        "  Paste <Primary>v",
        "  Select All <Primary>a",
        "View",
        "  Reload Page <Primary>r",
        "  Enter Full Screen F11",
        "Window",
        "  Float on Top",
        "  ---",
        "  Minimise <Primary>m",
    };
    EXPECT_EQ(application.describeMainMenu(), expected);

    std::vector<std::string> actions;
    for (const auto& menu : application.mainMenu()) {
        for (const auto& item : menu.items)
            actions.push_back(item.separator ? "-" : item.action + (item.target ? "@validated" : ""));
    }
    EXPECT_EQ(actions, (std::vector<std::string> { "about@validated", "-", "forgetMicrophoneChoices@validated", "-", "terminate:", "openAddress@validated",
                           "undo:", "redo:", "-", "cut:", "copy:", "paste:", "selectAll:", "reloadFromOrigin:", "toggleFullScreen@validated",
                           "toggleFloating@validated", "-", "minimise@validated" }));
}

TEST_F(MenuTable, ValidationFollowsTheFloatPreferenceAndTheFullScreenState)
{
    platform::Preferences preferences(folder);
    WindowModes modes(preferences, window, [] { });
    MenuValidation validation(modes);
    platform::MenuItemState floatOnTop { "toggleFloating", "Float on Top", false, false };
    EXPECT_TRUE(validation.validateMenuItem(floatOnTop));
    EXPECT_TRUE(floatOnTop.on) << "floating is the default";
    preferences.setBoolean("float", false);
    EXPECT_TRUE(validation.validateMenuItem(floatOnTop));
    EXPECT_FALSE(floatOnTop.on);
    EXPECT_EQ(floatOnTop.title, "Float on Top");

    platform::MenuItemState fullScreen { "toggleFullScreen", "Exit Full Screen", false, false };
    EXPECT_TRUE(validation.validateMenuItem(fullScreen));
    EXPECT_EQ(fullScreen.title, "Enter Full Screen");
    EXPECT_FALSE(fullScreen.on);
    window.fullScreen = true;
    EXPECT_TRUE(validation.validateMenuItem(fullScreen));
    EXPECT_EQ(fullScreen.title, "Exit Full Screen");
    platform::MenuItemState other { "about", "About Quillane", false, false };
    EXPECT_TRUE(validation.validateMenuItem(other));
    EXPECT_EQ(other.title, "About Quillane");
}

TEST(KeyEquivalents, CommandIsCtrlAndControlCommandFIsF11)
{
    auto accelerator = [](std::string key, std::uint64_t mask = platform::commandKey) {
        platform::MenuItem item;
        item.keyEquivalent = std::move(key);
        item.modifierMask = mask;
        return platform::acceleratorFor(item);
    };
    EXPECT_EQ(accelerator("q"), "<Primary>q");
    EXPECT_EQ(accelerator("Z"), "<Primary><Shift>z");
    EXPECT_EQ(accelerator("f", platform::controlKey | platform::commandKey), "F11");
    EXPECT_EQ(accelerator(""), "");
    EXPECT_EQ(accelerator("k", platform::controlKey), "<Control>k");
}
