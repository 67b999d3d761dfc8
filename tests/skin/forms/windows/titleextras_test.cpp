// A real skinned form with user title buttons and an added title: the
// buttons answer at their places as 1000 + index and fire their events, a
// hot one shows its hint only when it has one, and a hot button fades in a
// layered overlay that watches the mouse and goes once the mouse left.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace formstest;

namespace {

std::vector<int> gBlends;
TUpdateLayeredWindow gRealUpdate = nullptr;

// Records each constant alpha an overlay is given, then lets it through.
BOOL WINAPI RecordUpdate(HWND W, HDC D, POINT* P, SIZE* S, HDC Src, POINT* SP, COLORREF K, BLENDFUNCTION* B, DWORD F) {
    if (B) gBlends.push_back(B->SourceConstantAlpha);
    return gRealUpdate ? gRealUpdate(W, D, P, S, Src, SP, K, B, F) : TRUE;
}

struct Clicks {
    int downs = 0, ups = 0;
    int x = 0, y = 0;
    void Down(fw::TObject*, fw::TMouseButton, fw::TShiftState, int X, int Y) { ++downs, x = X, y = Y; }
    void Up(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++ups; }
};

LPARAM ScreenOf(HWND h, fw::TPoint P) {
    RECT wr;
    GetWindowRect(h, &wr);
    return MAKELPARAM(wr.left + P.X, wr.top + P.Y);
}

// Puts the cursor on the window point and asks the hit test there.
LRESULT HoverAt(HWND h, fw::TPoint P) {
    const LPARAM at = ScreenOf(h, P);
    SetCursorPos(short(LOWORD(at)), short(HIWORD(at)));
    return SendMessageW(h, WM_NCHITTEST, 0, at);
}

// Pumps until Done holds, at most Ms milliseconds (a loaded machine delays
// the 12 ms ticks).
template <typename F>
bool PumpUntil(F Done, DWORD Ms = 3000) {
    const DWORD end = GetTickCount() + Ms;
    while (!Done() && LONG(end - GetTickCount()) > 0) Pump(20);
    return Done();
}

}  // namespace

