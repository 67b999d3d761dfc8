// Wrappers on real windows: the base's routing and its place in a chain of
// subclassers, a skinned list box whose bars stay skinned through the list
// box's own redraws, bars that stay right when the window changes its frame
// while the wrapper paints it, and scripted presses, repeats and drags on a
// window that logs the scroll messages it gets.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "WineDesk.h"
#include "skin/windows/acScrollPaint.h"
#include "skin/windows/acScrollTrack.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

// A window of a plain class that logs what reaches its procedure and scrolls
// like a control: it takes the position of every scroll message.
struct Logged {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};
std::vector<Logged> gLog;

LRESULT CALLBACK RecorderProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    gLog.push_back({msg, wp, lp});
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(h, bar, &si);
        int pos = si.nPos;
        switch (LOWORD(wp)) {
            case SB_LINEUP:
                --pos;
                break;
            case SB_LINEDOWN:
                ++pos;
                break;
            case SB_PAGEUP:
                pos -= int(si.nPage);
                break;
            case SB_PAGEDOWN:
                pos += int(si.nPage);
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                pos = si.nTrackPos ? si.nPos : si.nPos;
                break;
        }
        si.fMask = SIF_POS;
        si.nPos = pos;
        SetScrollInfo(h, bar, &si, TRUE);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

HWND MakeRecorder(HWND Parent, DWORD Style, DWORD ExStyle, int X, int Y, int W, int H) {
    static ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvbRecorder";
        wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(ExStyle, L"KvbRecorder", L"start", WS_CHILD | WS_VISIBLE | Style, X, Y, W, H, Parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

int Count(UINT Msg) {
    int n = 0;
    for (const Logged& l : gLog) n += l.msg == Msg;
    return n;
}

std::unique_ptr<TsSkinManager> Stillwater() {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->SetSkinDirectory(kvbskins::SkinsPath(L"default"));
    m->SetSkinName(L"Stillwater");
    return m;
}

// A second subclasser, as another library would put itself on top.
WNDPROC gBelowOther = nullptr;
int gOtherCalls = 0;
LRESULT CALLBACK OtherProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    ++gOtherCalls;
    return CallWindowProcW(gBelowOther, h, msg, wp, lp);
}

std::vector<std::wstring> gThemeCalls;
HRESULT WINAPI RecordTheme(HWND, LPCWSTR a, LPCWSTR b) {
    gThemeCalls.push_back(a ? std::wstring(L"[") + a + L"][" + b + L"]" : L"restore");
    return S_OK;
}
TSetWindowTheme ThemeRecorder() { return &RecordTheme; }

// The cursor as the engine's timers see it in the scripted tests.
POINT gCursor{};
BOOL WINAPI ScriptedCursor(LPPOINT p) {
    *p = gCursor;
    return TRUE;
}

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

}  // namespace

