// The self-test's report writes colours as the platform it speaks of would: each component times
// 255, truncated. (Its other words are checked line by line by the probe's display test.)
#include "probe/report_format.h"

#include <gtest/gtest.h>

using quillane::hex;

TEST(ReportFormat, HexTruncatesEachComponentTimes255AndLeavesAlphaOut)
{
    EXPECT_EQ(hex({ 30 / 255.0, 60 / 255.0, 90 / 255.0, 1 }), "#1E3C5A");
    EXPECT_EQ(hex({ 1, 0.5, 0, 0.2 }), "#FF7F00");
    EXPECT_EQ(hex({ 0.999, 0.0039, 1, 1 }), "#FE00FF");
}
