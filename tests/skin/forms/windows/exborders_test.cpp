// A real form under a skin with extended borders: its frame and shadow are a
// separate layered window right behind it, which shows the provider's
// 32-bit image, answers the frame's hit tests for the form, lets clicks on
// its shadow through to the window below, follows the form's topmost state
// and zoom, and goes with the skin. A skinned system message box gets the
// same border window, freed with the box.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "../FrameFixtures.h"
#include "ExBordersKit.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"
#include "skin/paint/sWindowImage.h"
#include "skin/windows/acMainWnd.h"

using namespace skin;
using namespace formstest;

namespace {

// A plain top-level window that counts the left presses it gets.
int belowPresses = 0;
LRESULT CALLBACK BelowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN) ++belowPresses;
    return DefWindowProcW(h, msg, wp, lp);
}

HWND MakeBelowWindow(const RECT& r) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BelowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ExBordersBelow";
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return w;
}

// The next visible window below W in the z-order.
HWND NextVisible(HWND W) {
    HWND n = GetWindow(W, GW_HWNDNEXT);
    while (n && !IsWindowVisible(n)) n = GetWindow(n, GW_HWNDNEXT);
    return n;
}

}  // namespace

TEST(ExtendedBorders, BorderWindowBehindTheFormWithItsShadow) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders()) << "layered windows are there under this Wine";
    const RECT shadow = skin.sm->FormShadowSize;
    ASSERT_EQ(shadow.left, 16);
    ASSERT_EQ(shadow.top, 12);
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Extended borders");
    form->SetBounds(200, 150, 360, 240);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    auto* bf = dynamic_cast<TacBorderForm*>(sp->BorderForm);
    ASSERT_NE(nullptr, bf);
    const HWND b = bf->AForm->Handle();

    // A layered tool window, never activated, right behind the form.
    EXPECT_TRUE(IsWindowVisible(b));
    EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    EXPECT_EQ(GetWindow(b, GW_OWNER), GetWindow(h, GW_OWNER));
    // Placed right behind the form. (This Wine later restacks the freshly
    // drawn layered window above the form while it handles display events,
    // sending no message; the form's client area still shows through the
    // border window's hole.)
    bf->UpdateExBordersPos(true, 255);
    EXPECT_EQ(NextVisible(h), b);
    EXPECT_NE(GetActiveWindow(), b);

    // It stands so that the image's client area lies on the form's own.
    const RECT br = WindowRect(b);
    POINT client{0, 0};
    ClientToScreen(h, &client);
    EXPECT_EQ(br.left + sp->OffsetX(), client.x);
    EXPECT_EQ(br.top + sp->OffsetY(), client.y);
    EXPECT_EQ(sp->OffsetX(), shadow.left + 8);
    EXPECT_EQ(sp->OffsetY(), shadow.top + 34);

    // The image is 32-bit and the window's size; opaque on the frame,
    // see-through at the shadow's outer edge.
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(nullptr, cache);
    EXPECT_EQ(cache->PixelFormat(), fw::pf32bit);
    EXPECT_EQ(cache->Width(), br.right - br.left);
    EXPECT_EQ(cache->Height(), br.bottom - br.top);
    GdiFlush();
    EXPECT_EQ(AlphaAt(cache, sp->OffsetX() + 100, shadow.top + 10), 255) << "title";
    EXPECT_EQ(AlphaAt(cache, shadow.left + 2, sp->OffsetY() + 50), 255) << "left border";
    EXPECT_EQ(AlphaAt(cache, cache->Width() / 2, cache->Height() - shadow.bottom - 2), 255) << "bottom border";
    EXPECT_EQ(AlphaAt(cache, 0, cache->Height() / 2), 0) << "shadow's outer edge";
    EXPECT_LT(AlphaAt(cache, shadow.left - 2, cache->Height() / 2), 255);

    // The form keeps only its client area.
    HRGN own = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(h, own));
    RECT box{};
    GetRgnBox(own, &box);
    DeleteObject(own);
    EXPECT_EQ(box.left, client.x - WindowRect(h).left);
    EXPECT_EQ(box.top, client.y - WindowRect(h).top);
    // The border window has a hole there.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(b, rgn));
    EXPECT_FALSE(PtInRegion(rgn, sp->OffsetX() + 20, sp->OffsetY() + 20));
    EXPECT_TRUE(PtInRegion(rgn, sp->OffsetX() + 20, shadow.top + 10));
    DeleteObject(rgn);
    ScreenShot(br, L"skinned-form-extended-borders");

    // Hit tests: the frame answers HTOBJECT, the shadow leaves the answer to
    // the platform; the codes the form gets are the frame's.
    auto screen = [&](int x, int y) { return MAKELPARAM(br.left + x, br.top + y); };
    EXPECT_EQ(SendMessageW(b, WM_NCHITTEST, 0, screen(sp->OffsetX() + 100, shadow.top + 10)), HTOBJECT);
    EXPECT_NE(SendMessageW(b, WM_NCHITTEST, 0, screen(2, 100)), HTOBJECT);
    struct Case {
        fw::TPoint p;
        int code;
    } cases[] = {
        {fw::TPoint(sp->OffsetX() + 100, shadow.top + 10), HTCAPTION},
        {fw::TPoint(shadow.left + 1, 120), HTLEFT},
        {fw::TPoint(cache->Width() - shadow.right - 1, 120), HTRIGHT},
        {fw::TPoint(150, cache->Height() - shadow.bottom - 1), HTBOTTOM},
        {fw::TPoint(shadow.left + 1, shadow.top + 1), HTTOPLEFT},
        {fw::TPoint(Centre(sp->Buttons.Close.Rect).X + shadow.left, Centre(sp->Buttons.Close.Rect).Y + shadow.top),
         HTCLOSE},
        {fw::TPoint(Centre(sp->Buttons.Max.Rect).X + shadow.left, Centre(sp->Buttons.Max.Rect).Y + shadow.top),
         HTMAXBUTTON},
    };
    for (const Case& c : cases) {
        fw::TMessage m{};
        m.Msg = WM_NCHITTEST;
        m.LParam = screen(c.p.X, c.p.Y);
        EXPECT_EQ(bf->Ex_WMNCHitTest(m), c.code) << c.p.X << "," << c.p.Y;
    }
    // A hot title button goes out when the mouse moves onto the shadow (the
    // real cursor is on it first: the border window's cursor handling hit
    // tests where the cursor is).
    SetCursorPos(br.left + cases[5].p.X, br.top + cases[5].p.Y);
    sp->SetHotHT(HTCLOSE, true);
    SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(2, 100));
    EXPECT_EQ(sp->CurrentHT, -1);
    EXPECT_EQ(sp->Buttons.Close.State, 0);

    // A press on the shadow reaches the window below.
    HWND below = MakeBelowWindow(br);
    Pump(50);
    SetWindowPos(b, h, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    belowPresses = 0;
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 60));
    EXPECT_EQ(belowPresses, 1);
    // A press on the frame does not.
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sp->OffsetX() + 100, shadow.top + 10));
    EXPECT_EQ(belowPresses, 1);
    DestroyWindow(below);

    // A click on a title button goes to the form, which acts on it.
    const fw::TPoint min(Centre(sp->Buttons.Min.Rect).X + shadow.left, Centre(sp->Buttons.Min.Rect).Y + shadow.top);
    SetCursorPos(br.left + min.X, br.top + min.Y);
    SendMessageW(b, WM_NCLBUTTONDOWN, HTOBJECT, screen(min.X, min.Y));
    SendMessageW(b, WM_NCLBUTTONUP, HTOBJECT, screen(min.X, min.Y));
    Pump(100);
    EXPECT_TRUE(IsIconic(h));
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(100);
    ASSERT_FALSE(IsIconic(h));
    SetCursorPos(0, 0);

    // Topmost follows the form.
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(NextVisible(h), b);
    Pump(50);
    EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(50);
    // (This Wine may keep the form itself topmost; the border window follows.)
    EXPECT_EQ(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST, GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Moving the form takes the border window along.
    SetWindowPos(h, nullptr, 260, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(50);
    EXPECT_EQ(WindowRect(b).left, WindowRect(h).left - bf->OffsetX());
    EXPECT_EQ(WindowRect(b).top, WindowRect(h).top - bf->OffsetY());

    // A double click on its title zooms the form: the border window then
    // keeps no shadow, its region starting 4 pixels below the shadow's top.
    SendMessageW(b, WM_NCLBUTTONDBLCLK, HTOBJECT,
                 MAKELPARAM(WindowRect(b).left + sp->OffsetX() + 100, WindowRect(b).top + shadow.top + 10));
    Pump(100);
    ASSERT_TRUE(IsZoomed(h));
    HRGN zoomed = bf->MakeRgn();
    ASSERT_NE(nullptr, zoomed);
    GetRgnBox(zoomed, &box);
    DeleteObject(zoomed);
    EXPECT_EQ(box.top, shadow.top + 4);
    EXPECT_GE(box.left, shadow.left);
    fw::TMessage overShadow{};
    overShadow.Msg = WM_MOUSEMOVE;
    overShadow.LParam = MAKELPARAM(2, 2);
    EXPECT_FALSE(bf->MouseAboveTheShadow(overShadow));
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(100);
    EXPECT_FALSE(IsZoomed(h));

    // The skin goes: so do the border window and the 32-bit image.
    skin.sm->SetActive(false);
    Pump(100);
    EXPECT_EQ(nullptr, sp->BorderForm);
    EXPECT_FALSE(IsWindow(b));
}

TEST(ExtendedBorders, SkinnedMessageBoxHasABorderWindow) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    const RECT shadow = skin.sm->FormShadowSize;
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> owner(new fw::TForm(fw::Application.get()));
    owner->AfterConstruction();
    owner->SetCaption(L"Owner");
    owner->SetBounds(60, 60, 300, 200);
    owner->Show();
    Pump(100);

    bool checked = false;
    HWND b = nullptr;
    boxCaption = L"Extended box";
    boxCheck = [&](HWND dlg) {
        checked = true;
        TacProvider* entry = FindFormInList(dlg);
        auto* w = entry ? dynamic_cast<TacDialogWnd*>(entry->ListSW) : nullptr;
        ASSERT_NE(nullptr, w);
        auto* bf = dynamic_cast<TacBorderForm*>(w->BorderForm);
        ASSERT_NE(nullptr, bf) << "the skin's extended borders reach system dialogs";
        b = bf->AForm->Handle();

        // A layered popup like the box, right behind it, never activated.
        EXPECT_TRUE(IsWindowVisible(b));
        EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_LAYERED);
        EXPECT_TRUE(GetWindowLongW(b, GWL_STYLE) & WS_POPUP);
        bf->UpdateExBordersPos(true, 255);
        EXPECT_EQ(NextVisible(dlg), b);
        EXPECT_NE(GetActiveWindow(), b);

        // The image's client area lies on the box's own.
        const RECT br = WindowRect(b);
        POINT client{0, 0};
        ClientToScreen(dlg, &client);
        EXPECT_EQ(br.left + w->OffsetX(), client.x);
        EXPECT_EQ(br.top + w->OffsetY(), client.y);
        EXPECT_EQ(br.left + bf->OffsetX(), WindowRect(dlg).left);
        EXPECT_EQ(br.top + bf->OffsetY(), WindowRect(dlg).top);

        // 32-bit, the window's size, opaque frame, see-through shadow edge.
        fw::TBitmap* cache = w->SkinData->FCacheBmp;
        ASSERT_NE(nullptr, cache);
        EXPECT_EQ(cache->PixelFormat(), fw::pf32bit);
        EXPECT_EQ(cache->Width(), br.right - br.left);
        EXPECT_EQ(cache->Height(), br.bottom - br.top);
        GdiFlush();
        EXPECT_EQ(AlphaAt(cache, w->OffsetX() + 40, shadow.top + 10), 255) << "title";
        EXPECT_EQ(AlphaAt(cache, shadow.left + 2, w->OffsetY() + 20), 255) << "left border";
        EXPECT_EQ(AlphaAt(cache, cache->Width() / 2, cache->Height() - shadow.bottom - 2), 255) << "bottom border";
        EXPECT_EQ(AlphaAt(cache, 0, cache->Height() / 2), 0) << "shadow's outer edge";
        EXPECT_NE(nullptr, bf->ShadowTemplate);
        EXPECT_EQ(w->Caption, fw::String(boxCaption)) << "the title drawn is the box's";

        // The box keeps its client area; the border window has a hole there.
        HRGN own = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, GetWindowRgn(dlg, own));
        RECT box{};
        GetRgnBox(own, &box);
        DeleteObject(own);
        EXPECT_EQ(box.left, client.x - WindowRect(dlg).left);
        EXPECT_EQ(box.top, client.y - WindowRect(dlg).top);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, GetWindowRgn(b, rgn));
        EXPECT_FALSE(PtInRegion(rgn, w->OffsetX() + 10, w->OffsetY() + 10));
        EXPECT_TRUE(PtInRegion(rgn, w->OffsetX() + 10, shadow.top + 10));
        DeleteObject(rgn);
        ScreenShot(br, L"skinned-dialog-extended-borders");

        // The border window answers the box's frame: caption, close button
        // (laid out in the extended frame), shadow.
        auto screen = [&](fw::TPoint p) { return MAKELPARAM(br.left + p.X, br.top + p.Y); };
        const fw::TPoint title(w->OffsetX() + 40, shadow.top + 10);
        const fw::TPoint close(Centre(w->Buttons.Close.Rect).X + shadow.left,
                               Centre(w->Buttons.Close.Rect).Y + shadow.top);
        EXPECT_EQ(SendMessageW(b, WM_NCHITTEST, 0, screen(title)), HTOBJECT);
        EXPECT_NE(SendMessageW(b, WM_NCHITTEST, 0, screen(fw::TPoint(2, 40))), HTOBJECT);
        fw::TMessage m{};
        m.Msg = WM_NCHITTEST;
        m.LParam = screen(title);
        EXPECT_EQ(bf->Ex_WMNCHitTest(m), HTCAPTION);
        SetCursorPos(br.left + close.X, br.top + close.Y);
        m.LParam = screen(close);
        EXPECT_EQ(bf->Ex_WMNCHitTest(m), HTCLOSE);
        EXPECT_EQ(w->CurrentHT, HTCLOSE);
        EXPECT_EQ(w->Buttons.Close.State, 1) << "made hot";

        // Hidden, the box drops its border window; shown again, it gets one.
        ShowWindow(dlg, SW_HIDE);
        Pump(30);
        EXPECT_EQ(nullptr, w->BorderForm);
        EXPECT_FALSE(IsWindow(b));
        ShowWindow(dlg, SW_SHOWNA);
        Pump(100);
        bf = dynamic_cast<TacBorderForm*>(w->BorderForm);
        ASSERT_NE(nullptr, bf);
        b = bf->AForm->Handle();
        EXPECT_TRUE(IsWindowVisible(b));

        // Moving the box takes the border window along.
        SetWindowPos(dlg, nullptr, WindowRect(dlg).left + 30, WindowRect(dlg).top + 20, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump(50);
        EXPECT_EQ(WindowRect(b).left + bf->OffsetX(), WindowRect(dlg).left);
        EXPECT_EQ(WindowRect(b).top + bf->OffsetY(), WindowRect(dlg).top);

        // A click on its close button through the border window ends the box.
        const RECT nb = WindowRect(b);
        const LPARAM at = MAKELPARAM(nb.left + close.X, nb.top + close.Y);
        SetCursorPos(nb.left + close.X, nb.top + close.Y);
        SendMessageW(b, WM_NCLBUTTONDOWN, HTOBJECT, at);
        EXPECT_EQ(w->Buttons.Close.State, 2) << "pressed";
        SendMessageW(b, WM_NCLBUTTONUP, HTOBJECT, at);
        // The dialog closes on the command it posts itself.
        Pump(50);
        EXPECT_FALSE(IsWindowVisible(dlg)) << "closed by its title button";
        EXPECT_FALSE(IsWindow(b)) << "the border window goes with the box";
    };
    SetTimer(nullptr, 0, 100, OnBoxTimer);
    const int answer = MessageBoxW(owner->Handle(), L"A box with extended borders.", boxCaption, MB_OK);
    SetCursorPos(0, 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(answer == IDOK || answer == IDCANCEL);
    // The border window went with the box.
    ASSERT_NE(nullptr, b);
    EXPECT_FALSE(IsWindow(b));
}

