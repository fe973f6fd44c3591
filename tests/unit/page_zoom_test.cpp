// The page's zoom: the browser's steps from 50 % to 300 %, remembered per site unless it is 100 %.
#include "page/page_zoom.h"

#include <gtest/gtest.h>

using namespace quillane;
using platform::OrderedMap;
using platform::Preferences;

TEST(PageZoom, StepsGoBothWaysAndStopAtTheEnds)
{
    EXPECT_DOUBLE_EQ(zoomedIn(1.0), 1.1);
    EXPECT_DOUBLE_EQ(zoomedIn(1.1), 1.25);
    EXPECT_DOUBLE_EQ(zoomedOut(1.0), 0.9);
    // Up from the smallest, then down from the largest: the same steps in turn, twelve each way.
    std::vector<double> up { 0.5 }, down { 3.0 };
    while (zoomedIn(up.back()) != up.back())
        up.push_back(zoomedIn(up.back()));
    while (zoomedOut(down.back()) != down.back())
        down.push_back(zoomedOut(down.back()));
    EXPECT_EQ(up.size(), 13u);
    EXPECT_DOUBLE_EQ(up.back(), 3.0);
    EXPECT_EQ(std::vector<double>(down.rbegin(), down.rend()), up);
    // A level between steps, or past an end, goes to the next step that way.
    const std::pair<double, double> in[] = { { 1.0999999, 1.25 }, { 1.0005, 1.1 }, { 0.9995, 1.1 }, { 0.1, 0.5 }, { 2.9995, 3.0 }, { 9.0, 3.0 } };
    for (auto [level, next] : in)
        EXPECT_DOUBLE_EQ(zoomedIn(level), next) << level;
    const std::pair<double, double> out[] = { { 1.3, 1.25 }, { 0.9995, 0.9 }, { 1.0005, 0.9 }, { 0.5005, 0.5 }, { 0.1, 0.5 }, { 9.0, 3.0 } };
    for (auto [level, next] : out)
        EXPECT_DOUBLE_EQ(zoomedOut(level), next) << level;
}

TEST(PageZoom, EachStepUpIsShownAsTheBrowsersUsualPercentage)
{
    std::vector<std::string> shown { zoomText(0.5) };
    for (double level = 0.5; zoomedIn(level) != level; level = zoomedIn(level))
        shown.push_back(zoomText(zoomedIn(level)));
    EXPECT_EQ(shown, (std::vector<std::string> { "50 %", "67 %", "75 %", "80 %", "90 %", "100 %", "110 %", "125 %", "150 %", "175 %", "200 %", "250 %", "300 %" }));
}

TEST(PageZoom, TheOwnSizeIsForgottenAnyOtherBecomesTheSitesNewest)
{
    const std::string longest(Preferences::longestKey, 's');
    const OrderedMap<double> ab { { "https://a.example", 1.1 }, { "https://b.example", 1.5 } };
    struct Case {
        OrderedMap<double> before;
        std::string site;
        double level;
        OrderedMap<double> after;
    };
    const std::vector<Case> cases {
        { {}, "https://a.example", 1.25, { { "https://a.example", 1.25 } } },
        { ab, "https://a.example", 1.25, { { "https://b.example", 1.5 }, { "https://a.example", 1.25 } } },
        { ab, "https://a.example", 1.0, { { "https://b.example", 1.5 } } },
        { ab, "https://a.example", 1.0009, { { "https://b.example", 1.5 } } },
        { ab, "https://a.example", 0.9991, { { "https://b.example", 1.5 } } },
        { ab, "https://a.example", 1.0011, { { "https://b.example", 1.5 }, { "https://a.example", 1.0011 } } },
        { ab, "https://c.example", 1.0, ab },
        { {}, longest, 1.25, { { longest, 1.25 } } },
        { {}, longest + "s", 1.25, {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(zoomRemembered(c.before, c.site, c.level), c.after) << c.site.substr(0, 20) << " at " << c.level;
}
