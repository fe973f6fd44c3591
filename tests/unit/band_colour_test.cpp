#include "main_window/band_colour.h"

#include <gtest/gtest.h>

using quillane::colour;
using quillane::platform::Colour;

TEST(BandColour, RgbTextsGiveTheirFirstThreeNumbersOver255)
{
    const std::pair<std::string, Colour> cases[] = {
        { "rgb(30, 60, 90)", { 30 / 255.0, 60 / 255.0, 90 / 255.0, 1 } },
        { "rgba(30, 60, 90, 0.5)", { 30 / 255.0, 60 / 255.0, 90 / 255.0, 1 } },
        { "rgb(0,0,0)", { 0, 0, 0, 1 } },
        { "rgb(-20, 60, 90)", { 20 / 255.0, 60 / 255.0, 90 / 255.0, 1 } },
        { "rgb(50%, 10%, 0%)", { 50 / 255.0, 10 / 255.0, 0, 1 } },
        { "rgb(300, 255, 510)", { 300 / 255.0, 1, 2, 1 } },
        { "rgb(1.5, .5, 2.)", { 1.5 / 255, 0.5 / 255, 2 / 255.0, 1 } },
        { "rgb(1..2, 3, 4, 5)", { 3 / 255.0, 4 / 255.0, 5 / 255.0, 1 } },
        { "rgbwhatever 7 8 9", { 7 / 255.0, 8 / 255.0, 9 / 255.0, 1 } },
    };
    for (const auto& [text, expected] : cases) {
        auto result = colour(text);
        ASSERT_TRUE(result) << text;
        EXPECT_DOUBLE_EQ(result->red, expected.red) << text;
        EXPECT_DOUBLE_EQ(result->green, expected.green) << text;
        EXPECT_DOUBLE_EQ(result->blue, expected.blue) << text;
        EXPECT_EQ(result->alpha, 1) << text;
    }
}

TEST(BandColour, OtherTextsGiveNone)
{
    for (std::string_view text : { "", "white", "#1E3C5A", "#fff", " rgb(30, 60, 90)", "RGB(30, 60, 90)", "hsl(120, 50%, 50%)",
             "color(display-p3 0.1 0.2 0.3)", "rgb(30, 60)", "rgb(., 1, 2)", "rgb(1.2.3, 4, 5)", "transparent" })
        EXPECT_FALSE(colour(text)) << text;
}