TEST(WrapperBase, RoutingSkinDataAndChainsOfSubclassers) {
    auto sm = Stillwater();
    TsSkinManager idle(nullptr);
    idle.SetActive(false);
    Host host(300, 200, RGB(250, 250, 235));
    acWindowTheme = &ThemeRecorder;
    HWND h = MakeRecorder(host.handle, WS_BORDER, 0, 10, 10, 120, 80);
    const WNDPROC original = ProcOf(h);

    auto* w = CreateWnd<TacMainWnd>(false, h, nullptr, sm.get(), fw::String(L"EDIT"));
    EXPECT_EQ(w->Caption, L"start");
    EXPECT_TRUE(w->OwnSkinData);
    EXPECT_EQ(w->SkinData->SkinSection(), L"EDIT");
    EXPECT_EQ(WrapperOf(h), w);
    EXPECT_NE(ProcOf(h), original);

    // What reaches the window's own procedure, active manager then inactive.
    struct Row {
        const char* what;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        int reaches;     // times the message reaches the replaced procedure
        LRESULT answer;  // -1: not checked
    };
    const Row active[] = {
        {"WM_SETTEXT", WM_SETTEXT, 0, LPARAM(L"a longer new text"), 1, -1},
        {"WM_UPDATEUISTATE", WM_UPDATEUISTATE, 0, 0, 0, -1},
        {"smcIsHandled", SM_ALPHACMD, WPARAM(smcIsHandled) << 16, 0, 0, 1},
        {"smcRefresh of another manager", SM_ALPHACMD, WPARAM(smcRefresh) << 16, LPARAM(&idle), 1, -1},
        {"smcRefresh of its manager", SM_ALPHACMD, WPARAM(smcRefresh) << 16, LPARAM(sm.get()), 0, -1},
        {"smcGetApplication", SM_ALPHACMD, WPARAM(smcGetApplication) << 16, 0, 0, -1},
        {"another message", WM_USER + 5, 0, 0, 1, -1},
    };
    for (const Row& r : active) {
        gLog.clear();
        const LRESULT got = SendMessageW(h, r.msg, r.wp, r.lp);
        EXPECT_EQ(Count(r.msg), r.reaches) << r.what;
        if (r.answer != -1) {
            EXPECT_EQ(got, r.answer) << r.what;
        }
    }
    EXPECT_EQ(w->Caption, L"a longer new text");

    auto* given = new TsCommonData(nullptr, true);
    given->SetSkinManager(&idle);
    given->SetSkinSection(L"EDIT");
    HWND h2 = MakeRecorder(host.handle, 0, 0, 140, 10, 120, 80);
    auto* w2 = CreateWnd<TacMainWnd>(false, h2, given, nullptr, fw::String(L"DIALOG"));
    EXPECT_EQ(w2->SkinManager, &idle);
    EXPECT_FALSE(w2->OwnSkinData);
    const Row inactive[] = {
        {"smcIsHandled", SM_ALPHACMD, WPARAM(smcIsHandled) << 16, 0, 1, -1},
        {"smcRefresh", SM_ALPHACMD, WPARAM(smcRefresh) << 16, LPARAM(&idle), 1, -1},
        {"WM_UPDATEUISTATE", WM_UPDATEUISTATE, 0, 0, 0, -1},
        {"WM_SETTEXT", WM_SETTEXT, 0, LPARAM(L"x"), 1, -1},
    };
    for (const Row& r : inactive) {
        gLog.clear();
        SendMessageW(h2, r.msg, r.wp, r.lp);
        EXPECT_EQ(Count(r.msg), r.reaches) << "inactive: " << r.what;
    }
    delete w2;
    EXPECT_EQ(given->SkinSection(), L"EDIT");  // given skin data outlives its wrapper
    delete given;
    // Visual styles: off for every section but DIALOG, back when the wrapper goes.
    ASSERT_EQ(gThemeCalls.size(), 1u);
    EXPECT_EQ(gThemeCalls[0], L"[ ][ ]");

    // Order 1: the other subclasser goes first, then the wrapper.
    gBelowOther = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(OtherProc)));
    SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(gBelowOther));
    delete w;
    EXPECT_EQ(ProcOf(h), original);
    EXPECT_EQ(gThemeCalls.back(), L"restore");
    EXPECT_EQ(WrapperOf(h), nullptr);

    // Order 2: the wrapper goes first while the other runs on top. The window
    // keeps the other's procedure, whose saved one still leads to the window's
    // own; once the other goes, the next message takes the wrapper's link out.
    w = CreateWnd<TacMainWnd>(false, h, nullptr, sm.get(), fw::String(L"EDIT"));
    gBelowOther = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(OtherProc)));
    delete w;
    EXPECT_EQ(ProcOf(h), &OtherProc);
    gLog.clear();
    gOtherCalls = 0;
    SendMessageW(h, WM_USER + 7, 0, 0);
    EXPECT_EQ(gOtherCalls, 1);
    EXPECT_EQ(Count(WM_USER + 7), 1);
    SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(gBelowOther));
    SendMessageW(h, WM_USER + 8, 0, 0);
    EXPECT_EQ(ProcOf(h), original);
    // A new wrapper (reusing freed thunks) and more messages find nothing stale.
    w = CreateWnd<TacMainWnd>(false, h, nullptr, sm.get(), fw::String(L"EDIT"));
    gLog.clear();
    SendMessageW(h, WM_USER + 9, 0, 0);
    EXPECT_EQ(Count(WM_USER + 9), 1);

    // Destroyed under the other subclasser: the window keeps the other's
    // procedure through WM_DESTROY, the wrapper lets go at WM_NCDESTROY.
    gBelowOther = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(OtherProc)));
    DestroyWindow(h);
    EXPECT_TRUE(w->Destroyed);
    delete w;

    // A raw window detaches itself when destroyed.
    HWND h3 = MakeRecorder(host.handle, 0, 0, 10, 100, 60, 60);
    auto* w3 = CreateWnd<TacMainWnd>(false, h3, nullptr, sm.get(), fw::String(L"EDIT"));
    DestroyWindow(h3);
    EXPECT_TRUE(w3->Destroyed);
    delete w3;
    acWindowTheme = &Ac_SetWindowTheme;

    // The standard look into the cache: the window's size, state 0 of EDIT.
    HWND h4 = MakeRecorder(host.handle, 0, 0, 150, 100, 80, 40);
    auto* w4 = CreateWnd<TacMainWnd>(false, h4, nullptr, sm.get(), fw::String(L"EDIT"));
    w4->SkinData->BGChanged = true;
    SendMessageW(h4, SM_ALPHACMD, WPARAM(smcPrepareCache) << 16, 0);
    ASSERT_NE(w4->SkinData->FCacheBmp, nullptr);
    EXPECT_EQ(w4->SkinData->FCacheBmp->Width(), 80);
    EXPECT_EQ(w4->SkinData->FCacheBmp->Height(), 40);
    EXPECT_FALSE(w4->SkinData->BGChanged);
    InitCtrlData(w4);
    EXPECT_EQ(w4->WndPos.X, 150);
    EXPECT_EQ(w4->WndSize.cx, 80);
    delete w4;
    DestroyWindow(h4);
}