namespace {

// A form shown at Bounds under the current skin.
std::unique_ptr<fw::TForm, FormFree> ShownForm(const wchar_t* Caption, const fw::TRect& Bounds) {
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(Caption);
    form->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    form->Show();
    Pump(200);
    return form;
}

// Visual-style calls on each window: +1 off, -1 back to the system's.
std::map<HWND, int> themeCalls;
HRESULT WINAPI RecordTheme(HWND h, LPCWSTR a, LPCWSTR) {
    themeCalls[h] += a ? 1 : -1;
    return S_OK;
}
TSetWindowTheme ThemeRecorder() { return &RecordTheme; }

}  // namespace

// Switching the skinned frame off gives the platform the frame back in its
// visual style and takes the border window away; switching it on again
// brings the border window back at once, not at the next showing.
TEST(ExtendedBorders, DrawNonClientAreaOffAndOnTakesTheBorderWindowAlong) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    InstallFormSkinning();
    auto form = ShownForm(L"Frame off and on", fw::TRect(220, 160, 560, 380));
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_NE(nullptr, sp->BorderForm);

    acWindowTheme = &ThemeRecorder;
    themeCalls.clear();
    sp->SetDrawNonClientArea(false);
    Pump(60);
    EXPECT_EQ(nullptr, sp->BorderForm);
    EXPECT_LT(themeCalls[h], 0) << "the form's visual style given back";

    sp->SetDrawNonClientArea(true);
    Pump(100);
    auto* bf = dynamic_cast<TacBorderForm*>(sp->BorderForm);
    ASSERT_NE(nullptr, bf);
    EXPECT_TRUE(IsWindowVisible(bf->AForm->Handle()));
    EXPECT_EQ(sp->SkinData()->FCacheBmp ? sp->SkinData()->FCacheBmp->PixelFormat() : fw::pfDevice, fw::pf32bit);
    ScreenShot(WindowRect(bf->AForm->Handle()), L"skinned-form-frame-off-and-on");
    acWindowTheme = &Ac_SetWindowTheme;
    themeCalls.clear();
}

