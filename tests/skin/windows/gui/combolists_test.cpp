// The lists of combo boxes under the combo wrapper: a simple combo box's
// face and its always-shown list framed like an edit, and the visual styles
// of a list, switched off only when the list was wrapped with a repaint.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acScrollTrack.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

// Visual styles switched off per window (a switch back on counts down).
std::map<HWND, int> gThemeOff;
HRESULT WINAPI RecordTheme(HWND h, LPCWSTR a, LPCWSTR) {
    gThemeOff[h] += a ? 1 : -1;
    return S_OK;
}
TSetWindowTheme ThemeRecorder() { return &RecordTheme; }

}  // namespace

TEST(ComboListWnd, SimpleComboFaceAndListAndTheListsVisualStyles) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(380, 330, kHost);
    acWindowTheme = &ThemeRecorder;

    struct Row {
        const char* what;
        DWORD style;
        bool items;
    };
    const Row rows[] = {
        {"simple", CBS_SIMPLE, true},
        {"simple, empty", CBS_SIMPLE, false},
        {"drop-down list, empty", CBS_DROPDOWNLIST, false},
        {"drop-down list", CBS_DROPDOWNLIST, true},
    };
    std::vector<HWND> h;
    std::vector<TacComboBoxWnd*> w;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const bool simple = rows[i].style == CBS_SIMPLE;
        h.push_back(CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | rows[i].style,
                                    10 + int(i % 2) * 185, 10 + int(i / 2) * 160, 170, simple ? 140 : 200, host.handle,
                                    nullptr, GetModuleHandleW(nullptr), nullptr));
        SendMessageW(h.back(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
        if (rows[i].items)
            for (const wchar_t* s : {L"first", L"second", L"third"}) SendMessageW(h.back(), CB_ADDSTRING, 0, LPARAM(s));
        w.push_back(CreateWnd<TacComboBoxWnd>(true, h.back(), nullptr, M, fw::String(L"COMBOBOX")));
    }
    RedrawWindow(host.handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(60);
    for (size_t i = 2; i < 4; ++i) {
        SendMessageW(h[i], CB_SHOWDROPDOWN, TRUE, 0);
        Pump(40);
        SendMessageW(h[i], CB_SHOWDROPDOWN, FALSE, 0);
        Pump(20);
    }

    // Every list wrapped once, as the kind of its combo box; visual styles
    // off only for the lists wrapped with a repaint (their combo box had items).
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].what);
        ASSERT_NE(w[i]->ListSW, nullptr);
        EXPECT_EQ(w[i]->ListSW->CtrlHandle, w[i]->FListHandle);
        EXPECT_EQ(w[i]->ListSW->SimplyBox, rows[i].style == CBS_SIMPLE);
        EXPECT_EQ(gThemeOff[w[i]->FListHandle], rows[i].items ? 1 : 0);
        EXPECT_EQ(gThemeOff[h[i]], 1);  // the combo box's own, always
    }

    RedrawWindow(host.handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(60);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-simple-combos.bmp");

    // A simple combo box: the section's frame around its edit part, no
    // button; below it the list, framed like an edit, on the list's colour.
    const int list = M->GetSkinIndex(L"EDIT");
    ASSERT_GE(list, 0);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(rows[i].what);
        const RECT c = InHost(h[i], host.handle), l = InHost(w[i]->FListHandle, host.handle);
        EXPECT_EQ(w[i]->ButtonRect().Width(), 0);
        EXPECT_EQ(PixelAt(*shot, (c.left + c.right) / 2, c.top), TopEdge(M, L"COMBOBOX", 0));
        EXPECT_EQ(PixelAt(*shot, c.right - 5, c.top + 5), PixelAt(*shot, c.right - 40, c.top + 5))
            << "no button at the right";
        EXPECT_GT(l.top, c.top + 10);
        EXPECT_EQ(PixelAt(*shot, (l.left + l.right) / 2, l.top), TopEdge(M, L"EDIT", 0));
        EXPECT_EQ(PixelAt(*shot, l.left, (l.top + l.bottom) / 2), TopEdge(M, L"EDIT", 0));
        EXPECT_EQ(PixelAt(*shot, (l.left + l.right) / 2, l.bottom - 6), Rgb(M->gd[size_t(list)].Color));
        // Below the list, to the combo box's bottom, its parent's background.
        const COLORREF behind = Rgb(GetParentCacheHwnd(h[i]).FillColor);
        EXPECT_LT(l.bottom, c.bottom);
        for (int y = l.bottom; y < c.bottom; ++y)
            EXPECT_EQ(CountColour(*shot, {c.left, y, c.right, y + 1}, behind), c.right - c.left) << "row " << y;
    }
    // The items are in the simple list, the empty one has none.
    const RECT l0 = InHost(w[0]->FListHandle, host.handle), l1 = InHost(w[1]->FListHandle, host.handle);
    const COLORREF text = Rgb(M->gd[size_t(list)].FontColor[0]);
    EXPECT_GT(CountColour(*shot, {l0.left + 2, l0.top + 2, l0.right - 2, l0.top + 40}, text), 20);
    EXPECT_EQ(CountColour(*shot, {l1.left + 2, l1.top + 2, l1.right - 2, l1.top + 40}, text), 0);

    for (TacComboBoxWnd* x : w) delete x;
    for (HWND x : h) DestroyWindow(x);
    acWindowTheme = &Ac_SetWindowTheme;
    gThemeOff.clear();
}