// Screen colours of the bar room against what the wrapper paints for the
// same state into a memory DC: equal means the system drew nothing there.
int ForeignPixels(TacScrollWnd* sw, HWND h, const Host& host) {
    RECT wr;
    GetWindowRect(h, &wr);
    fw::TBitmap ref(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    Ac_NCPaint(sw, h, 1, 0, -1, ref.Canvas()->Handle());
    auto shot = host.Grab();
    const RECT at = RectInHost(h, wr, host.handle);
    int foreign = 0;
    for (int bar : {SB_HORZ, SB_VERT}) {
        fw::TRect r = BarScreenRect(sw, bar);
        for (int y = r.Top; y < r.Bottom; ++y) {
            const uint8_t* a = static_cast<const uint8_t*>(ref.ScanLine(y - wr.top));
            const uint8_t* b = static_cast<const uint8_t*>(shot->ScanLine(at.top + y - wr.top));
            for (int x = r.Left; x < r.Right; ++x) {
                const uint8_t* pa = a + 3 * (x - wr.left);
                const uint8_t* pb = b + 3 * (at.left + x - wr.left);
                foreign += pa[0] != pb[0] || pa[1] != pb[1] || pa[2] != pb[2];
            }
        }
    }
    return foreign;
}

TEST(ScrollWnd, ListBoxBarsStaySkinnedThroughItsOwnRedraws) {
    auto sm = Stillwater();
    Host host(260, 220, RGB(250, 250, 235));
    HWND h = CreateWindowExW(
        0, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL, 10,
        10, 180, 190, host.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, LB_SETHORIZONTALEXTENT, 400, 0);
    for (int i = 0; i < 40; ++i) SendMessageW(h, LB_ADDSTRING, 0, LPARAM((L"item " + std::to_wstring(i)).c_str()));
    auto* sw = CreateWnd<TacScrollWnd>(true, h, nullptr, sm.get(), fw::String(L"EDIT"));
    Pump(60);

    // Room: the client is the window less the border and the bars.
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    EXPECT_EQ(cr.right, (wr.right - wr.left) - 2 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(cr.bottom, (wr.bottom - wr.top) - 2 - GetSystemMetrics(SM_CYHSCROLL));
    const fw::TRect v = BarScreenRect(sw, SB_VERT);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(v.Left + 3, v.Top + 40)), HTVSCROLL);
    EXPECT_EQ(ForeignPixels(sw, h, host), 0) << "after wrapping";

    for (int i = 0; i < 100; ++i) SendMessageW(h, LB_ADDSTRING, 0, LPARAM(L"added"));
    Pump(40);
    EXPECT_EQ(ForeignPixels(sw, h, host), 0) << "after 100 LB_ADDSTRING";
    for (int i = 0; i < 100; ++i) SendMessageW(h, LB_DELETESTRING, 0, 0);
    SendMessageW(h, LB_SETTOPINDEX, 12, 0);
    SendMessageW(h, WM_KEYDOWN, VK_END, 0);
    Pump(40);
    EXPECT_EQ(ForeignPixels(sw, h, host), 0) << "after LB_DELETESTRING, LB_SETTOPINDEX, VK_END";

    // Hover over the down arrow: hot, and still only the wrapper's pixels.
    const POINT down = {(v.Left + v.Right) / 2, v.Bottom - 4};
    acGetCursorPos = &ScriptedCursor;
    gCursor = down;
    SendMessageW(h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(down.x, down.y));
    SendMessageW(h, WM_TIMER, acHoverTimer, 0);
    EXPECT_EQ(acTracking.HoverBar, SB_VERT);
    EXPECT_EQ(acTracking.HoverPortion, sbpSecondArrow);
    EXPECT_EQ(ForeignPixels(sw, h, host), 0) << "hovered";
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-listbox.bmp");

    // Leaving ends the hover.
    POINT inside = {cr.right / 2, cr.bottom / 2};
    ClientToScreen(h, &inside);
    gCursor = inside;
    SendMessageW(h, WM_TIMER, acHoverTimer, 0);
    acGetCursorPos = &GetCursorPos;
    EXPECT_EQ(acTracking.HoverBar, -1);
    EXPECT_EQ(ForeignPixels(sw, h, host), 0) << "after the hover";

    DestroyWindow(h);
    EXPECT_TRUE(sw->Destroyed);
    delete sw;
}

