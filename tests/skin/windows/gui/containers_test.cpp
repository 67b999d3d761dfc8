// Container and small windows on a dialog-like form, from the default skin:
// framework panels by their bevels, a panel met in a dialog, a child dialog
// pane showing its parent, a size grip and an up-down whose halves light
// and press under the cursor and that is wrapped again only when it is
// another live window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/windows/Application.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

const COLORREF kForm = RGB(236, 233, 216);

struct Free {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};

RECT InForm(HWND h, HWND Form) {
    RECT r;
    GetWindowRect(h, &r);
    return RectInHost(h, r, Form);
}

std::unique_ptr<fw::TBitmap> GrabForm(HWND Form) {
    RedrawWindow(Form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
    RECT wr;
    GetWindowRect(Form, &wr);
    auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetWindowDC(Form);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Form, dc);
    return shot;
}

// Pixels of mask image Index (state 0) at At of Shot that differ from the
// image, the key colour skipped; Drawn counts the compared ones.
int GlyphMismatches(TsSkinManager* M, int Index, fw::TBitmap& Shot, POINT At, int& Drawn) {
    const TsMaskData& m = M->ma[size_t(Index)];
    int wrong = 0;
    Drawn = 0;
    for (int y = 0; y < HeightOfImage(m); ++y)
        for (int x = 0; x < WidthOfImage(m); ++x) {
            const COLORREF want = SkinPixel(M, Index, 0, x, y);
            if (want == RGB(255, 0, 255)) continue;
            ++Drawn;
            wrong += PixelAt(Shot, At.x + x, At.y + y) != want;
        }
    return wrong;
}

// The cursor put at (X, Y) and waited for: the warp reaches the display later.
bool MoveCursor(int X, int Y) {
    SetCursorPos(X, Y);
    for (int i = 0; i < 50; ++i) {
        POINT p{};
        GetCursorPos(&p);
        if (p.x == X && p.y == Y) return true;
        Pump(10);
    }
    return false;
}

