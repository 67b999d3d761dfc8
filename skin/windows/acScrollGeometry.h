// The skinned scroll bars' model and geometry, apart from any window: the
// bar record, arrow length and thickness, the bar rectangles of a frame, the
// non-client room, hit tests, thumb size and place, the portion under a
// point, the stored scroll state and the position of a dragged thumb.
// Rectangles are screen (or any one) coordinates; nothing here touches a
// window, so every rule is tested from tables.
#pragma once

#include <windows.h>

#include "framework/rtl/Types.h"

namespace skin {

class TsSkinManager;

// Portions of a bar; the same numbers are the scroll codes sent for them.
enum : int {
    sbpNone = -1,
    sbpFirstArrow = 0,
    sbpSecondArrow = 1,
    sbpPageBefore = 2,
    sbpPageAfter = 3,
    sbpThumb = 5,
};

// fScrollFlags bits.
enum : WORD {
    sbfFirstArrowDisabled = 1,
    sbfSecondArrowDisabled = 2,
    sbfKeepShown = 4,
    sbfStyleShows = 8,
};

// One bar of a wrapped window.
struct TacScrollBar {
    WORD fScrollFlags = 0;
    bool fScrollVisible = false;  // the bar takes room in the frame
    SCROLLINFO ScrollInfo = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    int nArrowLength = -1;  // negative: a multiple of the system length
    int nArrowWidth = -1;   // negative: a multiple of the system thickness
    int nButSizeBefore = 0, nButSizeAfter = 0;
    bool fButVisibleBefore = false, fButVisibleAfter = false;
    WORD nBarType = SB_HORZ;
    WORD fFlatScrollbar = 0;
    int nMinThumbSize = 10;

    bool Vertical() const { return nBarType == SB_VERT; }
};

int Ac_GetDefaultMinThumbSize();

// Metric 0: arrow length (UseSkin: the left arrow section with its reserved
// flag lets the skin's arrow image make it longer); 1: thickness. Manager may
// be nil (no skin).
int GetScrollMetric(const TacScrollBar& sBar, int Metric, bool UseSkin, TsSkinManager* Manager = nullptr);
// The arrow length the skin's arrow images ask for along a bar, 0 when the
// skin asks for none.
int SkinArrowLength(TsSkinManager* Manager, bool Vertical);

// The window's own border widths, learnt while the frame is calculated, and
// the side of the vertical bar.
struct TacFrameEdges {
    int cxLeftEdge = 0, cxRightEdge = 0, cyTopEdge = 0, cyBottomEdge = 0;
    bool fLeftScrollbar = false;
};

// Thickness a bar takes in the frame: 0 when it is not shown.
int ShownThickness(const TacScrollBar& sBar);

// Bar rectangles inside WindowRect; the result of the horizontal one is its thickness.
int AC_GetHScrollRect(const fw::TRect& WindowRect, const TacFrameEdges& Edges, const TacScrollBar& Horz,
                      const TacScrollBar& Vert, fw::TRect& R);
void AC_GetVScrollRect(const fw::TRect& WindowRect, const TacFrameEdges& Edges, const TacScrollBar& Horz,
                       const TacScrollBar& Vert, fw::TRect& R);
// The square between two shown bars.
fw::TRect CornerRect(const fw::TRect& WindowRect, const TacFrameEdges& Edges, const TacScrollBar& Horz,
                     const TacScrollBar& Vert);

// Whether R (the bottom corner of a window) touches the matching corner of
// ParentClient; only a top-level parent has such a corner (no parent: True).
bool IsInParentCorner(const TacFrameEdges& Edges, const fw::TRect& R, bool HasParent, bool ParentIsTopLevel,
                      const fw::TRect& ParentClient);

// The frame calculation: Old is the window rectangle, Default what the
// default calculation left as client without room for bars. Learns the edges,
// sets the bars' flags and visibility from Style and returns the client
// rectangle with the bars' room taken off.
fw::TRect Ac_NCCalcRoom(const fw::TRect& Old, const fw::TRect& Default, LONG_PTR Style, TacFrameEdges& Edges,
                        TacScrollBar& Horz, TacScrollBar& Vert);

// WM_NCHITTEST over the bars H, V and their corner square C: HTHSCROLL or
// HTVSCROLL over an active bar, HTNOWHERE over an inactive one,
// HTBOTTOMRIGHT over the square when CornerIsParents, else -1 (the message
// goes on).
int Ac_NCHitTest(const fw::TRect& H, const fw::TRect& V, const fw::TRect& C, const TacScrollBar& Horz,
                 const TacScrollBar& Vert, bool HorzActive, bool VertActive, bool CornerIsParents, fw::TPoint P);

// Thumb length and its start along the bar (R's coordinates).
bool Ac_CalcThumbSize(const TacScrollBar& sBar, const fw::TRect& R, int& ThumbSize, int& ThumbPos);
// The portion under (X, Y) of the bar in R.
int Ac_GetScrollPortion(const TacScrollBar& sBar, const fw::TRect& R, int X, int Y);
// R without the extra button areas.
void Ac_GetRealScrollRect(const TacScrollBar& sBar, fw::TRect& R);

bool Ac_IsScrollInfoActive(const SCROLLINFO& si);
// Whether a bar can be used, from what the system says of it: Reported False
// when no state could be read; Unavailable the system's "nothing to scroll".
bool ScrollBarUsable(const TacScrollBar& sBar, bool Reported, bool Unavailable);

// SetScrollInfo's rules on the stored state: the fields of si.fMask, the page
// limited to the range, the position clamped to what the page leaves.
// Answers whether the bar should be shown.
bool ApplyScrollInfo(SCROLLINFO& Stored, const SCROLLINFO& si, bool KeepShown);

// The highest position the page leaves.
int MaxScrollPos(const SCROLLINFO& si);
// The absolute position of a thumb dragged to Start in a track from
// TrackStart to TrackEnd (arrows off), clamped to nMin .. MaxScrollPos.
int ThumbTrackPosition(const SCROLLINFO& si, int Start, int TrackStart, int TrackEnd, int ThumbSize);

}  // namespace skin