TEST(TitleExtras, UserButtonsHintsAndTheirFade) {
    LoadedSkin skin(L"default", L"Stillwater");
    ASSERT_TRUE(skin.sm->AllowGlowing());
    gRealUpdate = skin::UpdateLayeredWindow;
    skin::UpdateLayeredWindow = RecordUpdate;
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Title extras");
    form->SetBounds(140, 110, 420, 220);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);

    Clicks clicks;
    TsTitleButton* pin = sp->TitleButtons()->Add();
    pin->SetHint(L"Pin the page");
    pin->OnMouseDown = fw::TMouseEvent(&clicks, &Clicks::Down);
    pin->OnMouseUp = fw::TMouseEvent(&clicks, &Clicks::Up);
    TsTitleButton* mark = sp->TitleButtons()->Add();
    mark->SetName(L"Mark");
    // A 24-bit glyph: its bottom-left colour shows the button under it.
    mark->Glyph()->SetSize(10, 10);
    mark->Glyph()->Canvas()->Brush()->SetColor(fw::TColor(0x00FF00));
    mark->Glyph()->Canvas()->FillRect(fw::TRect(0, 0, 10, 10));
    mark->Glyph()->Canvas()->Brush()->SetColor(fw::TColor(0x2020E0));
    mark->Glyph()->Canvas()->FillRect(fw::TRect(2, 2, 8, 8));
    EXPECT_EQ(L"Mark", mark->DisplayName());
    EXPECT_EQ(L"TsTitleButton", pin->DisplayName());
    sp->AddedTitle()->Font()->SetColor(fw::TColor(0x0000C0));
    sp->AddedTitle()->SetText(L"- chapter 3");
    Pump(60);
    SetCursorPos(0, 0);
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    Pump(60);
    EXPECT_EQ(0, TitleMismatches(sp));
    auto shot = Shot(h, L"skinned-form-title-extras");

    // Both buttons lie left of minimise, in order, and hit as 1000 + index.
    const fw::TRect rPin = pin->BtnData.Rect, rMark = mark->BtnData.Rect;
    EXPECT_LT(rPin.Right, sp->Buttons.Min.Rect.Left);
    EXPECT_LT(rMark.Right, rPin.Left);
    gBlends.clear();  // the form's own show fade is not the button's
    EXPECT_EQ(HTUDBTN + 0, HoverAt(h, fw::CenterPoint(rPin)));
    // The glyph is drawn centred on its button, its key colour left out.
    const fw::TPoint mc = fw::CenterPoint(rMark);
    EXPECT_EQ(RGB(0xE0, 0x20, 0x20), GetPixel(shot->Canvas()->Handle(), mc.X, mc.Y));
    EXPECT_NE(RGB(0, 0xFF, 0), GetPixel(shot->Canvas()->Handle(), rMark.Left + (rMark.Width() - 10) / 2,
                                        rMark.Top + (rMark.Height() - 10) / 2));

    // The hot button with a hint shows it below and right of the mouse.
    EXPECT_EQ(1, pin->BtnData.State);
    ASSERT_NE(nullptr, pin->HintWnd);
    EXPECT_TRUE(IsWindowVisible(pin->HintWnd->Handle()));
    // It fades in a layered, see-through, never-activated overlay.
    auto* fade = static_cast<TacSBAnimation*>(pin->BtnData.Timer);
    ASSERT_NE(nullptr, fade);
    ASSERT_NE(nullptr, fade->AForm);
    const HWND overlay = fade->AForm->Handle();
    const LONG ex = GetWindowLongW(overlay, GWL_EXSTYLE);
    EXPECT_EQ(LONG(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
              ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE));
    EXPECT_EQ(-98, fade->AForm->Tag());
    EXPECT_TRUE(PumpUntil([&] { return fade->MaxIterations == -1; }));
    ASSERT_FALSE(gBlends.empty());
    EXPECT_EQ(25, gBlends.front());
    EXPECT_EQ(255, gBlends.back());
    EXPECT_TRUE(std::is_sorted(gBlends.begin(), gBlends.end()));
    EXPECT_TRUE(IsWindowVisible(overlay));
    RECT orc;
    GetWindowRect(overlay, &orc);
    RECT wr;
    GetWindowRect(h, &wr);
    EXPECT_EQ(wr.left + rPin.Left, orc.left);
    EXPECT_EQ(wr.top + rPin.Top, orc.top);
    EXPECT_NE(GetActiveWindow(), overlay);

    // The other button has no hint: none shows, the first one's goes.
    EXPECT_EQ(HTUDBTN + 1, HoverAt(h, mc));
    // The platform's own mouse messages for the moves arrive meanwhile.
    Pump(60);
    EXPECT_EQ(HTUDBTN + 1, HoverAt(h, mc));
    EXPECT_EQ(HTUDBTN + 1, sp->CurrentHT);
    EXPECT_EQ(nullptr, pin->HintWnd);
    EXPECT_EQ(nullptr, mark->HintWnd);
    EXPECT_EQ(0, pin->BtnData.State);

    // A click on the first: its events, with the message's screen point.
    const LPARAM at = ScreenOf(h, fw::CenterPoint(rPin));
    EXPECT_EQ(HTUDBTN + 0, HoverAt(h, fw::CenterPoint(rPin)));
    SendMessageW(h, WM_NCLBUTTONDOWN, HTUDBTN + 0, at);
    EXPECT_EQ(2, pin->BtnData.State);
    EXPECT_EQ(nullptr, pin->HintWnd);
    EXPECT_EQ(1, clicks.downs);
    EXPECT_EQ(short(LOWORD(at)), clicks.x);
    EXPECT_EQ(short(HIWORD(at)), clicks.y);
    SendMessageW(h, WM_NCLBUTTONUP, HTUDBTN + 0, at);
    EXPECT_EQ(1, clicks.ups);
    // A release that was not pressed there fires nothing.
    SendMessageW(h, WM_NCLBUTTONUP, HTUDBTN + 0, at);
    EXPECT_EQ(1, clicks.ups);

    // Hot again, then the mouse leaves: the fade notices, the owner makes
    // the button normal, the fade goes down and frees its overlay.
    HoverAt(h, fw::CenterPoint(rPin));
    fade = static_cast<TacSBAnimation*>(pin->BtnData.Timer);
    ASSERT_NE(nullptr, fade);
    EXPECT_TRUE(PumpUntil([&] { return fade->MaxIterations == -1; }));
    SetCursorPos(0, 0);
    EXPECT_TRUE(PumpUntil([&] { return fade->AForm == nullptr; }));
    EXPECT_EQ(0, pin->BtnData.State);
    EXPECT_EQ(-1, fade->CurrentState);
    EXPECT_EQ(nullptr, fade->AForm);
    EXPECT_EQ(nullptr, fade->ABmp);
    EXPECT_FALSE(IsWindow(overlay));

    // Disabled, the button is no button: neither hot nor pressed, and a
    // press sent with its code runs no handler.
    pin->SetEnabled(false);
    EXPECT_NE(HTUDBTN + 0, HoverAt(h, fw::CenterPoint(rPin)));
    EXPECT_EQ(0, sp->CurrentHT);
    EXPECT_EQ(0, pin->BtnData.State);
    SendMessageW(h, WM_NCLBUTTONDOWN, HTUDBTN + 0, at);
    EXPECT_EQ(0, pin->BtnData.State);
    EXPECT_EQ(1, clicks.downs);
    SendMessageW(h, WM_NCLBUTTONUP, HTUDBTN + 0, at);
    EXPECT_EQ(1, clicks.ups);
    pin->SetEnabled(true);

    // Hiding a button repaints the title at once, without it.
    mark->SetVisible(false);
    EXPECT_EQ(-1, mark->BtnData.State);
    EXPECT_EQ(HTCAPTION, HoverAt(h, mc));
    EXPECT_EQ(0, TitleMismatches(sp));

    // Deleting a button leaves no stale record behind.
    sp->TitleButtons()->Delete(1);
    EXPECT_EQ(1u, sp->Buttons.User.size());
    form.reset();
    skin::UpdateLayeredWindow = gRealUpdate;
}

