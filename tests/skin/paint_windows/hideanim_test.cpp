// Hide animations recorded frame by frame: the fade on the hide timer, a
// hide that replaces a running one, no animation below 10 ms or for an MDI
// child, a dialog, the synchronous fade while the program ends, and that the
// temporary window, its images and the timer's worker are gone or idle
// afterwards.
#include <gtest/gtest.h>

#include "WindowsKit.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/SkinnedPanel.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sAnimHide.h"
#include "skin/paint/sVclUtils.h"

using namespace skin;
using namespace windowstest;
using painttest::TSkinnedPanel;

namespace {

// 255 div 2 when the window is put up, then 12.75 less a frame (halves to
// even), reaching 0 at the tenth of eleven frames.
const std::vector<int> kHideAlphas{127, 114, 102, 89, 76, 63, 50, 38, 25, 12, 0, 0};

bool Idle() { return acHideTimer && !acHideTimer->Form; }

struct HideScene {
    painttest::PaintScene scene{1, 1};
    explicit HideScene(WORD Time, TacAnimType Mode = atFading) {
        scene.sm->AnimEffects()->FormHide.Time = Time;
        scene.sm->AnimEffects()->FormHide.Mode = Mode;
        scene.sm->AnimEffects()->DialogHide.Time = Time;
    }
    std::unique_ptr<TProviderForm, FormFree> Form(int Slot = 0) {
        auto f = ShownForm(120, 70, Slot);
        new TSkinnedPanel(f.get(), scene.sm.get(), L"GRADPANEL", fw::TRect(0, 0, 120, 70));
        Pump(30);
        return f;
    }
};

}  // namespace

