// What the container and small-window wrappers decide without a window: a
// panel's section by its bevels, where a grip stands, the halves of a spin
// and which one the cursor lights, how far a released MDI thumb moves the
// client, and the frame a virtual tree's styles give it.
#include <gtest/gtest.h>

#include "skin/windows/acMDIWnd.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acVirtualTreeWnd.h"

using namespace skin;

TEST(PanelSection, ByBevelsAndBorder) {
    struct Row {
        fw::TBevelCut outer, inner;
        fw::TBorderStyle border;
        const wchar_t* section;
    };
    const Row rows[] = {
        {fw::bvLowered, fw::bvNone, fw::bsNone, L"PANEL_LOW"},
        {fw::bvLowered, fw::bvRaised, fw::bsNone, L"GROUPBOX"},
        {fw::bvLowered, fw::bvLowered, fw::bsNone, L"PANEL_LOW"},
        {fw::bvRaised, fw::bvNone, fw::bsSingle, L"PANEL"},
        {fw::bvRaised, fw::bvLowered, fw::bsNone, L"GROUPBOX"},
        {fw::bvRaised, fw::bvRaised, fw::bsNone, L"PANEL"},
        {fw::bvNone, fw::bvNone, fw::bsSingle, L"PANEL_LOW"},
        {fw::bvNone, fw::bvRaised, fw::bsNone, L"CHECKBOX"},
        {fw::bvSpace, fw::bvNone, fw::bsSingle, L"PANEL_LOW"},
        {fw::bvSpace, fw::bvLowered, fw::bsNone, L"CHECKBOX"},
    };
    for (const Row& r : rows)
        EXPECT_STREQ(PanelSectionOf(r.outer, r.inner, r.border), r.section)
            << int(r.outer) << " " << int(r.inner) << " " << int(r.border);
}

TEST(GripPlace, BottomRightNeverOutside) {
    struct Row {
        SIZE wnd, image;
        int x, y;
    };
    const Row rows[] = {
        {{17, 17}, {12, 12}, 5, 5},  // the usual grip window
        {{12, 12}, {12, 12}, 0, 0},  // exactly the image
        {{8, 30}, {12, 12}, 0, 18},  // narrower than the image: from the left edge
        {{40, 5}, {12, 12}, 28, 0},  // lower than the image: from the top
        {{0, 0}, {12, 12}, 0, 0},
    };
    for (const Row& r : rows) {
        const fw::TPoint p = GripPlace(r.wnd, r.image);
        EXPECT_EQ(p.X, r.x) << r.wnd.cx << "x" << r.wnd.cy;
        EXPECT_EQ(p.Y, r.y) << r.wnd.cx << "x" << r.wnd.cy;
    }
}

TEST(SpinHalves, OddSizesShareTheMiddleLine) {
    struct Row {
        SIZE wnd;
        int offset;
        bool vertical;
        fw::TRect r1, r2;
    };
    const Row rows[] = {
        // 15 rows: 8 and 8, both holding row 7; the dialogs' offset of 2.
        {{17, 15}, 2, true, {2, 0, 17, 8}, {2, 7, 17, 15}},    {{17, 16}, 0, true, {0, 0, 17, 8}, {0, 8, 17, 16}},
        {{31, 12}, 5, false, {0, 0, 16, 12}, {15, 0, 31, 12}},  // the offset is for vertical spins only
        {{30, 12}, 0, false, {0, 0, 15, 12}, {15, 0, 30, 12}}, {{10, 1}, 0, true, {0, 0, 10, 1}, {0, 0, 10, 1}},
    };
    for (const Row& r : rows) {
        fw::TRect a, b;
        SpinHalves(r.wnd, r.offset, r.vertical, a, b);
        EXPECT_EQ(a, r.r1) << r.wnd.cx << "x" << r.wnd.cy;
        EXPECT_EQ(b, r.r2) << r.wnd.cx << "x" << r.wnd.cy;
    }
}

TEST(SpinHalves, HotAndPressedHalfFollowsTheCursor) {
    const fw::TRect v(100, 200, 117, 215);  // 15 rows on the screen
    const fw::TRect h(100, 200, 131, 212);
    struct Row {
        const fw::TRect* wnd;
        bool vertical;
        fw::TPoint cursor;
        bool pressed;
        int half, s1, s2;
    };
    const Row rows[] = {
        {&v, true, {105, 200}, false, 1, 1, 0}, {&v, true, {105, 207}, false, 1, 1, 0},  // the shared row: upper
        {&v, true, {105, 208}, false, 2, 0, 1}, {&v, true, {116, 214}, true, 2, 0, 2},
        {&v, true, {105, 215}, false, 0, 0, 0}, {&v, true, {99, 205}, true, 0, 0, 0},  // outside
        {&h, false, {115, 205}, true, 1, 2, 0}, {&h, false, {116, 205}, false, 2, 0, 1},
    };
    for (const Row& r : rows) {
        const int half = SpinHalfAt(*r.wnd, r.cursor, r.vertical);
        EXPECT_EQ(half, r.half) << r.cursor.X << "," << r.cursor.Y;
        int s1 = -1, s2 = -1;
        SpinStates(half, r.pressed, s1, s2);
        EXPECT_EQ(s1, r.s1) << r.cursor.X << "," << r.cursor.Y;
        EXPECT_EQ(s2, r.s2) << r.cursor.X << "," << r.cursor.Y;
    }
}

TEST(MDIThumbRelease, MovesByTheDifferenceOfPositions) {
    struct Row {
        const char* what;
        int nMin, nMax, nPage, nPos, draggedTo;
        int pos, shift;
    };
    const Row rows[] = {
        {"a click on the thumb moves nothing", -40, 300, 100, 25, 25, 25, 0},
        {"down from a negative minimum", -40, 300, 100, -40, 60, 60, -100},
        {"up", 0, 500, 120, 200, 150, 150, 50},
        {"past the last page: clamped", 0, 500, 120, 200, 480, 381, -181},
        {"before the minimum: clamped", -40, 300, 100, 0, -90, -40, 40},
        {"no page", 10, 50, 0, 10, 50, 50, -40},
    };
    for (const Row& r : rows) {
        SCROLLINFO si = {sizeof si, SIF_ALL, r.nMin, r.nMax, UINT(r.nPage), r.nPos, 0};
        const TacThumbRelease t = MDIThumbRelease(si, r.draggedTo);
        EXPECT_EQ(t.Pos, r.pos) << r.what;
        EXPECT_EQ(t.Shift, r.shift) << r.what;
    }
}

TEST(VirtualTreeBorder, NegativeFrameOfTheStyles) {
    const int dlg = GetSystemMetrics(SM_CXDLGFRAME), dlgY = GetSystemMetrics(SM_CYDLGFRAME);
    const int edge = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    struct Row {
        LONG style, ex;
        int cx, cy;
    };
    const Row rows[] = {
        {0, 0, 0, 0},
        {WS_BORDER, 0, -1, -1},
        {WS_THICKFRAME, 0, -dlg, -dlgY},
        {0, WS_EX_CLIENTEDGE, -edge, -edgeY},
        {WS_BORDER | WS_THICKFRAME, WS_EX_CLIENTEDGE, -1 - dlg - edge, -1 - dlgY - edgeY},
    };
    for (const Row& r : rows) {
        const SIZE s = BorderDimensionsOf(r.style, r.ex);
        EXPECT_EQ(s.cx, r.cx) << std::hex << r.style << " " << r.ex;
        EXPECT_EQ(s.cy, r.cy) << std::hex << r.style << " " << r.ex;
    }
}
