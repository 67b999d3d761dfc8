// Rectangles exclude their right and bottom edges, as GDI does.
#include "framework/rtl/Types.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Types, RectAndBoundsDescribeTheSameArea) {
    TRect r = Bounds(2, 3, 4, 5);
    EXPECT_EQ(r, Rect(2, 3, 6, 8));
    EXPECT_EQ(r.Width(), 4);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_EQ(r.TopLeft(), Point(2, 3));
    EXPECT_EQ(r.BottomRight(), Point(6, 8));
    EXPECT_EQ(CenterPoint(r), Point(4, 5));
}

TEST(Types, PointInRectExcludesRightAndBottomEdges) {
    const TRect r = Rect(0, 0, 3, 2);
    struct Case {
        TPoint p;
        bool inside;
    } cases[] = {{Point(0, 0), true},  {Point(2, 1), true},   {Point(3, 0), false},
                 {Point(0, 2), false}, {Point(-1, 0), false}, {Point(2, 2), false}};
    for (const Case& c : cases) {
        EXPECT_EQ(PtInRect(r, c.p), c.inside) << c.p.X << "," << c.p.Y;
        RECT w = r;
        EXPECT_EQ(::PtInRect(&w, c.p) != FALSE, c.inside) << "GDI disagrees at " << c.p.X << "," << c.p.Y;
    }
}

TEST(Types, IntersectAndUnionAgreeWithGdi) {
    struct Case {
        TRect a, b;
    } cases[] = {
        {Rect(0, 0, 10, 10), Rect(5, 5, 15, 15)},   // overlap
        {Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)},  // touching edges share nothing
        {Rect(0, 0, 10, 10), Rect(2, 2, 4, 4)},     // contained
        {Rect(0, 0, 0, 10), Rect(0, 0, 5, 5)},      // empty operand
        {Rect(-5, -5, -1, -1), Rect(3, 3, 4, 4)},   // apart
    };
    for (const Case& c : cases) {
        TRect mine, gdi;
        bool any = IntersectRect(mine, c.a, c.b);
        bool gdiAny = ::IntersectRect(gdi.AsRECT(), c.a.AsRECT(), c.b.AsRECT()) != FALSE;
        EXPECT_EQ(any, gdiAny);
        EXPECT_EQ(mine, gdi);
        any = UnionRect(mine, c.a, c.b);
        gdiAny = ::UnionRect(gdi.AsRECT(), c.a.AsRECT(), c.b.AsRECT()) != FALSE;
        EXPECT_EQ(any, gdiAny);
        EXPECT_EQ(mine, gdi);
    }
}

TEST(Types, OffsetAndInflateMoveEveryEdge) {
    TRect r = Rect(1, 2, 3, 4);
    OffsetRect(r, 10, -2);
    EXPECT_EQ(r, Rect(11, 0, 13, 2));
    InflateRect(r, 1, 2);
    EXPECT_EQ(r, Rect(10, -2, 14, 4));
    InflateRect(r, -3, -3);
    EXPECT_TRUE(IsRectEmpty(r));  // inverted rectangles are empty
}

TEST(Types, ConvertsToAndFromWin32Records) {
    RECT w{1, 2, 3, 4};
    TRect r = w;
    EXPECT_EQ(r, Rect(1, 2, 3, 4));
    RECT back = r;
    EXPECT_TRUE(EqualRect(&back, &w));
    POINT p = Point(5, 6);
    EXPECT_EQ(TPoint(p), Point(5, 6));
    SIZE s = TSize(7, 8);
    EXPECT_EQ(s.cx, 7);
    EXPECT_EQ(s.cy, 8);
}
