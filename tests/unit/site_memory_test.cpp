// What is remembered per site: permission answers and zoom levels keep the newest sites up to the
// store's limit, a site answered or zoomed again becomes the newest, and a site text too long to
// store is answered for the page without being remembered.
#include "page/address_rules.h"
#include "page/page_zoom.h"
#include "platform/preferences.h"
#include "permissions/site_permission.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace quillane;
using platform::OrderedMap;
using platform::Preferences;

namespace {
constexpr std::size_t most = Preferences::mostEntries;

class SiteMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillane-sites-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        folder = pattern;
        preferences = std::make_unique<Preferences>(folder);
        answers = std::make_unique<SitePermission>(*preferences, "microphone", asker(), [](const std::string& host) { return platform::Question { host, "", {} }; });
    }
    void TearDown() override
    {
        answers.reset();
        preferences.reset();
        std::filesystem::remove_all(folder);
    }
    // Questions wait here until the test answers them.
    Ask asker()
    {
        return [this](const platform::Question& question, std::function<void(bool)> answer) {
            asked.push_back(question.message);
            pending.push_back(std::move(answer));
        };
    }
    static std::string siteNumber(std::size_t number) { return "https://site-" + std::to_string(number) + ".example"; }
    static OrderedMap<bool> sites(std::size_t count)
    {
        OrderedMap<bool> map;
        for (std::size_t number = 0; number < count; ++number)
            map.set(siteNumber(number), true);
        return map;
    }

    std::string folder;
    std::unique_ptr<Preferences> preferences;
    std::unique_ptr<SitePermission> answers;
    std::vector<std::string> asked;
    std::vector<std::function<void(bool)>> pending;
};

const platform::SecurityOrigin newcomer { "https", "newcomer.example", 0 };
} // namespace

TEST_F(SiteMemory, AnAnswerPastTheLimitLetsTheOldestGo)
{
    struct Case {
        std::size_t before;
        std::size_t after;
        std::string oldest;
    };
    for (const Case& c : { Case { most - 1, most, siteNumber(0) }, Case { most, most, siteNumber(1) } }) {
        preferences->setDictionary("microphone", sites(c.before));
        std::vector<bool> decided;
        answers->request(newcomer, [&](bool allowed) { decided.push_back(allowed); });
        ASSERT_EQ(pending.size(), 1u);
        std::exchange(pending, {})[0](false);
        EXPECT_EQ(decided, std::vector<bool> { false });
        auto remembered = Preferences(folder).dictionary("microphone").value_or(OrderedMap<bool> {});
        ASSERT_EQ(remembered.size(), c.after) << c.before << " before";
        EXPECT_EQ(remembered.entries().front().first, c.oldest) << c.before << " before";
        EXPECT_EQ(remembered.entries().back(), std::make_pair(std::string("https://newcomer.example"), false));
    }
}

TEST_F(SiteMemory, ASiteAnsweredAgainBecomesTheNewestAndNothingElseGoes)
{
    answers->request(newcomer, [](bool) { });
    // Meanwhile another window of ours answered it first, its answer the oldest of a full store.
    std::vector<OrderedMap<bool>::Entry> full { { "https://newcomer.example", true } };
    for (std::size_t number = 0; full.size() < most; ++number)
        full.emplace_back(siteNumber(number), true);
    Preferences(folder).setDictionary("microphone", OrderedMap<bool>(full));
    preferences->reload();
    ASSERT_EQ(pending.size(), 1u);
    pending[0](false);
    auto remembered = answers->remembered();
    ASSERT_EQ(remembered.size(), most);
    EXPECT_EQ(remembered.entries().front().first, siteNumber(0)) << "no other site let go";
    EXPECT_EQ(remembered.entries().back(), std::make_pair(std::string("https://newcomer.example"), false));
}

TEST_F(SiteMemory, ASiteTextPastTheLongestIsAnsweredButAskedAgainNextTime)
{
    const std::string scheme = "https://";
    struct Case {
        std::size_t siteLength;
        bool remembered;
    };
    for (const Case& c : { Case { Preferences::longestKey, true }, Case { Preferences::longestKey + 1, false } }) {
        const platform::SecurityOrigin origin { "https", std::string(c.siteLength - scheme.size(), 'h'), 0 };
        ASSERT_EQ(site(origin.protocol, origin.host, origin.port).size(), c.siteLength);
        answers->forget();
        asked.clear();
        pending.clear();
        std::vector<bool> decided;
        answers->request(origin, [&](bool allowed) { decided.push_back(allowed); });
        ASSERT_EQ(pending.size(), 1u);
        pending[0](true);
        answers->request(origin, [&](bool allowed) { decided.push_back(allowed); });
        EXPECT_EQ(asked.size(), c.remembered ? 1u : 2u) << c.siteLength;
        EXPECT_EQ(answers->remembered().size(), c.remembered ? 1u : 0u) << c.siteLength;
        EXPECT_EQ(decided, std::vector<bool>(c.remembered ? 2 : 1, true)) << "answered for the page: " << c.siteLength;
    }
}

TEST_F(SiteMemory, ZoomPastTheLimitLetsTheOldestSiteGo)
{
    OrderedMap<double> levels;
    for (std::size_t number = 0; number < most; ++number)
        levels.set(siteNumber(number), 1.25);
    preferences->setNumbers("zoom", levels);
    preferences->setNumbers("zoom", zoomRemembered(*preferences->numbers("zoom"), "https://newcomer.example", 0.8));
    auto stored = Preferences(folder).numbers("zoom").value_or(OrderedMap<double> {});
    ASSERT_EQ(stored.size(), most);
    EXPECT_FALSE(stored.find(siteNumber(0))) << "the oldest went";
    EXPECT_EQ(stored.entries().front().first, siteNumber(1));
    EXPECT_EQ(stored.find("https://newcomer.example"), 0.8);
}
