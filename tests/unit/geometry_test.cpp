#include "platform/geometry.h"

#include <gtest/gtest.h>

using namespace quillane::platform;

TEST(Geometry, RectanglesAreHalfOpen)
{
    Rect rect { { 10, 20 }, { 30, 40 } };
    EXPECT_TRUE(rect.contains({ 10, 20 }));
    EXPECT_TRUE(rect.contains({ 39.9, 59.9 }));
    EXPECT_FALSE(rect.contains({ 40, 30 }));
    EXPECT_FALSE(rect.contains({ 20, 60 }));
    EXPECT_FALSE(rect.contains({ 9.9, 30 }));
    EXPECT_FALSE((Rect { { 0, 0 }, { 0, 10 } }).contains({ 0, 0 })) << "an empty rectangle holds no point";
}

TEST(Geometry, FlippingTurnsBottomLeftIntoTopLeftAndBack)
{
    // A 640x390 page view against the bottom of a 400-point window starts 10 points from the top.
    Rect page { { 0, 0 }, { 640, 390 } };
    EXPECT_EQ(flipped(page, 400), (Rect { { 0, 10 }, { 640, 390 } }));
    EXPECT_EQ(flipped(flipped(page, 400), 400), page);
    // A button 7 points from the top, 14 high, in a 400-point window.
    EXPECT_EQ(flipped(Rect { { 8, 7 }, { 14, 14 } }, 400), (Rect { { 8, 379 }, { 14, 14 } }));
    EXPECT_EQ(flipped(Point { 5, 0 }, 400), (Point { 5, 400 }));
}

TEST(Geometry, IntersectionAndUnion)
{
    Rect a { { 0, 0 }, { 10, 10 } };
    Rect b { { 5, -5 }, { 10, 10 } };
    EXPECT_EQ(a.intersection(b), (Rect { { 5, 0 }, { 5, 5 } }));
    EXPECT_TRUE(a.intersection(Rect { { 10, 0 }, { 5, 5 } }).isEmpty()) << "touching edges do not overlap";
    EXPECT_EQ(a.unionWith(b), (Rect { { 0, -5 }, { 15, 15 } }));
    EXPECT_EQ(Rect {}.unionWith(b), b);
    EXPECT_EQ(a.insetBy(-20, -20), (Rect { { -20, -20 }, { 50, 50 } }));
}
