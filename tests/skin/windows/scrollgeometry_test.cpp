// Scroll-bar geometry from tables: the frame's room and bar rectangles (also
// with the bar on the left), hit tests, thumb size and place, the portion
// under a point, the stored scroll state, the position of a dragged thumb
// and the skin's arrow length.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "skin/engine/sConst.h"
#include "skin/engine/sSkinManager.h"
#include "skin/windows/acScrollGeometry.h"

using namespace skin;

namespace {

// A bar with fixed metrics: 16-pixel arrows, 17 thick.
TacScrollBar Bar(WORD Type, int Min, int Max, UINT Page, int Pos) {
    TacScrollBar b;
    b.nBarType = Type;
    b.nArrowLength = 16;
    b.nArrowWidth = 17;
    b.fScrollVisible = true;
    b.ScrollInfo = {sizeof(SCROLLINFO), SIF_ALL, Min, Max, Page, Pos, 0};
    return b;
}

SCROLLINFO Info(int Min, int Max, UINT Page, int Pos) { return {sizeof(SCROLLINFO), SIF_ALL, Min, Max, Page, Pos, 0}; }

}  // namespace

TEST(ScrollGeometry, ThumbSizeAndPlace) {
    struct Case {
        const char* what;
        WORD type;
        int min, max;
        UINT page;
        int pos;
        int size, at;
    };
    // A 200-pixel bar: a track of 168 between the arrows.
    const Case cases[] = {
        {"page 0: as long as an arrow", SB_HORZ, 0, 99, 0, 0, 16, 16},
        {"page 10 of 100 at the start", SB_HORZ, 0, 99, 10, 0, 17, 16},
        {"at the last position the thumb ends at the track's end", SB_HORZ, 0, 99, 10, 90, 17, 16 + 151},
        {"half way", SB_HORZ, 0, 99, 10, 45, 17, 16 + 76},
        {"a range not starting at 0", SB_HORZ, 50, 149, 10, 140, 17, 16 + 151},
        {"a page beyond the range fills more than the track", SB_HORZ, 0, 99, 500, 0, 840, 16},
        {"the smallest thumb", SB_HORZ, 0, 9999, 1, 0, 10, 16},
        {"a range too large: no thumb", SB_HORZ, INT_MIN, INT_MAX, 10, 0, 0, 16},
        {"a range too large with page 0", SB_HORZ, INT_MIN, INT_MAX, 0, 5, 16, 16},
        {"vertical", SB_VERT, 0, 99, 10, 90, 17, 16 + 151},
    };
    for (const Case& c : cases) {
        const TacScrollBar b = Bar(c.type, c.min, c.max, c.page, c.pos);
        const fw::TRect R = c.type == SB_VERT ? fw::TRect(0, 0, 17, 200) : fw::TRect(0, 0, 200, 17);
        int size = -1, at = -1;
        ASSERT_TRUE(Ac_CalcThumbSize(b, R, size, at));
        EXPECT_EQ(size, c.size) << c.what;
        EXPECT_EQ(at, c.at) << c.what;
    }
    // The place counts from the bar's own start.
    int size, at;
    Ac_CalcThumbSize(Bar(SB_VERT, 0, 99, 10, 0), fw::TRect(300, 40, 317, 240), size, at);
    EXPECT_EQ(at, 56);
}

TEST(ScrollGeometry, PortionUnderAPoint) {
    struct Case {
        const char* what;
        int length, page, pos, along, across, portion;
    };
    // Page 10 of 0..99: at position 0 the thumb covers 16..32, at 45 it starts at 92.
    const Case cases[] = {
        {"first arrow", 200, 10, 0, 0, 5, sbpFirstArrow},
        {"first arrow's last pixel", 200, 10, 0, 15, 5, sbpFirstArrow},
        {"thumb", 200, 10, 0, 16, 5, sbpThumb},
        {"thumb's last pixel", 200, 10, 0, 32, 5, sbpThumb},
        {"after the thumb", 200, 10, 0, 33, 5, sbpPageAfter},
        {"before the second arrow", 200, 10, 0, 183, 5, sbpPageAfter},
        {"second arrow", 200, 10, 0, 184, 5, sbpSecondArrow},
        {"second arrow's last pixel", 200, 10, 0, 199, 5, sbpSecondArrow},
        {"before the thumb", 200, 10, 45, 50, 5, sbpPageBefore},
        {"beyond the end", 200, 10, 0, 200, 5, sbpNone},
        {"beside the bar", 200, 10, 0, 100, 17, sbpNone},
        {"above the bar", 200, 10, 0, 100, -1, sbpNone},
        {"a page beyond the range: nothing but arrows", 200, 500, 0, 100, 5, sbpNone},
        {"shorter than two arrows: two halves", 20, 10, 0, 9, 5, sbpFirstArrow},
        {"shorter than two arrows: second half", 20, 10, 0, 10, 5, sbpSecondArrow},
    };
    for (const Case& c : cases) {
        const TacScrollBar h = Bar(SB_HORZ, 0, 99, UINT(c.page), c.pos), v = Bar(SB_VERT, 0, 99, UINT(c.page), c.pos);
        EXPECT_EQ(Ac_GetScrollPortion(h, fw::TRect(0, 0, c.length, 17), c.along, c.across), c.portion) << c.what;
        EXPECT_EQ(Ac_GetScrollPortion(v, fw::TRect(0, 0, 17, c.length), c.across, c.along), c.portion)
            << c.what << " (vertical)";
    }
}

