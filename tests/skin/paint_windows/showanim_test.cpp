// Show animations recorded frame by frame: the alphas and zoom rectangles of
// a form, a dialog and a form with an extended-border window, the cross-fade
// of a control whose content changed, and that every temporary window and
// bitmap is gone afterwards while the real window is shown and painted.
#include <gtest/gtest.h>

#include "WindowsKit.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/PaintTestBitmaps.h"
#include "skin/paint/SkinnedPanel.h"
#include "skin/paint/sAnimShow.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

using namespace skin;
using namespace windowstest;
using painttest::TSkinnedPanel;

namespace {

const std::vector<int> kFormAlphas{0, 26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255};

bool Redraws(HWND wnd) { return (GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE) != 0; }

uint32_t Opaque(const std::vector<uint8_t>& bgr) {
    return 0xFF000000u | (uint32_t(bgr[2]) << 16) | (uint32_t(bgr[1]) << 8) | bgr[0];
}

}  // namespace

// A skinned form unlocked after a skin change: its image fades in over
// 100 ms, a tenth of the alpha a frame, reaching it at the tenth of eleven
// frames; then the form draws itself.
TEST(ShowAnimation, AFormFadesInThenDrawsItself) {
    painttest::PaintScene scene(1, 1);
    auto form = ShownForm(200, 130);
    auto* grad = new TSkinnedPanel(form.get(), scene.sm.get(), L"GRADPANEL", fw::TRect(0, 0, 200, 130));
    auto* panel = new TSkinnedPanel(grad, scene.sm.get(), L"PANEL", fw::TRect(20, 20, 110, 70));
    auto* button = new TSkinnedPanel(grad, scene.sm.get(), L"BUTTON", fw::TRect(120, 80, 180, 110));
    (void)button;
    Pump(50);
    const std::set<HWND> before = VisibleWindows();
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);  // locked, as for a skin change
    ASSERT_FALSE(Redraws(form->Handle()));
    Recorder rec;
    AnimShowControl(form.get(), 100, 255, atFading);

    const HWND temp = rec.FirstWindow();
    ASSERT_NE(temp, nullptr);
    ASSERT_NE(temp, form->Handle());
    EXPECT_EQ(rec.Alphas(temp), kFormAlphas);
    EXPECT_EQ(rec.Sleeps, 11);
    // The frames show the form's image: the panel's cache, opaque, at its place.
    const LayeredCall& last = rec.Calls.back();
    ASSERT_EQ(last.Width, 200);
    ASSERT_EQ(last.Height, 130);
    fw::TBitmap& cache = *panel->SkinData->FCacheBmp;
    EXPECT_EQ(last.Pixel(20 + 45, 20 + 25), Opaque(painttest::GetBgr(cache, 45, 25)));
    EXPECT_EQ(last.Pixel(0, 0) >> 24, 255u);
    // Afterwards: nothing of the animation is left; the form shows and draws.
    EXPECT_TRUE(rec.NothingLeft());
    EXPECT_EQ(ow, nullptr);
    EXPECT_EQ(acDstBmp, nullptr);
    EXPECT_EQ(acPrintDC, nullptr);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_TRUE(Redraws(form->Handle()));
    EXPECT_EQ(VisibleWindows(), before);
    Pump(100);
    auto shot = Screenshot(form->Handle(), L"skin-paint-form-after-show");
    EXPECT_EQ(painttest::GetBgr(*shot, 20 + 45, 20 + 25), painttest::GetBgr(cache, 45, 25));
    EXPECT_EQ(painttest::GetBgr(*shot, 5, 120), painttest::GetBgr(*grad->SkinData->FCacheBmp, 5, 120));
}

