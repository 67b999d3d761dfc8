// A skinned MDI parent: its client is wrapped by its companion while a skin
// is on and given back when the skin goes; a maximised child's minimise,
// restore and close buttons are drawn in the parent's menu line, answer hit
// tests there and run their commands on the child.
#include <gtest/gtest.h>

#include <memory>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMDIWnd.h"

using namespace skin;
using namespace formstest;

namespace {

struct FreeOnClose {
    void Close(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }
};

// An MDI parent with a one-item main menu, shown at a place of its own.
std::unique_ptr<fw::TForm, FormFree> MDIParent() {
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetFormStyle(fw::fsMDIForm);
    form->SetCaption(L"MDI parent");
    fw::TMainMenu* menu = fw::Create<fw::TMainMenu>(form.get());
    fw::TMenuItem* file = fw::Create<fw::TMenuItem>(form.get());
    file->SetCaption(L"&File");
    menu->Items()->Add(file);
    form->SetMenu(menu);
    const DWORD pid = GetCurrentProcessId();
    form->SetBounds(40 + int(pid * 37 % 200), 30 + int(pid * 53 % 150), 420, 320);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    return form;
}

fw::TForm* MDIChild(const wchar_t* Caption, FreeOnClose* Closer) {
    auto* child = new fw::TForm(fw::Application.get());
    child->AfterConstruction();
    child->SetFormStyle(fw::fsMDIChild);
    child->SetCaption(Caption);
    child->SetBounds(10, 10, 200, 140);
    child->OnClose = fw::TCloseEvent(Closer, &FreeOnClose::Close);
    child->Show();
    Pump(80);
    return child;
}

LPARAM ScreenAt(HWND h, fw::TPoint P) {
    RECT wr;
    GetWindowRect(h, &wr);
    return MAKELPARAM(wr.left + P.X, wr.top + P.Y);
}

LRESULT HitAt(HWND h, fw::TPoint P) { return SendMessageW(h, WM_NCHITTEST, 0, ScreenAt(h, P)); }

void ClickAt(HWND h, fw::TPoint P) {
    const LPARAM at = ScreenAt(h, P);
    const WPARAM code = WPARAM(SendMessageW(h, WM_NCHITTEST, 0, at));
    SendMessageW(h, WM_NCLBUTTONDOWN, code, at);
    SendMessageW(h, WM_NCLBUTTONUP, WPARAM(SendMessageW(h, WM_NCHITTEST, 0, at)), at);
    Pump(120);
}

fw::TPoint Centre(const fw::TRect& r) { return fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

bool Maximized(fw::TCustomForm* Parent) {
    BOOL maximized = FALSE;
    SendMessageW(Parent->ClientHandle(), WM_MDIGETACTIVE, 0, LPARAM(&maximized));
    return maximized != FALSE;
}

}  // namespace

TEST(MDIForm, MaximisedChildButtonsInTheMenuLineRestoreAndClose) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = MDIParent();
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    ASSERT_NE(sp->MDIForm, nullptr);
    EXPECT_NE(sp->MDIForm->ListSW, nullptr);
    EXPECT_EQ(MDISkinProvider, sp);

    FreeOnClose closer;
    fw::TForm* child = MDIChild(L"Child one", &closer);
    ASSERT_NE(ProviderOf(child), nullptr);
    EXPECT_FALSE(sp->MDIButtonsShown);
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(150);
    ASSERT_TRUE(Maximized(form.get()));
    ASSERT_TRUE(MDIButtonsNeeded(MDIStateOf(sp)));
    ASSERT_TRUE(sp->MDIButtonsShown);