TEST(ScrollGeometry, FrameRoomBarRectanglesAndHitTests) {
    // A 200 x 150 window with a 2-pixel border.
    const fw::TRect window(100, 100, 300, 250), inner(102, 102, 298, 248);
    struct Case {
        const char* what;
        LONG_PTR style;
        bool left;
        fw::TRect client, h, v, corner;
    };
    const Case cases[] = {
        {"both bars",
         WS_HSCROLL | WS_VSCROLL,
         false,
         {102, 102, 281, 231},
         {102, 231, 281, 248},
         {281, 102, 298, 231},
         {281, 231, 298, 248}},
        {"both bars, the vertical one on the left",
         WS_HSCROLL | WS_VSCROLL,
         true,
         {119, 102, 298, 231},
         {119, 231, 298, 248},
         {102, 102, 119, 231},
         {102, 231, 119, 248}},
        {"vertical only",
         WS_VSCROLL,
         false,
         {102, 102, 281, 248},
         {102, 248, 281, 248},
         {281, 102, 298, 248},
         {281, 248, 298, 248}},
        {"no bars", 0, false, {102, 102, 298, 248}, {102, 248, 298, 248}, {298, 102, 298, 248}, {298, 248, 298, 248}},
    };
    for (const Case& c : cases) {
        TacFrameEdges e;
        e.fLeftScrollbar = c.left;
        TacScrollBar h = Bar(SB_HORZ, 0, 99, 10, 0), v = Bar(SB_VERT, 0, 99, 10, 0);
        h.fScrollFlags = v.fScrollFlags = sbfFirstArrowDisabled | sbfStyleShows;
        EXPECT_EQ(Ac_NCCalcRoom(window, inner, c.style, e, h, v), c.client) << c.what;
        EXPECT_EQ(e.cxLeftEdge + e.cxRightEdge + e.cyTopEdge + e.cyBottomEdge, 8) << c.what;
        // The flags are the style's again.
        EXPECT_EQ(h.fScrollFlags, (c.style & WS_HSCROLL) ? sbfStyleShows : 0) << c.what;
        fw::TRect H, V;
        EXPECT_EQ(AC_GetHScrollRect(window, e, h, v, H), h.fScrollVisible ? 17 : 0) << c.what;
        AC_GetVScrollRect(window, e, h, v, V);
        const fw::TRect C = CornerRect(window, e, h, v);
        EXPECT_EQ(H, c.h) << c.what;
        EXPECT_EQ(V, c.v) << c.what;
        EXPECT_EQ(C, c.corner) << c.what;

        // Hit tests: a bar answers for itself, inactive it answers nowhere;
        // the square only in the parent's corner; the client goes on.
        if (h.fScrollVisible) {
            EXPECT_EQ(Ac_NCHitTest(H, V, C, h, v, true, true, false, fw::TPoint(H.Left, H.Top)), HTHSCROLL);
            EXPECT_EQ(Ac_NCHitTest(H, V, C, h, v, false, true, false, fw::TPoint(H.Left, H.Top)), HTNOWHERE);
        }
        if (v.fScrollVisible) {
            EXPECT_EQ(Ac_NCHitTest(H, V, C, h, v, true, true, false, fw::TPoint(V.Left, V.Bottom - 1)), HTVSCROLL);
        }
        EXPECT_EQ(Ac_NCHitTest(H, V, C, h, v, true, true, true, fw::TPoint(C.Left, C.Top)),
                  h.fScrollVisible ? HTBOTTOMRIGHT : -1)
            << c.what;
        EXPECT_EQ(Ac_NCHitTest(H, V, C, h, v, true, true, false, fw::TPoint(C.Left, C.Top)), -1) << c.what;
        EXPECT_EQ(Ac_NCHitTest(H, V, C, h, v, true, true, true, fw::TPoint(200, 150)), -1) << c.what;
    }

    // A client narrower or lower than a bar reserves nothing for it.
    TacFrameEdges e;
    TacScrollBar h = Bar(SB_HORZ, 0, 99, 10, 0), v = Bar(SB_VERT, 0, 99, 10, 0);
    EXPECT_EQ(Ac_NCCalcRoom(fw::TRect(0, 0, 14, 14), fw::TRect(2, 2, 12, 12), WS_HSCROLL | WS_VSCROLL, e, h, v),
              fw::TRect(2, 2, 12, 12));
    EXPECT_FALSE(h.fScrollVisible);
    EXPECT_FALSE(v.fScrollVisible);
}

