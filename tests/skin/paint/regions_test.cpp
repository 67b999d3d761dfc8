// Window regions from skin images: the runs of see-through corner pixels,
// and the region they cut from the window, read back with GetRegionData.
#include <gtest/gtest.h>

#include <algorithm>

#include "PaintTestBitmaps.h"
#include "SkinTables.h"
#include "skin/paint/sRegions.h"

using namespace skin;
using namespace painttest;

namespace {

// The region as a set of pixels inside W x H.
std::vector<bool> Pixels(HRGN rgn, int w, int h) {
    std::vector<bool> in(size_t(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) in[size_t(y * w + x)] = PtInRegion(rgn, x, y);
    return in;
}

}  // namespace

TEST(WindowRegions, CornerRunsOfTheFirstStateImage) {
    SkinTables t;
    TAOR aor;
    // The corners cut (0,0),(1,0),(0,1) on the left and (11,0),(10,0),(11,1) on the right.
    AddRgn(aor, 200, t.Image(t.keyed), 0, false);
    const TAOR want = {fw::TRect(0, 0, 2, 1), fw::TRect(198, 0, 200, 1), fw::TRect(0, 1, 1, 2),
                       fw::TRect(199, 1, 200, 2)};
    EXPECT_EQ(aor, want);
    aor.clear();
    AddRgn(aor, 50, t.Image(t.keyed), 30, true);
    const TAOR bottom = {fw::TRect(0, 32, 1, 33), fw::TRect(49, 32, 50, 33), fw::TRect(0, 33, 2, 34),
                         fw::TRect(48, 33, 50, 34)};
    EXPECT_EQ(aor, bottom);
}

TEST(WindowRegions, ImageRectanglesOutsideTheBitmapAreNeverRead) {
    SkinTables t;
    TsMaskData bad = t.Image(t.keyed);
    bad.R = fw::TRect(30, 30, 90, 70);  // reaches past the 36 x 36 master bitmap
    bad.WL = bad.WR = bad.WT = bad.WB = 20;
    bad.ImageCount = 0;  // divided by: taken as 1
    TAOR aor;
    AddRgn(aor, 100, bad, 0, false);
    AddRgn(aor, 100, bad, 50, true);
    for (const fw::TRect& r : aor) EXPECT_TRUE(r.Width() > 0);
}

TEST(WindowRegions, RegionForMaskMatchesTheRunsWithBottomCornersAtHeightMinusWB) {
    SkinTables t;
    // A bottom border of 6, not the third of the image (4): the corners must still
    // sit at Height - WB.
    t.sm->ma[size_t(t.keyed)].WB = 6;
    HRGN rgn = GetRgnForMask(t.keyed, 40, 30, t.sm.get());
    ASSERT_NE(rgn, nullptr);
    const std::vector<bool> in = Pixels(rgn, 40, 30);
    auto at = [&](int x, int y) { return bool(in[size_t(y * 40 + x)]); };
    EXPECT_FALSE(at(0, 0));
    EXPECT_FALSE(at(1, 0));
    EXPECT_TRUE(at(2, 0));
    EXPECT_FALSE(at(39, 1));
    EXPECT_FALSE(at(0, 29));
    EXPECT_FALSE(at(1, 29));
    EXPECT_FALSE(at(39, 28));
    EXPECT_TRUE(at(38, 28));
    EXPECT_TRUE(at(20, 29));
    // Exactly 12 pixels are cut.
    EXPECT_EQ(std::count(in.begin(), in.end(), false), 12);
    const auto rects = Rects(rgn);
    EXPECT_FALSE(rects.empty());
    DeleteObject(rgn);
    // Square corners (no see-through pixel) give no region; an unknown image neither.
    EXPECT_EQ(GetRgnForMask(t.masked + 5, 40, 30, t.sm.get()), nullptr);
    TsMaskData square = t.Image(t.keyed);
    square.R = fw::TRect(4, 4, 8, 8);  // a middle piece: nothing see-through
    square.ImageCount = 1;
    square.WL = square.WR = square.WT = square.WB = 2;
    t.sm->ma.push_back(square);
    EXPECT_EQ(GetRgnForMask(int(t.sm->ma.size()) - 1, 40, 30, t.sm.get()), nullptr);
}

TEST(WindowRegions, RegionFromBitmapIsItsRectangleWithoutTheKeyColour) {
    auto b = Make(fw::pf24bit, 6, 3);
    Fill(*b, 10);
    Put(*b, 1, 1, {255, 0, 255});
    Put(*b, 2, 1, {255, 0, 255});
    HRGN rgn = nullptr;
    GetRgnFromBmp(rgn, b.get(), 0xFF00FF);
    const std::vector<fw::TRect> want = {fw::TRect(0, 0, 6, 1), fw::TRect(0, 1, 1, 2), fw::TRect(3, 1, 6, 2),
                                         fw::TRect(0, 2, 6, 3)};
    EXPECT_EQ(Rects(rgn), want);
    DeleteObject(rgn);
    Fill(*b, 10);
    GetRgnFromBmp(rgn, b.get(), 0xFF00FF);
    EXPECT_EQ(Rects(rgn), std::vector<fw::TRect>{fw::TRect(0, 0, 6, 3)});
    DeleteObject(rgn);
}
