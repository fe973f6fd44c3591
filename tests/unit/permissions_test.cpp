// What sites are allowed: asked once per site, remembered in the store (the newest sites up to its
// limit), kept apart per permission, and forgotten on request.
#include "permissions/microphone_permission.h"
#include "temporary_folder.h"

using namespace quillane;
using platform::OrderedMap;
using platform::Preferences;

namespace {
class Permissions : public quillane::testing::TemporaryFolder {
protected:
    void SetUp() override
    {
        TemporaryFolder::SetUp();
        preferences = std::make_unique<Preferences>(folder);
    }
    void TearDown() override
    {
        // Its last write ends first: the folder is not taken away from under it.
        preferences.reset();
        TemporaryFolder::TearDown();
    }
    // Questions wait here until the test answers them, as a sheet waits for the user.
    Ask ask()
    {
        return [this](const platform::Question& question, std::function<void(std::optional<bool>)> answer) {
            asked.push_back(question);
            pending.push_back(std::move(answer));
        };
    }
    SitePermission sitePermission(const std::string& key)
    {
        return SitePermission(*preferences, key, ask(), [](const std::string& host) { return platform::Question { host, "", {} }; });
    }
    std::function<void(bool)> record()
    {
        return [this](bool allowed) { decisions.push_back(allowed); };
    }
    static std::string siteNumber(std::size_t number) { return "https://site-" + std::to_string(number) + ".example"; }

    std::unique_ptr<Preferences> preferences;
    std::vector<platform::Question> asked;
    std::vector<std::function<void(std::optional<bool>)>> pending;
    std::vector<bool> decisions;
};

const platform::SecurityOrigin local { "http", "127.0.0.1", 8080 };
const platform::SecurityOrigin other { "https", "example.com", 0 };
constexpr std::size_t most = Preferences::mostEntries;
} // namespace

TEST_F(Permissions, TheMicrophoneIsAskedOncePerSiteAndTheCameraNever)
{
    MicrophonePermission microphone(*preferences, ask());
    microphone.request(local, platform::MediaCaptureType::microphone, record());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].message, "Allow 127.0.0.1 to use the microphone?");
    EXPECT_EQ(asked[0].buttons, (std::vector<std::string> { "Allow", "Don\u2019t Allow" }));
    EXPECT_TRUE(decisions.empty()) << "no decision before the answer";
    pending[0](true);
    EXPECT_EQ(decisions, std::vector<bool> { true });
    // Answered from the store from now on, also by a store read afresh.
    microphone.request(local, platform::MediaCaptureType::microphone, record());
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(Preferences(folder).dictionary("microphone"), (OrderedMap<bool> { { "http://127.0.0.1:8080", true } }));
    for (auto type : { platform::MediaCaptureType::camera, platform::MediaCaptureType::cameraAndMicrophone })
        microphone.request(other, type, record());
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(decisions, (std::vector<bool> { true, true, false, false }));
}

TEST_F(Permissions, RequestsWhileASitesQuestionIsUpWaitForItsAnswerAndAnotherSiteIsAskedApart)
{
    SitePermission notifications = sitePermission("notifications");
    for (int request = 0; request < 50; ++request)
        notifications.request(local, record());
    notifications.request(other, record());
    ASSERT_EQ(asked.size(), 2u) << "one question a site, however often a page asks";
    EXPECT_EQ(asked[0].message, "127.0.0.1");
    EXPECT_EQ(asked[1].message, "example.com");
    pending[0](false);
    EXPECT_EQ(decisions, std::vector<bool>(50, false)) << "every request of the site hears the one answer";
    pending[1](true);
    EXPECT_EQ(decisions.size(), 51u);
    EXPECT_TRUE(decisions.back());
    // Once answered, the next request is the store's, and a question after a forget is a new one.
    notifications.request(local, record());
    EXPECT_EQ(asked.size(), 2u);
    notifications.forget();
    notifications.request(local, record());
    notifications.request(local, record());
    EXPECT_EQ(asked.size(), 3u);
}

