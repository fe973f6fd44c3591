// The main window's owners, without a display: the window modes over a window that records what is
// done to it, and the checks that decide what moves the window.
#include "main_window/drags.h"
#include "main_window/window_modes.h"
#include "platform/input.h"
#include "temporary_folder.h"

using namespace quillane;

namespace {
// A main window as the window modes see it: it records what was done to it.
class FakeWindow : public WindowModes::Host {
public:
    bool fullScreen = false;
    std::optional<bool> floating;
    bool pageFullScreen = false;
    bool buttonsShowing = false;
    bool pointerNear = false;
    bool iconified = false;
    int fullScreenToggles = 0;
    int maximiseToggles = 0;

    bool isFullScreen() const override { return fullScreen; }
    void setFloating(bool floats) override { floating = floats; }
    void toggleFullScreen() override { ++fullScreenToggles; }
    void setPageFullScreen(bool fullScreen) override { pageFullScreen = fullScreen; }
    void iconify() override { iconified = true; }
    void toggleMaximised() override { ++maximiseToggles; }
    void showButtons(bool show) override { buttonsShowing = show || fullScreen; }
    bool pointerNearButtons() const override { return pointerNear; }
};

class WindowModesTest : public quillane::testing::TemporaryFolder {
protected:
    void SetUp() override
    {
        TemporaryFolder::SetUp();
        preferences = std::make_unique<platform::Preferences>(folder);
    }
    void TearDown() override
    {
        preferences.reset();
        TemporaryFolder::TearDown();
    }
    std::unique_ptr<platform::Preferences> preferences;
};
} // namespace

TEST_F(WindowModesTest, FloatingIsTheDefaultAndTurnsOffAndOnThroughTheStore)
{
    FakeWindow window;
    int changes = 0;
    WindowModes modes(*preferences, window, [&] { ++changes; });
    modes.applyFloating();
    EXPECT_TRUE(modes.floats());
    EXPECT_EQ(window.floating, true);

    modes.toggleFloating();
    EXPECT_EQ(window.floating, false);
    EXPECT_EQ(platform::Preferences(folder).boolean("float"), false) << "stored at once";
    modes.toggleFloating();
    EXPECT_EQ(window.floating, true);
    EXPECT_EQ(changes, 2);
}

TEST_F(WindowModesTest, FullScreenEnteredWhileFloatingComesBackFloatingAndChoicesWaitForItsEnd)
{
    FakeWindow window;
    int changes = 0;
    WindowModes modes(*preferences, window, [&] { ++changes; });
    modes.applyFloating();
    modes.toggleFullScreen();
    EXPECT_EQ(window.fullScreenToggles, 1);
    EXPECT_EQ(window.floating, false) << "a full-screen window floats above nothing";

    window.fullScreen = true;
    modes.fullScreenChanged(true);
    EXPECT_TRUE(window.buttonsShowing) << "the buttons show in full screen";
    EXPECT_EQ(changes, 1);
    modes.toggleFloating();
    EXPECT_EQ(window.floating, false) << "unchanged in full screen";
    // A page's element full screen changes nothing of the user's full screen.
    modes.pageFullScreenChanged(true);
    EXPECT_EQ(window.floating, false);
    modes.pageFullScreenChanged(false);

    modes.toggleFullScreen();
    window.fullScreen = false;
    modes.fullScreenChanged(false);
    EXPECT_EQ(window.floating, false) << "floating was turned off meanwhile";
    EXPECT_FALSE(window.buttonsShowing) << "the pointer is away from the buttons";
    EXPECT_EQ(changes, 3) << "entering, the float choice, leaving";

    modes.toggleFloating();
    EXPECT_EQ(window.floating, true);
    modes.pageFullScreenChanged(true);
    EXPECT_TRUE(window.pageFullScreen);
    EXPECT_EQ(window.floating, false) << "a page's element full screen suspends floating";
    modes.pageFullScreenChanged(false);
    EXPECT_EQ(window.floating, true);

    // The zoom button means full screen; a double-click on the band maximises.
    modes.zoomButton();
    EXPECT_EQ(window.fullScreenToggles, 3);
    modes.doubleClickOnBand();
    EXPECT_EQ(window.maximiseToggles, 1);
    modes.fullScreenFailed();
    EXPECT_EQ(window.floating, true) << "floating comes back when full screen is refused";
}

