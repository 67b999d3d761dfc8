// The background query between skinned controls on hidden windows with the
// TPaint test skin: what a parent answers (a colour, its cache and where the
// child lies in it), transparent controls passing the question on, parents
// that do not answer, the colour a control shows, and the corners of a
// rounded control showing its parent's pixels.
#include <gtest/gtest.h>

#include <memory>

#include "PaintTestBitmaps.h"
#include "SkinnedPanel.h"
#include "framework/graphics/Color.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sColorMath.h"
#include "skin/paint/sBGQuery.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace painttest;

namespace {

using Px = std::vector<uint8_t>;

// A control that paints four 10 x 10 quadrants and answers no query.
class TQuadrants : public fw::TCustomControl {
public:
    explicit TQuadrants(fw::TWinControl* Parent) : fw::TCustomControl(Parent) {
        SetBounds(0, 0, 20, 20);
        SetParent(Parent);
    }
    static constexpr TColor Colour[4] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0};

protected:
    void Paint() override {
        for (int q = 0; q < 4; ++q) {
            Canvas()->Brush()->SetColor(Colour[q]);
            const int x = 10 * (q % 2), y = 10 * (q / 2);
            Canvas()->FillRect(fw::TRect(x, y, x + 10, y + 10));
        }
    }
};

// A request to have the background drawn into R of a 30 x 30 bitmap of 3s;
// Offset: where R lies in the asked control.
struct DrawRequest {
    std::unique_ptr<fw::TBitmap> dst = Make(fw::pf24bit, 30, 30);
    TacBGInfo bg;
    DrawRequest(fw::TRect R, fw::TPoint Offset) {
        Fill(*dst, 3);
        bg.PleaseDraw = true;
        bg.DrawDC = dst->Canvas()->Handle();
        bg.R = R;
        bg.Offset = Offset;
    }
};

}  // namespace

TEST(BackgroundQuery, ATransparentChildGetsItsParentsCacheAtItsOffset) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* trans = scene.Add(grad, L"TRANS", fw::TRect(20, 15, 80, 55));
    auto* inner = scene.Add(trans, L"TRANS", fw::TRect(5, 7, 25, 27));
    auto* plain = scene.Add(&scene.form, L"PANEL", fw::TRect(180, 10, 230, 60));
    auto* label = scene.Add(plain, L"TRANS", fw::TRect(8, 8, 30, 20));
    scene.form.HandleNeeded();

    // Over a gradient panel: its cache, with the child's place in it.
    TacBGInfo bg;
    EXPECT_TRUE(GetBGInfo(&bg, trans, false));
    EXPECT_EQ(bg.BgType, btCache);
    EXPECT_EQ(bg.Bmp, grad->SkinData->FCacheBmp);
    EXPECT_EQ(bg.Offset, fw::TPoint(20, 15));
    // Two transparent levels add up.
    TacBGInfo deep;
    EXPECT_TRUE(GetBGInfo(&deep, inner, false));
    EXPECT_EQ(deep.Bmp, grad->SkinData->FCacheBmp);
    EXPECT_EQ(deep.Offset, fw::TPoint(25, 22));
    // The transparent child's own cache is that part of the gradient, exactly.
    trans->PrepareCache();
    fw::TBitmap* own = trans->SkinData->FCacheBmp;
    fw::TBitmap* under = grad->SkinData->FCacheBmp;
    for (int y = 0; y < 40; y += 3)
        for (int x = 0; x < 60; x += 7) ASSERT_EQ(Get(*own, x, y), Get(*under, 20 + x, 15 + y)) << x << "," << y;
    EXPECT_NE(Get(*under, 30, 0), Get(*under, 30, 119));  // it is a vertical gradient

    // Over a plain opaque panel: a fill of the panel's colour.
    TacBGInfo fill;
    EXPECT_TRUE(GetBGInfo(&fill, label, false));
    EXPECT_EQ(fill.BgType, btFill);
    EXPECT_EQ(fill.Color, scene.Section(L"PANEL").Color);
}