TEST(ScrollGeometry, ParentCorner) {
    const fw::TRect parent(0, 0, 400, 300);
    TacFrameEdges e;
    e.cxLeftEdge = e.cxRightEdge = e.cyBottomEdge = 2;
    const fw::TRect square(381, 281, 398, 298), leftSquare(2, 281, 19, 298);
    EXPECT_TRUE(IsInParentCorner(e, square, true, true, parent));
    EXPECT_FALSE(IsInParentCorner(e, square, true, false, parent)) << "the parent is not top-level";
    EXPECT_TRUE(IsInParentCorner(e, square, false, false, parent)) << "no parent";
    EXPECT_FALSE(IsInParentCorner(e, fw::TRect(381, 280, 398, 297), true, true, parent));
    EXPECT_FALSE(IsInParentCorner(e, leftSquare, true, true, parent));
    e.fLeftScrollbar = true;
    EXPECT_TRUE(IsInParentCorner(e, leftSquare, true, true, parent));
    EXPECT_FALSE(IsInParentCorner(e, square, true, true, parent));
}

TEST(ScrollGeometry, StoredScrollState) {
    struct Case {
        const char* what;
        SCROLLINFO before, set;
        bool keep;
        int min, max;
        UINT page;
        int pos;
        bool shown;
    };
    const Case cases[] = {
        {"a position beyond what the page leaves",
         Info(0, 99, 10, 0),
         {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 200, 0},
         false,
         0,
         99,
         10,
         90,
         true},
        {"a position below the range",
         Info(10, 99, 10, 50),
         {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 5, 0},
         false,
         10,
         99,
         10,
         10,
         true},
        {"a page beyond the range",
         Info(0, 99, 10, 50),
         {sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 500, 0, 0},
         false,
         0,
         99,
         100,
         0,
         false},
        {"a smaller range keeps the position inside",
         Info(0, 99, 10, 90),
         {sizeof(SCROLLINFO), SIF_RANGE, 0, 49, 0, 0, 0},
         false,
         0,
         49,
         10,
         40,
         true},
        {"nothing to scroll",
         Info(0, 99, 10, 0),
         {sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0},
         false,
         0,
         0,
         10,
         0,
         false},
        {"page above the maximum",
         Info(0, 9, 10, 0),
         {sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 10, 0, 0},
         false,
         0,
         9,
         10,
         0,
         false},
        {"kept shown by the caller",
         Info(0, 0, 0, 0),
         {sizeof(SCROLLINFO), SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0},
         false,
         0,
         0,
         0,
         0,
         true},
        {"kept shown by the bar",
         Info(0, 0, 0, 0),
         {sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0},
         true,
         0,
         0,
         0,
         0,
         true},
    };
    for (const Case& c : cases) {
        SCROLLINFO s = c.before;
        EXPECT_EQ(ApplyScrollInfo(s, c.set, c.keep), c.shown) << c.what;
        EXPECT_EQ(s.nMin, c.min) << c.what;
        EXPECT_EQ(s.nMax, c.max) << c.what;
        EXPECT_EQ(s.nPage, c.page) << c.what;
        EXPECT_EQ(s.nPos, c.pos) << c.what;
    }
    EXPECT_TRUE(Ac_IsScrollInfoActive(Info(0, 99, 10, 0)));
    EXPECT_FALSE(Ac_IsScrollInfoActive(Info(0, 9, 10, 0)));
    EXPECT_FALSE(Ac_IsScrollInfoActive(Info(5, 5, 0, 0)));
    EXPECT_FALSE(Ac_IsScrollInfoActive(Info(-10, 0, 0, 0)));

    TacScrollBar b = Bar(SB_VERT, 0, 0, 0, 0);
    EXPECT_TRUE(ScrollBarUsable(b, true, false));
    EXPECT_FALSE(ScrollBarUsable(b, false, false)) << "no state read";
    EXPECT_FALSE(ScrollBarUsable(b, true, true)) << "the system: nothing to scroll";
    b.fScrollFlags = sbfKeepShown;
    EXPECT_FALSE(ScrollBarUsable(b, true, false)) << "kept shown, nothing to scroll";
    b.fScrollFlags = sbfFirstArrowDisabled | sbfSecondArrowDisabled;
    b.ScrollInfo = Info(0, 99, 10, 0);
    EXPECT_FALSE(ScrollBarUsable(b, true, false)) << "both arrows off";
}

