// Edit-type wrappers on real windows: the frame of an edit from the skin
// (and the flat frame of a dialog's edit), WM_PRINT composing what the screen
// shows, and combo boxes: their button in each state, the glyph, the selected
// text on the highlight, one list wrapper and one brush over many drop-downs.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "common/GdiObjects.h"
#include "skin/windows/acComboWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

HWND Child(const wchar_t* Class, const wchar_t* Text, DWORD Style, DWORD ExStyle, HWND Parent, int X, int Y, int W,
           int H) {
    HWND h = CreateWindowExW(ExStyle, Class, Text, WS_CHILD | WS_VISIBLE | Style, X, Y, W, H, Parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return h;
}

}  // namespace

TEST(EditWnd, FrameFromTheSkinFlatInDialogsAndPrintedAsShown) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(340, 200, kHost);
    std::wstring text;
    for (int i = 0; i < 30; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    HWND e = Child(L"EDIT", text.c_str(), ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE, host.handle, 10, 10, 150, 110);
    auto* w = CreateWnd<TacEditWnd>(true, e, nullptr, M, fw::String());
    EXPECT_EQ(w->SkinData->SkinSection(), L"EDIT");
    acDlgMode = true;
    HWND d = Child(L"EDIT", L"dialog", 0, WS_EX_CLIENTEDGE, host.handle, 180, 10, 140, 30);
    auto* wd = CreateWnd<TacEditWnd>(true, d, nullptr, M, fw::String());
    acDlgMode = false;
    EXPECT_TRUE(wd->DlgMode);
    RedrawWindow(host.handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-edits.bmp");

    // The edit's frame: the section's border, state 0, on every side.
    const RECT r = InHost(e, host.handle);
    const COLORREF edge = TopEdge(M, L"EDIT", 0);
    EXPECT_EQ(PixelAt(*shot, (r.left + r.right) / 2, r.top), edge);
    EXPECT_EQ(PixelAt(*shot, r.left, (r.top + r.bottom) / 2), edge);
    EXPECT_EQ(PixelAt(*shot, (r.left + r.right) / 2, r.bottom - 1), edge);
    EXPECT_EQ(w->FrameWidth(), GetSystemMetrics(SM_CXEDGE));
    // A dialog's edit: the skin's border colour around the window colour.
    const RECT rd = InHost(d, host.handle);
    EXPECT_EQ(PixelAt(*shot, (rd.left + rd.right) / 2, rd.top), Rgb(M->SkinData->BorderColor));
    EXPECT_EQ(PixelAt(*shot, (rd.left + rd.right) / 2, rd.top + 1), Rgb(fw::clWindow));

    // WM_PRINT composes frame, bar and client as the screen shows them.
    const int W = r.right - r.left, H = r.bottom - r.top;
    fw::TBitmap printed(W, H, fw::pf24bit);
    PatBlt(printed.Canvas()->Handle(), 0, 0, W, H, BLACKNESS);
    SendMessageW(e, WM_PRINT, WPARAM(printed.Canvas()->Handle()), 0);
    int differ = 0, textPixels = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const COLORREF p = PixelAt(printed, x, y);
            differ += p != PixelAt(*shot, r.left + x, r.top + y);
            textPixels += p == Rgb(fw::clWindowText);
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(textPixels, 50);  // the client's lines are there
    SaveScreenshot(printed, L"skin-windows-edit-printed.bmp");

    DestroyWindow(e);
    DestroyWindow(d);
    EXPECT_TRUE(w->Destroyed);
    delete w;
    delete wd;
}

TEST(ComboBoxWnd, ButtonGlyphTextAndTheListOverManyDropDowns) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(360, 260, kHost);
    HWND c = Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, host.handle, 10, 10, 160, 200);
    for (const wchar_t* s : {L"first", L"second", L"third", L"fourth", L"fifth", L"sixth", L"seventh", L"eighth",
                             L"ninth", L"tenth", L"eleventh", L"twelfth"})
        SendMessageW(c, CB_ADDSTRING, 0, LPARAM(s));
    SendMessageW(c, CB_SETCURSEL, 1, 0);
    auto* w = CreateWnd<TacComboBoxWnd>(true, c, nullptr, M, fw::String(L"COMBOBOX"));
    RedrawWindow(host.handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);

    const int btn = M->ConstData.ComboBtnIndex;
    const int glyph = M->ConstData.ComboGlyph;
    ASSERT_GE(btn, 0);
    ASSERT_GE(glyph, 0);
    const int btnMask = M->GetMaskIndex(btn, L"COMBOBTN", L"BORDERSMASK");
    const RECT r = InHost(c, host.handle);
    const fw::TRect b = w->ButtonRect();
    const int H = r.bottom - r.top;
    const TsMaskData& g = M->ma[size_t(glyph)];
    const fw::TPoint gp(b.Left + (b.Width() - WidthOfImage(g)) / 2, (H - w->ButtonHeight()) / 2);
    // The glyph's drawn pixel (the tip's row above its point), per state.
    const int gx = WidthOfImage(g) / 2, gy = HeightOfImage(g) / 2 + 1;
    auto check = [&](int state, const char* what) {
        auto shot = host.Grab();
        // The skin draws the button's border only when hot or pressed.
        const bool border = state > 0 || !(M->ma[size_t(btnMask)].DrawMode & dmNoNormal);
        EXPECT_EQ(PixelAt(*shot, r.left + (b.Left + b.Right) / 2, r.top + b.Top),
                  border ? SkinPixel(M, btnMask, state, WidthOfImage(M->ma[size_t(btnMask)]) / 2, 0)
                         : Rgb(M->gd[size_t(btn)].Color))
            << what;
        EXPECT_EQ(PixelAt(*shot, r.left + gp.X + gx, r.top + gp.Y + gy), SkinPixel(M, glyph, state, gx, gy)) << what;
        return shot;
    };
    check(0, "normal");
    M->SetActiveControl(c);
    Pump(30);
    check(1, "hot");
    M->SetActiveControl(nullptr);

    // Dropped down: state 2, and the list wrapped once, with its frame.
    EXPECT_EQ(w->ListSW, nullptr);
    SendMessageW(c, CB_SHOWDROPDOWN, TRUE, 0);
    Pump(60);  // the list shows and paints
    ASSERT_NE(w->ListSW, nullptr);
    TacComboListWnd* list = w->ListSW;
    EXPECT_FALSE(list->SimplyBox);
    auto dropped = check(2, "dropped down");
    SaveScreenshot(*dropped, L"skin-windows-combo-dropped.bmp");
    {
        RECT lr;
        GetWindowRect(w->FListHandle, &lr);
        fw::TBitmap lb(lr.right - lr.left, lr.bottom - lr.top, fw::pf24bit);
        HDC ldc = GetWindowDC(w->FListHandle);
        BitBlt(lb.Canvas()->Handle(), 0, 0, lb.Width(), lb.Height(), ldc, 0, 0, SRCCOPY);
        ReleaseDC(w->FListHandle, ldc);
        EXPECT_EQ(PixelAt(lb, lb.Width() / 3, 0), RGB(0, 0, 0));  // the list's one-pixel frame
        EXPECT_EQ(PixelAt(lb, lb.Width() / 3, 1), Rgb(list->Color));
        SaveScreenshot(lb, L"skin-windows-combo-list.bmp");
    }
    SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0);
    Pump(30);
    const HBRUSH brush = w->ListBrush;
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH));

    // A hundred drop-downs: the same list wrapper, the same brush, no handles
    // lost. The check is shown to fail once, on a brush leaked per drop-down.
    for (const bool plantLeak : {false, true}) {
        std::vector<HBRUSH> planted;
        const GdiObjectCounts before = CountGdiObjects();
        for (int i = 0; i < 100; ++i) {
            SendMessageW(c, CB_SHOWDROPDOWN, TRUE, 0);
            UpdateWindow(w->FListHandle);
            SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0);
            if (plantLeak) planted.push_back(CreateSolidBrush(RGB(i, 0, 0)));
        }
        Pump(30);
        EXPECT_EQ(w->ListSW, list);
        EXPECT_EQ(w->ListBrush, brush);
        ExpectGdiObjectsKept(before, 2, plantLeak);
        for (HBRUSH b : planted) DeleteObject(b);
    }

    // The selected text of a focused drop-down list, printed: on the
    // highlight, in the highlight's text colour, moved one pixel in.
    SetForegroundWindow(host.handle);
    SetFocus(c);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == c; }));
    fw::TBitmap printed(r.right - r.left, H, fw::pf24bit);
    SendMessageW(c, WM_PRINT, WPARAM(printed.Canvas()->Handle()), 0);
    const RECT textRect = {3, 3, b.Left, H - 3};
    EXPECT_EQ(PixelAt(printed, b.Left - 3, H / 2), Rgb(fw::clHighlight));
    EXPECT_GT(CountColour(printed, textRect, Rgb(fw::clHighlightText)), 20);
    EXPECT_EQ(CountColour(printed, {b.Left, b.Top, b.Right, b.Bottom}, Rgb(fw::clHighlight)), 0);
    SaveScreenshot(printed, L"skin-windows-combo-focused.bmp");

    // The brush goes with the wrapper.
    delete w;
    EXPECT_EQ(GetObjectType(brush), 0u);
    DestroyWindow(c);

    // Reading right to left: the button and its glyph on the left, the
    // selected text to the button's right.
    HWND rtl = Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, WS_EX_RTLREADING, host.handle, 10, 10, 160, 200);
    SendMessageW(rtl, CB_ADDSTRING, 0, LPARAM(L"second"));
    SendMessageW(rtl, CB_SETCURSEL, 0, 0);
    auto* wr = CreateWnd<TacComboBoxWnd>(true, rtl, nullptr, M, fw::String(L"COMBOBOX"));
    const fw::TRect rb = wr->ButtonRect();
    EXPECT_EQ(rb.Left, 2);
    fw::TBitmap rp(r.right - r.left, H, fw::pf24bit);
    SendMessageW(rtl, WM_PRINT, WPARAM(rp.Canvas()->Handle()), 0);
    SaveScreenshot(rp, L"skin-windows-combo-rtl.bmp");
    const fw::TPoint rgp(rb.Left + (rb.Width() - WidthOfImage(g)) / 2, (H - wr->ButtonHeight()) / 2);
    EXPECT_EQ(PixelAt(rp, rgp.X + gx, rgp.Y + gy), SkinPixel(M, glyph, 0, gx, gy));
    auto dark = [&](RECT R) {
        int n = 0;
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x) {
                const COLORREF p = PixelAt(rp, x, y);
                n += std::max({GetRValue(p), GetGValue(p), GetBValue(p)}) < 120;
            }
        return n;
    };
    EXPECT_GT(dark({rb.Right + 1, 3, rp.Width() - 3, H - 3}), 10);
    EXPECT_EQ(dark({rp.Width() - 2 - rb.Width(), 3, rp.Width() - 3, H - 3}), 0);  // nothing where the button was
    delete wr;
    DestroyWindow(rtl);
}
