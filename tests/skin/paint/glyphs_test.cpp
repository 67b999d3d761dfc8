// Skin glyphs in their states, clipped at the bitmap's edges, masked blends
// with added transparency, the disabled look and see-through corner fills.
#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "SkinTables.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/engine/TextUtils.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlyphs.h"

using namespace skin;
using namespace painttest;

TEST(SkinGlyphs, ClippedAtTheLeftAndAnUnknownStateDrawsTheLast) {
    SkinTables t;
    TsMaskData g = t.Image(t.keyed);
    auto bmp = Make(fw::pf24bit, 20, 20);
    DrawSkinGlyph(bmp.get(), fw::TPoint(-3, 0), 1, 1, g, EmptyCI);
    // Glyph columns 3..11 land at 0..8; column 9 is not touched.
    EXPECT_EQ(Get(*bmp, 0, 5), PieceColour(1, 0, 1));
    EXPECT_EQ(Get(*bmp, 1, 5), std::vector<uint8_t>(3, 20));  // the stripe at glyph column 4
    EXPECT_EQ(Get(*bmp, 8, 5), PieceColour(1, 2, 1));
    EXPECT_EQ(Get(*bmp, 9, 5), std::vector<uint8_t>(3, 0));
    DrawSkinGlyph(bmp.get(), fw::TPoint(5, 5), 9, 1, g, EmptyCI);
    EXPECT_EQ(Get(*bmp, 5, 10), PieceColour(2, 0, 1));
}

TEST(SkinGlyphs, MaskedGlyphBlendsWithAddedTransparency) {
    SkinTables t;
    TsMaskData g = t.Image(t.masked);
    auto bmp = Make(fw::pf24bit, 12, 12);
    Fill(*bmp, 255);
    // Normal: mask 0 at the border copies the image.
    DrawSkinGlyph(bmp.get(), fw::TPoint(0, 0), 0, 1, g, EmptyCI);
    EXPECT_EQ(Get(*bmp, 2, 2), PieceColour(0, 0, 0));
    // Added transparency: k = 0 + 100, so 255 over s gives ((255 - s) * 100 + s * 256) >> 8.
    Fill(*bmp, 255);
    DrawSkinGlyph(bmp.get(), fw::TPoint(0, 0), 0, 0, g, EmptyCI);
    const auto s = PieceColour(0, 0, 0);
    EXPECT_EQ(Get(*bmp, 2, 2)[0], uint8_t(((255 - s[0]) * 100 + s[0] * 256) >> 8));
    // See-through corner pixels are skipped.
    EXPECT_EQ(Get(*bmp, 0, 0), std::vector<uint8_t>(3, 255));
}

TEST(SkinGlyphs, BlendByMaskStaysInsideBothBitmaps) {
    SkinTables t;
    TsMaskData g = t.Image(t.masked);
    auto small = Make(fw::pf24bit, 4, 4);
    // Source columns past the master bitmap's width and rows past its mask row.
    BlendGlyphByMask(fw::TRect(0, 0, 30, 30), fw::TRect(30, 20, 60, 50), small.get(), t.sm->MasterBitmap, 0xFF00FF, 1,
                     g);
    BlendGlyphByMask(fw::TRect(2, 2, 40, 40), fw::TRect(0, 12, 38, 50), small.get(), t.sm->MasterBitmap, 0xFF00FF, 1,
                     g);
    EXPECT_EQ(Get(*small, 3, 3), PieceColour(0, 0, 0));
}

TEST(SkinGlyphs, DisabledLookGreysAndBlends) {
    auto bmp = Make(fw::pf24bit, 4, 4);
    Fill(*bmp, 0);
    Put(*bmp, 0, 0, {10, 20, 31});
    TCacheInfo fill;
    fill.FillColor = 0xC8C8C8;
    BmpDisabledKind(bmp.get(), TsDisabledKind{dkGrayed, dkBlended}, nullptr, fill, fw::TPoint(0, 0));
    EXPECT_EQ(Get(*bmp, 0, 0), std::vector<uint8_t>(3, 110));  // grey 20, then half-way to 200
    // With a ready background the parent's pixels are blended under by 0.4.
    auto parent = Make(fw::pf24bit, 10, 10);
    Fill(*parent, 100);
    Fill(*bmp, 200);
    BmpDisabledKind(bmp.get(), TsDisabledKind{dkBlended}, nullptr, MakeCacheInfo(parent.get()), fw::TPoint(2, 2));
    EXPECT_EQ(Get(*bmp, 1, 1), std::vector<uint8_t>(3, 140));  // 100 - (100 - 200) * 0.4
}

