// Nine-part drawing of keyed and masked skin images: border sizes when the
// rectangle is smaller than the borders, tiles and cut tiles, states, and
// whole pictures compared with committed ones (see Pictures.h).
#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "Pictures.h"
#include "SkinTables.h"
#include "skin/engine/TextUtils.h"
#include "skin/paint/sSkinRect.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace painttest;

namespace {

// Every state at 30 x 22 (tiling), 12 x 12 (the image), 7 x 5 (shrunk below
// the corners), and stretched, over a grey background with a parent pattern
// for the corners.
std::unique_ptr<fw::TBitmap> Gallery(const TsMaskData& image) {
    auto shot = Make(fw::pf24bit, 4 + 4 * 36, 4 + 4 * 30);
    Fill(*shot, 160);
    auto parent = Make(fw::pf24bit, shot->Width(), shot->Height());
    Pattern(*parent, 7);
    const TCacheInfo ci = MakeCacheInfo(parent.get());
    TsMaskData stretched = image;
    stretched.DrawMode = dmStretch | dmDrawCenter;
    for (int s = 0; s < 3; ++s) {
        const int y = 4 + 30 * s;
        DrawSkinRect(shot.get(), fw::TRect(4, y, 34, y + 22), true, ci, image, s, true);
        DrawSkinRect(shot.get(), fw::TRect(40, y, 52, y + 12), true, ci, image, s, true);
        DrawSkinRect(shot.get(), fw::TRect(76, y, 83, y + 5), true, EmptyCI, image, s, false);
        DrawSkinRect(shot.get(), fw::TRect(112, y, 148, y + 26), true, ci, stretched, s, true);
    }
    // An unknown state draws the last one.
    DrawSkinRect(shot.get(), fw::TRect(4, 94, 34, 116), true, ci, image, 7, true);
    return shot;
}

}  // namespace

TEST(NinePart, BordersShrinkEvenlyWhenTheyDoNotFit) {
    TsMaskData m;
    m.WL = m.WR = 10;
    m.WT = 3, m.WB = 5;
    struct Case {
        int w, h, wl, wr, wt, wb;
    } cases[] = {{15, 8, 8, 7, 3, 5}, {16, 7, 8, 8, 3, 4}, {40, 40, 10, 10, 3, 5}, {1, 1, 1, 0, 0, 1}};
    for (const Case& c : cases) {
        const TNinePart n = ShrinkBorders(m, c.w, c.h);
        EXPECT_EQ(n.wl, c.wl) << c.w;
        EXPECT_EQ(n.wr, c.wr) << c.w;
        EXPECT_EQ(n.wt, c.wt) << c.h;
        EXPECT_EQ(n.wb, c.wb) << c.h;
    }
}

TEST(NinePart, KeyedImageTilesEdgesAndCutsTheLastTile) {
    SkinTables t;
    auto bmp = Make(fw::pf24bit, 40, 20);
    Fill(*bmp, 9);
    const Snapshot before(*bmp);
    auto parent = Make(fw::pf24bit, 40, 20);
    Fill(*parent, 77);
    // Middle 25 wide (4 + 25 + 4) with a 4-px tile: tiles at 0, 4, ..., 24 (cut to 1).
    DrawSkinRect(bmp.get(), fw::TRect(2, 3, 35, 15), true, MakeCacheInfo(parent.get()), t.Image(t.keyed), 1, false);
    EXPECT_TRUE(UnchangedOutside(*bmp, before, fw::TRect(2, 3, 35, 15)));
    for (int i = 0; i < 25; ++i) {
        const bool stripe = i % 4 == 0;
        EXPECT_EQ(Get(*bmp, 6 + i, 3 + 1), stripe ? std::vector<uint8_t>(3, 20) : PieceColour(1, 1, 0)) << i;
    }
    // Corners are the image's; without UpdateCorners their cut pixels keep the destination.
    EXPECT_EQ(Get(*bmp, 2, 3), std::vector<uint8_t>(3, 9));
    EXPECT_EQ(Get(*bmp, 3, 4), PieceColour(1, 0, 0));
    EXPECT_EQ(Get(*bmp, 34, 14), std::vector<uint8_t>(3, 9));
    EXPECT_EQ(Get(*bmp, 33, 13), PieceColour(1, 2, 2));
}

TEST(NinePart, StateRulesAndDegenerateRectangles) {
    SkinTables t;
    auto bmp = Make(fw::pf24bit, 20, 20);
    TsMaskData hotOnly = t.Image(t.keyed);
    hotOnly.DrawMode = 2;
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, 20, 20), true, EmptyCI, hotOnly, 0, false);
    EXPECT_EQ(Get(*bmp, 5, 1), std::vector<uint8_t>(3, 0));
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, 1, 20), true, EmptyCI, t.Image(t.keyed), 0, false);
    EXPECT_EQ(Get(*bmp, 0, 5), std::vector<uint8_t>(3, 0));
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, 20, 20), true, EmptyCI, hotOnly, 1, false);
    EXPECT_EQ(Get(*bmp, 5, 1), PieceColour(1, 1, 0));
    // An image count of 0 draws nothing; a missing manager too.
    TsMaskData none = t.Image(t.keyed);
    none.ImageCount = 0;
    Fill(*bmp, 0);
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, 20, 20), true, EmptyCI, none, 0, false);
    none = t.Image(t.masked);
    none.Manager = nullptr;
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, 20, 20), true, EmptyCI, none, 0, false);
    EXPECT_TRUE(UnchangedOutside(*bmp, Snapshot(*Make(fw::pf24bit, 20, 20)), fw::TRect()));
}