// A press on a dropped list's bar ends at the release wherever the button
// comes up, and when the list loses the capture; the list keeps the capture
// it needs while dropped and does not see the release (it would take it for
// a choice and close).
TEST(ComboListWnd, APressOnTheDroppedListsBarEndsAtAnyReleaseOrLossOfCapture) {
    auto sm = Stillwater();
    Host host(240, 260, kHost);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10,
                                 170, 200, host.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(combo, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    for (int i = 0; i < 40; ++i) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM((L"item " + std::to_wstring(i)).c_str()));
    auto* w = CreateWnd<TacComboBoxWnd>(true, combo, nullptr, sm.get(), fw::String(L"COMBOBOX"));
    Pump(40);

    enum class End { ReleaseOverBar, ReleaseOverItems, CaptureTaken };
    const struct {
        const char* what;
        End end;
    } rows[] = {
        {"released over the bar", End::ReleaseOverBar},
        {"released over the items", End::ReleaseOverItems},
        {"capture taken by another window", End::CaptureTaken},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        Pump(40);
        ASSERT_NE(w->ListSW, nullptr);
        HWND list = w->FListHandle;
        ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
        const HWND held = GetCapture();
        ASSERT_NE(held, nullptr) << "a dropped list holds the capture";
        UpdateScrolls(w->ListSW, true);
        ASSERT_TRUE(w->ListSW->sBarVert->fScrollVisible);

        const fw::TRect v = BarScreenRect(w->ListSW, SB_VERT);
        const POINT down = {(v.Left + v.Right) / 2, v.Bottom - 3};
        SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down.x, down.y));
        ASSERT_EQ(acTracking.DownPortion, sbpSecondArrow);

        RECT cr;
        GetClientRect(list, &cr);
        POINT up = down;
        ScreenToClient(list, &up);
        switch (row.end) {
            case End::ReleaseOverBar:
                SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(WORD(short(up.x)), WORD(short(up.y))));
                break;
            case End::ReleaseOverItems:
                SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(cr.right / 2, cr.bottom / 2));
                break;
            case End::CaptureTaken:
                SetCapture(host.handle);
                break;
        }
        EXPECT_EQ(acTracking.DownPortion, -1) << "the press ended";
        EXPECT_FALSE(KillTimer(list, acFirstRepeatTimer)) << "the repeat stopped";
        // Other wrapped windows see their mouse moves again.
        EXPECT_EQ(acTracking.PressedBar, -1);
        if (row.end != End::CaptureTaken) {
            EXPECT_EQ(GetCapture(), held) << "the dropped list keeps its capture";
            EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the release chose nothing";
        }
        ReleaseCapture();
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        Pump(20);
    }
    delete w;
    DestroyWindow(combo);
}