INT_PTR CALLBACK PaneProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A child dialog (class #32770) from a template in memory.
HWND ChildDialog(HWND Parent, int X, int Y) {
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    tpl.t.cx = 60;
    tpl.t.cy = 30;
    HWND h = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.t, Parent, PaneProc, 0);
    SetWindowPos(h, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return h;
}

HWND Child(const wchar_t* Class, DWORD Style, HWND Parent, int X, int Y, int W, int H) {
    return CreateWindowExW(0, Class, L"", WS_CHILD | WS_VISIBLE | Style, X, Y, W, H, Parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(ContainerWnd, PanelsPaneGripAndSpinOnADialog) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    InitCommonControls();
    std::unique_ptr<fw::TForm, Free> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetBorderStyle(fw::bsNone);
    form->SetColor(fw::TColor(kForm));
    const DWORD pid = GetCurrentProcessId();
    form->SetBounds(20 + int(pid * 37 % 400), 20 + int(pid * 53 % 300), 440, 250);
    form->Show();
    const HWND fh = form->Handle();

    // Framework panels: the section follows the bevels.
    struct Row {
        const char* what;
        fw::TBevelCut outer, inner;
        const wchar_t* section;
        bool seeThrough;  // the default skin's group box and check box show their parent
    };
    const Row rows[] = {{"raised", fw::bvRaised, fw::bvNone, L"PANEL", false},
                        {"lowered", fw::bvLowered, fw::bvNone, L"PANEL_LOW", false},
                        {"lowered, raised inside", fw::bvLowered, fw::bvRaised, L"GROUPBOX", true},
                        {"no bevel", fw::bvNone, fw::bvNone, L"CHECKBOX", true}};
    std::vector<fw::TPanel*> panels;
    std::vector<std::unique_ptr<TsCommonData>> data;
    std::vector<TacMainWnd*> wraps;
    for (size_t i = 0; i < std::size(rows); ++i) {
        auto* p = new fw::TPanel(form.get());
        p->AfterConstruction();
        p->SetBevelOuter(rows[i].outer);
        p->SetBevelInner(rows[i].inner);
        p->SetCaption(L"Panel");
        p->SetBounds(10 + int(i) * 105, 10, 95, 60);
        p->SetParent(form.get());
        panels.push_back(p);
        data.push_back(std::make_unique<TsCommonData>(p, true));
        data.back()->SetSkinManager(M);
        wraps.push_back(CreatePanelWnd(p->Handle(), data.back().get(), M));
        EXPECT_EQ(data.back()->SkinSection(), rows[i].section) << rows[i].what;
    }
    // A panel met inside a system dialog: a plain TPanel takes the skin's
    // global colour and the see-through section.
    auto* dlgPanel = new fw::TPanel(form.get());
    dlgPanel->AfterConstruction();
    dlgPanel->SetColor(fw::clRed);
    dlgPanel->SetBounds(10, 90, 150, 60);
    dlgPanel->SetParent(form.get());
    auto* dp = static_cast<TacDlgPanelWnd*>(CreateDlgPanelWnd(dlgPanel->Handle(), nullptr, M));
    wraps.push_back(dp);
    EXPECT_EQ(dp->Panel, dlgPanel);
    EXPECT_EQ(dp->SkinData->SkinSection(), L"CHECKBOX");
    EXPECT_EQ(dlgPanel->Color(), M->GetGlobalColor());

    HWND pane = ChildDialog(fh, 180, 90);
    ASSERT_NE(pane, nullptr);
    wraps.push_back(CreateTransPanelWnd(pane, nullptr, M));
    HWND grip = Child(L"SCROLLBAR", SBS_SIZEGRIP, fh, 440 - 17, 250 - 17, 17, 17);
    wraps.push_back(CreateSizerWnd(grip, nullptr, M));
    HWND ud = Child(UPDOWN_CLASSW, 0, fh, 300, 100, 17, 15);
    TacSpinWnd* spin = nullptr;
    KeepSpinWnd(spin, ud, M, L"SPEEDBUTTON_SMALL", 2);
    ASSERT_NE(spin, nullptr);

    MoveCursor(0, 0);
    auto shot = GrabForm(fh);
    SaveScreenshot(*shot, L"skin-windows-containers.bmp");

    for (size_t i = 0; i < std::size(rows); ++i) {
        const RECT at = InForm(panels[i]->Handle(), fh);
        const int idx = M->GetSkinIndex(rows[i].section);
        ASSERT_GE(idx, 0);
        // Inside, away from the caption: the section's colour, or the
        // form's background through the see-through one.
        const COLORREF inside = PixelAt(*shot, at.left + 8, at.top + 8);
        const COLORREF want =
            rows[i].seeThrough ? Rgb(GetParentCache(data[i].get()).FillColor) : Rgb(M->gd[size_t(idx)].Color);
        EXPECT_TRUE(Near(inside, want)) << rows[i].what << " " << std::hex << inside << " " << want;
        if (M->GetMaskIndex(idx, rows[i].section, L"BORDERSMASK") >= 0) {
            EXPECT_EQ(PixelAt(*shot, (at.left + at.right) / 2, at.top), TopEdge(M, rows[i].section, 0)) << rows[i].what;
        }
        // The caption centred both ways (the ink of the text, not its cell:
        // a few pixels of bearing either side).
        const RECT text = DarkBox(*shot, {at.left + 3, at.top + 3, at.right - 3, at.bottom - 3}, 300);
        ASSERT_LT(text.left, text.right) << rows[i].what;
        EXPECT_LE(abs((text.left - at.left) - (at.right - text.right)), 7) << rows[i].what;
        EXPECT_LE(abs((text.top - at.top) - (at.bottom - text.bottom)), 3) << rows[i].what;
    }

    // The dialog's panel and the pane: what lies behind them.
    const RECT da = InForm(dlgPanel->Handle(), fh);
    EXPECT_NE(PixelAt(*shot, (da.left + da.right) / 2, (da.top + da.bottom) / 2), RGB(255, 0, 0));
    const RECT pa = InForm(pane, fh);
    EXPECT_TRUE(Near(PixelAt(*shot, (pa.left + pa.right) / 2, (pa.top + pa.bottom) / 2),
                     Rgb(GetParentCacheHwnd(pane).FillColor)));

    // The grip image at the bottom-right corner; a hit test answers the
    // corner even while the grip is disabled.
    const int gi = M->GetMaskIndex(M->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"GRIPIMAGE");
    ASSERT_GE(gi, 0);
    const RECT ga = InForm(grip, fh);
    const fw::TPoint gp = GripPlace({ga.right - ga.left, ga.bottom - ga.top},
                                    {WidthOfImage(M->ma[size_t(gi)]), HeightOfImage(M->ma[size_t(gi)])});
    int drawn = 0;
    EXPECT_EQ(GlyphMismatches(M, gi, *shot, {ga.left + gp.X, ga.top + gp.Y}, drawn), 0);
    EXPECT_GT(drawn, 10);
    EnableWindow(grip, FALSE);
    EXPECT_EQ(SendMessageW(grip, WM_NCHITTEST, 0, MAKELPARAM(ga.left + 2, ga.top + 2)), HTBOTTOMRIGHT);

    // The up-down: two halves sharing row 7, the arrows centred in them.
    const RECT ua = InForm(ud, fh);
    const int mid = (ua.left + 2 + ua.right) / 2;
    auto edges = [&](fw::TBitmap& s, int First, int Second) {
        EXPECT_EQ(PixelAt(s, mid, ua.top), TopEdge(M, L"SPEEDBUTTON_SMALL", First));
        EXPECT_EQ(PixelAt(s, mid, ua.top + 7), TopEdge(M, L"SPEEDBUTTON_SMALL", Second));
    };
    edges(*shot, 0, 0);
    fw::TRect r1, r2;
    SpinHalves({17, 15}, 2, true, r1, r2);
    for (int arrow : {int(M->ConstData.MaskArrowTop), int(M->ConstData.MaskArrowBottom)}) {
        ASSERT_GE(arrow, 0);
        const TsMaskData& m = M->ma[size_t(arrow)];
        const fw::TRect& R = arrow == M->ConstData.MaskArrowTop ? r1 : r2;
        const POINT at{ua.left + R.Left + (R.Width() - WidthOfImage(m)) / 2,
                       ua.top + R.Top + (R.Height() - HeightOfImage(m)) / 2};
        // (edge pixels of a masked arrow are blended with the half below)
        int n = 0;
        EXPECT_LE(GlyphMismatches(M, arrow, *shot, at, n) * 4, n);
        EXPECT_GT(n, 2);
    }
    // The lower half lights under the cursor and presses with the button.
    RECT us;
    GetWindowRect(ud, &us);
    ASSERT_TRUE(MoveCursor(us.left + 8, us.top + 12));
    SendMessageW(ud, WM_MOUSEMOVE, 0, MAKELPARAM(8, 12));
    // A busy machine delivers the warp's own mouse moves late: wait for the
    // look to settle before it is checked.
    auto settled = [&](int First, int Second) {
        for (int i = 0; i < 40; ++i) {
            Pump(25);
            auto s = GrabForm(fh);
            if (PixelAt(*s, mid, ua.top) == TopEdge(M, L"SPEEDBUTTON_SMALL", First) &&
                PixelAt(*s, mid, ua.top + 7) == TopEdge(M, L"SPEEDBUTTON_SMALL", Second))
                return s;
        }
        return GrabForm(fh);
    };
    auto hot = settled(0, 1);
    SaveScreenshot(*hot, L"skin-windows-containers-spin-hot.bmp");
    edges(*hot, 0, 1);
    SendMessageW(ud, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 12));
    HDC dc = GetWindowDC(fh);
    EXPECT_EQ(GetPixel(dc, mid, ua.top + 7), TopEdge(M, L"SPEEDBUTTON_SMALL", 2));
    ReleaseDC(fh, dc);
    SendMessageW(ud, WM_LBUTTONUP, 0, MAKELPARAM(8, 12));
    ASSERT_TRUE(MoveCursor(us.left + 8, us.top + 2));
    SendMessageW(ud, WM_MOUSEMOVE, 0, MAKELPARAM(8, 2));
    edges(*settled(1, 0), 1, 0);

    // Wrapped again only for another live window, the old wrapper gone first.
    const LONG_PTR udProc = GetClassLongPtrW(ud, GCLP_WNDPROC);
    TacSpinWnd* before = spin;
    EXPECT_EQ(KeepSpinWnd(spin, ud, M, L"UPDOWNBTN"), before);
    HWND ud2 = Child(UPDOWN_CLASSW, 0, fh, 330, 100, 17, 15);
    KeepSpinWnd(spin, ud2, M, L"UPDOWNBTN");
    EXPECT_EQ(WrapperOf(ud), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(ud, GWLP_WNDPROC), udProc);
    EXPECT_EQ(WrapperOf(ud2), spin);
    DestroyWindow(ud2);
    EXPECT_TRUE(spin->Destroyed);
    HWND ud3 = Child(UPDOWN_CLASSW, 0, fh, 330, 100, 17, 15);
    KeepSpinWnd(spin, ud3, M, L"UPDOWNBTN");
    EXPECT_EQ(WrapperOf(ud3), spin);
    EXPECT_EQ(spin->CtrlHandle, ud3);
    KeepSpinWnd(spin, nullptr, M, L"UPDOWNBTN");
    EXPECT_EQ(spin, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(ud3, GWLP_WNDPROC), udProc);

    // The dialog panel gives the colour back when the theme changes.
    SendMessageW(dlgPanel->Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(dlgPanel->Color(), fw::clBtnFace);

    M->SetActiveControl(nullptr);
    for (TacMainWnd* w : wraps) delete w;
    DestroyWindow(pane);
}
