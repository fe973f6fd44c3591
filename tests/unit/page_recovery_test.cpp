// A page whose process ends comes back by itself, unless it has ended three times within a minute.
#include "page/page_recovery.h"

#include <gtest/gtest.h>

#include <vector>

using quillane::PageRecovery;

TEST(PageRecovery, TheThirdEndingWithinSixtySecondsStopsTheReloads)
{
    struct Case {
        const char* why;
        std::vector<double> endings;
        std::vector<bool> reloads;
    };
    const Case cases[] = {
        { "one and two endings come back", { 0, 1 }, { true, true } },
        { "the third just inside the minute", { 0, 30, 59.999 }, { true, true, false } },
        { "the first has left the minute at its edge", { 0, 30, 60 }, { true, true, true } },
        { "a window that slides", { 0, 30, 60, 89.999 }, { true, true, true, false } },
        { "after a refusal the next ending is still counted", { 0, 1, 2, 3 }, { true, true, false, false } },
        { "a quiet minute forgets everything", { 0, 1, 2, 62.001, 62.002 }, { true, true, false, true, true } },
    };
    for (const auto& [why, endings, reloads] : cases) {
        double now = 0;
        PageRecovery recovery([&] { return now; });
        std::vector<bool> answers;
        for (double at : endings) {
            now = at;
            answers.push_back(recovery.shouldReload());
        }
        EXPECT_EQ(answers, reloads) << why;
    }
}