// atAero starts the image at a 1/8 inset and grows it to full size; a time
// below 10 ms shows the window at once without frames.
TEST(ShowAnimation, ZoomRectanglesAndNoFramesBelowTenMilliseconds) {
    painttest::PaintScene scene(1, 1);
    auto form = ShownForm(80, 40);
    new TSkinnedPanel(form.get(), scene.sm.get(), L"PANEL", fw::TRect(0, 0, 80, 40));
    Pump(50);
    {
        Recorder rec;
        AnimShowControl(form.get(), 100, 255, atAero);
        const std::vector<LayeredCall> calls = rec.CallsOf(rec.FirstWindow());
        ASSERT_EQ(calls.size(), 12u);
        // Frame 0 at (10, 5), 60 x 30; frame 1 one pixel and half a pixel
        // further out on each side (halves to even); frame 10 whole.
        EXPECT_EQ(calls[1].Drawn(), fw::TRect(10, 5, 70, 35));
        EXPECT_EQ(calls[2].Drawn(), fw::TRect(9, 4, 71, 35));
        EXPECT_EQ(calls[6].Drawn(), fw::TRect(5, 2, 75, 37));
        EXPECT_EQ(calls[11].Drawn(), fw::TRect(0, 0, 80, 40));
        EXPECT_TRUE(rec.NothingLeft());
    }
    Recorder rec;
    AnimShowControl(form.get(), 9, 200, atAero);
    EXPECT_EQ(rec.Alphas(rec.FirstWindow()), std::vector<int>{200});
    EXPECT_EQ(rec.Calls[0].Drawn(), fw::TRect(0, 0, 80, 40));
    EXPECT_EQ(rec.Sleeps, 0);
    EXPECT_TRUE(rec.NothingLeft());
}

// A skinned system dialog climbs by Alpha / 11 and reaches it at the last of
// eleven frames; its image holds its child windows that print themselves.
TEST(ShowAnimation, ADialogFadesInOnAWindowOfItsOwn) {
    painttest::PaintScene scene(1, 1);
    auto owner = ShownForm(10, 10);
    RECT at;
    GetWindowRect(owner->Handle(), &at);
    HWND dlg = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_GRAYRECT, at.left, at.top + 40,
                               120, 80, nullptr, nullptr, nullptr, nullptr);
    auto* child = new TSkinnedPanel(nullptr, scene.sm.get(), L"PANEL", fw::TRect(30, 20, 70, 50));
    child->SetParentWindow(dlg);
    child->Show();
    Pump(50);
    SendMessageW(dlg, WM_SETREDRAW, 0, 0);
    TPrintedDialog wrapper;
    wrapper.CtrlHandle = dlg;
    Recorder rec;
    AnimShowDlg(&wrapper, 100, 255, atFading);
    const HWND temp = rec.FirstWindow();
    ASSERT_NE(temp, dlg);
    const std::vector<int> expected{0, 23, 46, 70, 93, 116, 139, 162, 185, 209, 232, 255, 255};
    EXPECT_EQ(rec.Alphas(temp), expected);
    const LayeredCall& last = rec.Calls.back();
    ASSERT_EQ(last.Width, 120);
    ASSERT_EQ(last.Height, 80);
    // The dialog's face, and its child printed in at its place; all opaque.
    EXPECT_EQ(last.Pixel(5, 5) >> 24, 255u);
    EXPECT_EQ(last.Pixel(30 + 20, 20 + 15), Opaque(painttest::GetBgr(*child->SkinData->FCacheBmp, 20, 15)));
    EXPECT_NE(last.Pixel(5, 5), last.Pixel(50, 35));
    EXPECT_TRUE(rec.NothingLeft());
    EXPECT_TRUE(Redraws(dlg));
    child->Free();
    DestroyWindow(dlg);
}

// A border window with a cache of its own, sized to its window when painted.
struct TOwnCacheBorder : TacBorderFormBase {
    // The skin data is made once the border object is whole: it looks at its owner.
    explicit TOwnCacheBorder(fw::TObject* Owner) : TacBorderFormBase(Owner, nullptr) {
        SkinData = new TsCommonData(this, true);
    }
    ~TOwnCacheBorder() override { delete SkinData; }
    void PaintAll() override {
        TacBorderFormBase::PaintAll();
        if (AForm) SkinData->FCacheBmp->SetSize(AForm->Width(), AForm->Height());
    }
};