TEST(HideAnimation, AFormFadesOutOnTheHideTimer) {
    HideScene s(100);
    auto form = s.Form();
    Recorder rec;
    AnimHideForm(form->Provider);
    form->Hide();
    const HWND temp = rec.FirstWindow();
    ASSERT_NE(temp, nullptr);
    ASSERT_NE(acHideTimer, nullptr);
    EXPECT_EQ(acHideTimer->Owner(), fw::Application.get());
    // The first frame comes at once; the image stands where the form stood.
    EXPECT_EQ(rec.Alphas(temp), (std::vector<int>{127, 114}));
    RECT r;
    GetWindowRect(temp, &r);
    EXPECT_EQ(fw::TRect(r), form->BoundsRect());
    EXPECT_TRUE(GetWindowLongW(temp, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(temp, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(InAnimationProcess);
    ASSERT_TRUE(PumpUntil(Idle)) << "the timer ran the fade to its end";
    EXPECT_EQ(rec.Alphas(temp), kHideAlphas);
    EXPECT_EQ(rec.Calls[1].Pixel(10, 10) >> 24, 255u) << "an opaque image";
    EXPECT_TRUE(rec.NothingLeft());
    EXPECT_EQ(acHideTimer->SrcBmp, nullptr);
    EXPECT_EQ(acHideTimer->DstBmp, nullptr);
    EXPECT_FALSE(acHideTimer->OnTimer());
    ASSERT_NE(acHideTimer->TimerThread(), nullptr);
    EXPECT_FALSE(acHideTimer->TimerThread()->Active()) << "the worker waits without ticking";
    Pump(100);
    EXPECT_EQ(rec.Calls.size(), kHideAlphas.size()) << "no tick after the end";

    // The next hide runs on the same timer.
    TacHideTimer* timer = acHideTimer;
    auto again = s.Form(1);
    AnimHideForm(again->Provider);
    again->Hide();
    EXPECT_EQ(acHideTimer, timer);
    ASSERT_TRUE(PumpUntil(Idle));
    EXPECT_EQ(rec.Alphas(rec.Calls.back().Wnd), kHideAlphas);
    EXPECT_TRUE(rec.NothingLeft());
}

// A form hidden while another's fade runs: the first image vanishes at once
// with its window and bitmaps; the same timer shrinks the new one (atAero)
// towards a 1/8 inset.
TEST(HideAnimation, ANewHideReplacesTheRunningOne) {
    HideScene s(2000);
    auto first = s.Form();
    auto second = s.Form(1);
    Recorder rec;
    AnimHideForm(first->Provider);
    first->Hide();
    const HWND firstTemp = rec.FirstWindow();
    ASSERT_TRUE(IsWindowVisible(firstTemp));
    const HBITMAP firstImage = rec.Calls[0].Bitmap;
    TacHideTimer* timer = acHideTimer;
    Pump(50);
    s.scene.sm->AnimEffects()->FormHide.Time = 100;
    s.scene.sm->AnimEffects()->FormHide.Mode = atAero;
    AnimHideForm(second->Provider);
    second->Hide();
    EXPECT_FALSE(IsWindow(firstTemp));
    EXPECT_EQ(GetObjectType(firstImage), 0u);
    EXPECT_EQ(acHideTimer, timer);
    const HWND secondTemp = rec.Calls.back().Wnd;
    ASSERT_NE(secondTemp, firstTemp);
    ASSERT_TRUE(PumpUntil(Idle));
    const std::vector<LayeredCall> calls = rec.CallsOf(secondTemp);
    ASSERT_EQ(calls.size(), 12u);
    EXPECT_EQ(calls[1].Drawn(), fw::TRect(0, 0, 120, 70)) << "the first frame whole";
    // 120 x 70 over 10 steps: 1.5 and 0.875 pixels in a frame on each side.
    EXPECT_EQ(calls[2].Drawn(), fw::TRect(2, 1, 119, 69));
    EXPECT_EQ(calls[11].Drawn(), fw::TRect(15, 9, 105, 61)) << "a 1/8 inset at the last frame";
    EXPECT_TRUE(rec.NothingLeft());
}

// Below 10 ms nothing is shown and nothing is left; an MDI child gets no
// hide animation; either way the glows go.
TEST(HideAnimation, NothingBelowTenMillisecondsOrForAnMdiChild) {
    HideScene s(9);
    auto form = s.Form();
    const std::set<HWND> before = VisibleWindows();
    acgEffects.push_back(new TacGlowEffect());
    Recorder rec;
    AnimHideForm(form->Provider);
    EXPECT_TRUE(acgEffects.empty());
    EXPECT_TRUE(rec.Calls.empty());
    EXPECT_EQ(acHideTimer, nullptr) << "no timer made for nothing";
    EXPECT_EQ(VisibleWindows(), before);
    EXPECT_EQ(acDstBmp, nullptr);

    s.scene.sm->AnimEffects()->FormHide.Time = 100;
    auto mdi = s.Form(1);
    mdi->SetFormStyle(fw::fsMDIForm);
    auto* child = fw::Create<TProviderForm>(fw::Application.get());
    child->Provider = fw::Create<skintest::TestProvider>(child);
    child->SetFormStyle(fw::fsMDIChild);
    child->Show();
    acgEffects.push_back(new TacGlowEffect());
    AnimHideForm(child->Provider);
    EXPECT_TRUE(acgEffects.empty());
    EXPECT_TRUE(rec.Calls.empty());
    EXPECT_EQ(acHideTimer, nullptr);
    child->Free();
}

// A skinned dialog: made layered and practically invisible at once, its
// image fades out on a window of its own.
TEST(HideAnimation, ADialogFadesOutOnAWindowOfItsOwn) {
    HideScene s(100);
    auto owner = ShownForm(10, 10);
    RECT at;
    GetWindowRect(owner->Handle(), &at);
    HWND dlg = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_GRAYRECT, at.left, at.top + 40,
                               90, 60, nullptr, nullptr, nullptr, nullptr);
    Pump(30);
    TPrintedDialog wrapper;
    wrapper.CtrlHandle = dlg;
    Recorder rec;
    AnimHideDlg(&wrapper);
    EXPECT_TRUE(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(rec.Alphas(dlg), std::vector<int>{10});
    const HWND temp = rec.Calls[1].Wnd;
    ASSERT_NE(temp, dlg);
    RECT r;
    GetWindowRect(temp, &r);
    EXPECT_EQ(r.left, at.left);
    EXPECT_EQ(r.bottom - r.top, 60);
    ASSERT_TRUE(PumpUntil(Idle));
    EXPECT_EQ(rec.Alphas(temp), kHideAlphas);
    EXPECT_TRUE(rec.NothingLeft({dlg}));
    DestroyWindow(dlg);
}

// While the program ends the fade runs before the call returns, and its
// window and images go with the last frame.
TEST(HideAnimation, WhileTheProgramEndsTheFadeRunsAtOnce) {
    HideScene s(100);
    auto form = s.Form();
    fw::Application->Terminate();
    Recorder rec;
    AnimHideForm(form->Provider);
    EXPECT_EQ(rec.Alphas(rec.FirstWindow()), kHideAlphas);
    EXPECT_EQ(rec.Sleeps, 11);
    EXPECT_TRUE(rec.NothingLeft());
    ASSERT_NE(acHideTimer, nullptr);
    EXPECT_EQ(acHideTimer->TimerThread(), nullptr) << "no worker while the program ends";
    EXPECT_EQ(acHideTimer->Form, nullptr);
}
