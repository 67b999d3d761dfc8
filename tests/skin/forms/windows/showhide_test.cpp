// A skinned form going and coming back with the manager's animations on: the
// hide animation leaves a fading image where the form was, the show
// animation ends with the real window visible, no longer layered and framed
// from the skin; and a form that scrolls its children gets skinned bars in
// its frame, the client image placed beside them, and hands wheel turns no
// control used to the skinned scroll box under the mouse.
#include <gtest/gtest.h>

#include <memory>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sMessages.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sAnimHide.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acScrollWnd.h"

using namespace skin;
using namespace formstest;

namespace {

// The frame pauses of the animations, counted (each still lasts its time).
int Pauses = 0;
void CountedPause(DWORD Ms) {
    ++Pauses;
    Sleep(Ms);
}

std::unique_ptr<fw::TForm, FormFree> ShownForm(const wchar_t* Caption, int L, int T) {
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(Caption);
    form->SetBounds(L, T, 360, 240);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    return form;
}

bool Layered(HWND h) { return (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

}  // namespace

TEST(SkinnedFormShowHide, AnimationsEndWithTheSkinnedWindow) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    const TAnimSleep savedSleep = AnimSleep;
    AnimSleep = &CountedPause;
    auto form = ShownForm(L"Comes and goes", 120, 90);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    RECT before;
    GetWindowRect(h, &before);

    // Hiding: the window goes at once and its image fades where it was.
    TacAnimEffects* fx = skin.sm->AnimEffects();
    fx->FormHide.Time = 200;
    fx->FormHide.Mode = atFading;
    form->Hide();
    EXPECT_FALSE(IsWindowVisible(h));
    ASSERT_NE(nullptr, acHideTimer);
    ASSERT_NE(nullptr, acHideTimer->Form);
    const HWND fading = acHideTimer->Form->WindowHandle();
    EXPECT_TRUE(IsWindowVisible(fading));
    EXPECT_TRUE(Layered(fading));
    RECT at;
    GetWindowRect(fading, &at);
    EXPECT_EQ(before.left, at.left);
    EXPECT_EQ(before.top, at.top);
    EXPECT_EQ(before.right - before.left, at.right - at.left);
    for (int i = 0; i < 300 && acHideTimer->Form; ++i) Pump(10);
    EXPECT_EQ(nullptr, acHideTimer->Form);
    EXPECT_FALSE(IsWindow(fading));

    // Showing again: the image fades in frame by frame, then the real window
    // takes its place, visible, not layered, its frame the provider's.
    fx->FormHide.Time = 0;
    fx->FormShow.Time = 100;
    fx->FormShow.Mode = atAero;
    Pauses = 0;
    form->Show();
    EXPECT_GE(Pauses, 10);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_FALSE(Layered(h));
    EXPECT_FALSE(sp->fAnimating);
    EXPECT_FALSE(sp->FInAnimation);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_EQ(nullptr, ow);
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    Pump(100);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, GetWindowRgn(h, rgn));
    DeleteObject(rgn);
    EXPECT_EQ(0, TitleMismatches(sp));
    // The client is the form section's, not a blank or a leftover image.
    auto shot = Shot(h, L"skinned-form-shown-again");
    const COLORREF client = GetPixel(shot->Canvas()->Handle(), sp->OffsetX() + 100, sp->OffsetY() + 100);
    EXPECT_EQ(client,
              GetPixel(sp->SkinData()->FCacheBmp->Canvas()->Handle(), sp->OffsetX() + 100, sp->OffsetY() + 100));

    // Without the show animation the form comes back the same.
    form->Hide();
    fx->FormShow.Active = false;
    Pauses = 0;
    form->Show();
    Pump(100);
    EXPECT_EQ(0, Pauses);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_FALSE(Layered(h));
    EXPECT_EQ(0, TitleMismatches(sp));
    AnimSleep = savedSleep;
}

TEST(SkinnedFormShowHide, AScrollingFormGetsSkinnedBarsInItsFrame) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Scrolls");
    form->SetBounds(140, 100, 360, 240);
    form->SetAutoScroll(true);
    // A child reaching past the client on both sides makes both bars show.
    auto* big = new fw::TPanel(form.get());
    big->SetParent(form.get());
    big->SetBounds(10, 10, 600, 400);
    // A skinned scroll box inside it takes the wheel turns nobody used.
    auto* box = new WheelBox(form.get());
    box->SetParent(big);
    box->SetBounds(20, 20, 120, 90);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_NE(nullptr, sp->ListSW);
    EXPECT_EQ(sp->ListSW, Ac_GetScrollWndFromHwnd(h));
    const TFrameState s = sp->State();
    EXPECT_GT(s.VScrollWidth, 0);
    EXPECT_GT(s.HScrollHeight, 0);
    // The client image lies where the window's client area is, the bars
    // beside it inside the frame.
    RECT wr;
    GetWindowRect(h, &wr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.x - wr.left, sp->OffsetX());
    EXPECT_EQ(origin.y - wr.top, sp->OffsetY());
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    Pump(100);
    EXPECT_EQ(0, TitleMismatches(sp));
    Shot(h, L"skinned-form-scroll-bars");
    // The square between the bars is the grip.
    const fw::TRect corner = s.ScrollCorner;
    ASSERT_FALSE(corner.IsEmpty());
    EXPECT_EQ(HTBOTTOMRIGHT,
              SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + corner.Right - 2, wr.top + corner.Bottom - 2)));

    // A wheel turn over the box that no control used: the box gets it once,
    // though what a box leaves climbs its parents back to the form.
    const fw::TPoint over = box->ClientToScreen(fw::TPoint(10, 10));
    // The pointer of the display may be moved meanwhile: placed until it stays.
    for (int i = 0; i < 50 && !(acMousePos() == over); ++i) {
        SetCursorPos(over.X, over.Y);
        Pump(20);
    }
    ASSERT_TRUE(acMousePos() == over);
    form->Perform(fw::CM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), MAKELPARAM(over.X, over.Y));
    EXPECT_EQ(1, box->Turns);
    // One a control used is left alone.
    fw::TMessage used{fw::CM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), MAKELPARAM(over.X, over.Y), 1};
    sp->AC_CMMouseWheel(used);
    EXPECT_EQ(1, box->Turns);

    // The provider goes first: the form's own window method comes back whole
    // and the bars' wrapper is gone.
    sp->Free();
    EXPECT_EQ(nullptr, Ac_GetScrollWndFromHwnd(h));
    EXPECT_EQ(0, SendMessageW(h, SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0));
}
