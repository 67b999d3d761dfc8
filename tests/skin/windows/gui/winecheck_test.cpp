// What Wine does to scroll bars that a subclass paints itself in a standard
// window's non-client area. Every skinned scroll bar rests on these answers,
// so they are asserted, not assumed, and pictured for skin/windows/README.md:
//   1. pixels painted there stay (covering and uncovering keeps them), but the
//      default WM_NCPAINT paints the standard bars over them whenever the
//      window's style has the scroll-bar bits;
//   2. a list box's own scroll-state changes redraw the standard bars at once;
//   3. SetScrollInfo redraws the standard bar itself, and not with redraw FALSE.
// The probe below is the smallest such subclass: it takes the bars out of the
// default frame calculation, reserves their room itself and fills it with
// flat colours.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "WineDesk.h"

using namespace wintest;

namespace {

const COLORREF kTrack = RGB(40, 170, 90), kThumb = RGB(10, 80, 40), kHorz = RGB(230, 140, 20),
               kCorner = RGB(120, 60, 160), kHostColour = RGB(250, 250, 235);

enum Guard : unsigned {
    PassNcPaintOn = 1,          // WM_NCPAINT goes on to the control after the bars are painted
    StripStylesForNcPaint = 2,  // the default frame painting runs without the scroll-bar style bits
    RepaintOnScrollChange = 4,  // after every message, changed scroll state repaints the bars
    KeepBarMouseMoves = 8,      // WM_NCMOUSEMOVE over a bar never reaches the control
};

struct Probe {
    WNDPROC old = nullptr;
    unsigned guards = 0;
    bool stripping = false, hasV = false, hasH = false;
    int ncPaints = 0;
    SCROLLINFO seen[2] = {};
};

Probe* ProbeOf(HWND h) { return static_cast<Probe*>(GetPropW(h, L"KvbProbe")); }

SCROLLINFO ReadInfo(HWND h, int bar) {
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(h, bar, &si)) si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    return si;
}

bool SameInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// Bars in window coordinates: right of and below the client area.
struct BarRects {
    RECT v{}, h{}, corner{};
};

BarRects BarsOf(HWND h) {
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT o = {0, 0};
    ClientToScreen(h, &o);
    const int x = o.x - wr.left, y = o.y - wr.top;
    const int cxv = GetSystemMetrics(SM_CXVSCROLL), cyh = GetSystemMetrics(SM_CYHSCROLL);
    const Probe* p = ProbeOf(h);
    BarRects b;
    if (p->hasV) b.v = {x + cr.right, y, x + cr.right + cxv, y + cr.bottom};
    if (p->hasH) b.h = {x, y + cr.bottom, x + cr.right, y + cr.bottom + cyh};
    if (p->hasV && p->hasH) b.corner = {b.v.left, b.h.top, b.v.right, b.h.bottom};
    return b;
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
    HBRUSH br = CreateSolidBrush(c);
    FillRect(dc, &r, br);
    DeleteObject(br);
}

void PaintBars(HWND h) {
    Probe* p = ProbeOf(h);
    const BarRects b = BarsOf(h);
    HDC dc = GetWindowDC(h);
    if (p->hasV) {
        Fill(dc, b.v, kTrack);
        // A thumb where the scroll state puts it, so a picture shows the state.
        const SCROLLINFO si = ReadInfo(h, SB_VERT);
        const int len = b.v.bottom - b.v.top, range = si.nMax - si.nMin + 1;
        if (range > 0 && si.nPage > 0 && int(si.nPage) < range) {
            const int size = std::max(8, MulDiv(int(si.nPage), len, range));
            const int top = b.v.top + MulDiv(si.nPos - si.nMin, len - size, range - int(si.nPage));
            Fill(dc, {b.v.left + 2, top, b.v.right - 2, top + size}, kThumb);
        }
    }
    if (p->hasH) Fill(dc, b.h, kHorz);
    if (p->hasV && p->hasH) Fill(dc, b.corner, kCorner);
    ReleaseDC(h, dc);
    p->seen[0] = ReadInfo(h, SB_HORZ);
    p->seen[1] = ReadInfo(h, SB_VERT);
}

