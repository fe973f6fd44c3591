// The owners of everyday behaviour, driven without a display: microphone answers, window modes and
// the drag checks.
#include "fake_window.h"
#include "platform/input.h"
#include "platform/preferences.h"
#include "permissions/microphone_permission.h"
#include "main_window/drags.h"
#include "main_window/window_modes.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <filesystem>

using namespace quillane;

namespace {
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillane-owners-XXXXXX";
        ASSERT_TRUE(g_mkdtemp(pattern));
        folder = pattern;
        preferences = std::make_unique<platform::Preferences>(folder);
    }
    void TearDown() override
    {
        // Its last write ends first: the folder is not taken away from under it.
        preferences.reset();
        std::filesystem::remove_all(folder);
    }

    std::string folder;
    std::unique_ptr<platform::Preferences> preferences;
};

// Questions are kept until the test answers them, as a sheet waits for the user.
struct Asker {
    std::vector<platform::Question> asked;
    std::vector<std::function<void(bool)>> pending;
    Ask ask()
    {
        return [this](const platform::Question& question, std::function<void(bool)> answer) {
            asked.push_back(question);
            pending.push_back(std::move(answer));
        };
    }
};

const platform::SecurityOrigin local { "http", "127.0.0.1", 8080 };
const platform::SecurityOrigin other { "https", "example.com", 0 };
} // namespace

using MicrophonePermissionTest = StoreTest;

TEST_F(MicrophonePermissionTest, AsksOncePerSiteAndRemembersTheAnswerInTheStore)
{
    Asker asker;
    MicrophonePermission microphone(*preferences, asker.ask());
    std::vector<bool> decisions;
    auto record = [&](bool allow) { decisions.push_back(allow); };

    microphone.request(local, platform::MediaCaptureType::microphone, record);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].message, "Allow 127.0.0.1 to use the microphone?");
    EXPECT_EQ(asker.asked[0].buttons, (std::vector<std::string> { "Allow", "Don\u2019t Allow" }));
    EXPECT_TRUE(decisions.empty()) << "no decision before the answer";
    asker.pending[0](true);
    EXPECT_EQ(decisions, std::vector<bool> { true });

    // The next request of the site is answered from the store, also by a store read afresh.
    microphone.request(local, platform::MediaCaptureType::microphone, record);
    EXPECT_EQ(asker.asked.size(), 1u);
    platform::Preferences reread(folder);
    EXPECT_EQ(reread.dictionary("microphone"), (platform::OrderedMap<bool> { { "http://127.0.0.1:8080", true } }));

    // The camera is refused without a question.
    microphone.request(other, platform::MediaCaptureType::camera, record);
    EXPECT_EQ(asker.asked.size(), 1u);
    EXPECT_FALSE(decisions.back());
}

TEST_F(MicrophonePermissionTest, AnAnswerKeepsWhatChangedWhileTheQuestionWasUpAndForgettingClearsAll)
{
    Asker asker;
    MicrophonePermission microphone(*preferences, asker.ask());
    std::vector<bool> decisions;
    auto record = [&](bool allow) { decisions.push_back(allow); };
    microphone.request(local, platform::MediaCaptureType::microphone, record);
    // Meanwhile another process of ours (or the other question) stored an answer for another site.
    platform::Preferences elsewhere(folder);
    elsewhere.setDictionary("microphone", { { "https://example.com", false } });
    preferences->reload();
    asker.pending[0](false);
    EXPECT_EQ(microphone.remembered(), (platform::OrderedMap<bool> { { "https://example.com", false }, { "http://127.0.0.1:8080", false } }));
    EXPECT_EQ(decisions, std::vector<bool> { false });

    microphone.request(other, platform::MediaCaptureType::microphone, record);
    EXPECT_EQ(asker.asked.size(), 1u) << "a refusal is remembered too";
    microphone.forget();
    EXPECT_TRUE(microphone.remembered().empty());
    microphone.request(other, platform::MediaCaptureType::microphone, record);
    EXPECT_EQ(asker.asked.size(), 2u) << "asked again once forgotten";
}

using WindowModesTest = StoreTest;

TEST_F(WindowModesTest, FloatingIsTheDefaultAndTurnsOffAndOnThroughTheStore)
{
    quillane::testing::FakeWindow window;
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
    quillane::testing::FakeWindow window;
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
    quillane::testing::FakeWindow window;
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

using SitePermissionTest = StoreTest;

TEST_F(SitePermissionTest, NotificationAnswersAreKeptApartFromTheMicrophones)
{
    Asker asker;
    MicrophonePermission microphone(*preferences, asker.ask());
    SitePermission notifications(*preferences, "notifications", asker.ask(),
        [](const std::string& host) { return platform::Question { "Allow \u201c" + host + "\u201d to show notifications?", "", { "Allow", "Don\u2019t Allow" } }; });
    std::vector<bool> answers;
    notifications.request(local, [&](bool allowed) { answers.push_back(allowed); });
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].message, "Allow \u201c127.0.0.1\u201d to show notifications?");
    asker.pending[0](false);
    notifications.request(local, [&](bool allowed) { answers.push_back(allowed); });
    EXPECT_EQ(answers, (std::vector<bool> { false, false })) << "Don't Allow is remembered";
    EXPECT_EQ(asker.asked.size(), 1u);

    microphone.forget();
    EXPECT_EQ(notifications.remembered().size(), 1u) << "forgetting the microphone's choices keeps these";
    notifications.forget();
    EXPECT_TRUE(notifications.remembered().empty());
}
