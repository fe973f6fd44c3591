// The self-test's report writes colours as the platform it speaks of would, each component times 255
// and truncated, and reads menu labels without their access-key marks. (Its other words are checked
// line by line by the probe's display test.)
#include "platform/commands.h"
#include "probe/report_format.h"

#include <gtest/gtest.h>

using quillane::hex;
using quillane::platform::withoutMnemonic;

TEST(ReportFormat, HexTruncatesEachComponentTimes255AndLeavesAlphaOut)
{
    EXPECT_EQ(hex({ 30 / 255.0, 60 / 255.0, 90 / 255.0, 1 }), "#1E3C5A");
    EXPECT_EQ(hex({ 1, 0.5, 0, 0.2 }), "#FF7F00");
    EXPECT_EQ(hex({ 0.999, 0.0039, 1, 1 }), "#FE00FF");
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
        EXPECT_EQ(withoutMnemonic(label), plain) << label;
}