// What runs below the wrapper while it paints the frame: the wrapper holds
// the bar bits off the style then, and the window's own code may change the
// frame meanwhile (a region set, a bar shown again, another style bit).
std::function<void(HWND)> gInNcPaint;
WNDPROC gBelowInner = nullptr;
LRESULT CALLBACK InnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCPAINT && gInNcPaint) {
        auto run = std::move(gInNcPaint);
        gInNcPaint = nullptr;
        run(h);
    }
    return CallWindowProcW(gBelowInner, h, msg, wp, lp);
}

TEST(ScrollWnd, FrameChangesDuringItsFramePaintKeepTheBars) {
    auto sm = Stillwater();
    Host host(260, 220, RGB(250, 250, 235));
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    struct Case {
        const char* name;
        std::function<void(HWND)> run;
        bool vert, horz;
        LONG_PTR alsoSet;
    };
    const Case cases[] = {
        {"a region set", [](HWND h) { SetWindowRgn(h, nullptr, FALSE); }, true, true, 0},
        {"the frame recalculated",
         [](HWND h) {
             SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
         },
         true, true, 0},
        // The system sees the bar hidden and shows it again.
        {"a new range",
         [](HWND h) {
             SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE, 0, 499, 60, 0, 0};
             SetScrollInfo(h, SB_HORZ, &si, TRUE);
         },
         true, true, 0},
        {"another style bit",
         [](HWND h) { SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_TABSTOP); }, true, true,
         WS_TABSTOP},
        {"the bar hidden through the wrapper", [](HWND h) { Ac_ShowScrollBar(h, SB_VERT, false); }, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND h = MakeRecorder(host.handle, WS_VSCROLL | WS_HSCROLL | WS_BORDER, 0, 20, 10, 180, 160);
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO si = {sizeof si, SIF_ALL, 0, 399, 100, 0, 0};
            SetScrollInfo(h, bar, &si, FALSE);
        }
        gBelowInner = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(&InnerProc)));
        auto* sw = CreateWnd<TacScrollWnd>(true, h, nullptr, sm.get(), fw::String(L"EDIT"));
        Pump(30);
        ASSERT_TRUE(sw->sBarVert->fScrollVisible);
        ASSERT_TRUE(sw->sBarHorz->fScrollVisible);

        gInNcPaint = c.run;
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(30);
        EXPECT_FALSE(gInNcPaint) << "the frame was not painted";

        const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        EXPECT_EQ(c.vert, (style & WS_VSCROLL) != 0);
        EXPECT_EQ(c.horz, (style & WS_HSCROLL) != 0);
        if (c.alsoSet) EXPECT_EQ(c.alsoSet, style & c.alsoSet);
        EXPECT_EQ(c.vert, sw->sBarVert->fScrollVisible);
        EXPECT_EQ(c.horz, sw->sBarHorz->fScrollVisible);
        RECT wr, cr;
        GetWindowRect(h, &wr);
        GetClientRect(h, &cr);
        EXPECT_EQ(cr.right, (wr.right - wr.left) - 2 - (c.vert ? cx : 0));
        EXPECT_EQ(cr.bottom, (wr.bottom - wr.top) - 2 - (c.horz ? cy : 0));
        if (c.vert) {
            const fw::TRect v = BarScreenRect(sw, SB_VERT);
            EXPECT_EQ(HTVSCROLL, SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(v.Left + 3, v.Top + 40)));
        }
        EXPECT_EQ(ForeignPixels(sw, h, host), 0);
        if (std::string(c.name) == "a new range") {
            auto shot = host.Grab();
            SaveScreenshot(*shot, L"skin-windows-bars-kept-through-a-frame-change.bmp");
        }
        DestroyWindow(h);
        delete sw;
    }
}

