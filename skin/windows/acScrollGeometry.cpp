#include "skin/windows/acScrollGeometry.h"

#include <algorithm>
#include <climits>

#include "skin/engine/sConst.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sSkinImage.h"

namespace skin {

int Ac_GetDefaultMinThumbSize() { return 10; }

int SkinArrowLength(TsSkinManager* Manager, bool Vertical) {
    if (!Manager) return 0;
    const TConstantSkinData& cd = Manager->ConstData;
    if (!Manager->IsValidSkinIndex(cd.IndexScrollLeft) || !Manager->gd[size_t(cd.IndexScrollLeft)].ReservedBoolean)
        return 0;
    const int m = Vertical ? cd.MaskScrollTop : cd.MaskScrollLeft;
    if (!Manager->IsValidImgIndex(m)) return 0;
    const TsMaskData& md = Manager->ma[size_t(m)];
    return Vertical ? md.R.Height() / (MaskTypeOf(md) + 1) : md.R.Width() / ImageCountOf(md);
}

int GetScrollMetric(const TacScrollBar& sBar, int Metric, bool UseSkin, TsSkinManager* Manager) {
    if (sBar.nBarType != SB_HORZ && sBar.nBarType != SB_VERT) return 0;
    if (Metric == 0) {
        if (sBar.nArrowLength >= 0) return sBar.nArrowLength;
        int L = acScrollBtnLength;
        if (UseSkin) L = std::max(L, SkinArrowLength(Manager, sBar.Vertical()));
        return -sBar.nArrowLength * L;
    }
    if (sBar.nArrowWidth >= 0) return sBar.nArrowWidth;
    return -sBar.nArrowWidth * GetSystemMetrics(sBar.Vertical() ? SM_CXVSCROLL : SM_CYHSCROLL);
}

int ShownThickness(const TacScrollBar& sBar) { return sBar.fScrollVisible ? GetScrollMetric(sBar, 1, false) : 0; }

int AC_GetHScrollRect(const fw::TRect& WindowRect, const TacFrameEdges& Edges, const TacScrollBar& Horz,
                      const TacScrollBar& Vert, fw::TRect& R) {
    R = WindowRect;
    R.Left += Edges.cxLeftEdge;
    R.Right -= Edges.cxRightEdge;
    if (Edges.fLeftScrollbar)
        R.Left += ShownThickness(Vert);
    else
        R.Right -= ShownThickness(Vert);
    const int ht = ShownThickness(Horz);
    R.Bottom -= Edges.cyBottomEdge;
    R.Top = R.Bottom - ht;
    return ht;
}

void AC_GetVScrollRect(const fw::TRect& WindowRect, const TacFrameEdges& Edges, const TacScrollBar& Horz,
                       const TacScrollBar& Vert, fw::TRect& R) {
    R = WindowRect;
    const int vt = ShownThickness(Vert);
    R.Top += Edges.cyTopEdge;
    R.Bottom -= ShownThickness(Horz) + Edges.cyBottomEdge;
    if (Edges.fLeftScrollbar) {
        R.Left += Edges.cxLeftEdge;
        R.Right = R.Left + vt;
    } else {
        R.Right -= Edges.cxRightEdge;
        R.Left = R.Right - vt;
    }
}

fw::TRect CornerRect(const fw::TRect& WindowRect, const TacFrameEdges& Edges, const TacScrollBar& Horz,
                     const TacScrollBar& Vert) {
    const int vt = ShownThickness(Vert);
    fw::TRect C;
    C.Bottom = WindowRect.Bottom - Edges.cyBottomEdge;
    C.Top = C.Bottom - ShownThickness(Horz);
    if (Edges.fLeftScrollbar) {
        C.Left = WindowRect.Left + Edges.cxLeftEdge;
        C.Right = C.Left + vt;
    } else {
        C.Right = WindowRect.Right - Edges.cxRightEdge;
        C.Left = C.Right - vt;
    }
    return C;
}

bool IsInParentCorner(const TacFrameEdges& Edges, const fw::TRect& R, bool HasParent, bool ParentIsTopLevel,
                      const fw::TRect& ParentClient) {
    if (!HasParent) return true;
    if (!ParentIsTopLevel) return false;
    if (R.Bottom + Edges.cyBottomEdge != ParentClient.Bottom) return false;
    return Edges.fLeftScrollbar ? R.Left - Edges.cxLeftEdge == ParentClient.Left
                                : R.Right + Edges.cxRightEdge == ParentClient.Right;
}

fw::TRect Ac_NCCalcRoom(const fw::TRect& Old, const fw::TRect& Default, LONG_PTR Style, TacFrameEdges& Edges,
                        TacScrollBar& Horz, TacScrollBar& Vert) {
    Edges.cxLeftEdge = Default.Left - Old.Left;
    Edges.cxRightEdge = Old.Right - Default.Right;
    Edges.cyTopEdge = Default.Top - Old.Top;
    Edges.cyBottomEdge = Old.Bottom - Default.Bottom;
    fw::TRect client = Default;

    Horz.fScrollFlags = (Style & WS_HSCROLL) ? sbfStyleShows : 0;
    const int ht = GetScrollMetric(Horz, 1, false);
    Horz.fScrollVisible = Horz.fScrollFlags == sbfStyleShows && client.Height() >= ht;
    if (Horz.fScrollVisible) client.Bottom -= ht;

    Vert.fScrollFlags = (Style & WS_VSCROLL) ? sbfStyleShows : 0;
    const int vt = GetScrollMetric(Vert, 1, false);
    Vert.fScrollVisible = Vert.fScrollFlags == sbfStyleShows && client.Width() >= vt;
    if (Vert.fScrollVisible) {
        if (Edges.fLeftScrollbar)
            client.Left += vt;
        else
            client.Right -= vt;
    }
    return client;
}

int Ac_NCHitTest(const fw::TRect& H, const fw::TRect& V, const fw::TRect& C, const TacScrollBar& Horz,
                 const TacScrollBar& Vert, bool HorzActive, bool VertActive, bool CornerIsParents, fw::TPoint P) {
    if (Horz.fScrollVisible && H.Contains(P)) return HorzActive ? HTHSCROLL : HTNOWHERE;
    if (Vert.fScrollVisible && V.Contains(P)) return VertActive ? HTVSCROLL : HTNOWHERE;
    if (CornerIsParents && Horz.fScrollVisible && Vert.fScrollVisible && C.Contains(P)) return HTBOTTOMRIGHT;
    return -1;
}

bool Ac_CalcThumbSize(const TacScrollBar& sBar, const fw::TRect& R, int& ThumbSize, int& ThumbPos) {
    const SCROLLINFO& si = sBar.ScrollInfo;
    const int A = GetScrollMetric(sBar, 0, false);
    const int Track = (sBar.Vertical() ? R.Height() : R.Width()) - 2 * A;
    const unsigned Range = unsigned(si.nMax) - unsigned(si.nMin);
    const bool huge = Range > unsigned(INT_MAX - 1);
    int Thumb;
    if (si.nPage == 0)
        Thumb = A;
    else if (!huge)
        Thumb = std::max(MulDiv(int(si.nPage), Track, int(Range) + 1), sBar.nMinThumbSize);
    else
        Thumb = 0;
    int Pos = 0;
    if (!huge) {
        const int Free = Track - Thumb;
        const long long divisor = (long long)Range - std::max<long long>(si.nPage, 1) + 1;
        Pos = divisor > 0 && divisor <= INT_MAX ? MulDiv(si.nPos - si.nMin, Free, int(divisor)) : 0;
        Pos = std::max(0, std::min(Pos, Free));
    }
    ThumbPos = A + (sBar.Vertical() ? R.Top : R.Left) + Pos;
    ThumbSize = Thumb;
    return true;
}

int Ac_GetScrollPortion(const TacScrollBar& sBar, const fw::TRect& R, int X, int Y) {
    // Along and across the bar.
    const bool v = sBar.Vertical();
    const int along = v ? Y : X, across = v ? X : Y;
    const int start = v ? R.Top : R.Left, end = v ? R.Bottom : R.Right;
    const int sideA = v ? R.Left : R.Top, sideB = v ? R.Right : R.Bottom;
    if (across < sideA || across > sideB - 1) return sbpNone;
    int A = GetScrollMetric(sBar, 0, false);
    const int W = end - start, Track = W - 2 * A;
    int Thumb, ThumbPos;
    Ac_CalcThumbSize(sBar, R, Thumb, ThumbPos);
    if (2 * A >= W) A = W / 2;
    if (along >= start && along <= start + A - 1) return sbpFirstArrow;
    if (along >= end - A && along <= end - 1) return sbpSecondArrow;
    if (Thumb >= Track) return sbpNone;
    if (along >= ThumbPos && along <= ThumbPos + Thumb - 1) return sbpThumb;
    if (along >= start + A && along <= ThumbPos - 1) return sbpPageBefore;
    if (along >= ThumbPos + Thumb && along <= end - A - 1) return sbpPageAfter;
    return sbpNone;
}

void Ac_GetRealScrollRect(const TacScrollBar& sBar, fw::TRect& R) {
    LONG& first = sBar.Vertical() ? R.Top : R.Left;
    LONG& last = sBar.Vertical() ? R.Bottom : R.Right;
    if (sBar.fButVisibleBefore) first += sBar.nButSizeBefore;
    if (sBar.fButVisibleAfter) last -= sBar.nButSizeAfter;
}

bool Ac_IsScrollInfoActive(const SCROLLINFO& si) {
    return unsigned(si.nMax) >= si.nPage && si.nMin < si.nMax && si.nMax != 0;
}

bool ScrollBarUsable(const TacScrollBar& sBar, bool Reported, bool Unavailable) {
    if (!Reported) return false;
    const WORD both = sbfFirstArrowDisabled | sbfSecondArrowDisabled;
    if ((sBar.fScrollFlags & both) == both) return false;
    if ((sBar.fScrollFlags & sbfKeepShown) && !Ac_IsScrollInfoActive(sBar.ScrollInfo)) return false;
    return !Unavailable;
}

int MaxScrollPos(const SCROLLINFO& si) {
    const long long top = (long long)si.nMax - std::max<long long>((long long)si.nPage - 1, 0);
    return int(std::max<long long>(si.nMin, top));
}

bool ApplyScrollInfo(SCROLLINFO& Stored, const SCROLLINFO& si, bool KeepShown) {
    if (si.fMask & SIF_RANGE) {
        Stored.nMin = si.nMin;
        Stored.nMax = si.nMax;
    }
    if (si.fMask & SIF_PAGE) {
        const long long span = (long long)Stored.nMax - Stored.nMin + 1;
        Stored.nPage = UINT(std::clamp<long long>(si.nPage, 0, std::max<long long>(span, 0)));
    }
    // The position stays inside what range and page leave, whatever changed.
    const int pos = (si.fMask & SIF_POS) ? si.nPos : Stored.nPos;
    Stored.nPos = std::clamp(pos, Stored.nMin, MaxScrollPos(Stored));
    if (KeepShown || (si.fMask & SIF_DISABLENOSCROLL)) return true;
    if (Stored.nPage > UINT(Stored.nMax)) return false;
    if (Stored.nPage == 0 && Stored.nMax == 0) return false;
    return Stored.nMax > Stored.nMin;
}

int ThumbTrackPosition(const SCROLLINFO& si, int Start, int TrackStart, int TrackEnd, int ThumbSize) {
    const long long free = (long long)TrackEnd - TrackStart - ThumbSize;
    const long long range = (long long)si.nMax - si.nMin;
    if (free <= 0 || range < 1) return si.nMin;
    const long long moved = std::clamp<long long>((long long)Start - TrackStart, 0, free);
    const long long span = range - std::max<long long>(si.nPage, 1) + 1;
    // MulDiv's rounding (half away from zero), without its 32-bit limits.
    const long long steps = span > 0 ? (moved * span + free / 2) / free : 0;
    return int(std::clamp<long long>(si.nMin + steps, si.nMin, MaxScrollPos(si)));
}

}  // namespace skin
