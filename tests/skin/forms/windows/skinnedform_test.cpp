// A real form skinned by the default skin: it gets its provider when first
// activated, its frame on the window is the provider's image (also after the
// platform's own activation and caption handling), its title colours follow
// activation, and its title buttons and caption answer mouse messages sent
// at their places on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace formstest;

namespace {

// Sends the mouse messages of a click at the window point P: the hit test
// there decides the code the button messages carry.
void ClickAt(HWND h, fw::TPoint P, bool Double = false) {
    RECT wr;
    GetWindowRect(h, &wr);
    const LPARAM screen = MAKELPARAM(wr.left + P.X, wr.top + P.Y);
    const WPARAM code = WPARAM(SendMessageW(h, WM_NCHITTEST, 0, screen));
    SendMessageW(h, Double ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN, code, screen);
    if (!Double) SendMessageW(h, WM_NCLBUTTONUP, code, screen);
    Pump(60);
}

}  // namespace

TEST(SkinnedForm, FrameActivationButtonsAndCaption) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Skinned probe");
    form->SetBounds(120, 90, 360, 240);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    const HWND h = form->Handle();

    // The first activation gave the form its provider, which took over.
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    EXPECT_FALSE(sp->RTInit);
    EXPECT_TRUE(sp->Skinned());
    EXPECT_EQ(1, SendMessageW(h, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
    EXPECT_EQ(0, GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, GetWindowRgn(h, rgn));
    DeleteObject(rgn);

    // The title on the window is the provider's image, active and inactive;
    // the platform's activation and caption painting never show.
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    Pump(30);
    ASSERT_TRUE(sp->FormActive);
    EXPECT_EQ(0, TitleMismatches(sp));
    Shot(h, L"skinned-form-active");
    const fw::TPoint probe(sp->OffsetX() + 150, sp->OffsetY() / 2);
    const COLORREF active = GetPixel(sp->SkinData()->FCacheBmp->Canvas()->Handle(), probe.X, probe.Y);
    SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
    Pump(30);
    EXPECT_FALSE(sp->FormActive);
    EXPECT_EQ(0, TitleMismatches(sp));
    Shot(h, L"skinned-form-inactive");
    const COLORREF inactive = GetPixel(sp->SkinData()->FCacheBmp->Canvas()->Handle(), probe.X, probe.Y);
    EXPECT_NE(active, inactive);
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    SetWindowTextW(h, L"Renamed");
    Pump(30);
    EXPECT_EQ(0, TitleMismatches(sp));
    EXPECT_EQ(active, GetPixel(Shot(h)->Canvas()->Handle(), probe.X, probe.Y));

    // The buttons answer at their places.
    EXPECT_EQ(HTCLOSE, HitAt(h, Centre(sp->Buttons.Close.Rect)));
    EXPECT_EQ(HTMAXBUTTON, HitAt(h, Centre(sp->Buttons.Max.Rect)));
    EXPECT_EQ(HTMINBUTTON, HitAt(h, Centre(sp->Buttons.Min.Rect)));
    EXPECT_EQ(HTCAPTION, HitAt(h, probe));
    // The hot close button is drawn so on the window, the normal one again
    // once the mouse is on the caption.
    // The real cursor goes there too: leave tracking would otherwise see it
    // outside the window and put the button out at once.
    {
        RECT wr;
        GetWindowRect(h, &wr);
        const fw::TPoint c = Centre(sp->Buttons.Close.Rect);
        SetCursorPos(wr.left + c.X, wr.top + c.Y);
    }
    HitAt(h, Centre(sp->Buttons.Close.Rect));
    EXPECT_EQ(1, sp->Buttons.Close.State);
    EXPECT_EQ(0, TitleMismatches(sp));
    HitAt(h, probe);
    EXPECT_EQ(0, sp->Buttons.Close.State);

    // Maximise, restore, double clicks on the caption, minimise.
    ClickAt(h, Centre(sp->Buttons.Max.Rect));
    EXPECT_TRUE(IsZoomed(h));
    EXPECT_EQ(0, TitleMismatches(sp));
    ClickAt(h, Centre(sp->Buttons.Max.Rect));
    EXPECT_FALSE(IsZoomed(h));
    ClickAt(h, probe, true);
    EXPECT_TRUE(IsZoomed(h));
    ClickAt(h, probe, true);
    EXPECT_FALSE(IsZoomed(h));
    EXPECT_EQ(0, TitleMismatches(sp));
    ClickAt(h, Centre(sp->Buttons.Min.Rect));
    EXPECT_TRUE(IsIconic(h));
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(60);
    EXPECT_FALSE(IsIconic(h));

    // A press on close released after the mouse left it closes nothing.
    RECT wr;
    GetWindowRect(h, &wr);
    const fw::TPoint close = Centre(sp->Buttons.Close.Rect);
    const LPARAM onClose = MAKELPARAM(wr.left + close.X, wr.top + close.Y);
    SendMessageW(h, WM_NCLBUTTONDOWN, SendMessageW(h, WM_NCHITTEST, 0, onClose), onClose);
    EXPECT_EQ(2, sp->Buttons.Close.State);
    HitAt(h, probe);
    SendMessageW(h, WM_NCLBUTTONUP, SendMessageW(h, WM_NCHITTEST, 0, onClose), onClose);
    Pump(30);
    EXPECT_TRUE(IsWindowVisible(h));
    // A real click on it does.
    ClickAt(h, close);
    EXPECT_FALSE(IsWindowVisible(h));
}
