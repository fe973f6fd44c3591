#include "probe/report_format.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillane;

TEST(ReportFormat, HexTruncatesEachComponentTimes255)
{
    EXPECT_EQ(hex({ 30 / 255.0, 60 / 255.0, 90 / 255.0, 1 }), "#1E3C5A");
    EXPECT_EQ(hex({ 1, 0.5, 0, 0.2 }), "#FF7F00") << "0.5 gives 7F, and alpha is not written";
    EXPECT_EQ(hex({ 0.999, 0.0039, 1, 1 }), "#FE00FF");
}

TEST(ReportFormat, LinkedAnswersWhatTheLinkRulesMakeOfAnEncodedAddress)
{
    std::string encoded = encodedForLink("https://example.com/a?b=1&c=d");
    EXPECT_EQ(encoded, "https%3A%2F%2Fexample.com%2Fa%3Fb%3D1%26c%3Dd") << "the domain's dots stay";
    EXPECT_EQ(linked(encoded), "https://example.com/a?b=1&c=d");
    EXPECT_EQ(linked("javascript%3Aalert(1)"), "refused");
    EXPECT_EQ(linked("file%3A%2F%2F%2Fetc%2Fhosts"), "refused");
}

TEST(ReportFormat, MenuSummarySkipsSeparatorsAndListsActionsInBrackets)
{
    platform::Menu file { "File", {} };
    file.items.push_back(platform::MenuItem::separatorItem());
    platform::MenuItem open;
    open.title = "Open Address\u2026";
    open.action = "openAddress";
    file.items.push_back(open);
    platform::MenuItem plain;
    plain.title = "No Action";
    file.items.push_back(plain);
    platform::Menu empty { "Empty", { platform::MenuItem::separatorItem(), platform::MenuItem::separatorItem() } };
    EXPECT_EQ(menuSummary({ file, empty }), "File (Open Address\u2026 [openAddress], No Action); Empty ()");
    EXPECT_EQ(menuSummary({}), "");
}

TEST(ReportFormat, OfferedTypesAreUniqueAndSorted)
{
    EXPECT_EQ(offeredTypes({ "text/plain", "text/markdown", "text/plain" }), "text/markdown, text/plain");
    EXPECT_EQ(offeredTypes({}), "");
}

TEST(ReportFormat, TwentyOneEntriesMakeTwentyLineFeedsAndNoneAtTheEnd)
{
    std::vector<std::string> entries;
    for (int index = 1; index <= 21; ++index)
        entries.push_back("entry " + std::to_string(index));
    std::string text = joinedReport(entries);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
    EXPECT_EQ(text.back(), '1');
    EXPECT_EQ(text.rfind("entry 21"), text.size() - 8);
}
