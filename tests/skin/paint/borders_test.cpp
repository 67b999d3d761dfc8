// Border painters: a border image over a whole button bitmap with its corner
// runs cut out of the window region (keyed, masked and 32-bit images, small
// bitmaps), and a control's frame repainted alone in its cache and copied to
// a DC, on hidden windows with the TPaint test skin.
#include <gtest/gtest.h>

#include <memory>

#include "PaintTestBitmaps.h"
#include "SkinTables.h"
#include "SkinnedPanel.h"
#include "framework/windows/Forms.h"
#include "skin/paint/sBorders.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace painttest;

namespace {

using Px = std::vector<uint8_t>;

struct Region {
    HRGN h;
    Region(int w, int h_) : h(CreateRectRgn(0, 0, w, h_)) {}
    ~Region() { DeleteObject(h); }
    bool In(int x, int y) const { return PtInRegion(h, x, y) != FALSE; }
};

}  // namespace

TEST(RegionBorder, KeyColouredRunsLeaveTheRegion) {
    SkinTables t;
    // A keyed image of its own: first row fuchsia, fuchsia, red.
    auto img = Make(fw::pf24bit, 3, 2);
    Put(*img, 0, 0, {255, 0, 255});
    Put(*img, 1, 0, {255, 0, 255});
    Put(*img, 2, 0, {0, 0, 255});
    TsMaskData md = t.Image(t.keyed);
    md.Bmp = img.get();
    md.R = fw::TRect(0, 0, 3, 2);
    auto bmp = Make(fw::pf24bit, 6, 4);
    Fill(*bmp, 9);
    Region rgn(6, 4);
    CopyMask(1, 1, 3, 1, 0, 0, 2, 0, bmp.get(), rgn.h, md, true);
    EXPECT_EQ(Rects(rgn.h), (std::vector<fw::TRect>{{0, 0, 6, 1}, {0, 1, 1, 2}, {3, 1, 6, 2}, {0, 2, 6, 4}}));
    EXPECT_EQ(Get(*bmp, 1, 1), Px(3, 9));
    EXPECT_EQ(Get(*bmp, 3, 1), (Px{0, 0, 255}));
    // Without the region update every pixel is copied; a run at a row's end leaves too.
    CopyMask(0, 2, 1, 2, 0, 0, 1, 0, bmp.get(), rgn.h, md, false);
    EXPECT_EQ(Get(*bmp, 0, 2), (Px{255, 0, 255}));
    CopyMask(4, 3, 5, 3, 0, 0, 1, 0, bmp.get(), rgn.h, md, true);
    EXPECT_FALSE(rgn.In(4, 3));
    EXPECT_FALSE(rgn.In(5, 3));
    // Copying the same corner twice keeps it cut (never toggled back in).
    CopyMask(1, 1, 3, 1, 0, 0, 2, 0, bmp.get(), rgn.h, md, true);
    EXPECT_FALSE(rgn.In(1, 1));
    // Pieces that leave either bitmap are cut to fit; negative places draw nothing.
    const Snapshot before(*bmp);
    CopyMask(4, 2, 9, 9, 0, 0, 5, 5, bmp.get(), nullptr, md, false);
    EXPECT_TRUE(UnchangedOutside(*bmp, before, fw::TRect(4, 2, 6, 4)));
    EXPECT_EQ(Get(*bmp, 6 - 1, 3), Get(*img, 1, 1));
    CopyMask(-1, 0, 2, 2, 0, 0, 2, 1, bmp.get(), nullptr, md, false);
    EXPECT_EQ(Get(*bmp, 0, 0), Px(3, 9));
}