LRESULT CALLBACK ProbeProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Probe* p = ProbeOf(h);
    auto passOn = [&] { return CallWindowProcW(p->old, h, msg, wp, lp); };
    const LONG_PTR bars = WS_HSCROLL | WS_VSCROLL;
    switch (msg) {
        case WM_NCCALCSIZE: {
            const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
            p->stripping = true;
            SetWindowLongPtrW(h, GWL_STYLE, style & ~bars);
            const LRESULT r = passOn();
            SetWindowLongPtrW(h, GWL_STYLE, style);
            p->stripping = false;
            RECT* rc = reinterpret_cast<RECT*>(lp);
            p->hasV = style & WS_VSCROLL;
            p->hasH = style & WS_HSCROLL;
            if (p->hasV) rc->right -= GetSystemMetrics(SM_CXVSCROLL);
            if (p->hasH) rc->bottom -= GetSystemMetrics(SM_CYHSCROLL);
            return r;
        }
        case WM_STYLECHANGING:
        case WM_STYLECHANGED:
            if (p->stripping) return 0;
            break;
        case WM_NCPAINT: {
            ++p->ncPaints;
            if (p->guards & StripStylesForNcPaint) {
                const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
                p->stripping = true;
                SetWindowLongPtrW(h, GWL_STYLE, style & ~bars);
                passOn();
                SetWindowLongPtrW(h, GWL_STYLE, style);
                p->stripping = false;
                PaintBars(h);
                return 0;
            }
            PaintBars(h);
            if (p->guards & PassNcPaintOn) passOn();
            return 0;
        }
        case WM_NCHITTEST: {
            const BarRects b = BarsOf(h);
            RECT wr;
            GetWindowRect(h, &wr);
            const POINT pt = {short(LOWORD(lp)) - wr.left, short(HIWORD(lp)) - wr.top};
            if (PtInRect(&b.v, pt)) return HTVSCROLL;
            if (PtInRect(&b.h, pt)) return HTHSCROLL;
            break;
        }
        case WM_NCMOUSEMOVE:
            if ((p->guards & KeepBarMouseMoves) && (wp == HTVSCROLL || wp == HTHSCROLL)) return 0;
            break;
        case WM_NCDESTROY: {
            const LRESULT r = passOn();
            RemovePropW(h, L"KvbProbe");
            delete p;
            return r;
        }
    }
    const LRESULT r = passOn();
    if ((p->guards & RepaintOnScrollChange) &&
        (!SameInfo(p->seen[0], ReadInfo(h, SB_HORZ)) || !SameInfo(p->seen[1], ReadInfo(h, SB_VERT))))
        PaintBars(h);
    return r;
}

// Subclasses H and makes the frame be calculated again with the probe in place.
void Attach(HWND h, unsigned guards) {
    Probe* p = new Probe;
    p->guards = guards;
    SetPropW(h, L"KvbProbe", p);
    p->old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(ProbeProc)));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HWND MakeList(const Host& host, int x, int y, int w, int hgt) {
    HWND h = CreateWindowExW(
        0, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL, x, y,
        w, hgt, host.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, LB_SETHORIZONTALEXTENT, 400, 0);
    for (int i = 0; i < 30; ++i) SendMessageW(h, LB_ADDSTRING, 0, LPARAM((L"item " + std::to_wstring(i)).c_str()));
    return h;
}

// A window of a plain class that only scrolls: DefWindowProc does everything.
HWND MakePlain(const Host& host, int x, int y, int w, int hgt) {
    static ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvbPlainScroller";
        wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
        return RegisterClassW(&wc);
    }();
    (void)atom;
    HWND h = CreateWindowExW(0, L"KvbPlainScroller", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL,
                             x, y, w, hgt, host.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 99, 10, 0, 0};
    SetScrollInfo(h, SB_VERT, &si, FALSE);
    SetScrollInfo(h, SB_HORZ, &si, FALSE);
    return h;
}

// Pixels of the window's bar room (both bars and the corner) that are not
// one of the probe's colours: what the system drew there.
int ForeignBarPixels(fw::TBitmap& shot, const Host& host, HWND h) {
    const BarRects b = BarsOf(h);
    RECT wr;
    GetWindowRect(h, &wr);
    const RECT at = RectInHost(h, wr, host.handle);
    int foreign = 0;
    for (const RECT& r : {b.v, b.h, b.corner})
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = PixelAt(shot, at.left + x, at.top + y);
                if (c != kTrack && c != kThumb && c != kHorz && c != kCorner) ++foreign;
            }
    return foreign;
}

void Settle(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(60);
}

}  // namespace

