// A skinned MDI parent: its client is wrapped by its companion while a skin
// is on and given back when the skin goes; a maximised child's minimise,
// restore and close buttons are drawn in the parent's menu line, answer hit
// tests there and run their commands on the child.
#include <gtest/gtest.h>

#include <memory>

#include "../FrameFixtures.h"
#include "MDIKit.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinImages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMDIWnd.h"

using namespace skin;
using namespace formstest;

namespace {

void ClickAt(HWND h, fw::TPoint P) {
    const LPARAM at = ScreenAt(h, P);
    const WPARAM code = WPARAM(SendMessageW(h, WM_NCHITTEST, 0, at));
    SendMessageW(h, WM_NCLBUTTONDOWN, code, at);
    SendMessageW(h, WM_NCLBUTTONUP, WPARAM(SendMessageW(h, WM_NCHITTEST, 0, at)), at);
    Pump(120);
}

}  // namespace

TEST(MDIForm, MaximisedChildButtonsInTheMenuLineRestoreAndClose) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    ASSERT_NE(sp->MDIForm, nullptr);
    EXPECT_NE(sp->MDIForm->ListSW, nullptr);
    EXPECT_EQ(MDISkinProvider, sp);

    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Child one", &closer, fw::TRect(10, 10, 210, 150));
    ASSERT_NE(ProviderOf(child), nullptr);
    EXPECT_FALSE(sp->MDIButtonsShown);
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(150);
    ASSERT_TRUE(ChildMaximized(form.get()));
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
    // The hot close button is drawn on the window in its hot look at once,
    // before the message loop could hear of the mouse leaving (the cursor
    // is there too).
    const LPARAM onClose = ScreenAt(h, Centre(b.Close.Rect));
    SetCursorPos(short(LOWORD(onClose)), short(HIWORD(onClose)));
    HitAt(h, Centre(b.Close.Rect));
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
    EXPECT_FALSE(ChildMaximized(form.get()));
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
    auto form = ShownMDIParent();
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

