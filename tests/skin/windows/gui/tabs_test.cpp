// Tab controls on real windows, from the default skin: tabs on each side,
// the active one open toward its page and drawn over the page's edge, the
// others in their normal look; button tabs from the button section; a
// control without tabs showing its parent; side tabs' text turned; the
// strip's up-down wrapped once and kept; a framework page control whose
// page shows the control's page colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/windows/ComCtrls.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acTabWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

HWND TabControl(HWND Parent, DWORD Style, int X, int Y, int W, int H, std::initializer_list<const wchar_t*> Tabs,
                int Current) {
    HWND h = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | Style, X, Y, W, H,
                             Parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    int i = 0;
    for (const wchar_t* t : Tabs) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(t);
        SendMessageW(h, TCM_INSERTITEMW, i++, LPARAM(&item));
    }
    SendMessageW(h, TCM_SETCURSEL, Current, 0);
    return h;
}

}  // namespace

TEST(TabWnd, SidesStatesButtonsNoTabsUpDownAndPages) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(660, 440, kHost);

    struct Side {
        const char* what;
        DWORD style;
        TacTabSide side;
        const wchar_t* image;  // the tab section
        RECT at;
    };
    const Side sides[] = {
        {"top", 0, tsTop, L"TABTOP", {10, 10, 310, 130}},
        {"bottom", TCS_BOTTOM, tsBottom, L"TABBOTTOM", {330, 10, 630, 130}},
        {"left", TCS_VERTICAL | TCS_MULTILINE, tsLeft, L"TABLEFT", {10, 150, 230, 290}},
        {"right", TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, tsRight, L"TABRIGHT", {250, 150, 470, 290}},
    };
    std::vector<HWND> tabs;
    std::vector<TacTabControlWnd*> wraps;
    for (const Side& s : sides) {
        tabs.push_back(TabControl(host.handle, s.style, s.at.left, s.at.top, s.at.right - s.at.left,
                                  s.at.bottom - s.at.top, {L"Book", L"Notes", L"Sound"}, 1));
        auto* w = dynamic_cast<TacTabControlWnd*>(CreateTabWnd(tabs.back(), nullptr, M));
        ASSERT_NE(w, nullptr) << s.what;
        EXPECT_EQ(w->TabPosition(), s.side) << s.what;
        wraps.push_back(w);
    }
    HWND buttons = TabControl(host.handle, TCS_BUTTONS, 490, 150, 160, 60, {L"One", L"Two"}, 0);
    auto* bw = dynamic_cast<TacTabControlWnd*>(CreateTabWnd(buttons, nullptr, M));
    HWND empty = TabControl(host.handle, 0, 490, 220, 160, 60, {}, -1);
    auto* ew = dynamic_cast<TacTabControlWnd*>(CreateTabWnd(empty, nullptr, M));
    // More tabs than fit: the control shows an up-down on the strip.
    HWND many = TabControl(host.handle, 0, 10, 310, 240, 60,
                           {L"January", L"February", L"March", L"April", L"May", L"June", L"July"}, 0);
    auto* mw = dynamic_cast<TacTabControlWnd*>(CreateTabWnd(many, nullptr, M));
    ASSERT_TRUE(bw && ew && mw);

    // A framework page control: its pages get page wrappers.
    fw::TPageControl pages(nullptr);
    pages.SetParentWindow(host.handle);
    pages.SetBounds(270, 310, 380, 120);
    fw::TTabSheet first(nullptr), second(nullptr);
    first.SetCaption(L"Reading");
    second.SetCaption(L"Recording");
    first.SetPageControl(&pages);
    second.SetPageControl(&pages);
    pages.SetActivePage(&second);
    pages.SetVisible(true);
    TsCommonData pageData(&pages, true);
    pageData.SetSkinManager(M);
    auto* pw = dynamic_cast<TacPageControlWnd*>(CreateTabWnd(pages.Handle(), &pageData, M));
    ASSERT_NE(pw, nullptr);

    Repaint(host.handle);
    TacSpinWnd* spin = mw->BtnSW;
    Repaint(host.handle);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-tabs.bmp");

    const COLORREF paper = Rgb(M->gd[size_t(M->GetSkinIndex(L"PAGECONTROL"))].Color);
    const COLORREF line = TopEdge(M, L"PAGECONTROL", 0);
    for (size_t k = 0; k < std::size(sides); ++k) {
        const Side& s = sides[k];
        TacTabControlWnd* w = wraps[k];
        const RECT at = InHost(tabs[k], host.handle);
        auto px = [&](int x, int y) { return PixelAt(*shot, at.left + x, at.top + y); };
        const int mask = M->GetMaskIndex(M->GetSkinIndex(s.image), s.image, L"BORDERSMASK");
        ASSERT_GE(mask, 0) << s.what;
        const TsMaskData& m = M->ma[size_t(mask)];
        const int iw = WidthOfImage(m), ih = HeightOfImage(m);
        // The inactive tab beside the page: side tabs wrap into two rows here.
        const fw::TRect A = w->SkinTabRect(1, true), I = w->SkinTabRect(2, false), P = w->PageRect();
        ASSERT_GT(A.Width(), 0) << s.what;
        // The page: its colour inside, its line on the tabs' side away from
        // the active tab.
        EXPECT_EQ(px((P.Left + P.Right) / 2, (P.Top + P.Bottom) / 2), paper) << s.what;
        const bool across = s.side == tsTop || s.side == tsBottom;
        // Centres of the tabs, and a point on the page's edge beside the
        // inactive tab and under the active one.
        const int ax = (A.Left + A.Right) / 2, ay = (A.Top + A.Bottom) / 2;
        const int ix = (I.Left + I.Right) / 2, iy = (I.Top + I.Bottom) / 2;
        int edgeI = 0, edgeA = 0;
        switch (s.side) {
            case tsTop:
                EXPECT_EQ(px(ix, P.Top), line) << s.what << ": the page's edge by an inactive tab";
                EXPECT_EQ(px(ax, P.Top), paper) << s.what << ": the active tab open to the page";
                edgeI = px(ix, I.Top), edgeA = px(ax, A.Top);
                break;
            case tsBottom:
                EXPECT_EQ(px(ix, P.Bottom - 1), line) << s.what;
                EXPECT_EQ(px(ax, P.Bottom - 1), paper) << s.what;
                edgeI = px(ix, I.Bottom - 1), edgeA = px(ax, A.Bottom - 1);
                break;
            case tsLeft:
                EXPECT_EQ(px(P.Left, iy), line) << s.what;
                EXPECT_EQ(px(P.Left, ay), paper) << s.what;
                edgeI = px(I.Left, iy), edgeA = px(A.Left, ay);
                break;
            case tsRight:
                EXPECT_EQ(px(P.Right - 1, iy), line) << s.what;
                EXPECT_EQ(px(P.Right - 1, ay), paper) << s.what;
                edgeI = px(I.Right - 1, iy), edgeA = px(A.Right - 1, ay);
                break;
        }
        // The outer edge of each tab is its image's outline; the active
        // tab's face is the page's, the others' their own.
        const COLORREF outline2 = across ? SkinPixel(M, mask, 2, iw / 2, s.side == tsTop ? 0 : ih - 1)
                                         : SkinPixel(M, mask, 2, s.side == tsLeft ? 0 : iw - 1, ih / 2);
        const COLORREF outline0 = across ? SkinPixel(M, mask, 0, iw / 2, s.side == tsTop ? 0 : ih - 1)
                                         : SkinPixel(M, mask, 0, s.side == tsLeft ? 0 : iw - 1, ih / 2);
        EXPECT_EQ(COLORREF(edgeA), outline2) << s.what << " active outline";
        EXPECT_EQ(COLORREF(edgeI), outline0) << s.what << " inactive outline";
        // Faces away from the text: near the outer edge.
        const int faceA = across ? px(A.Left + 4, s.side == tsTop ? A.Top + 3 : A.Bottom - 4)
                                 : px(s.side == tsLeft ? A.Left + 3 : A.Right - 4, A.Top + 4);
        const int faceI = across ? px(I.Left + 4, s.side == tsTop ? I.Top + 3 : I.Bottom - 4)
                                 : px(s.side == tsLeft ? I.Left + 3 : I.Right - 4, I.Top + 4);
        EXPECT_TRUE(Near(COLORREF(faceA), SkinPixel(M, mask, 2, iw / 2, ih / 2), 6))
            << s.what << std::hex << " active face " << faceA;
        EXPECT_FALSE(Near(COLORREF(faceI), paper, 6)) << s.what << std::hex << " inactive face " << faceI;
        // The caption runs along the tab: turned on side tabs.
        const RECT ink = DarkBox(
            *shot, {at.left + A.Left + 2, at.top + A.Top + 2, at.left + A.Right - 2, at.top + A.Bottom - 2}, 330);
        ASSERT_LT(ink.left, ink.right) << s.what;
        if (across)
            EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top) << s.what;
        else
            EXPECT_LT(ink.right - ink.left, ink.bottom - ink.top) << s.what;
    }

    // Button tabs: the button section, pressed for the selected one.
    {
        const RECT at = InHost(buttons, host.handle);
        const fw::TRect a = bw->SkinTabRect(0, true), b = bw->SkinTabRect(1, false);
        EXPECT_EQ(a, bw->TabRect(0)) << "buttons keep their rectangles";
        EXPECT_EQ(PixelAt(*shot, at.left + (a.Left + a.Right) / 2, at.top + a.Top), TopEdge(M, L"BUTTON", 2));
        EXPECT_EQ(PixelAt(*shot, at.left + (b.Left + b.Right) / 2, at.top + b.Top), TopEdge(M, L"BUTTON", 0));
    }
    // No tabs: the see-through section shows what the parent answers.
    {
        const RECT at = InHost(empty, host.handle);
        EXPECT_EQ(ew->SkinData->SkinIndex, M->GetSkinIndex(L"CHECKBOX"));
        EXPECT_EQ(PixelAt(*shot, (at.left + at.right) / 2, (at.top + at.bottom) / 2),
                  Rgb(GetParentCacheHwnd(empty).FillColor));
    }
    // The up-down: wrapped once, the same wrapper through repaints.
    {
        HWND ud = FindWindowExW(many, nullptr, L"msctls_updown32", nullptr);
        ASSERT_NE(ud, nullptr) << "seven tabs do not fit";
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->CtrlHandle, ud);
        EXPECT_EQ(spin->SkinData->SkinSection(), L"UPDOWNBTN");
        EXPECT_EQ(mw->BtnSW, spin);
        EXPECT_EQ(WrapperOf(ud), static_cast<TacMainWnd*>(spin));
    }
    // The page control: a page wrapper on each page, the shown one filled
    // with the control's page colour.
    {
        int wrapped = 0;
        for (TacPageWnd* p : acPageWrappers())
            wrapped += p->CtrlHandle == first.Handle() || p->CtrlHandle == second.Handle();
        EXPECT_EQ(wrapped, 2);
        EXPECT_EQ(SendMessageW(second.Handle(), SM_ALPHACMD, WPARAM(smcIsHandled) << 16, 0), 1);
        const RECT at = InHost(second.Handle(), host.handle);
        EXPECT_EQ(PixelAt(*shot, (at.left + at.right) / 2, (at.top + at.bottom) / 2), paper);
    }

    delete pw;
    delete mw;
    delete ew;
    delete bw;
    for (TacTabControlWnd* w : wraps) delete w;
}
