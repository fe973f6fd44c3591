// The owners of everyday behaviour, driven without a display: microphone answers, window modes and
// the drag checks.
#include "fake_window.h"
#include "platform/event.h"
#include "platform/preferences.h"
#include "page/page_zoom.h"
#include "permissions/microphone_permission.h"
#include "main_window/drags.h"
#include "main_window/window_modes.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <filesystem>

using namespace quillane;
using platform::PermissionDecision;

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
    std::vector<Question> asked;
    std::vector<std::function<void(bool)>> pending;
    Ask ask()
    {
        return [this](const Question& question, std::function<void(bool)> answer) {
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
    std::vector<PermissionDecision> decisions;
    auto record = [&](PermissionDecision decision) { decisions.push_back(decision); };

    microphone.request(local, platform::MediaCaptureType::microphone, record);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].message, "Allow 127.0.0.1 to use the microphone?");
    EXPECT_EQ(asker.asked[0].buttons, (std::vector<std::string> { "Allow", "Don\u2019t Allow" }));
    EXPECT_TRUE(decisions.empty()) << "no decision before the answer";
    asker.pending[0](true);
    EXPECT_EQ(decisions, std::vector<PermissionDecision> { PermissionDecision::grant });

    // The next request of the site is answered from the store, also by a store read afresh.
    microphone.request(local, platform::MediaCaptureType::microphone, record);
    EXPECT_EQ(asker.asked.size(), 1u);
    platform::Preferences reread(folder);
    EXPECT_EQ(reread.dictionary("microphone"), (platform::OrderedMap<bool> { { "http://127.0.0.1:8080", true } }));

    // The camera is refused without a question.
    microphone.request(other, platform::MediaCaptureType::camera, record);
    EXPECT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(decisions.back(), PermissionDecision::deny);
}

TEST_F(MicrophonePermissionTest, AnAnswerKeepsWhatChangedWhileTheQuestionWasUpAndForgettingClearsAll)
{
    Asker asker;
    MicrophonePermission microphone(*preferences, asker.ask());
    std::vector<PermissionDecision> decisions;
    auto record = [&](PermissionDecision decision) { decisions.push_back(decision); };
    microphone.request(local, platform::MediaCaptureType::microphone, record);
    // Meanwhile another process of ours (or the other question) stored an answer for another site.
    platform::Preferences elsewhere(folder);
    elsewhere.setDictionary("microphone", { { "https://example.com", false } });
    preferences->reload();
    asker.pending[0](false);
    EXPECT_EQ(microphone.remembered(), (platform::OrderedMap<bool> { { "https://example.com", false }, { "http://127.0.0.1:8080", false } }));
    EXPECT_EQ(decisions, std::vector<PermissionDecision> { PermissionDecision::deny });

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
    modes.settle();
    EXPECT_TRUE(modes.floats());
    EXPECT_EQ(window.level, 10);
    EXPECT_EQ(window.behaviour, 0x40101u);

    modes.toggleFloating();
    EXPECT_EQ(window.level, 0);
    EXPECT_EQ(window.behaviour, 0u);
    EXPECT_EQ(platform::Preferences(folder).boolean("float"), false) << "written at once";
    modes.toggleFloating();
    EXPECT_EQ(window.level, 10);
    EXPECT_EQ(window.behaviour, 0x40101u);
}

TEST_F(WindowModesTest, FullScreenEnteredWhileFloatingComesBackFloatingAndChoicesWaitForItsEnd)
{
    quillane::testing::FakeWindow window;
    int changes = 0;
    WindowModes modes(*preferences, window, [&] { ++changes; });
    modes.settle();
    modes.toggleFullScreen();
    EXPECT_EQ(window.fullScreenToggles, 1);
    EXPECT_EQ(window.level, 0) << "a full-screen window is an ordinary one";
    EXPECT_EQ(window.behaviour, 0x80u);

    window.fullScreen = true;
    modes.didEnterFullScreen();
    EXPECT_TRUE(window.buttonsShowing) << "the buttons show in full screen";
    EXPECT_EQ(changes, 1);
    modes.toggleFloating();
    EXPECT_EQ(window.level, 0) << "unchanged in full screen";
    // A page's element full screen changes nothing of the user's full screen.
    window.pageFullScreen = true;
    modes.pageFullScreenChanged();
    EXPECT_EQ(window.level, 0);

    modes.toggleFullScreen();
    window.fullScreen = false;
    window.pageFullScreen = false;
    modes.didExitFullScreen();
    EXPECT_EQ(window.level, 0) << "floating was turned off meanwhile";
    EXPECT_EQ(window.behaviour, 0u);
    EXPECT_FALSE(window.buttonsShowing) << "the pointer is away from the buttons";
    EXPECT_EQ(changes, 3) << "entering, the float choice, leaving";

    modes.toggleFloating();
    window.pageFullScreen = true;
    modes.pageFullScreenChanged();
    EXPECT_EQ(window.level, 0) << "a page's element full screen suspends floating";
    window.pageFullScreen = false;
    modes.pageFullScreenChanged();
    EXPECT_EQ(window.level, 10);

    EXPECT_FALSE(modes.shouldZoom(1));
    EXPECT_EQ(window.fullScreenToggles, 3) << "a single click on the zoom button means full screen";
    EXPECT_TRUE(modes.shouldZoom(2)) << "a double-click on the band maximises";
}