// (a) and (b): three list boxes whose bars are painted in WM_NCPAINT. Left:
// the message then goes on to the control (the order of a scroll wrapper);
// middle: it goes on with the scroll-bar bits taken off the style; right: it
// does not go on at all. A popup covering all three is shown and taken away
// before the picture.
TEST(WineCheck, NonClientPixelsStayButTheDefaultFramePaintingOverdrawsBars) {
    Host host(420, 170, kHostColour);
    HWND passed = MakeList(host, 10, 10, 125, 150), stripped = MakeList(host, 148, 10, 125, 150),
         kept = MakeList(host, 286, 10, 125, 150);
    Attach(passed, PassNcPaintOn);
    Attach(stripped, StripStylesForNcPaint);
    Attach(kept, 0);
    Settle(host.handle);

    // Cover and uncover: nothing is painted again by the probe, yet the
    // pixels are back (the window keeps its own surface).
    for (HWND h : {passed, stripped, kept}) ProbeOf(h)->ncPaints = 0;
    RECT hr;
    GetWindowRect(host.handle, &hr);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"KvbTestHost", L"", WS_POPUP | WS_VISIBLE, hr.left, hr.top, 420, 170,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump(60);
    DestroyWindow(cover);
    Pump(100);

    auto shot = host.Grab();
    SaveScreenshot(*shot, L"wine-check-1-ncpaint.bmp");
    const int cxv = GetSystemMetrics(SM_CXVSCROLL), cyh = GetSystemMetrics(SM_CYHSCROLL);
    std::printf("bar room %d x %d; probe repaints after uncovering: %d %d %d\n", cxv, cyh, ProbeOf(passed)->ncPaints,
                ProbeOf(stripped)->ncPaints, ProbeOf(kept)->ncPaints);
    std::printf("foreign bar pixels: passed on %d, passed on without bar bits %d, kept %d\n",
                ForeignBarPixels(*shot, host, passed), ForeignBarPixels(*shot, host, stripped),
                ForeignBarPixels(*shot, host, kept));

    // The grab gives back exactly the colours painted.
    EXPECT_EQ(ForeignBarPixels(*shot, host, stripped), 0);
    EXPECT_EQ(ForeignBarPixels(*shot, host, kept), 0);
    // The default frame painting draws the standard bars over the skinned
    // ones wherever the style has the bits: every bar pixel is the system's.
    EXPECT_GT(ForeignBarPixels(*shot, host, passed), (cxv * 100) / 2);
}

// (b): list boxes whose WM_NCPAINT never goes on, through a run of content
// changes, scrolling and a hover. Left: nothing more; right: a changed scroll
// state repaints the bars after each message and mouse moves over a bar stay
// with the probe. Each step is checked on its own.
TEST(WineCheck, ListBoxChangesAndHoverRedrawTheStandardBars) {
    Host host(300, 170, kHostColour);
    HWND bare = MakeList(host, 10, 10, 135, 150), guarded = MakeList(host, 155, 10, 135, 150);
    Attach(bare, 0);
    Attach(guarded, RepaintOnScrollChange | KeepBarMouseMoves);
    Settle(host.handle);

    struct Step {
        const char* name;
        void (*run)(HWND);
    };
    const Step steps[] = {
        {"100 x LB_ADDSTRING",
         [](HWND h) {
             for (int i = 0; i < 100; ++i) SendMessageW(h, LB_ADDSTRING, 0, LPARAM(L"added"));
         }},
        {"100 x LB_DELETESTRING",
         [](HWND h) {
             for (int i = 0; i < 100; ++i) SendMessageW(h, LB_DELETESTRING, 0, 0);
         }},
        {"LB_SETTOPINDEX", [](HWND h) { SendMessageW(h, LB_SETTOPINDEX, 7, 0); }},
        {"WM_VSCROLL SB_LINEDOWN", [](HWND h) { SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0); }},
        {"keyboard: VK_END", [](HWND h) { SendMessageW(h, WM_KEYDOWN, VK_END, 0); }},
        {"LB_SETTOPINDEX, no change",
         [](HWND h) { SendMessageW(h, LB_SETTOPINDEX, SendMessageW(h, LB_GETTOPINDEX, 0, 0), 0); }},
        {"LB_SETCURSEL", [](HWND h) { SendMessageW(h, LB_SETCURSEL, 3, 0); }},
        {"focus and a click",
         [](HWND h) {
             SetFocus(h);
             SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
             SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
         }},
        {"one pixel narrower",
         [](HWND h) {
             RECT r;
             GetWindowRect(h, &r);
             SetWindowPos(h, nullptr, 0, 0, r.right - r.left - 1, r.bottom - r.top,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         }},
        {"hover over the down arrow",
         [](HWND h) {
             RECT wr;
             GetWindowRect(h, &wr);
             const BarRects b = BarsOf(h);
             const POINT pt = {wr.left + (b.v.left + b.v.right) / 2, wr.top + b.v.bottom - 4};
             SetCursorPos(pt.x, pt.y);
             SendMessageW(h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(pt.x, pt.y));
             Pump(80);
             SendMessageW(h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(pt.x, pt.y - 1));
             Pump(80);
         }},
    };
    bool bareOverdrawn = false;
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        {
            // Each step starts from skinned bars on both.
            auto before = host.Grab();
            ASSERT_EQ(ForeignBarPixels(*before, host, bare), 0) << s.name;
            ASSERT_EQ(ForeignBarPixels(*before, host, guarded), 0) << s.name;
        }
        s.run(bare);
        s.run(guarded);
        Pump(60);
        auto shot = host.Grab();
        const int b = ForeignBarPixels(*shot, host, bare), g = ForeignBarPixels(*shot, host, guarded);
        std::printf("%-26s foreign bar pixels: unguarded %5d, guarded %d\n", s.name, b, g);
        EXPECT_EQ(g, 0) << s.name;
        bareOverdrawn |= b > 0;
        if (i == 0) SaveScreenshot(*shot, L"wine-check-2-listbox-changes.bmp");
        SetCursorPos(0, 0);
        Settle(host.handle);
    }
    EXPECT_TRUE(bareOverdrawn);
}