TEST(RegionBorder, ButtonsGetTheImageAndLoseTheirCutCorners) {
    SkinTables t;
    for (bool masked : {false, true}) {
        SCOPED_TRACE(masked ? "masked" : "keyed");
        const TsMaskData& md = t.Image(masked ? t.masked : t.keyed);
        auto bmp = Make(fw::pf24bit, 30, 20);
        Fill(*bmp, 200);
        Region rgn(30, 20);
        PaintRgnBorder(bmp.get(), rgn.h, false, md, 1);
        // The cut pixels of all four corners, and nothing else, left the region.
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {29, 0}, {28, 0}, {29, 1}, {0, 19}, {29, 19}, {28, 19}})
            EXPECT_FALSE(rgn.In(x, y)) << x << "," << y;
        for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {27, 0}, {15, 0}, {0, 10}, {15, 10}})
            EXPECT_TRUE(rgn.In(x, y)) << x << "," << y;
        EXPECT_EQ(Rects(rgn.h).size(), 5u);
        // Corners and edges of state 1 (tiles of 4 from the image's middle), no centre.
        EXPECT_EQ(Get(*bmp, 2, 0), PieceColour(1, 0, 0));
        EXPECT_EQ(Get(*bmp, 27, 19), PieceColour(1, 2, 2));
        EXPECT_EQ(Get(*bmp, 9, 1), PieceColour(1, 1, 0));
        EXPECT_EQ(Get(*bmp, 8, 1), Px(3, 20));  // the stripe that starts each tile
        EXPECT_EQ(Get(*bmp, 1, 12), Px(3, 20));
        EXPECT_EQ(Get(*bmp, 15, 10), Px(3, 200));
        // The centre when asked: copied, or through the mask's 128.
        PaintRgnBorder(bmp.get(), nullptr, true, md, 1);
        const Px c = PieceColour(1, 1, 1);
        Px expected = c;
        if (masked)
            for (size_t i = 0; i < 3; ++i) expected[i] = uint8_t((c[i] * 256 + (200 - c[i]) * 128) >> 8);
        EXPECT_EQ(Get(*bmp, 15, 10), expected);
    }
}

TEST(RegionBorder, SmallBitmapsAndThirtyTwoBitImages) {
    SkinTables t;
    // One pixel wide: nothing.
    auto thin = Make(fw::pf24bit, 1, 10);
    Region rgn1(1, 10);
    PaintRgnBorder(thin.get(), rgn1.h, true, t.Image(t.keyed), 0);
    EXPECT_EQ(Get(*thin, 0, 5), Px(3, 0));
    EXPECT_EQ(Rects(rgn1.h).size(), 1u);
    // Narrower than both borders (4 + 4): 3 and 3, the right corner from the image's right.
    auto narrow = Make(fw::pf24bit, 6, 12);
    Region rgn(6, 12);
    PaintRgnBorder(narrow.get(), rgn.h, false, t.Image(t.keyed), 0);
    EXPECT_FALSE(rgn.In(5, 0));
    EXPECT_FALSE(rgn.In(4, 0));
    EXPECT_TRUE(rgn.In(3, 0));
    EXPECT_EQ(Get(*narrow, 3, 0), PieceColour(0, 2, 0));
    EXPECT_EQ(Get(*narrow, 2, 0), PieceColour(0, 0, 0));

    // A PNG border (32-bit, fuchsia with alpha 0 at the corners) over a
    // 24-bit bitmap of an odd width: 3 bytes a pixel, the key runs cut.
    auto sm = PaintScene::LoadSkin();
    const TsMaskData& frame = PaintScene::BorderOf(*sm, L"PNGPANEL");
    ASSERT_EQ(frame.Bmp->PixelFormat(), fw::pf32bit);
    auto bmp = Make(fw::pf24bit, 13, 9);
    Fill(*bmp, 50);
    Region r(13, 9);
    PaintRgnBorder(bmp.get(), r.h, true, frame, 2);
    auto image = [&](int x, int y) { return GetBgr(*frame.Bmp, 24 + x, y); };  // state 2
    EXPECT_FALSE(r.In(0, 0));
    EXPECT_FALSE(r.In(12, 8));
    EXPECT_TRUE(r.In(2, 0));
    EXPECT_EQ(Get(*bmp, 0, 0), Px(3, 50));
    EXPECT_EQ(Get(*bmp, 2, 0), image(2, 0));
    EXPECT_EQ(Get(*bmp, 12, 4), image(11, 4));
    EXPECT_EQ(Get(*bmp, 6, 4), image(6, 4));  // the centre, tiled from the image's middle
    EXPECT_EQ(Get(*bmp, 10, 8), image(9, 11));
}