TEST(BackgroundQuery, RoundedCornersShowTheParentsPixels) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* keyed = scene.Add(grad, L"PANEL", fw::TRect(30, 40, 70, 70));
    auto* masked = scene.Add(grad, L"BUTTON", fw::TRect(90, 60, 150, 90));
    TsGeneralData& button = scene.Section(L"BUTTON");
    button.ImgTR = button.ImgBR = -1;
    scene.form.HandleNeeded();
    keyed->PrepareCache();
    masked->PrepareCache();
    fw::TBitmap* under = grad->SkinData->FCacheBmp;
    // The keyed border's cut corners (two pixels on each side of the corner
    // pixel) show the gradient at the control's place; the edge beside them is the image's.
    fw::TBitmap* k = keyed->SkinData->FCacheBmp;
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {39, 0}, {38, 0}, {0, 29}, {39, 29}, {39, 28}})
        EXPECT_EQ(Get(*k, x, y), Get(*under, 30 + x, 40 + y)) << x << "," << y;
    EXPECT_EQ(Get(*k, 2, 0), Px(3, 0));
    // The masked border's cut corners too (the right ones have no corner
    // image here); corner images come after the border: the top-left one
    // covers the border's cut pixels but its own cut pixel.
    fw::TBitmap* m = masked->SkinData->FCacheBmp;
    for (auto [x, y] : {std::pair{59, 0}, {58, 0}, {59, 1}, {59, 29}, {58, 29}, {0, 0}})
        EXPECT_EQ(Get(*m, x, y), Get(*under, 90 + x, 60 + y)) << x << "," << y;
    EXPECT_EQ(Get(*m, 1, 0), Get(*scene.sm->MasterBitmap, 85, 0));
    EXPECT_EQ(Get(*m, 0, 29), Get(*scene.sm->MasterBitmap, 84, 11));
}

TEST(BackgroundQuery, WhatAControlAnswersFromItsCache) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* half = scene.Add(grad, L"HALF", fw::TRect(10, 10, 50, 40));
    auto* trans = scene.Add(grad, L"TRANS", fw::TRect(60, 10, 100, 40));
    scene.form.HandleNeeded();

    // With PleaseDraw the requested rectangle of the cache is drawn into the
    // asker's DC; Bmp and Offset stay as the asker left them.
    grad->PrepareCache();
    DrawRequest request(fw::TRect(4, 4, 14, 9), fw::TPoint(50, 60));
    TacBGInfo& drawn = request.bg;
    fw::TBitmap* dst = request.dst.get();
    EXPECT_TRUE(GetBGInfo(&drawn, grad, true));
    EXPECT_EQ(drawn.BgType, btCache);
    EXPECT_EQ(drawn.Bmp, nullptr);
    EXPECT_EQ(drawn.Offset, fw::TPoint(50, 60));
    EXPECT_EQ(Get(*dst, 4, 4), Get(*grad->SkinData->FCacheBmp, 50, 60));
    EXPECT_EQ(Get(*dst, 13, 8), Get(*grad->SkinData->FCacheBmp, 59, 64));
    EXPECT_EQ(Get(*dst, 14, 8), Px(3, 3));
    // ... and a transparent child asked to draw draws its parent's pixels at its own place.
    Fill(*dst, 3);
    drawn.Offset = fw::TPoint(1, 2);
    EXPECT_TRUE(GetBGInfo(&drawn, trans, true));
    EXPECT_EQ(Get(*dst, 4, 4), Get(*grad->SkinData->FCacheBmp, 61, 12));

    // A half transparent section answers from its cache, which holds the mix.
    TacBGInfo bg;
    EXPECT_TRUE(GetBGInfo(&bg, half, false));
    EXPECT_EQ(bg.BgType, btCache);
    EXPECT_EQ(bg.Bmp, half->SkinData->FCacheBmp);
    EXPECT_EQ(bg.Offset, fw::TPoint(0, 0));
    // Without a cache (or with one of no pixels) there is nothing to lend: no colour.
    half->SkinData->FCacheBmp->SetSize(0, 0);
    half->SkinData->BGChanged = false;
    InitBGInfo(half->SkinData.get(), &bg, 0, nullptr);
    EXPECT_EQ(bg.BgType, btFill);
    EXPECT_EQ(bg.Color, TColor(0xFF00FF));
    grad->SkinData->FCacheBmp->SetSize(0, 0);
    grad->SkinData->BGChanged = false;
    InitBGInfo(grad->SkinData.get(), &bg, 0, nullptr);
    EXPECT_EQ(bg.BgType, btFill);
    EXPECT_EQ(bg.Color, TColor(0xFF00FF));
}

