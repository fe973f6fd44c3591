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

TEST(ReportFormat, MenuSummaryNamesEachCommandAsTheReportsPlatformWould)
{
    // Access keys are marked in the menus, never in the report.
    platform::ShownMenu file { "_File", { { "_Open Address\u2026", "open-address", "<Primary>l" }, { "No Action", "", "" } } };
    platform::ShownMenu quit { "Quillane", { { "_Quit Quillane", "quit", "<Primary>q" }, { "O_ther", "zoom-in", "" } } };
    platform::ShownMenu empty { "Empty", {} };
    EXPECT_EQ(menuSummary({ file, quit, empty }),
        "File (Open Address\u2026 [openAddress], No Action); Quillane (Quit Quillane [terminate:], Other [zoom-in]); Empty ()");
    EXPECT_EQ(menuSummary({}), "");
}

TEST(ReportFormat, LabelsAreReadWithoutTheirAccessKeyMarks)
{
    const std::pair<const char*, const char*> labels[] = {
        { "_Quit Quillane", "Quit Quillane" },
        { "Cu_t", "Cut" },
        { "Resi_ze Window", "Resize Window" },
        { "Plain", "Plain" },
        { "", "" },
        { "snake__case", "snake_case" },
        { "__init_", "_init_" },
        { "_", "_" },
        { "end_", "end_" },
        { "_\u2026", "\u2026" },
    };
    for (const auto& [label, plain] : labels)
        EXPECT_EQ(platform::withoutMnemonic(label), plain) << label;
}

TEST(ReportFormat, EveryCommandOfTheMenuBarHasItsSelector)
{
    const std::pair<const char*, const char*> selectors[] = { { "about", "about" }, { "forget-microphone-choices", "forgetMicrophoneChoices" },
        { "quit", "terminate:" }, { "open-address", "openAddress" }, { "undo", "undo:" }, { "redo", "redo:" }, { "cut", "cut:" }, { "copy", "copy:" },
        { "paste", "paste:" }, { "select-all", "selectAll:" }, { "reload", "reloadFromOrigin:" }, { "full-screen", "toggleFullScreen" },
        { "float-on-top", "toggleFloating" }, { "minimise", "minimise" } };
    for (const auto& [command, selector] : selectors)
        EXPECT_EQ(selectorFor(command), selector) << command;
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