// A dragged thumb gives absolute positions inside the range, the same rule
// for both bars.
TEST(ScrollGeometry, DraggedThumbPosition) {
    // The track between the arrows runs from 16 to 184; the thumb is 17 long.
    struct Case {
        const char* what;
        SCROLLINFO si;
        int start, pos;
    };
    const Case cases[] = {
        {"at the start", Info(0, 99, 10, 0), 16, 0},
        {"at the start of a range from 50", Info(50, 149, 10, 0), 16, 50},
        {"at the end", Info(0, 99, 10, 0), 167, 90},
        {"at the end of a range from 50", Info(50, 149, 10, 0), 167, 140},
        {"beyond the end", Info(0, 99, 10, 0), 400, 90},
        {"before the start", Info(0, 99, 10, 0), -30, 0},
        {"half way", Info(0, 99, 10, 0), 16 + 75, 45},
        {"page 0", Info(0, 99, 0, 0), 167, 99},
        {"negative range", Info(-100, -1, 10, 0), 167, -10},
        {"nothing to scroll", Info(7, 7, 0, 0), 100, 7},
        {"the widest range", Info(INT_MIN, INT_MAX, 0, 0), 167, INT_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(ThumbTrackPosition(c.si, c.start, 16, 184, 17), c.pos) << c.what;
    // A thumb filling the track stays at the start.
    EXPECT_EQ(ThumbTrackPosition(Info(3, 99, 10, 0), 50, 16, 184, 168), 3);
}

// The skin's arrow images lengthen the arrows only when the left arrow's
// section asks for it; image counts below 1 and mask types below 0 divide
// nothing.
TEST(ScrollGeometry, SkinnedArrowLength) {
    auto sm = std::make_unique<TsSkinManager>(nullptr);
    TsGeneralData left;
    left.ClassName = L"SCROLLBTNLEFT";
    left.ReservedBoolean = true;
    sm->gd = {left};
    TsMaskData arrowLeft, arrowTop;
    arrowLeft.R = fw::TRect(0, 0, 66, 20);  // three states of 22
    arrowLeft.ImageCount = 3;
    arrowTop.R = fw::TRect(0, 0, 60, 48);  // image and mask rows of 24
    arrowTop.ImageCount = 3;
    arrowTop.MaskType = 1;
    sm->ma = {arrowLeft, arrowTop};
    sm->ConstData.IndexScrollLeft = 0;
    sm->ConstData.MaskScrollLeft = 0;
    sm->ConstData.MaskScrollTop = 1;

    const int saved = acScrollBtnLength;
    acScrollBtnLength = 16;
    TacScrollBar h, v;
    v.nBarType = SB_VERT;
    EXPECT_EQ(GetScrollMetric(h, 0, true, sm.get()), 22);
    EXPECT_EQ(GetScrollMetric(v, 0, true, sm.get()), 24);
    EXPECT_EQ(GetScrollMetric(h, 0, false, sm.get()), 16) << "unskinned";
    h.nArrowLength = -2;
    EXPECT_EQ(GetScrollMetric(h, 0, true, sm.get()), 44) << "a multiple";
    h.nArrowLength = 5;
    EXPECT_EQ(GetScrollMetric(h, 0, true, sm.get()), 5) << "a fixed length";
    h.nArrowLength = -1;

    sm->ma[0].ImageCount = 0;
    EXPECT_EQ(GetScrollMetric(h, 0, true, sm.get()), 66) << "no image count: one image";
    sm->ma[1].MaskType = -1;
    EXPECT_EQ(GetScrollMetric(v, 0, true, sm.get()), 48) << "no mask row";
    sm->ma[0].R = fw::TRect(0, 0, 0, 20);
    EXPECT_EQ(GetScrollMetric(h, 0, true, sm.get()), 16) << "an empty image asks for nothing";
    sm->gd[0].ReservedBoolean = false;
    EXPECT_EQ(GetScrollMetric(v, 0, true, sm.get()), 16) << "the section does not ask";
    EXPECT_EQ(GetScrollMetric(v, 0, true, nullptr), 16) << "no manager";
    TacScrollBar other;
    other.nBarType = SB_CTL;
    EXPECT_EQ(GetScrollMetric(other, 0, true, sm.get()), 0);
    acScrollBtnLength = saved;
}