TEST(BackgroundQuery, AWideBorderKeepsTheAnswerANarrowOnePassesItOn) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* box = scene.Add(grad, L"GROUPBOX", fw::TRect(20, 30, 100, 90));  // transparent, bordered
    scene.form.HandleNeeded();
    TsMaskData& border = scene.sm->ma[size_t(box->SkinData->BorderIndex)];
    struct Case {
        int wl, wr, wt, wb;
        bool own;
    } cases[] = {{13, 12, 2, 2, true}, {12, 12, 2, 2, false}, {2, 2, 20, 5, true}, {2, 2, 12, 12, false}};
    for (const Case& c : cases) {
        border.WL = c.wl, border.WR = c.wr, border.WT = c.wt, border.WB = c.wb;
        box->SkinData->BGChanged = true;
        TacBGInfo bg;
        EXPECT_TRUE(GetBGInfo(&bg, box, false));
        EXPECT_EQ(bg.BgType, btCache);
        EXPECT_EQ(bg.Bmp, c.own ? box->SkinData->FCacheBmp : grad->SkinData->FCacheBmp) << c.wl << "+" << c.wr;
        EXPECT_EQ(bg.Offset, c.own ? fw::TPoint(0, 0) : fw::TPoint(20, 30));
    }
}

TEST(BackgroundQuery, ParentsThatDoNotAnswer) {
    PaintScene scene(100, 100);
    auto* quads = new TQuadrants(&scene.form);
    quads->SetColor(0x123456);
    scene.form.HandleNeeded();
    // A window: the default manager's global colour.
    TacBGInfo bg;
    EXPECT_FALSE(GetBGInfo(&bg, quads->Handle(), false));
    EXPECT_EQ(bg.BgType, btFill);
    EXPECT_EQ(bg.Color, scene.sm->GetGlobalColor());
    EXPECT_EQ(scene.sm->GetGlobalColor(), TColor(0xD0D8E0));
    // A control: its colour answer, else its Color.
    TacBGInfo byControl;
    EXPECT_FALSE(GetBGInfo(&byControl, quads, false));
    EXPECT_EQ(byControl.Color, TColor(0x123456));

    // Asked to draw, it paints itself into the DC: shifted by -Offset and
    // clipped to R moved by Offset. (x, y) of the DC shows (x + 10, y + 5).
    for (bool byHandle : {true, false}) {
        DrawRequest request(fw::TRect(2, 2, 12, 12), fw::TPoint(10, 5));
        TacBGInfo& draw = request.bg;
        fw::TBitmap* dst = request.dst.get();
        if (byHandle)
            EXPECT_FALSE(GetBGInfo(&draw, quads->Handle(), false));
        else
            EXPECT_FALSE(GetBGInfo(&draw, quads, false));
        EXPECT_EQ(draw.BgType, btUnknown);
        EXPECT_EQ(Get(*dst, 2, 2), BgrOf(TQuadrants::Colour[1])) << byHandle;  // (12, 7)
        EXPECT_EQ(Get(*dst, 9, 6), BgrOf(TQuadrants::Colour[3])) << byHandle;  // (19, 11)
        EXPECT_EQ(Get(*dst, 1, 2), Px(3, 3)) << byHandle;                      // left of R
        EXPECT_EQ(Get(*dst, 5, 12), Px(3, 3)) << byHandle;                     // below R
        EXPECT_EQ(draw.R, fw::TRect(2, 2, 12, 12));
    }
}