namespace {
struct CountingDrags : DragPolicy {
    int withModifier = 0;
    std::vector<std::optional<platform::Event>> forPage;
    void dragWithModifier(const platform::Event&) override { ++withModifier; }
    void dragForPage(const std::optional<platform::Event>& press) override { forPage.push_back(press); }
};
} // namespace

TEST(DragMonitorTest, APageRequestDragsOnlyWithAFreshHeldPressInTheMainWindowOncePerPress)
{
    // Only the address of the main window is compared; nothing of it is used.
    alignas(void*) unsigned char storage[8] {};
    auto* main = reinterpret_cast<platform::Window*>(storage);
    double now = 100;
    bool held = true;
    CountingDrags drags;
    DragMonitor monitor(*main, drags, { [&] { return now; }, [&] { return held; } });
    auto press = [&](platform::Window* window, std::uint64_t modifiers = 0) {
        platform::Event event;
        event.window = window;
        event.timestamp = now;
        event.modifierFlags = modifiers;
        return monitor.leftMouseDown(event);
    };

    EXPECT_TRUE(press(main));
    now += 0.3;
    monitor.dragRequest();
    ASSERT_EQ(drags.forPage.size(), 1u);
    EXPECT_TRUE(drags.forPage[0].has_value()) << "a fresh press still held";
    monitor.dragRequest();
    EXPECT_FALSE(drags.forPage[1].has_value()) << "one drag a press";

    EXPECT_TRUE(press(main));
    now += DragMonitor::freshPress;
    monitor.dragRequest();
    EXPECT_FALSE(drags.forPage[2].has_value()) << "too late";

    EXPECT_TRUE(press(main));
    held = false;
    monitor.dragRequest();
    EXPECT_FALSE(drags.forPage[3].has_value()) << "after the release";
    held = true;

    now += 1;
    EXPECT_TRUE(press(nullptr)) << "a press in a dialog is not the main window's";
    monitor.dragRequest();
    EXPECT_FALSE(drags.forPage[4].has_value());

    EXPECT_FALSE(press(main, platform::commandKey)) << "a press with the drag modifier is taken";
    EXPECT_EQ(drags.withModifier, 1);
    EXPECT_TRUE(press(nullptr, platform::commandKey)) << "outside the main window it is delivered";
    EXPECT_EQ(drags.withModifier, 1);
}

TEST(PageZoomSteps, ZoomGoesByTheBrowsersStepsAndStopsAtTheEnds)
{
    EXPECT_DOUBLE_EQ(zoomedIn(1.0), 1.1);
    EXPECT_DOUBLE_EQ(zoomedIn(1.1), 1.25);
    EXPECT_DOUBLE_EQ(zoomedOut(1.0), 0.9);
    EXPECT_DOUBLE_EQ(zoomedOut(0.9), 0.8);
    EXPECT_DOUBLE_EQ(zoomedIn(3.0), 3.0);
    EXPECT_DOUBLE_EQ(zoomedOut(0.5), 0.5);
    // A level between steps (set elsewhere, or rounded) goes to the next step in that direction.
    EXPECT_DOUBLE_EQ(zoomedIn(1.0999999), 1.25);
    EXPECT_DOUBLE_EQ(zoomedOut(1.3), 1.25);
    EXPECT_DOUBLE_EQ(zoomedIn(0.1), 0.5);
}

using SitePermissionTest = StoreTest;

TEST_F(SitePermissionTest, NotificationAnswersAreKeptApartFromTheMicrophones)
{
    Asker asker;
    MicrophonePermission microphone(*preferences, asker.ask());
    SitePermission notifications(*preferences, "notifications", asker.ask(),
        [](const std::string& host) { return Question { "Allow \u201c" + host + "\u201d to show notifications?", "", { "Allow", "Don\u2019t Allow" } }; });
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