// The image a fade starts from is the border window's: the form's children
// stand in it where they stand on the screen, the form's offset in the
// border window added.
TEST(ExtendedBorders, TheFormsImageHoldsItsChildrenAtTheirPlace) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Children in the image");
    form->SetBounds(240, 170, 320, 220);
    auto* panel = new fw::TPanel(form.get());
    panel->SetTag(-98);  // left unskinned: a plain colour
    panel->SetBevelOuter(fw::bvNone);
    panel->SetParentBackground(false);
    panel->SetColor(fw::TColor(0x0000FF));
    panel->SetBounds(30, 20, 60, 40);
    panel->SetParent(form.get());
    form->Show();
    Pump(200);
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_NE(nullptr, sp->BorderForm);
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(nullptr, cache);

    fw::TBitmap image(cache->Width(), cache->Height(), fw::pf32bit);
    RenderWindowImage(&image, form.get(), sp);
    image.SaveToFile(L"..\\screenshots\\skinned-form-exborders-image.bmp");
    const int x = sp->OffsetX() + 30, y = sp->OffsetY() + 20;
    EXPECT_EQ(GetPixel(image.Canvas()->Handle(), x + 30, y + 20), RGB(255, 0, 0)) << "the panel's middle";
    EXPECT_NE(GetPixel(image.Canvas()->Handle(), x - 3, y - 3), RGB(255, 0, 0)) << "before its corner";
    EXPECT_EQ(GetPixel(image.Canvas()->Handle(), x + 1, y + 1), RGB(255, 0, 0)) << "inside its corner";
}

