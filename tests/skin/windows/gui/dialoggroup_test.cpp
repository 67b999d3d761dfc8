// A group box of a skinned system dialog: painted on its frame message with
// only its border and caption (the inside, from the caption's bottom down,
// left to the dialog's own painting), while its WM_PAINT still reaches the
// system's procedure; outside a dialog the wrapper paints it all itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {
const COLORREF kMark = RGB(255, 0, 255);

// A subclass under the wrapper that counts the paints reaching the system.
WNDPROC gSystem = nullptr;
int gPaints = 0;
LRESULT CALLBACK CountPaints(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) ++gPaints;
    return CallWindowProcW(gSystem, h, msg, wp, lp);
}

void Mark(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    HDC dc = GetWindowDC(h);
    HBRUSH b = CreateSolidBrush(kMark);
    RECT all{0, 0, r.right - r.left, r.bottom - r.top};
    FillRect(dc, &all, b);
    DeleteObject(b);
    ReleaseDC(h, dc);
}

}  // namespace

TEST(GroupBoxWnd, InADialogOnlyBorderAndCaptionOnTheFrameMessage) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(340, 200, kHost);
    HWND h = CreateWindowExW(0, L"BUTTON", L"Options", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 20, 20, 290, 150,
                             host.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    gSystem = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(CountPaints)));
    acDlgMode = true;
    auto* w = dynamic_cast<TacGroupBoxWnd*>(CreateButtonWnd(h, nullptr, M));
    acDlgMode = false;
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->DlgMode);
    Pump(30);

    // The dialog's paint goes to the system.
    gPaints = 0;
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(gPaints, 1);

    // The frame message paints the border and the caption; the inside
    // below the caption keeps what the dialog put there.
    Mark(h);
    SendMessageW(h, WM_NCPAINT, 1, 0);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-dialog-group.bmp");
    const RECT at = InHost(h, host.handle);
    const fw::TRect cap = w->CaptionRect();
    const int half = cap.Height() / 2;
    const int mask = M->GetMaskIndex(M->GetSkinIndex(L"GROUPBOX"), L"GROUPBOX", L"BORDERSMASK");
    ASSERT_GE(mask, 0);
    const TsMaskData& m = M->ma[size_t(mask)];
    const int midX = (at.left + at.right) / 2;
    EXPECT_EQ(PixelAt(*shot, at.left + cap.Right + 10, at.top + half), TopEdge(M, L"GROUPBOX", 0));
    // The caption strip: the parent's background around the text, the text.
    const COLORREF behind = Rgb(GetParentCacheHwnd(h).FillColor);
    EXPECT_EQ(PixelAt(*shot, midX, at.top + 1), behind);
    EXPECT_GT(CountColour(*shot, {at.left + cap.Left, at.top, at.left + cap.Right, at.top + cap.Bottom},
                          Rgb(M->gd[size_t(M->GetSkinIndex(L"GROUPBOX"))].FontColor[0])),
              10);
    // Down to the caption's bottom the box is painted; from there the inside is not.
    EXPECT_NE(PixelAt(*shot, midX, at.top + cap.Height() - 1), kMark);
    EXPECT_EQ(PixelAt(*shot, midX, at.top + cap.Height()), kMark);
    EXPECT_EQ(PixelAt(*shot, midX, (at.top + at.bottom) / 2), kMark);
    EXPECT_EQ(PixelAt(*shot, at.left + m.WL, (at.top + at.bottom) / 2), kMark);
    EXPECT_EQ(PixelAt(*shot, at.right - m.WR - 1, (at.top + at.bottom) / 2), kMark);
    EXPECT_EQ(PixelAt(*shot, midX, at.bottom - m.WB - 1), kMark);
    // The border all round.
    EXPECT_NE(PixelAt(*shot, at.left, (at.top + at.bottom) / 2), kMark);
    EXPECT_NE(PixelAt(*shot, midX, at.bottom - 1), kMark);
    EXPECT_NE(PixelAt(*shot, at.right - 1, (at.top + at.bottom) / 2), kMark);
    delete w;

    // Outside a dialog the wrapper paints the whole box and the system no paint.
    w = dynamic_cast<TacGroupBoxWnd*>(CreateButtonWnd(h, nullptr, M));
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->DlgMode);
    Mark(h);
    gPaints = 0;
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(30);
    EXPECT_EQ(gPaints, 0);
    shot = host.Grab();
    EXPECT_EQ(PixelAt(*shot, midX, (at.top + at.bottom) / 2), behind);
    delete w;
    SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(gSystem));
    DestroyWindow(h);
}