TEST(BackgroundQuery, TheColourAControlShows) {
    PaintScene scene;
    auto* plain = scene.Add(&scene.form, L"PANEL", fw::TRect(10, 10, 170, 130));
    auto* half = scene.Add(plain, L"HALF", fw::TRect(10, 10, 50, 40));
    auto* trans = scene.Add(plain, L"TRANS", fw::TRect(60, 10, 100, 40));
    scene.form.HandleNeeded();
    const TColor panel = scene.Section(L"PANEL").Color;
    const TsGeneralData& h = scene.Section(L"HALF");
    EXPECT_EQ(GetBGColor(plain->SkinData.get(), 0, nullptr), panel);
    EXPECT_EQ(GetBGColor(trans->SkinData.get(), 0, nullptr), panel);
    // Partly transparent: Transparency percent of the parent's colour, as
    // the section paints (50 normal, 30 hot).
    EXPECT_EQ(GetBGColor(half->SkinData.get(), 0, nullptr), MixColors(panel, h.Color, 0.5));
    EXPECT_EQ(GetBGColor(half->SkinData.get(), 1, nullptr), MixColors(panel, h.HotColor, 0.3));
    // An owner without a control (a window wrapper) mixes with its window's
    // parent, never with black.
    fw::TComponent wrapper(nullptr);
    TsCommonData data(&wrapper, true);
    data.SetSkinManager(scene.sm.get());
    data.SetSkinSection(L"HALF");
    ASSERT_TRUE(data.Skinned());
    EXPECT_EQ(GetBGColor(&data, 0, half->Handle()), MixColors(panel, h.Color, 0.5));
    data.SetSkinSection(L"TRANS");
    EXPECT_EQ(GetBGColor(&data, 0, half->Handle()), panel);
    // Its background in that window: a cache of the parent window.
    TCacheInfo ci = GetParentCacheHwnd(trans->Handle());
    EXPECT_FALSE(ci.Ready);
    EXPECT_EQ(ci.FillColor, panel);
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 140, 170, 175));
    auto* inGrad = scene.Add(grad, L"TRANS", fw::TRect(3, 4, 20, 20));
    ci = GetParentCacheHwnd(inGrad->Handle());
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(ci.Bmp, grad->SkinData->FCacheBmp);
    // A control's parent cache (the parent's client at (0, 0); the control
    // adds its own place when it paints), and without a parent its colour.
    ci = GetParentCache(inGrad->SkinData.get());
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(ci.Bmp, grad->SkinData->FCacheBmp);
    EXPECT_EQ(ci.X, 0);
    EXPECT_EQ(GetParentCache(&data).FillColor, GetBGColor(&data, 0, nullptr));
}

TEST(BackgroundQuery, AWindowWrapperAsksItsWindowsParent) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    scene.form.HandleNeeded();
    HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 30, 25, 50, 40, grad->Handle(), nullptr,
                               nullptr, nullptr);
    // Skin data whose owner is no control: a wrapper of a transparent window.
    fw::TComponent wrapper(nullptr);
    TsCommonData data(&wrapper, false);
    data.SetSkinManager(scene.sm.get());
    data.SetSkinSection(L"TRANS");
    TacBGInfo bg;
    InitBGInfo(&data, &bg, 0, wnd);
    EXPECT_EQ(bg.BgType, btCache);
    EXPECT_EQ(bg.Bmp, grad->SkinData->FCacheBmp);
    EXPECT_EQ(bg.Offset, fw::TPoint(30, 25));
    // Asked to draw, it draws the parent's pixels at the window's place.
    DrawRequest request(fw::TRect(0, 0, 10, 10), fw::TPoint(4, 6));
    TacBGInfo& draw = request.bg;
    fw::TBitmap* dst = request.dst.get();
    InitBGInfo(&data, &draw, 0, wnd);
    EXPECT_EQ(Get(*dst, 0, 0), Get(*grad->SkinData->FCacheBmp, 34, 31));
    EXPECT_EQ(Get(*dst, 9, 9), Get(*grad->SkinData->FCacheBmp, 43, 40));
    EXPECT_EQ(Get(*dst, 10, 10), Px(3, 3));
    // Without a parent window: the default manager's global colour.
    HWND top = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    InitBGInfo(&data, &bg, 0, top);
    EXPECT_EQ(bg.BgType, btFill);
    EXPECT_EQ(bg.Color, scene.sm->GetGlobalColor());
    DestroyWindow(top);
}