TEST(ScrollWnd, PressRepeatAndDragLogs) {
    auto sm = Stillwater();
    Host host(300, 240, RGB(250, 250, 235));
    // The vertical scroll messages that reached the window: code and position.
    auto scrolls = [] {
        std::vector<std::pair<int, int>> out;
        for (const Logged& l : gLog)
            if (l.msg == WM_VSCROLL) out.push_back({LOWORD(l.wp), short(HIWORD(l.wp))});
        return out;
    };
    acGetCursorPos = &ScriptedCursor;
    for (bool left : {false, true}) {
        SCOPED_TRACE(left ? "bar on the left" : "bar on the right");
        HWND h = MakeRecorder(host.handle, WS_VSCROLL | WS_BORDER, left ? WS_EX_LEFTSCROLLBAR : 0, 20, 10, 160, 200);
        SCROLLINFO si = {sizeof si, SIF_ALL, 10, 109, 10, 50, 0};
        SetScrollInfo(h, SB_VERT, &si, FALSE);
        auto* sw = CreateWnd<TacScrollWnd>(true, h, nullptr, sm.get(), fw::String(L"EDIT"));
        Pump(30);
        const fw::TRect v = BarScreenRect(sw, SB_VERT);
        if (left) {
            RECT wr;
            GetWindowRect(h, &wr);
            EXPECT_EQ(v.Left, wr.left + 1);
        }
        const POINT down = {(v.Left + v.Right) / 2, v.Bottom - 3};

        // Press on the down arrow: one step at once, the next after the first
        // delay and each repeat while over it, none when off it, the end on release.
        gLog.clear();
        gCursor = down;
        SendMessageW(h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down.x, down.y));
        EXPECT_EQ(acTracking.DownPortion, sbpSecondArrow);
        EXPECT_EQ(GetCapture(), h);
        SendMessageW(h, WM_TIMER, acFirstRepeatTimer, 0);
        SendMessageW(h, WM_TIMER, acRepeatTimer, 0);
        SendMessageW(h, WM_TIMER, acRepeatTimer, 0);
        gCursor = {down.x, v.Top + 40};
        SendMessageW(h, WM_TIMER, acRepeatTimer, 0);
        EXPECT_EQ(acTracking.PressedPortion, -1);
        gCursor = down;
        SendMessageW(h, WM_TIMER, acRepeatTimer, 0);
        SendMessageW(h, WM_LBUTTONUP, 0, 0);
        const std::vector<std::pair<int, int>> press = {
            {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}};
        EXPECT_EQ(scrolls(), press);
        EXPECT_EQ(acTracking.DownPortion, -1);
        EXPECT_NE(GetCapture(), h);

        // Drag the thumb: positions are absolute (nMin 10), each sent once,
        // the far end gives the last position the page leaves.
        si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(h, SB_VERT, &si);
        int size = 0, pos = 0;
        Ac_CalcThumbSize(*sw->sBarVert, v, size, pos);
        const int x = (v.Left + v.Right) / 2;
        gLog.clear();
        SendMessageW(h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, pos + 2));
        ASSERT_TRUE(sw->fThumbTracking);
        auto moveTo = [&](int y) {
            POINT p = {x, y};
            ScreenToClient(h, &p);
            SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(short(p.x)), WORD(short(p.y))));
        };
        moveTo(v.Top - 50);
        moveTo(v.Top - 40);  // the same place: nothing new
        moveTo(v.Bottom + 80);
        SendMessageW(h, WM_LBUTTONUP, 0, 0);
        const std::vector<std::pair<int, int>> drag = {
            {SB_THUMBTRACK, 10}, {SB_THUMBTRACK, 100}, {SB_THUMBPOSITION, 100}, {SB_ENDSCROLL, 100}};
        EXPECT_EQ(scrolls(), drag);
        EXPECT_FALSE(sw->fThumbTracking);
        if (!left) {
            auto shot = host.Grab();
            SaveScreenshot(*shot, L"skin-windows-dragged.bmp");
        }
        DestroyWindow(h);
        delete sw;
    }
    acGetCursorPos = &GetCursorPos;
}
