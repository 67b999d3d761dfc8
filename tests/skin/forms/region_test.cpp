// The window region cut from keyed skin corners, checked pixel by pixel with
// PtInRegion: a hand-made mask, the default skin's form and title images,
// and the maximised form's region in window coordinates.
#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/paint/SkinTables.h"

using namespace skin;
using namespace formstest;

namespace {

struct Region {
    HRGN h;
    explicit Region(HRGN r) : h(r) {}
    ~Region() {
        if (h) DeleteObject(h);
    }
    bool In(int x, int y) const { return PtInRegion(h, x, y) != 0; }
};

bool Fuchsia(fw::TBitmap* master, int x, int y) {
    return GetPixel(master->Canvas()->Handle(), x, y) == RGB(255, 0, 255);
}

}  // namespace

TEST(FrameRegion, KeyedCornerMaskCutsExactlyItsSeeThroughPixels) {
    painttest::SkinTables t;  // a 12 x 12 keyed image, borders 4, three corner pixels cut
    TFrameSkin k;
    k.Manager = t.sm.get();
    k.BorderIndex = t.keyed;
    TFrameState s = State(fw::bsSizeable, kAllIcons, 40, 30);
    const TAOR runs = FillArOR(s, k);
    Region r(FrameRegion(s, Metrics(), runs));
    ASSERT_NE(r.h, nullptr);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            // The image's corner pattern moved to the window's four corners.
            const int ix = x < 4 ? x : x >= 36 ? x - 28 : 5, iy = y < 4 ? y : y >= 26 ? y - 18 : 5;
            EXPECT_EQ(r.In(x, y), !painttest::CutCorner(ix, iy)) << x << "," << y;
        }
    // Moved regions keep the cut at the same place of the window.
    Region moved(GetRgnFromArOR(s, runs, 10, 20));
    EXPECT_FALSE(moved.In(10, 20));
    EXPECT_TRUE(moved.In(12, 20));
    EXPECT_FALSE(moved.In(49, 49));
    EXPECT_TRUE(moved.In(47, 49));
}

TEST(FrameRegion, DefaultSkinFormAndTitleCornersLeaveTheWindow) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    const TsMaskData* form = k.Image(k.BorderIndex);
    const TsMaskData* title = k.Image(k.TitleMask);
    ASSERT_TRUE(form && title);
    TFrameState s = State(fw::bsSizeable, kAllIcons, 300, 200);
    s.Left = 500, s.Top = 300;  // the screen place never enters the region
    ASSERT_TRUE(FrameNeedsRegion(s));
    Region r(FrameRegion(s, Metrics(), FillArOR(s, k)));
    fw::TBitmap* master = skin.sm->MasterBitmap;
    // A window pixel is cut when either image's state-0 corner pixel there is fuchsia.
    auto cutBy = [&](const TsMaskData& m, int x, int y, bool top) {
        const int w = WidthOfImage(m), h = HeightOfImage(m);
        const int ix = x < m.WL ? x : x >= s.Width - m.WR ? x - (s.Width - w) : -1;
        const int iy = top ? (y < m.WT ? y : -1) : (y >= s.Height - m.WB ? y - (s.Height - h) : -1);
        return ix >= 0 && iy >= 0 && Fuchsia(master, m.R.Left + ix, m.R.Top + iy);
    };
    int cut = 0;
    for (int y : {0, 1, 2, 3, 4, 5, 194, 195, 196, 197, 198, 199})
        for (int x : {0, 1, 2, 3, 4, 5, 6, 150, 293, 294, 295, 296, 297, 298, 299}) {
            const bool expectCut = cutBy(*form, x, y, true) || cutBy(*form, x, y, false) || cutBy(*title, x, y, true);
            cut += expectCut;
            EXPECT_EQ(r.In(x, y), !expectCut) << x << "," << y;
        }
    EXPECT_GT(cut, 4);  // the skin's corners are rounded
    EXPECT_TRUE(r.In(150, 100));
    EXPECT_TRUE(r.In(0, 100));
}

TEST(FrameRegion, MaximisedFormLosesItsFrameInWindowCoordinates) {
    TFrameState s = State(fw::bsSizeable, kAllIcons, 1032, 748);
    s.Zoomed = true;
    s.Left = -4, s.Top = -4;
    Region r(FrameRegion(s, Metrics(), TAOR{}));
    RECT box{};
    GetRgnBox(r.h, &box);
    EXPECT_EQ(fw::TRect(box), fw::TRect(4, 4, 1028, 744));
    // With maximum constraints (or as an MDI child) the corner-cut region stays.
    s.MaxConstraints = true;
    Region kept(FrameRegion(s, Metrics(), TAOR{fw::TRect(0, 0, 1, 1)}));
    EXPECT_FALSE(kept.In(0, 0));
    EXPECT_TRUE(kept.In(1, 0));
}
