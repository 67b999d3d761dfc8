// Skinned scroll bars drawn into bitmaps from the viewer's default skin: the
// parts where the geometry puts them, the states of the look, the disabled
// blend, the grip in the corner square, and nothing drawn without the skin.
#include <gtest/gtest.h>

#include <memory>

#include "skin/engine/sSkinManager.h"
#include "skin/paint/sSkinImage.h"
#include "skin/windows/acScrollPaint.h"
#include "skins/TestSkins.h"

using namespace skin;

namespace {

std::unique_ptr<TsSkinManager> Stillwater() {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->SetSkinDirectory(kvbskins::SkinsPath(L"default"));
    m->SetSkinName(L"Stillwater");
    EXPECT_GE(m->ConstData.IndexScrollBar1V, 0);
    return m;
}

COLORREF At(fw::TBitmap& B, int X, int Y) {
    const uint8_t* p = static_cast<const uint8_t*>(B.ScanLine(Y)) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

TacScrollBar VerticalBar(int Min, int Max, UINT Page, int Pos) {
    TacScrollBar b;
    b.nBarType = SB_VERT;
    b.fScrollFlags = sbfStyleShows;
    b.fScrollVisible = true;
    b.ScrollInfo = {sizeof(SCROLLINFO), SIF_ALL, Min, Max, Page, Pos, 0};
    return b;
}

const COLORREF kTrack = RGB(236, 240, 245), kTrackPressed = RGB(218, 225, 234);

}  // namespace

TEST(ScrollPaint, PartsStatesAndTheDisabledBlend) {
    auto sm = Stillwater();
    const int T = 17, L = 200;
    const TacScrollBar bar = VerticalBar(0, 99, 10, 50);
    const TCacheInfo bg = [] {
        TCacheInfo c;
        c.FillColor = RGB(250, 0, 0);
        return c;
    }();
    fw::TBitmap bmp(T, L, fw::pf24bit);

    // Plain: arrows at the ends, the thumb where the geometry puts it, the
    // track between them of the track section's colour.
    TacBarLook look = BarLookOf(bar, L, T, sm.get(), sbpNone, sbpNone, true);
    ASSERT_TRUE(look.ShowThumb);
    fw::TRect full(0, 0, T, L);
    int size = 0, pos = 0;
    Ac_CalcThumbSize(bar, full, size, pos);
    EXPECT_EQ(look.ThumbPos, pos);
    EXPECT_EQ(look.ThumbSize, size);
    ASSERT_TRUE(PaintScrollBar(&bmp, look, sm.get(), bg));
    const int above = (look.ArrowLength + look.ThumbPos) / 2,
              below = (look.ThumbPos + look.ThumbSize + L - look.ArrowLength) / 2;
    EXPECT_EQ(At(bmp, T / 2, above), kTrack);
    EXPECT_EQ(At(bmp, T / 2, below), kTrack);
    const COLORREF thumb = At(bmp, 3, look.ThumbPos + 3), arrow = At(bmp, 2, 2);
    EXPECT_NE(thumb, kTrack);
    EXPECT_NE(arrow, kTrack);

    // A pressed page shows its half pressed; the other stays.
    look = BarLookOf(bar, L, T, sm.get(), sbpPageAfter, sbpNone, true);
    PaintScrollBar(&bmp, look, sm.get(), bg);
    EXPECT_EQ(At(bmp, T / 2, below), kTrackPressed);
    EXPECT_EQ(At(bmp, T / 2, above), kTrack);

    // Hover: the hot part alone changes; a press wins over hover.
    struct Case {
        int pressed, hover;
        int first, second, thumb;
    } cases[] = {{sbpNone, sbpThumb, 0, 0, 1},
                 {sbpNone, sbpSecondArrow, 0, 1, 0},
                 {sbpFirstArrow, sbpSecondArrow, 2, 0, 0},
                 {sbpThumb, sbpNone, 0, 0, 2}};
    for (const Case& c : cases) {
        look = BarLookOf(bar, L, T, sm.get(), c.pressed, c.hover, true);
        EXPECT_EQ(look.FirstArrowState, c.first);
        EXPECT_EQ(look.SecondArrowState, c.second);
        EXPECT_EQ(look.ThumbState, c.thumb);
    }
    look = BarLookOf(bar, L, T, sm.get(), sbpNone, sbpThumb, true);
    PaintScrollBar(&bmp, look, sm.get(), bg);
    EXPECT_NE(At(bmp, 3, look.ThumbPos + 3), thumb);

    // Disabled: no thumb, no hot part, 40 % bar over 60 % background.
    look = BarLookOf(bar, L, T, sm.get(), sbpNone, sbpThumb, false);
    EXPECT_FALSE(look.ShowThumb);
    EXPECT_EQ(look.ThumbState, 0);
    PaintScrollBar(&bmp, look, sm.get(), bg);
    const COLORREF d = At(bmp, T / 2, below);
    EXPECT_NEAR(GetRValue(d), (236 * 40 + 250 * 60) / 100, 3);
    EXPECT_NEAR(GetGValue(d), (240 * 40) / 100, 3);

    // Too short for two arrows: two half arrows, no thumb.
    fw::TBitmap shortBmp(T, 20, fw::pf24bit);
    look = BarLookOf(bar, 20, T, sm.get(), sbpNone, sbpNone, true);
    EXPECT_FALSE(look.ShowThumb);
    EXPECT_TRUE(PaintScrollBar(&shortBmp, look, sm.get(), bg));

    // Nothing to scroll (page over the range): the thumb fills the track and is not drawn.
    look = BarLookOf(VerticalBar(0, 5, 10, 0), L, T, sm.get(), sbpNone, sbpNone, true);
    EXPECT_FALSE(look.ShowThumb);
}

TEST(ScrollPaint, CornerGripAndSkinsWithoutBars) {
    auto sm = Stillwater();
    TCacheInfo bg;
    bg.FillColor = RGB(10, 200, 30);
    fw::TBitmap square(17, 17, fw::pf24bit);
    PaintScrollCorner(&square, sm.get(), bg, false);
    EXPECT_EQ(At(square, 16, 16), RGB(10, 200, 30));
    PaintScrollCorner(&square, sm.get(), bg, true);
    int changed = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) changed += At(square, x, y) != RGB(10, 200, 30);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(At(square, 0, 0), RGB(10, 200, 30));

    // A glyph of no size and an invalid index draw nothing.
    fw::TBitmap glyph(9, 9, fw::pf24bit);
    DrawCenteredGlyph(&glyph, -1, 0, fw::TRect(0, 0, 9, 9), sm.get());
    DrawCenteredGlyph(&glyph, 100000, 0, fw::TRect(0, 0, 9, 9), sm.get());
    EXPECT_EQ(At(glyph, 4, 4), RGB(0, 0, 0));

    // A skin without the track section paints nothing.
    TsSkinManager none(nullptr);
    none.SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    none.SetSkinName(L"TPaint");
    fw::TBitmap bmp(17, 100, fw::pf24bit);
    const TacBarLook look = BarLookOf(VerticalBar(0, 99, 10, 0), 100, 17, &none, sbpNone, sbpNone, true);
    ASSERT_LT(none.ConstData.IndexScrollBar1V, 0);
    EXPECT_FALSE(PaintScrollBar(&bmp, look, &none, bg));
    EXPECT_FALSE(PaintScrollBar(&bmp, look, nullptr, bg));
}