// A form with an extended-border window: the border window shows the image,
// standing left of and above the form by the skin's border, shadow and title;
// afterwards it keeps the image at the form's alpha right behind the form.
TEST(ShowAnimation, AFormWithExtendedBordersFadesInOnItsBorderWindow) {
    painttest::PaintScene scene(1, 1);
    scene.sm->SkinData->ExBorderWidth = 4;
    scene.sm->SkinData->ExTitleHeight = 20;
    scene.sm->FormShadowSize = RECT{10, 10, 10, 10};
    auto form = ShownForm(120, 90);
    form->Provider->SetSkinManager(scene.sm.get());
    form->SetAlphaBlend(true);
    auto* border = fw::Create<fw::TForm>(fw::Application.get());
    border->SetBorderStyle(fw::bsNone);
    border->SetBounds(form->Left() - 14, form->Top() - 30, 148, 134);
    auto* bf = new TOwnCacheBorder(form->Provider);
    bf->AForm = border;
    form->Provider->BorderForm = bf;
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    form->Provider->FInAnimation = true;
    Recorder rec;
    AnimShowForm(bf, 100, 200, atFading);
    const HWND w = border->WindowHandle();
    EXPECT_EQ(rec.FirstWindow(), w);
    const std::vector<int> expected{0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 200, 200};
    EXPECT_EQ(rec.Alphas(w), expected);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, form->Left() - 14);
    EXPECT_EQ(r.top, form->Top() - 30);
    EXPECT_EQ(r.right - r.left, 148);
    EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), w) << "right behind the form";
    EXPECT_FALSE(form->Provider->FInAnimation);
    EXPECT_EQ(form->AlphaBlendValue(), 200);
    EXPECT_TRUE(Redraws(form->Handle()));
    EXPECT_EQ(acDstBmp, nullptr);
    border->Free();
}

// A control whose content changed cross-fades from the screen's old picture
// on an output window above it: over 200 ms the picture weighs 255, 243,
// 231 ... (255 div 20 less a frame) of 256.
TEST(ShowAnimation, AChangedControlCrossFades) {
    painttest::PaintScene scene(1, 1);
    TsGeneralData& panelSection = scene.Section(L"PANEL");
    panelSection.Color = 0xFFFFFF;
    auto form = ShownForm(160, 100);
    auto* page = new TSkinnedPanel(form.get(), scene.sm.get(), L"PANEL", fw::TRect(20, 10, 140, 90));
    auto* corner = new TSkinnedPanel(form.get(), scene.sm.get(), L"GRADPANEL", fw::TRect(130, 80, 160, 100));
    Pump(100);
    ASSERT_EQ(painttest::GetBgr(*Screenshot(form->Handle(), L"skin-paint-page-before"), 80, 50),
              (std::vector<uint8_t>{255, 255, 255}));
    // The page's content changes to black; the screen still shows white.
    panelSection.Color = 0x000000;
    page->SkinData->BGChanged = true;
    Recorder rec;
    std::vector<int> weights;
    HWND out = nullptr;
    bool betweenThePageAndTheCorner = false;
    rec.OnSleep = [&] {
        out = ow->WindowHandle();
        betweenThePageAndTheCorner =
            GetWindow(page->Handle(), GW_HWNDPREV) == out && GetWindow(out, GW_HWNDPREV) == corner->Handle();
        HDC dc = GetDC(out);
        // White under black: the picture's weight c gives floor(255 c / 256) = c - 1.
        weights.push_back(int(GetRValue(GetPixel(dc, 60, 40))) + 1);
        ReleaseDC(out, dc);
    };
    PrepareForAnimation(page);
    ASSERT_NE(ow, nullptr);
    EXPECT_EQ(ow->ClassName(), L"TOutputWindow");
    AnimShowControl(page, 200, 255, atFading);
    std::vector<int> expected;
    for (int c = 255; expected.size() < 20; c -= 12) expected.push_back(c);
    EXPECT_EQ(weights, expected);
    EXPECT_TRUE(betweenThePageAndTheCorner) << "right above the page, below what lay above it";
    EXPECT_EQ(rec.Calls.size(), 0u) << "no layered window for a control";
    EXPECT_EQ(ow, nullptr);
    EXPECT_EQ(acSrcBmp, nullptr);
    EXPECT_EQ(acDstBmp, nullptr);
    EXPECT_FALSE(IsWindow(out));
    Pump(100);
    EXPECT_EQ(painttest::GetBgr(*Screenshot(form->Handle(), L"skin-paint-page-after"), 80, 50),
              (std::vector<uint8_t>{0, 0, 0}));
}