TEST(SkinGlyphs, FillTransPixels32ByKeyOrByCornerImage) {
    SkinTables t;
    auto dst = Make(fw::pf32bit, 6, 6), src = Make(fw::pf32bit, 6, 6);
    Fill(*src, 77);
    Fill(*dst, 1);
    Put(*dst, 0, 0, {255, 0, 255, 12});
    Put(*dst, 1, 0, {255, 0, 254, 0});
    FillTransPixels32(dst.get(), src.get(), fw::TRect(0, 0, 5, 5), fw::TPoint(0, 0), -1, nullptr, 0);
    EXPECT_EQ(Get(*dst, 0, 0), std::vector<uint8_t>(4, 77));
    EXPECT_EQ(Get(*dst, 1, 0), (std::vector<uint8_t>{255, 0, 254, 0}));
    // By the bottom-right corner of the keyed image: its (3, 3) and (2, 3), (3, 2) are cut.
    Fill(*dst, 1);
    FillTransPixels32(dst.get(), src.get(), fw::TRect(2, 2, 5, 5), fw::TPoint(0, 0), t.keyed, t.sm.get(), 17);
    EXPECT_EQ(Get(*dst, 5, 5), std::vector<uint8_t>(4, 77));
    EXPECT_EQ(Get(*dst, 4, 5), std::vector<uint8_t>(4, 77));
    EXPECT_EQ(Get(*dst, 4, 4), std::vector<uint8_t>(4, 1));
    // An image index past the table changes nothing.
    Fill(*dst, 1);
    FillTransPixels32(dst.get(), src.get(), fw::TRect(0, 0, 5, 5), fw::TPoint(0, 0), 99, t.sm.get(), 17);
    EXPECT_EQ(Get(*dst, 0, 0), std::vector<uint8_t>(4, 1));
}

TEST(SkinGlyphs, UpdateCornersShowsTheParentThroughCutCornersOnly) {
    SkinTables t;
    fw::TForm form(nullptr);
    auto* parent = new fw::TPanel(&form);
    parent->SetParent(&form);
    parent->SetColor(0x00FF00);  // not a library control: its colour is the background
    parent->HandleNeeded();
    auto* child = new fw::TPanel(&form);
    child->SetParent(parent);
    child->SetBounds(3, 3, 20, 16);
    TsCommonData sd(child, true);
    sd.SetSkinManager(t.sm.get());
    sd.SetSkinSection(L"PANEL");
    ASSERT_EQ(sd.BorderIndex, t.keyed);
    sd.FCacheBmp->SetSize(20, 16);
    Fill(*sd.FCacheBmp, 9);
    UpdateCorners(&sd, 0, TsCorners{scLeftTop, scRightBottom});
    const std::vector<uint8_t> green = {0, 255, 0}, kept(3, 9);
    EXPECT_EQ(Get(*sd.FCacheBmp, 0, 0), green);
    EXPECT_EQ(Get(*sd.FCacheBmp, 1, 0), green);
    EXPECT_EQ(Get(*sd.FCacheBmp, 0, 1), green);
    EXPECT_EQ(Get(*sd.FCacheBmp, 2, 0), kept);
    EXPECT_EQ(Get(*sd.FCacheBmp, 19, 15), green);
    EXPECT_EQ(Get(*sd.FCacheBmp, 19, 0), kept);  // top-right not asked for
    // A control one pixel wide is left alone.
    child->SetWidth(1);
    Fill(*sd.FCacheBmp, 9);
    UpdateCorners(&sd, 0);
    EXPECT_EQ(Get(*sd.FCacheBmp, 0, 0), kept);
}
