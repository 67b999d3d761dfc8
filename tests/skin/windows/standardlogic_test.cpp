// What the wrappers of standard windows decide without a window: the combo
// button's place and look, button kinds, states and caption places, check
// glyphs, group captions and static texts.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/engine/sSkinManager.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acStaticWnd.h"
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

TEST(ButtonKinds, ByTheStylesTypeOnlyOwnerDrawnAndUnknownLeftAlone) {
    struct Row {
        LONG style;
        TacButtonKind kind;
    } rows[] = {
        {BS_PUSHBUTTON, bkPush},
        {BS_DEFPUSHBUTTON, bkPush},
        {BS_CHECKBOX, bkCheck},
        {BS_AUTOCHECKBOX, bkCheck},
        {BS_3STATE, bkCheck},
        {BS_AUTO3STATE, bkCheck},
        {BS_RADIOBUTTON, bkRadio},
        {BS_AUTORADIOBUTTON, bkRadio},
        {BS_GROUPBOX, bkGroup},
        {BS_OWNERDRAW, bkNone},  // its owner draws it
        {BS_USERBUTTON, bkNone},
        {0xA /* push box */, bkNone},
        {0xC /* split button */, bkNone},
        {0xE /* command link */, bkNone},
        {0xF /* default command link */, bkNone},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE, bkPush},
        {BS_RADIOBUTTON | BS_PUSHLIKE, bkPush},
        {BS_PUSHBUTTON | BS_MULTILINE | BS_LEFTTEXT | WS_TABSTOP, bkPush},
        {BS_AUTORADIOBUTTON | BS_LEFTTEXT, bkRadio},
    };
    for (const Row& r : rows) EXPECT_EQ(ButtonKindOf(r.style), r.kind) << std::hex << r.style;
}

TEST(ButtonKinds, StatesCaptionPlaceAndWrapping) {
    // Down, enabled, focused or hot, style -> state.
    EXPECT_EQ(PushButtonState(true, true, false, BS_PUSHBUTTON), 2);
    EXPECT_EQ(PushButtonState(false, false, true, BS_DEFPUSHBUTTON), 0);
    EXPECT_EQ(PushButtonState(false, true, true, BS_PUSHBUTTON), 1);
    EXPECT_EQ(PushButtonState(false, true, false, BS_DEFPUSHBUTTON), 1);
    EXPECT_EQ(PushButtonState(false, true, false, BS_PUSHBUTTON | BS_MULTILINE), 0);
    // Wrapped exactly with BS_MULTILINE.
    EXPECT_TRUE(CaptionFlags(BS_PUSHBUTTON | BS_MULTILINE) & DT_WORDBREAK);
    EXPECT_FALSE(CaptionFlags(BS_PUSHBUTTON) & DT_WORDBREAK);
    EXPECT_TRUE(CaptionFlags(BS_PUSHBUTTON) & DT_SINGLELINE);
    EXPECT_TRUE(CaptionFlags(BS_DEFPUSHBUTTON) & DT_CENTER);
    // Centred (odd remainders truncated), moved one pixel while down.
    EXPECT_EQ(ButtonCaptionRect({90, 28}, {40, 13}, false), fw::TRect(24, 7, 67, 21));
    EXPECT_EQ(ButtonCaptionRect({90, 28}, {40, 13}, true), fw::TRect(25, 8, 68, 22));
    EXPECT_EQ(ButtonCaptionRect({91, 29}, {40, 14}, false), fw::TRect(24, 7, 68, 22));
}

TEST(ButtonKinds, CheckGlyphsAndGroupCaptions) {
    EXPECT_STREQ(CheckGlyphName(bkCheck, 0), L"BOXUNCHECKED");
    EXPECT_STREQ(CheckGlyphName(bkCheck, 1), L"BOXCHECKED");
    EXPECT_STREQ(CheckGlyphName(bkCheck, 2), L"BOXGRAYED");
    EXPECT_STREQ(CheckGlyphName(bkRadio, 0), L"RADIOUNCHECKED");
    EXPECT_STREQ(CheckGlyphName(bkRadio, 1), L"RADIOCHECKED");
    EXPECT_STREQ(CheckGlyphName(bkRadio, 2), L"BOXGRAYED");  // no grayed radio image
    EXPECT_EQ(CheckGlyphRect({140, 24}, 15, 15, false), fw::TRect(0, 4, 15, 19));
    EXPECT_EQ(CheckGlyphRect({140, 24}, 15, 15, true), fw::TRect(125, 4, 140, 19));
    EXPECT_EQ(GroupCaptionRect(300, {40, 13}, false), fw::TRect(6, 0, 54, 15));
    EXPECT_EQ(GroupCaptionRect(300, {40, 13}, true), fw::TRect(246, 0, 294, 15));
    EXPECT_EQ(GroupCaptionRect(50, {60, 2}, false), fw::TRect(6, 0, 49, 6));  // clipped, at least 4 high
}

TEST(StaticTexts, AnchorTagsAndAlignment) {
    EXPECT_EQ(StripAnchorTags(L"see <A>the notes</A> and <A>more</A>"), L"see the notes and more");
    EXPECT_EQ(StripAnchorTags(L"a <a>lower</a> tag"), L"a <a>lower</a> tag");
    EXPECT_EQ(StripAnchorTags(L"<A href=\"x\">b</A>"), L"<A href=\"x\">b");
    EXPECT_TRUE(StaticTextFlags(WS_EX_RIGHT) & DT_RIGHT);
    EXPECT_FALSE(StaticTextFlags(0) & (DT_RIGHT | DT_CENTER));
    EXPECT_TRUE(StaticTextFlags(0) & DT_WORDBREAK);
}

namespace {

int gThemeCalls = 0;
HRESULT WINAPI CountTheme(HWND, LPCWSTR, LPCWSTR) {
    ++gThemeCalls;
    return S_OK;
}
TSetWindowTheme ThemeCounter() { return &CountTheme; }

}  // namespace

TEST(EditWrappers, MadeForNoWindowStayEmpty) {
    auto sm = Stillwater();
    acWindowTheme = &ThemeCounter;
    std::vector<TacEditWnd*> w{CreateWnd<TacEditWnd>(true, HWND(nullptr), nullptr, sm.get(), fw::String()),
                               CreateWnd<TacComboBoxWnd>(true, HWND(nullptr), nullptr, sm.get(), fw::String()),
                               CreateComboListWnd(nullptr, nullptr, sm.get(), L"EDIT", true, false)};
    for (TacEditWnd* x : w) {
        EXPECT_EQ(x->Link, nullptr) << x->ClassName();
        EXPECT_EQ(x->NewWndProcInstance, nullptr) << x->ClassName();
        delete x;
    }
    EXPECT_EQ(gThemeCalls, 0);
    acWindowTheme = &Ac_SetWindowTheme;
}
