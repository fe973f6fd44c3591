#include "fixed_texts.h"

#include <gtest/gtest.h>

TEST(FixedTexts, ProbeTextsHoldTheirExactBytes)
{
    auto texts = quillane::buildFixedTexts();
    EXPECT_EQ(texts.probePage.rfind("<!doctype html><title>Probe</title>\n<body", 0), 0u);
    EXPECT_EQ(texts.probePage.back(), '>') << "no line feed after the last line";
    EXPECT_EQ(texts.probeSaves, "Saved by the probe");
    EXPECT_EQ(texts.saveScript,
        "{ const link = document.createElement('a'); link.href = URL.createObjectURL(new Blob(['Saved by the probe'])); "
        "link.download = 'probe.txt'; link.click() }");
}
