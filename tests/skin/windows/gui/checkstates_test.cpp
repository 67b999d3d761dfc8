// Check boxes under their wrapper in each state: the glyph's column follows
// the box (focused or hot 1, pressed 2), a disabled box is blended toward
// its parent's background, and BS_LEFTTEXT puts the caption at x = 2.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

TEST(CheckBoxWnd, GlyphColumnPerStateDisabledBlendAndTextOnTheLeft) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(340, 200, kHost);
    struct Row {
        const char* what;
        DWORD style;
        int state;  // the glyph's column; -1 disabled
    };
    const Row rows[] = {
        {"normal", BS_AUTOCHECKBOX, 0},    {"focused", BS_AUTOCHECKBOX, 1},
        {"hot", BS_AUTOCHECKBOX, 1},       {"pressed", BS_AUTOCHECKBOX, 2},
        {"disabled", BS_AUTOCHECKBOX, -1}, {"text on the left", BS_AUTOCHECKBOX | BS_LEFTTEXT, 0},
    };
    std::vector<HWND> h;
    std::vector<TacMainWnd*> w;
    for (size_t i = 0; i < std::size(rows); ++i) {
        h.push_back(CreateWindowExW(0, L"BUTTON", L"Option", WS_CHILD | WS_VISIBLE | WS_TABSTOP | rows[i].style,
                                    10 + int(i % 2) * 165, 10 + int(i / 2) * 40, 150, 24, host.handle, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
        SendMessageW(h.back(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SendMessageW(h.back(), BM_SETCHECK, BST_CHECKED, 0);
        w.push_back(CreateButtonWnd(h.back(), nullptr, M));
        ASSERT_NE(dynamic_cast<TacCheckBoxWnd*>(w.back()), nullptr);
    }
    SetForegroundWindow(host.handle);
    SetFocus(h[1]);
    M->SetActiveControl(h[2]);
    SendMessageW(h[3], BM_SETSTATE, TRUE, 0);
    EnableWindow(h[4], FALSE);
    RedrawWindow(host.handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(60);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-check-states.bmp");

    const int index = M->GetMaskIndex(M->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"BOXCHECKED");
    ASSERT_GE(index, 0);
    const TsMaskData& m = M->ma[size_t(index)];
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(r.what);
        const RECT at = InHost(h[i], host.handle);
        const bool left = r.style & BS_LEFTTEXT;
        const fw::TRect g =
            CheckGlyphRect({at.right - at.left, at.bottom - at.top}, WidthOfImage(m), HeightOfImage(m), left);
        const COLORREF behind = Rgb(GetParentCacheHwnd(h[i]).FillColor);
        int drawn = 0, wrong = 0;
        for (int y = 0; y < g.Height(); ++y)
            for (int x = 0; x < g.Width(); ++x) {
                const COLORREF want = SkinPixel(M, index, std::max(r.state, 0), x, y);
                if (want == RGB(255, 0, 255)) continue;
                ++drawn;
                const COLORREF got = PixelAt(*shot, at.left + g.Left + x, at.top + g.Top + y);
                if (r.state >= 0)
                    wrong += got != want;
                else
                    wrong += !Near(got, Blend(behind, want, 0.4));
            }
        EXPECT_GT(drawn, 20);
        EXPECT_EQ(wrong, 0);
        // The caption (its dark pixels): after the glyph, or from x = 2 with
        // the glyph at the right.
        if (r.state < 0) continue;
        int first = -1;
        for (int x = 0; x < at.right - at.left && first < 0; ++x)
            for (int y = at.top; y < at.bottom && first < 0; ++y) {
                const COLORREF c = PixelAt(*shot, at.left + x, y);
                if ((x < g.Left || x >= g.Right) && std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 120)
                    first = x;
            }
        ASSERT_GE(first, 0);
        if (left) {
            EXPECT_LE(first, 4);
            EXPECT_EQ(g.Right, at.right - at.left);
        } else {
            EXPECT_GE(first, g.Right);
        }
    }
    M->SetActiveControl(nullptr);
    for (TacMainWnd* x : w) delete x;
    for (HWND x : h) DestroyWindow(x);
}