TEST(NinePart, MaskedImageBlendsThroughItsMaskAndNeverLeavesTheBitmap) {
    SkinTables t;
    auto bmp = Make(fw::pf24bit, 30, 30);
    Fill(*bmp, 200);
    // Partly outside the bitmap on every side.
    DrawSkinRect(bmp.get(), fw::TRect(-5, -5, 35, 35), true, EmptyCI, t.Image(t.masked), 0, false);
    // Centre: mask 128 over 200 with source s: (s*256 + (200 - s)*128) >> 8.
    const auto c = PieceColour(0, 1, 1);
    const std::vector<uint8_t> mid = {uint8_t((c[0] * 256 + (200 - c[0]) * 128) >> 8),
                                      uint8_t((c[1] * 256 + (200 - c[1]) * 128) >> 8),
                                      uint8_t((c[2] * 256 + (200 - c[2]) * 128) >> 8)};
    // The centre covers -1..30, the edges lie outside; tile offsets 2 miss the stripes.
    EXPECT_EQ(Get(*bmp, 1, 1), mid);
    EXPECT_EQ(Get(*bmp, 29, 29), mid);
    // A masked image without a middle column leaves the top edge empty.
    TsMaskData narrow = t.Image(t.masked);
    narrow.WL = narrow.WR = 6;
    Fill(*bmp, 200);
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, 30, 30), false, EmptyCI, narrow, 0, false);
    EXPECT_EQ(Get(*bmp, 15, 1), std::vector<uint8_t>(3, 200));
    EXPECT_EQ(Get(*bmp, 2, 1), PieceColour(0, 0, 0));
}

TEST(NinePart, PicturesOfKeyedAndMaskedImages) {
    SkinTables t;
    ComparePicture(*Gallery(t.Image(t.keyed)), L"ninepart-keyed.bmp");
    ComparePicture(*Gallery(t.Image(t.masked)), L"ninepart-masked.bmp");
}

TEST(NinePart, SmallVariantWithTooFewRowsDrawsNothing) {
    SkinTables t;
    auto bmp = Make(fw::pf24bit, 20, 20);
    TsMaskData thin = t.Image(t.keyed);
    thin.R = fw::TRect(0, 0, 36, 2);  // cells of 0 rows: nothing to repeat
    DrawSmallSkinRect(bmp.get(), fw::TRect(0, 0, 20, 20), true, EmptyCI, thin, 0);
    EXPECT_TRUE(UnchangedOutside(*bmp, Snapshot(*Make(fw::pf24bit, 20, 20)), fw::TRect()));
    DrawSmallSkinRect(bmp.get(), fw::TRect(0, 0, 20, 20), true, EmptyCI, t.Image(t.keyed), 2);
    EXPECT_EQ(Get(*bmp, 1, 1), PieceColour(2, 0, 0));
    EXPECT_EQ(Get(*bmp, 18, 18), PieceColour(2, 2, 2));
}

TEST(NinePart, PicturesOfTheTestSkinsImages) {
    auto sm = std::make_unique<TsSkinManager>(nullptr);
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    sm->SetSkinName(L"T1");
    struct Case {
        const wchar_t* section;
        const wchar_t* picture;
    } cases[] = {{L"BUTTON", L"ninepart-t1-button.bmp"},
                 {L"COMBOBTN", L"ninepart-t1-combobtn.bmp"},
                 {L"BUTTON_HUGE", L"ninepart-t1-buttonhuge.bmp"}};
    for (const Case& c : cases) {
        const int index = sm->GetMaskIndex(sm->GetSkinIndex(c.section), c.section, L"BORDERSMASK");
        ASSERT_TRUE(sm->IsValidImgIndex(index)) << fw::ToAnsi(c.section).c_str();
        ComparePicture(*Gallery(sm->ma[size_t(index)]), c.picture);
    }
}

TEST(NinePart, PlainPiecesOfAMaskedImageDrawAsTheBlendDoes) {
    // With the centre's mask 0 the edges and the centre are plain image: a
    // 24-bit cache gets them copied, a 32-bit one blended; both must show the
    // same colours, also partly outside the bitmap. A see-through pixel in the
    // centre keeps the cache's pixel, so that centre is blended in both.
    for (bool seeThrough : {false, true}) {
        SCOPED_TRACE(seeThrough ? "a see-through pixel in the centre" : "plain centre");
        SkinTables t;
        fw::TBitmap& M = *t.sm->MasterBitmap;
        for (int s = 0; s < 3; ++s)
            for (int y = 4; y < 8; ++y)
                for (int x = 4; x < 8; ++x) Put(M, 12 * s + x, 24 + y, {0, 0, 0});
        if (seeThrough) Put(M, 12 + 5, 12 + 5, {255, 0, 255});
        auto b24 = Make(fw::pf24bit, 40, 40), b32 = Make(fw::pf32bit, 40, 40);
        Pattern(*b24, 3);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                std::vector<uint8_t> p = Get(*b24, x, y);
                p.push_back(7);
                Put(*b32, x, y, p);
            }
        const Snapshot before(*b24);
        for (auto* b : {b24.get(), b32.get()})
            DrawSkinRect(b, fw::TRect(-3, 2, 37, 43), true, EmptyCI, t.Image(t.masked), 1, false);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) ASSERT_EQ(Get(*b24, x, y), GetBgr(*b32, x, y)) << x << ", " << y;
        // Centre tiles start at (1, 6), 4 x 4 each: the source's (5, 5) lands on (2, 7).
        EXPECT_EQ(Get(*b24, 6, 11), seeThrough ? before(6, 11) : PieceColour(1, 1, 1));
        EXPECT_EQ(Get(*b32, 6, 11)[3], 7) << "a 32-bit cache keeps its alpha";
    }
}