    // The buttons at the right end of the menu line, right of the menu's
    // items, on the window as in the provider's image.
    const TMDIButtons& b = sp->MDIButtons;
    const TFrameState s = sp->State();
    const int lineTop = SysBorderHeight(s, sp->Metrics()) + CaptionHeight(s, sp->Metrics());
    EXPECT_GE(b.Close.Rect.Top, lineTop);
    EXPECT_LE(b.Close.Rect.Bottom, lineTop + MenuHeight(s, sp->Metrics()));
    EXPECT_EQ(b.Close.Rect.Right, s.Width - SysBorderWidth(s, sp->Metrics()) - 1);
    EXPECT_LT(b.Max.Rect.Right, b.Close.Rect.Left);
    EXPECT_LT(b.Min.Rect.Right, b.Max.Rect.Left);
    auto shot = Shot(h, L"skinned-mdi-maximised-child");
    // The maximised child's client shows none of the frame it had at its
    // old size: no pixel of its border's colour.
    {
        TsSkinProvider* csp = ProviderOf(child);
        ASSERT_NE(csp->SkinData()->FCacheBmp, nullptr);
        const COLORREF border =
            GetPixel(csp->SkinData()->FCacheBmp->Canvas()->Handle(), 0, csp->SkinData()->FCacheBmp->Height() / 2);
        auto childShot = Shot(child->Handle());
        RECT cr;
        GetClientRect(child->Handle(), &cr);
        const int x0 = csp->OffsetX(), y0 = csp->OffsetY();
        int framePixels = 0;
        for (int y = y0; y < y0 + cr.bottom; ++y)
            for (int x = x0; x < x0 + cr.right; ++x)
                framePixels += GetPixel(childShot->Canvas()->Handle(), x, y) == border;
        EXPECT_EQ(framePixels, 0);
    }
    const TMDIState ms = MDIStateOf(sp);
    EXPECT_TRUE(ms.Active);
    EXPECT_TRUE(ms.ChildEnabledMin);
    EXPECT_TRUE(ms.ChildEnabledRestore);
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(cache, nullptr);
    const fw::TRect all = MDIButtonsRect(b);
    int wrong = 0, drawn = 0;
    for (int y = all.Top; y < all.Bottom; ++y)
        for (int x = all.Left; x < all.Right; ++x) {
            const COLORREF onWindow = GetPixel(shot->Canvas()->Handle(), x, y);
            wrong += onWindow != GetPixel(cache->Canvas()->Handle(), x, y);
            // The line as it was under the buttons.
            drawn += onWindow != GetPixel(sp->MDIButtonsBG->Canvas()->Handle(), x - all.Left, y - all.Top);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(drawn, 24);  // three keyed glyphs

    // Hit codes on the buttons, the menu between them.
    EXPECT_EQ(HitAt(h, Centre(b.Close.Rect)), HTMDICLOSE);
    EXPECT_EQ(HitAt(h, Centre(b.Max.Rect)), HTMDIMAX);
    EXPECT_EQ(HitAt(h, Centre(b.Min.Rect)), HTMDIMIN);
    EXPECT_EQ(HitAt(h, fw::TPoint(b.Max.Rect.Right, b.Max.Rect.Top + 2)), HTMENU);
    // The hot close button is drawn on the window in its hot look (the
    // cursor is there, so the frame hears of no leaving meanwhile).
    const LPARAM onClose = ScreenAt(h, Centre(b.Close.Rect));
    SetCursorPos(short(LOWORD(onClose)), short(HIWORD(onClose)));
    HitAt(h, Centre(b.Close.Rect));
    Pump(30);
    EXPECT_EQ(b.Close.State, 1);
    auto hot = Shot(h, L"skinned-mdi-close-hot");
    int changed = 0;
    for (int y = b.Close.Rect.Top; y < b.Close.Rect.Bottom; ++y)
        for (int x = b.Close.Rect.Left; x < b.Close.Rect.Right; ++x)
            changed += GetPixel(hot->Canvas()->Handle(), x, y) != GetPixel(shot->Canvas()->Handle(), x, y);
    EXPECT_GT(changed, 0);
    // A release away from a press runs nothing.
    SendMessageW(h, WM_NCLBUTTONUP, HTMDICLOSE, ScreenAt(h, Centre(b.Close.Rect)));
    Pump(60);
    EXPECT_EQ(form->MDIChildCount(), 1);

    // Restore: the child is no longer maximised and the buttons go.
    const fw::TRect restore = b.Max.Rect;
    ClickAt(h, Centre(restore));
    EXPECT_FALSE(Maximized(form.get()));
    EXPECT_EQ(form->MDIChildCount(), 1);
    EXPECT_FALSE(sp->MDIButtonsShown);
    EXPECT_TRUE(b.Max.Rect.IsEmpty());
    EXPECT_NE(HitAt(h, Centre(restore)), HTMDIMAX);

    // Close: maximised again, a click on close closes the child.
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(150);
    ASSERT_TRUE(sp->MDIButtonsShown);
    ClickAt(h, Centre(sp->MDIButtons.Close.Rect));
    Pump(150);
    EXPECT_EQ(form->MDIChildCount(), 0);
    EXPECT_FALSE(sp->MDIButtonsShown);
    // The menu line on the window lost the buttons.
    auto after = Shot(h, L"skinned-mdi-child-closed");
    int left = 0;
    for (int y = all.Top; y < all.Bottom; ++y)
        for (int x = all.Left; x < all.Right; ++x)
            left += GetPixel(after->Canvas()->Handle(), x, y) != GetPixel(shot->Canvas()->Handle(), x, y);
    EXPECT_GT(left, 0);
}

TEST(MDIForm, RemovingTheSkinDropsTheClientWrapper) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = MDIParent();
    const HWND client = form->ClientHandle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    ASSERT_NE(sp->MDIForm, nullptr);
    ASSERT_NE(sp->MDIForm->ListSW, nullptr);
    const LONG_PTR wrapped = GetWindowLongPtrW(client, GWLP_WNDPROC);

    skin.sm->SetActive(false);
    Pump(60);
    EXPECT_EQ(sp->MDIForm, nullptr);
    EXPECT_NE(GetWindowLongPtrW(client, GWLP_WNDPROC), wrapped);
    EXPECT_EQ(SendMessageW(client, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0), 0);

    // A skin again: a companion and a wrapper again.
    skin.sm->SetActive(true);
    Pump(60);
    ASSERT_NE(sp->MDIForm, nullptr);
    EXPECT_NE(sp->MDIForm->ListSW, nullptr);
    EXPECT_EQ(sp->MDIForm->ListSW->CtrlHandle, client);
}