namespace {

// Counts what a window gets, in front of its own procedure.
struct Spy {
    static inline WNDPROC old = nullptr;
    static inline UINT watched = 0;
    static inline WORD watchedSub = 0;  // for SM_ALPHACMD: its sub-command
    static inline int count = 0;
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == watched && (msg != SM_ALPHACMD || HIWORD(wp) == watchedSub)) ++count;
        return CallWindowProcW(old, h, msg, wp, lp);
    }
    Spy(HWND h, UINT Msg, WORD Sub = 0) : wnd(h) {
        watched = Msg, watchedSub = Sub, count = 0;
        old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(&Proc)));
    }
    ~Spy() { SetWindowLongPtrW(wnd, GWLP_WNDPROC, LONG_PTR(old)); }
    HWND wnd;
};

std::function<void()> modalCheck;
void CALLBACK OnModalTimer(HWND, UINT, UINT_PTR Id, DWORD) {
    KillTimer(nullptr, Id);
    if (auto check = std::move(modalCheck)) check();
}

}  // namespace

// When a form with a border window ends a move or size, the skinned dialogs
// are told (smcRepaint) to set their border windows again; a modal form's
// border window is set again at smcRepaint, another form's is not.
TEST(ExtendedBorders, TheEndOfAMoveTellsTheDialogsAndModalFormsFollow) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    InstallFormSkinning();
    auto owner = ShownForm(L"Moved owner", fw::TRect(60, 60, 360, 260));
    TsSkinProvider* ownerSp = ProviderOf(owner.get());
    ASSERT_NE(nullptr, ownerSp->BorderForm);

    bool checked = false;
    boxCaption = L"Box after a move";
    boxCheck = [&](HWND dlg) {
        TacProvider* entry = FindFormInList(dlg);
        ASSERT_TRUE(entry && dynamic_cast<TacDialogWnd*>(entry->ListSW));
        Spy spy(dlg, SM_ALPHACMD, smcRepaint);
        SendMessageW(owner->Handle(), WM_EXITSIZEMOVE, 0, 0);
        EXPECT_EQ(Spy::count, 1);
        checked = true;
    };
    SetTimer(nullptr, 0, 100, OnBoxTimer);
    MessageBoxW(owner->Handle(), L"Moved.", boxCaption, MB_OK);
    EXPECT_TRUE(checked);

    {
        // Not modal: its border window stays where it is.
        Spy spy(dynamic_cast<TacBorderForm*>(ownerSp->BorderForm)->AForm->Handle(), WM_WINDOWPOSCHANGED);
        SendMessageW(owner->Handle(), SM_ALPHACMD, MAKEWPARAM(0, smcRepaint), 0);
        EXPECT_EQ(Spy::count, 0);
    }
    std::unique_ptr<fw::TForm, FormFree> modal(new fw::TForm(fw::Application.get()));
    modal->AfterConstruction();
    modal->SetCaption(L"Modal");
    modal->SetBounds(120, 120, 240, 160);
    checked = false;
    modalCheck = [&] {
        Pump(150);
        TsSkinProvider* sp = ProviderOf(modal.get());
        auto* bf = sp ? dynamic_cast<TacBorderForm*>(sp->BorderForm) : nullptr;
        if (bf) {
            Spy spy(bf->AForm->Handle(), WM_WINDOWPOSCHANGED);
            SendMessageW(modal->Handle(), SM_ALPHACMD, MAKEWPARAM(0, smcRepaint), 0);
            EXPECT_GE(Spy::count, 1);
            checked = true;
        }
        modal->SetModalResult(fw::mrOk);
    };
    SetTimer(nullptr, 0, 100, OnModalTimer);
    modal->ShowModal();
    EXPECT_TRUE(checked) << "the modal form had a border window";
}