// With a glow image in the skin ("BICONCLOSEGLOW0"), the hot close button's
// overlay is that image, centred on the button.
TEST(TitleExtras, AHotCloseButtonFadesInItsGlowImage) {
    LoadedSkin skin(L"test", L"T1");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Glow");
    form->SetBounds(160, 120, 360, 200);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    const TFrameSkin& k = sp->FrameSkin();
    const int glow = k.Manager->GetMaskIndex(k.Manager->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"BICONCLOSEGLOW0");
    ASSERT_TRUE(k.Manager->IsValidImgIndex(glow));
    fw::TBitmap* image = k.Manager->ma[size_t(glow)].Bmp;
    ASSERT_NE(nullptr, image);
    ASSERT_EQ(0, sp->Buttons.Close.State);

    const fw::TRect close = sp->Buttons.Close.Rect;
    EXPECT_EQ(HTCLOSE, HoverAt(h, fw::CenterPoint(close)));
    auto* fade = static_cast<TacSBAnimation*>(sp->Buttons.Close.Timer);
    ASSERT_NE(nullptr, fade);
    ASSERT_NE(nullptr, fade->ABmp);
    EXPECT_EQ(image->Width(), fade->ABmp->Width());
    EXPECT_EQ(image->Height(), fade->ABmp->Height());
    RECT orc, wr;
    GetWindowRect(fade->AForm->Handle(), &orc);
    GetWindowRect(h, &wr);
    EXPECT_EQ(wr.left + close.Left - (image->Width() - close.Width()) / 2, orc.left);
    // Pressed shows the button itself, at its own size.
    SendMessageW(h, WM_NCLBUTTONDOWN, HTCLOSE, ScreenOf(h, fw::CenterPoint(close)));
    ASSERT_NE(nullptr, fade->ABmp);
    EXPECT_EQ(close.Width(), fade->ABmp->Width());
    SetCursorPos(0, 0);
    EXPECT_TRUE(PumpUntil([&] { return fade->AForm == nullptr; }));
}