// (c): SetScrollInfo on windows of a plain class whose WM_NCPAINT never goes
// on. Left: redraw TRUE; right: redraw FALSE. Then the same values again with
// redraw TRUE on a freshly painted window: does an unchanged state redraw?
TEST(WineCheck, SetScrollInfoRedrawsTheStandardBarUnlessToldNotTo) {
    Host host(300, 130, kHostColour);
    HWND redraw = MakePlain(host, 10, 10, 135, 110), quiet = MakePlain(host, 155, 10, 135, 110);
    Attach(redraw, 0);
    Attach(quiet, 0);
    Settle(host.handle);
    ProbeOf(redraw)->ncPaints = ProbeOf(quiet)->ncPaints = 0;

    SCROLLINFO si = {sizeof si, SIF_POS, 0, 0, 0, 40, 0};
    SetScrollInfo(redraw, SB_VERT, &si, TRUE);
    SetScrollInfo(quiet, SB_VERT, &si, FALSE);
    Pump(60);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"wine-check-3-setscrollinfo.bmp");
    const int withRedraw = ForeignBarPixels(*shot, host, redraw), without = ForeignBarPixels(*shot, host, quiet);
    std::printf("SetScrollInfo: foreign bar pixels with redraw %d, without %d; WM_NCPAINTs %d, %d\n", withRedraw,
                without, ProbeOf(redraw)->ncPaints, ProbeOf(quiet)->ncPaints);
    EXPECT_GT(withRedraw, 0);
    EXPECT_EQ(without, 0);
    // Drawn directly, not through WM_NCPAINT.
    EXPECT_EQ(ProbeOf(redraw)->ncPaints, 0);

    // The same position again: no change, and then no drawing either?
    Settle(host.handle);
    {
        auto before = host.Grab();
        ASSERT_EQ(ForeignBarPixels(*before, host, redraw), 0);
    }
    SetScrollInfo(redraw, SB_VERT, &si, TRUE);
    Pump(40);
    auto again = host.Grab();
    const int unchanged = ForeignBarPixels(*again, host, redraw);
    std::printf("SetScrollInfo with an unchanged position: foreign bar pixels %d\n", unchanged);
    // The other setters that take a redraw flag.
    Settle(host.handle);
    SetScrollPos(redraw, SB_VERT, 60, TRUE);
    Pump(40);
    auto pos = host.Grab();
    std::printf("SetScrollPos redraw TRUE: foreign bar pixels %d\n", ForeignBarPixels(*pos, host, redraw));
    Settle(host.handle);
    EnableScrollBar(redraw, SB_VERT, ESB_DISABLE_BOTH);
    Pump(40);
    auto disabled = host.Grab();
    std::printf("EnableScrollBar: foreign bar pixels %d\n", ForeignBarPixels(*disabled, host, redraw));
}