TEST(FrameBorder, FramesPaintedIntoTheCacheAndCopiedToADc) {
    PaintScene scene;
    auto* plain = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(0, 0, 40, 30));
    auto* panel = scene.Add(&scene.form, L"PANEL", fw::TRect(50, 0, 90, 30));
    scene.form.HandleNeeded();
    const TColor plainColour = scene.Section(L"GRADPANEL").Color;
    const TColor panelColour = scene.Section(L"PANEL").Color;
    const TColor panelHot = scene.Section(L"PANEL").HotColor;
    const fw::TRect R(0, 0, 40, 30);

    // No border image: the frame is filled on the DC with the control's colour.
    auto dc = Make(fw::pf24bit, 40, 30);
    Fill(*dc, 1);
    EXPECT_EQ(PaintBorderFast(dc->Canvas()->Handle(), R, 2, plain->SkinData.get(), 0), fw::TRect(2, 2, 38, 28));
    EXPECT_EQ(Get(*dc, 1, 15), BgrOf(plainColour));
    EXPECT_EQ(Get(*dc, 2, 15), Px(3, 1));
    EXPECT_EQ(PaintBorderFast(dc->Canvas()->Handle(), R, 0, plain->SkinData.get(), 0), R);

    // A border of 3 and a frame of 5: the image's frame into the cache, the
    // 2-pixel ring inside it in the control's colour, the centre of the cache
    // kept, and 5 pixels copied to the DC.
    panel->PrepareCache();
    fw::TBitmap* cache = panel->SkinData->FCacheBmp;
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 35; ++x) Put(*cache, x, y, {7, 7, 7});
    Fill(*dc, 1);
    EXPECT_EQ(PaintBorderFast(dc->Canvas()->Handle(), R, 5, panel->SkinData.get(), 1), fw::TRect(5, 5, 35, 25));
    EXPECT_EQ(Get(*cache, 3, 10), BgrOf(panelHot));  // the hot state's colour
    EXPECT_EQ(Get(*cache, 4, 10), BgrOf(panelHot));
    EXPECT_EQ(Get(*cache, 5, 10), Px(3, 7));
    EXPECT_EQ(Get(*cache, 0, 10), Px(3, 0));  // the image's edge
    EXPECT_EQ(Get(*dc, 4, 10), BgrOf(panelHot));
    EXPECT_EQ(Get(*dc, 0, 10), Px(3, 0));
    EXPECT_EQ(Get(*dc, 5, 10), Px(3, 1));
    // A frame of 0 copies nothing and gives the client inside the image's widths.
    Fill(*dc, 1);
    EXPECT_EQ(PaintBorderFast(dc->Canvas()->Handle(), R, 0, panel->SkinData.get(), 0), fw::TRect(3, 3, 37, 27));
    EXPECT_EQ(Get(*dc, 0, 10), Px(3, 1));
    // Painting onto the cache's own DC paints the cache only.
    Put(*cache, 4, 10, {9, 9, 9});
    PaintBorderFast(cache->Canvas()->Handle(), R, 5, panel->SkinData.get(), 0);
    EXPECT_EQ(Get(*cache, 4, 10), BgrOf(panelColour));
    // A control of another size gets a cache of its size first.
    panel->SetBounds(50, 0, 44, 36);
    PaintBorderFast(dc->Canvas()->Handle(), fw::TRect(0, 0, 44, 36), 3, panel->SkinData.get(), 0);
    EXPECT_EQ(cache->Width(), 44);
    EXPECT_EQ(cache->Height(), 36);
}

TEST(FrameBorder, AMaskedFrameBlendsWithTheParentsPixels) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* button = scene.Add(grad, L"BUTTON", fw::TRect(20, 30, 80, 60));
    auto* plain = scene.Add(&scene.form, L"PANEL", fw::TRect(10, 135, 170, 175));
    auto* onPlain = scene.Add(plain, L"BUTTON", fw::TRect(4, 4, 64, 34));
    scene.form.HandleNeeded();
    grad->PrepareCache();
    const TsMaskData& md = scene.sm->ma[size_t(button->SkinData->BorderIndex)];
    // Cache pixel (10, 0) is the image's top edge at its (10, 0), with its mask 64.
    const Px s = Get(*scene.sm->MasterBitmap, md.R.Left + 10, md.R.Top);
    const int k = Get(*scene.sm->MasterBitmap, md.R.Left + 10, md.R.Top + 16)[0];
    ASSERT_EQ(k, 64);
    auto blend = [&](const Px& under) {
        Px out(3);
        for (int c = 0; c < 3; ++c)
            out[size_t(c)] = uint8_t((s[size_t(c)] * 256 + (under[size_t(c)] - s[size_t(c)]) * k) >> 8);
        return out;
    };
    auto dc = Make(fw::pf24bit, 60, 30);
    PaintBorderFast(dc->Canvas()->Handle(), fw::TRect(0, 0, 60, 30), 0, button->SkinData.get(), 0);
    EXPECT_EQ(Get(*button->SkinData->FCacheBmp, 10, 0), blend(Get(*grad->SkinData->FCacheBmp, 30, 30)));
    EXPECT_EQ(Get(*button->SkinData->FCacheBmp, 0, 0), Get(*grad->SkinData->FCacheBmp, 20, 30));
    // Over a plain parent the frame lies over the button's colour.
    PaintBorderFast(dc->Canvas()->Handle(), fw::TRect(0, 0, 60, 30), 0, onPlain->SkinData.get(), 0);
    const TColor buttonColour = scene.Section(L"BUTTON").Color;
    EXPECT_EQ(Get(*onPlain->SkinData->FCacheBmp, 10, 0), blend(BgrOf(buttonColour)));
}
