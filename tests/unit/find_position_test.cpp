// Find in page's "n of m": Return and Shift+Return come round at both ends.
#include "page/find_position.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using quillane::FindPosition;

namespace {
// Plays keys ('n' next, 'p' previous, a digit: the page counts that many matches, '0' nothing
// matches) and gives what the bar shows after each.
std::vector<std::string> play(const std::string& keys)
{
    FindPosition position;
    std::vector<std::string> shown;
    for (char key : keys) {
        if (key == 'n')
            position.next();
        else if (key == 'p')
            position.previous();
        else if (key == '0')
            position.clear();
        else
            position.found(unsigned(key - '0'));
        shown.push_back(position.text());
    }
    return shown;
}
} // namespace

TEST(FindPosition, GoingPastEitherEndComesRoundToTheOther)
{
    using Shown = std::vector<std::string>;
    EXPECT_EQ(play("3nnn"), (Shown { "1 of 3", "2 of 3", "3 of 3", "1 of 3" })) << "forward past the last";
    EXPECT_EQ(play("3pp"), (Shown { "1 of 3", "3 of 3", "2 of 3" })) << "backward past the first";
    EXPECT_EQ(play("1np"), (Shown { "1 of 1", "1 of 1", "1 of 1" })) << "one match";
}

TEST(FindPosition, ANewCountKeepsThePlaceWhileItStillFitsAndNothingMovesWithoutMatches)
{
    using Shown = std::vector<std::string>;
    EXPECT_EQ(play("4nn5"), (Shown { "1 of 4", "2 of 4", "3 of 4", "3 of 5" }));
    EXPECT_EQ(play("4nnn2"), (Shown { "1 of 4", "2 of 4", "3 of 4", "4 of 4", "1 of 2" })) << "past the new end";
    EXPECT_EQ(play("np0np"), (Shown { "", "", "", "", "" }));
    EXPECT_EQ(play("3n0n3"), (Shown { "1 of 3", "2 of 3", "", "", "1 of 3" })) << "a new text starts at the first";
    FindPosition none;
    EXPECT_FALSE(none.next());
    EXPECT_FALSE(none.previous());
    // The bar's buttons step only while something matches.
    EXPECT_FALSE(none.hasMatches());
    none.found(2);
    EXPECT_TRUE(none.hasMatches());
    none.clear();
    EXPECT_FALSE(none.hasMatches());
}