// With the skin's extended borders the image is the border window's: the
// buttons are drawn where the menu line lies in it, shown on the parent's own
// window (the border window has a hole over the line) and hit there.
TEST(MDIForm, MaximisedChildButtonsInTheExtendedFrame) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    InstallFormSkinning();
    auto form = ShownMDIParent();
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    ASSERT_NE(sp->BorderForm, nullptr);
    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Child", &closer, fw::TRect(10, 10, 210, 150));
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(150);
    ASSERT_TRUE(sp->MDIButtonsShown);

    const fw::TPoint o = sp->FormInImage();
    ASSERT_NE(o, fw::TPoint(0, 0));
    // The client's wall lies in the border window's image where the client
    // lies in the form's window, moved by the form's place in the image.
    ASSERT_NE(sp->MDIForm, nullptr);
    ASSERT_NE(sp->MDIForm->ListSW, nullptr);
    RECT fr, cr;
    GetWindowRect(h, &fr);
    GetWindowRect(form->ClientHandle(), &cr);
    EXPECT_EQ(sp->MDIForm->ListSW->PlaceInForm().TopLeft(), fw::TPoint(cr.left - fr.left + o.X, cr.top - fr.top + o.Y));
    fw::TRect band = sp->MenuLineBand();
    fw::OffsetRect(band, -o.X, -o.Y);
    const TMDIButtons& b = sp->MDIButtons;
    for (const TsCaptionButton* btn : {&b.Min, &b.Max, &b.Close}) {
        EXPECT_GE(btn->Rect.Top, band.Top);
        EXPECT_LE(btn->Rect.Bottom, band.Bottom);
        EXPECT_GE(btn->Rect.Left, band.Left);
        EXPECT_LE(btn->Rect.Right, band.Right);
    }
    auto shot = Shot(h, L"skinned-mdi-extended-frame");
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    const fw::TRect all = MDIButtonsRect(b);
    int wrong = 0, drawn = 0;
    for (int y = all.Top; y < all.Bottom; ++y)
        for (int x = all.Left; x < all.Right; ++x) {
            const COLORREF onWindow = GetPixel(shot->Canvas()->Handle(), x, y);
            wrong += onWindow != (GetPixel(cache->Canvas()->Handle(), x + o.X, y + o.Y) & 0xFFFFFF);
            drawn += onWindow != GetPixel(sp->MDIButtonsBG->Canvas()->Handle(), x - all.Left, y - all.Top);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(drawn, 24);
    EXPECT_EQ(HitAt(h, Centre(b.Close.Rect)), HTMDICLOSE);

    // One button repainted alone lands where the line shows it.
    SendMessageW(h, WM_NCHITTEST, 0, ScreenAt(h, Centre(b.Close.Rect)));
    auto hot = Shot(h);
    wrong = 0;
    for (int y = b.Close.Rect.Top; y < b.Close.Rect.Bottom; ++y)
        for (int x = b.Close.Rect.Left; x < b.Close.Rect.Right; ++x)
            wrong += GetPixel(hot->Canvas()->Handle(), x, y) !=
                     (GetPixel(cache->Canvas()->Handle(), x + o.X, y + o.Y) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);
    SendMessageW(child->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(100);
}

// A maximised child's buttons in the parent's menu line are repainted
// directly, never faded: while glowing is allowed and the skin gives a
// button a glow size, the hot button gets the skin's glow window around it,
// which goes when the button stops being hot, the form moves or hides, or
// the skin goes.
TEST(MDIForm, AHotChildButtonGlowsWhileGlowingIsAllowed) {
    LoadedSkin skin(L"test", L"T1");
    TsSkinManager* m = skin.sm.get();
    ASSERT_TRUE(m->AllowGlowing());
    // T1 has a glow image for the big close button only: the small close
    // image's glow is that one under the small image's name.
    const int glowImage = m->GetMaskIndex(m->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"BICONCLOSEGLOW0");
    ASSERT_TRUE(m->IsValidImgIndex(glowImage));
    m->ma[size_t(glowImage)].PropertyName = L"SICONCLOSEGLOW0";
    m->SkinData->BICloseGlow = 6;
    m->SkinData->BICloseGlowMargin = 2;
    InstallFormSkinning();
    auto form = ShownMDIParent();
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Child", &closer, fw::TRect(10, 10, 210, 150));
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(150);
    ASSERT_TRUE(sp->MDIButtonsShown);
    TsCaptionButton& close = sp->MDIButtons.Close;
    TsCaptionButton& restore = sp->MDIButtons.Max;
    ASSERT_EQ(m->ma[size_t(close.ImageIndex)].PropertyName, L"SICONCLOSE");

    auto shown = [](int id) {
        return id >= 0 && id < int(acgEffects.size()) && acgEffects[size_t(id)] && acgEffects[size_t(id)]->Wnd &&
               IsWindowVisible(acgEffects[size_t(id)]->Wnd->Handle());
    };
    // The hit test carries the point; the cursor stands there too, so the
    // frame hears of no leaving meanwhile.
    auto hover = [&](const fw::TRect& r) {
        const LPARAM at = ScreenAt(h, Centre(r));
        SetCursorPos(short(LOWORD(at)), short(HIWORD(at)));
        return HitAt(h, Centre(r));
    };

    EXPECT_EQ(hover(close.Rect), HTMDICLOSE);
    ASSERT_EQ(close.State, 1);
    ASSERT_TRUE(shown(close.GlowID));
    // Around the button on the screen, reaching the glow image's border
    // widths less the margin under its edges; the mouse passes through it.
    {
        const HWND glow = acgEffects[size_t(close.GlowID)]->Wnd->Handle();
        RECT wr, gr;
        GetWindowRect(h, &wr);
        GetWindowRect(glow, &gr);
        const int l = MaskWidthLeft(m->ma, glowImage), t = MaskWidthTop(m->ma, glowImage);
        const int r = MaskWidthRight(m->ma, glowImage), b = MaskWidthBottom(m->ma, glowImage);
        EXPECT_EQ(gr.left, wr.left + close.Rect.Left + 2 - l);
        EXPECT_EQ(gr.top, wr.top + close.Rect.Top + 2 - t);
        EXPECT_EQ(gr.right - gr.left, close.Rect.Width() + l + r - 4);
        EXPECT_EQ(gr.bottom - gr.top, close.Rect.Height() + t + b - 4);
        EXPECT_TRUE(GetWindowLongW(glow, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
        EXPECT_EQ(SendMessageW(glow, WM_NCHITTEST, 0, MAKELPARAM(gr.left + 1, gr.top + 1)), HTTRANSPARENT);
        // The screen around the button, glow and all.
        const int x0 = wr.left + close.Rect.Left - 30, y0 = wr.top + close.Rect.Top - 20;
        fw::TBitmap screen(60 + close.Rect.Width(), 40 + close.Rect.Height(), fw::pf24bit);
        HDC sdc = GetDC(nullptr);
        BitBlt(screen.Canvas()->Handle(), 0, 0, screen.Width(), screen.Height(), sdc, x0, y0, SRCCOPY);
        ReleaseDC(nullptr, sdc);
        CreateDirectoryW(L"..\\screenshots", nullptr);
        screen.SaveToFile(L"..\\screenshots\\skinned-mdi-close-glow.bmp");
    }
    // The restore button has no glow size: hot without a glow; the close
    // button's glow went with its hot state.
    const int first = close.GlowID;
    EXPECT_EQ(hover(restore.Rect), HTMDIMAX);
    EXPECT_EQ(close.GlowID, -1);
    EXPECT_FALSE(shown(first));
    EXPECT_EQ(restore.GlowID, -1);
    // Pressed is not hot.
    EXPECT_EQ(hover(close.Rect), HTMDICLOSE);
    ASSERT_TRUE(shown(close.GlowID));
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMDICLOSE, ScreenAt(h, Centre(close.Rect)));
    EXPECT_EQ(close.State, 2);
    EXPECT_EQ(close.GlowID, -1);
    SendMessageW(h, WM_NCLBUTTONUP, HTMENU, ScreenAt(h, fw::TPoint(2, 2)));
    Pump(30);

    // What takes the glow away from a hot button.
    struct Case {
        const char* what;
        void (*act)(fw::TForm*, LoadedSkin&);
    };
    const Case cases[] = {
        {"the form moves",
         [](fw::TForm* f, LoadedSkin&) {
             SetWindowPos(f->Handle(), nullptr, f->Left() + 7, f->Top() + 5, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
         }},
        {"the form hides", [](fw::TForm* f, LoadedSkin&) { f->Hide(); }},
        {"the skin goes", [](fw::TForm*, LoadedSkin& s) { s.sm->SetActive(false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!form->Visible()) {
            form->Show();
            Pump(100);
        }
        ASSERT_TRUE(sp->MDIButtonsShown);
        SendMessageW(h, WM_NCHITTEST, 0, ScreenAt(h, fw::TPoint(2, 2)));  // nothing hot
        EXPECT_EQ(hover(close.Rect), HTMDICLOSE);
        const int id = close.GlowID;
        ASSERT_TRUE(shown(id));
        c.act(form.get(), skin);
        Pump(60);
        EXPECT_EQ(close.GlowID, -1);
        EXPECT_FALSE(shown(id));
    }

    // Without a glow size, or with glowing switched off, no glow.
    m->SetActive(true);
    Pump(100);
    ASSERT_TRUE(sp->MDIButtonsShown);
    for (const bool allowed : {true, false}) {
        SCOPED_TRACE(allowed ? "no glow size" : "glowing off");
        m->SkinData->BICloseGlow = allowed ? 0 : 6;
        m->SetAllowGlowing(allowed);
        SendMessageW(h, WM_NCHITTEST, 0, ScreenAt(h, fw::TPoint(2, 2)));
        EXPECT_EQ(hover(sp->MDIButtons.Close.Rect), HTMDICLOSE);
        EXPECT_EQ(sp->MDIButtons.Close.State, 1);
        EXPECT_EQ(sp->MDIButtons.Close.GlowID, -1);
    }
    m->SetAllowGlowing(true);
    ClickAt(h, Centre(sp->MDIButtons.Close.Rect));
    EXPECT_EQ(form->MDIChildCount(), 0);
}
