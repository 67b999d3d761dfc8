// What the wrappers of standard windows decide without a window: the combo
// button's place and its look drawn into a bitmap from the default skin.
#include <gtest/gtest.h>

#include <memory>

#include "skin/engine/sSkinManager.h"
#include "skin/windows/acComboWnd.h"
#include "skins/TestSkins.h"

using namespace skin;

namespace {

std::unique_ptr<TsSkinManager> Stillwater() {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->SetSkinDirectory(kvbskins::SkinsPath(L"default"));
    m->SetSkinName(L"Stillwater");
    return m;
}

COLORREF At(fw::TBitmap& B, int X, int Y) {
    const uint8_t* p = static_cast<const uint8_t*>(B.ScanLine(Y)) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

// Pixel (X, Y) of state State of skin image Index.
COLORREF SkinPixel(TsSkinManager* M, int Index, int State, int X, int Y) {
    const TsMaskData& m = M->ma[size_t(Index)];
    return At(*M->MasterBitmap, m.R.Left + State * WidthOfImage(m) + X, m.R.Top + Y);
}

}  // namespace

TEST(ComboButton, PlaceByStyleAndReadingOrder) {
    const SIZE sz{120, 24};
    struct Row {
        LONG style, ex;
        fw::TRect want;
    } rows[] = {
        {CBS_DROPDOWNLIST, 0, fw::TRect(102, 2, 118, 22)},
        {CBS_DROPDOWN, 0, fw::TRect(102, 2, 118, 22)},
        {CBS_DROPDOWNLIST, WS_EX_RTLREADING, fw::TRect(2, 2, 18, 22)},
        {CBS_SIMPLE, 0, fw::TRect(118, 2, 118, 22)},  // no button
        {CBS_SIMPLE, WS_EX_RTLREADING, fw::TRect(2, 2, 2, 22)},
    };
    for (const Row& r : rows) {
        const fw::TRect got = ComboButtonRect(r.style, r.ex, sz, 16);
        EXPECT_EQ(got, r.want) << "style " << r.style << " ex " << r.ex;
    }
}

TEST(ComboButton, SectionAndGlyphPerStateAndTheSkinsWithout) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    const int btn = M->ConstData.ComboBtnIndex, glyph = M->ConstData.ComboGlyph;
    ASSERT_GE(btn, 0);
    ASSERT_GE(glyph, 0);
    const int mask = M->GetMaskIndex(btn, L"COMBOBTN", L"BORDERSMASK");
    ASSERT_GE(mask, 0);
    const int H = 24;
    const fw::TRect R(100, 2, 117, H - 2);
    const TsMaskData& g = M->ma[size_t(glyph)];
    EXPECT_EQ(ComboButtonHeight(M), HeightOfImage(g));
    const int gx = WidthOfImage(g) / 2, gy = HeightOfImage(g) / 2 + 1;
    const int px = R.Left + (R.Width() - WidthOfImage(g)) / 2 + gx, py = (H - HeightOfImage(g)) / 2 + gy;
    for (int state = 0; state < 3; ++state) {
        SCOPED_TRACE(state);
        fw::TBitmap bmp(120, H, fw::pf24bit);
        PatBlt(bmp.Canvas()->Handle(), 0, 0, 120, H, WHITENESS);
        PaintComboButton(&bmp, R, H, M, state);
        // The skin draws the button's border only when hot or pressed.
        const bool border = state > 0 || !(M->ma[size_t(mask)].DrawMode & dmNoNormal);
        EXPECT_EQ(At(bmp, (R.Left + R.Right) / 2, R.Top),
                  border ? SkinPixel(M, mask, state, WidthOfImage(M->ma[size_t(mask)]) / 2, 0)
                         : COLORREF(fw::ColorToRGB(M->gd[size_t(btn)].Color)));
        EXPECT_EQ(At(bmp, px, py), SkinPixel(M, glyph, state, gx, gy));
        EXPECT_EQ(At(bmp, R.Left - 1, H / 2), RGB(255, 255, 255));  // nothing outside R
    }
    // A skin without the sections: the face is kept, the height counts as 16.
    TsSkinManager none(nullptr);
    EXPECT_EQ(ComboButtonHeight(&none), 16);
    fw::TBitmap bmp(120, H, fw::pf24bit);
    PatBlt(bmp.Canvas()->Handle(), 0, 0, 120, H, WHITENESS);
    PaintComboButton(&bmp, R, H, &none, 1);
    EXPECT_EQ(At(bmp, (R.Left + R.Right) / 2, H / 2), RGB(255, 255, 255));
}