TEST_F(WindowModesTest, MinimisingShowsTheButtonsForTheReturnUntilThePointerSaysOtherwise)
{
    FakeWindow window;
    WindowModes modes(*preferences, window, [] { });
    modes.minimise();
    EXPECT_TRUE(window.iconified);
    EXPECT_TRUE(window.buttonsShowing);
    for (bool near : { false, true }) {
        window.pointerNear = near;
        modes.deiconified();
        EXPECT_EQ(window.buttonsShowing, near);
    }
}

namespace {
struct CountingDrags : DragPolicy {
    int withModifier = 0;
    int fromBand = 0;
    std::vector<std::optional<platform::Press>> forPage;
    void dragWithModifier(const platform::Press&) override { ++withModifier; }
    void dragForPage(const std::optional<platform::Press>& press) override { forPage.push_back(press); }
    void dragFromBand(const platform::Press&) override { ++fromBand; }
};
} // namespace

TEST(DragsTest, APageRequestDragsOnlyWithAFreshHeldPressOncePerPress)
{
    double now = 100;
    bool held = true;
    CountingDrags policy;
    Drags drags(policy, { [&] { return now; }, [&] { return held; } });
    auto press = [&](bool super = false, unsigned button = 1) {
        platform::Press event;
        event.seconds = now;
        event.super = super;
        event.button = button;
        return drags.pressed(event);
    };

    EXPECT_FALSE(press());
    now += Drags::freshPress - 0.01;
    drags.pageRequest();
    ASSERT_EQ(policy.forPage.size(), 1u);
    EXPECT_TRUE(policy.forPage[0].has_value()) << "a fresh press still held";
    drags.pageRequest();
    EXPECT_FALSE(policy.forPage[1].has_value()) << "one drag a press";

    EXPECT_FALSE(press());
    now += Drags::freshPress;
    drags.pageRequest();
    EXPECT_FALSE(policy.forPage[2].has_value()) << "too late, at the edge";

    EXPECT_FALSE(press());
    held = false;
    drags.pageRequest();
    EXPECT_FALSE(policy.forPage[3].has_value()) << "after the release";
    held = true;

    EXPECT_FALSE(press(false, 3)) << "a right press is the page's";
    drags.pageRequest();
    EXPECT_FALSE(policy.forPage[4].has_value()) << "and no drag's";

    EXPECT_TRUE(press(true)) << "a press with the drag modifier is taken";
    EXPECT_EQ(policy.withModifier, 1);
    EXPECT_FALSE(press(true, 2)) << "only with the primary button";
    EXPECT_EQ(policy.withModifier, 1);
}

TEST(DragsTest, TheBandMovesOnAPressMaximisesOnADoubleClickAndOpensTheMenusOnARightClick)
{
    CountingDrags policy;
    Drags drags(policy, { [] { return 0.0; }, [] { return true; } });
    int doubleClicks = 0, menus = 0;
    struct Case {
        unsigned button;
        int count;
        int moves, doubles, menusOpened;
    };
    const Case cases[] = { { 1, 1, 1, 0, 0 }, { 1, 2, 1, 1, 0 }, { 3, 1, 1, 1, 1 }, { 1, 3, 1, 1, 1 }, { 2, 1, 1, 1, 1 } };
    drags.setBandActions([&] { ++doubleClicks; }, [&] { ++menus; });
    for (const auto& [button, count, moves, doubles, menusOpened] : cases) {
        platform::Press press;
        press.button = button;
        press.count = count;
        drags.bandPressed(press);
        EXPECT_EQ(policy.fromBand, moves) << button << "/" << count;
        EXPECT_EQ(doubleClicks, doubles) << button << "/" << count;
        EXPECT_EQ(menus, menusOpened) << button << "/" << count;
    }
}
