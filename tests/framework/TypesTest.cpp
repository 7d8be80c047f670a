#include "framework/Types.h"
#include "framework/Colors.h"

#include <gtest/gtest.h>

TEST(Geometry, HelpersFollowExclusiveEdges) {
    TRect r(10, 20, 30, 40);
    EXPECT_EQ(RectWidth(r), 20);
    EXPECT_EQ(RectHeight(r), 20);
    EXPECT_TRUE(PtInRect(r, Point(10, 20)));
    EXPECT_FALSE(PtInRect(r, Point(30, 25)));
    EXPECT_TRUE(PointInRectInclusive(r, Point(30, 40)));
    EXPECT_TRUE(IsNullRect(TRect(5, 5, 5, 10)));
    EXPECT_TRUE(IsNullPoint(Point(0, 7)));
    EXPECT_FALSE(IsNullPoint(Point(3, 7)));
    // The bottom-right corner is outside its own rectangle, so a rect is never inside itself.
    EXPECT_FALSE(RectInRect(r, r));
    EXPECT_TRUE(RectInRect(TRect(11, 21, 29, 39), r));
    EXPECT_EQ(TRect::FromQRect(r.ToQRect()), r);
}

TEST(Colors, SystemColorsResolveThroughTheFixedTable) {
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clHighlightText), RGB(255, 255, 255));
    EXPECT_EQ(ToQColor(clNavy), QColor(0, 0, 128));
}