TEST_F(Permissions, AQuestionDismissedWithoutAChoiceRefusesForNowAndIsAskedAgain)
{
    SitePermission notifications = sitePermission("notifications");
    notifications.request(local, record());
    notifications.request(local, record());
    ASSERT_EQ(asked.size(), 1u);
    pending[0](std::nullopt);
    EXPECT_EQ(decisions, (std::vector<bool> { false, false })) << "the waiting requests are refused";
    EXPECT_TRUE(notifications.remembered().empty()) << "nothing is remembered";
    notifications.request(local, record());
    ASSERT_EQ(asked.size(), 2u) << "the next request asks again";
    pending[1](true);
    EXPECT_EQ(notifications.remembered(), (OrderedMap<bool> { { "http://127.0.0.1:8080", true } }));
}

TEST_F(Permissions, AnAnswerKeepsWhatChangedWhileTheQuestionWasUpAndForgettingClearsOnlyItsOwn)
{
    MicrophonePermission microphone(*preferences, ask());
    SitePermission notifications = sitePermission("notifications");
    microphone.request(local, platform::MediaCaptureType::microphone, record());
    // Meanwhile another process of ours stored an answer for another site.
    Preferences(folder).setDictionary("microphone", { { "https://example.com", false } });
    preferences->reload();
    pending[0](false);
    EXPECT_EQ(microphone.remembered(), (OrderedMap<bool> { { "https://example.com", false }, { "http://127.0.0.1:8080", false } }));
    microphone.request(other, platform::MediaCaptureType::microphone, record());
    EXPECT_EQ(asked.size(), 1u) << "a refusal is remembered too";

    notifications.request(local, record());
    pending[1](true);
    microphone.forget();
    EXPECT_TRUE(microphone.remembered().empty());
    EXPECT_EQ(notifications.remembered().size(), 1u) << "forgetting the microphone's choices keeps the others";
    microphone.request(other, platform::MediaCaptureType::microphone, record());
    EXPECT_EQ(asked.size(), 3u) << "asked again once forgotten";
}

TEST_F(Permissions, AnAnswerPastTheLimitLetsTheOldestGoAndASiteAnsweredAgainBecomesTheNewest)
{
    SitePermission answers = sitePermission("microphone");
    const platform::SecurityOrigin newcomer { "https", "newcomer.example", 0 };
    struct Case {
        const char* why;
        bool newcomerStoredMeanwhile;
        std::size_t others;
        std::string oldest;
    };
    const Case cases[] = {
        { "one short of full: all stay", false, most - 1, siteNumber(0) },
        { "full: the oldest goes", false, most, siteNumber(1) },
        { "answered meanwhile as the oldest of a full store: it moves, nothing goes", true, most - 1, siteNumber(0) },
    };
    for (const auto& [why, meanwhile, others, oldest] : cases) {
        pending.clear();
        answers.forget();
        answers.request(newcomer, record());
        // Meanwhile the store filled up, in this window or another.
        OrderedMap<bool> stored;
        if (meanwhile)
            stored.set("https://newcomer.example", true);
        for (std::size_t number = 0; number < others; ++number)
            stored.set(siteNumber(number), true);
        preferences->setDictionary("microphone", stored);
        ASSERT_EQ(pending.size(), 1u) << why;
        pending[0](false);
        auto remembered = Preferences(folder).dictionary("microphone").value_or(OrderedMap<bool> {});
        ASSERT_EQ(remembered.size(), most) << why;
        EXPECT_EQ(remembered.entries().front().first, oldest) << why;
        EXPECT_EQ(remembered.entries().back(), std::make_pair(std::string("https://newcomer.example"), false)) << why;
    }
}

TEST_F(Permissions, ASiteTextPastTheLongestIsAnsweredButAskedAgainNextTime)
{
    SitePermission answers = sitePermission("microphone");
    for (std::size_t length : { Preferences::longestKey, Preferences::longestKey + 1 }) {
        const platform::SecurityOrigin origin { "https", std::string(length - std::string("https://").size(), 'h'), 0 };
        const bool kept = length <= Preferences::longestKey;
        answers.forget();
        asked.clear();
        pending.clear();
        decisions.clear();
        answers.request(origin, record());
        ASSERT_EQ(pending.size(), 1u);
        pending[0](true);
        answers.request(origin, record());
        EXPECT_EQ(asked.size(), kept ? 1u : 2u) << length;
        EXPECT_EQ(answers.remembered().size(), kept ? 1u : 0u) << length;
        EXPECT_EQ(decisions, std::vector<bool>(kept ? 2 : 1, true)) << "answered for the page: " << length;
    }
}
