#include "skin/windows/acScrollTrack.h"

#include <algorithm>

#include "skin/windows/acScrollPaint.h"

namespace skin {

TacScrollTracking acTracking;
int nLastSBPos = -1;
BOOL(WINAPI* acGetCursorPos)(LPPOINT) = &GetCursorPos;

namespace {

TacScrollTracking& t = acTracking;

fw::TRect ToWindow(HWND Handle, fw::TRect R) {
    RECT wr{};
    GetWindowRect(Handle, &wr);
    R.Left -= wr.left, R.Right -= wr.left, R.Top -= wr.top, R.Bottom -= wr.top;
    return R;
}

// One bar painted at once on the window, Pressed drawn pressed.
void RedrawBar(TacScrollWnd* sw, int nBar, int Pressed) {
    if (nBar != SB_HORZ && nBar != SB_VERT) return;
    HDC dc = GetWindowDC(sw->CtrlHandle);
    Ac_NCDrawScrollbar(sw, nBar, sw->CtrlHandle, dc, ToWindow(sw->CtrlHandle, BarScreenRect(sw, nBar)), Pressed, -1);
    ReleaseDC(sw->CtrlHandle, dc);
}

// The bar's rectangle without extra button areas.
fw::TRect RealRect(TacScrollWnd* sw, int nBar) {
    fw::TRect R = BarScreenRect(sw, nBar);
    Ac_GetRealScrollRect(*sw->Bar(nBar), R);
    return R;
}

void EndPress() {
    t.DownPortion = t.PressedPortion = -1;
    t.RepeatTimerId = 0;
    t.ScrollMsg = 0;
    t.PressedBar = -1;
    t.LastMovePortion = -2;
}

// The dragged bar in one piece, the thumb pressed at Start (screen).
void PaintDragged(TacScrollWnd* sw, int nBar, HWND Handle, int Start) {
    TacScrollBar* bar = sw->Bar(nBar);
    TsSkinManager* M = sw->SkinData ? sw->SkinData->GetSkinManager() : nullptr;
    const fw::TRect S = BarScreenRect(sw, nBar), R = ToWindow(Handle, S);
    const int length = bar->Vertical() ? R.Height() : R.Width(), thickness = bar->Vertical() ? R.Width() : R.Height();
    if (!M || length <= 1) return;
    const int local = Start - (bar->Vertical() ? S.Top : S.Left);
    TacBarLook look = BarLookOf(*bar, length, thickness, M, sbpThumb, -1, true, local);
    look.ShowThumb = look.ThumbSize > 0;
    HDC dc = GetWindowDC(Handle);
    DrawBarLook(sw, nBar, Handle, dc, R, look);
    ReleaseDC(Handle, dc);
}

}  // namespace

LRESULT Ac_NCMouseMove(TacScrollWnd* sw, HWND Handle, WPARAM HitCode, LPARAM LParam) {
    t.HotWnd = Handle;
    if (HitCode != HTHSCROLL && HitCode != HTVSCROLL)
        return sw->CallPrevWndProc(Handle, WM_NCMOUSEMOVE, HitCode, LParam);
    const int nBar = HitCode == HTHSCROLL ? SB_HORZ : SB_VERT;
    if (nBar != t.HoverBar) {
        t.LastHoverPortion = t.HoverPortion = -1;
        t.HoverRect = BarScreenRect(sw, nBar);
        t.HoverBar = nBar;
        t.HoverTimerId = SetTimer(Handle, acHoverTimer, 20, nullptr);
        Ac_NCPaint(sw, Handle, 1, 0, -1, nullptr);
    }
    // Over a bar the move stays here: the default handling would hot-track
    // the standard bar and draw it.
    return 0;
}

LRESULT Ac_NCLButtonDown(TacScrollWnd* sw, HWND Handle, WPARAM HitCode, LPARAM LParam) {
    const int X = short(LOWORD(LParam)), Y = short(HIWORD(LParam));
    t.HotWnd = Handle;
    if ((HitCode != HTHSCROLL && HitCode != HTVSCROLL) || !sw->sBarHorz || !sw->sBarVert) {
        t.DownPortion = -1;
        return sw->CallPrevWndProc(Handle, WM_NCLBUTTONDOWN, HitCode, LParam);
    }
    const int nBar = HitCode == HTHSCROLL ? SB_HORZ : SB_VERT;
    TacScrollBar& bar = *sw->Bar(nBar);
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (GetScrollInfo(Handle, nBar, &si)) bar.ScrollInfo = si;
    t.ScrollMsg = nBar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    t.PressedBar = nBar;
    fw::TRect R = BarScreenRect(sw, nBar);
    t.DownPortion = Ac_GetScrollPortion(bar, R, X, Y);
    t.LastMovePortion = -2;
    const bool active = Ac_IsScrollbarActive(sw, bar);
    switch (t.DownPortion) {
        case sbpFirstArrow:
        case sbpSecondArrow:
        case sbpPageBefore:
        case sbpPageAfter: {
            const WORD off = t.DownPortion == sbpFirstArrow    ? sbfFirstArrowDisabled
                             : t.DownPortion == sbpSecondArrow ? sbfSecondArrowDisabled
                                                               : 0;
            if ((bar.fScrollFlags & off) || !active) {
                EndPress();
                return 0;
            }
            t.PressedPortion = Ac_GetScrollPortion(bar, RealRect(sw, nBar), X, Y);
            RedrawBar(sw, nBar, t.PressedPortion);
            SendScrollMessage(Handle, t.ScrollMsg, t.DownPortion, 0);
            t.PressedPortion = t.DownPortion;
            t.RepeatTimerId = SetTimer(Handle, acFirstRepeatTimer, 300, nullptr);
            break;
        }
        case sbpThumb: {
            if (!active) {
                EndPress();
                return 0;
            }
            R = RealRect(sw, nBar);
            Ac_CalcThumbSize(bar, R, t.ThumbSize, t.ThumbPos0);
            t.TrackRect = R;
            sw->fThumbTracking = true;
            bar.ScrollInfo.nTrackPos = bar.ScrollInfo.nPos;
            t.ThumbMouseOffset = (bar.Vertical() ? Y : X) - t.ThumbPos0;
            nLastSBPos = bar.ScrollInfo.nPos;
            PaintDragged(sw, nBar, Handle, t.ThumbPos0);
            break;
        }
        default:
            EndPress();
            return sw->CallPrevWndProc(Handle, WM_NCLBUTTONDOWN, HitCode, LParam);
    }
    SetCapture(Handle);
    return 0;
}

LRESULT Ac_Timer(TacScrollWnd* sw, HWND Handle, WPARAM TimerId, LPARAM LParam) {
    switch (TimerId) {
        case acHoverTimer: {
            if (sw->fThumbTracking) return 0;
            POINT p{};
            acGetCursorPos(&p);
            if (t.HoverBar >= 0 && sw->Bar(t.HoverBar) && t.HoverRect.Contains(fw::TPoint(p.x, p.y))) {
                t.HoverPortion = Ac_GetScrollPortion(*sw->Bar(t.HoverBar), t.HoverRect, p.x, p.y);
                if (t.HoverPortion != t.LastHoverPortion) RedrawBar(sw, t.HoverBar, -1);
                t.LastHoverPortion = t.HoverPortion;
            } else {
                KillTimer(Handle, t.HoverTimerId);
                t.HoverTimerId = 0;
                t.HoverBar = t.LastHoverPortion = t.HoverPortion = -1;
                Ac_NCPaint(sw, Handle, 1, 0, -1, nullptr);
            }
            return 0;
        }
        case acFirstRepeatTimer:
            KillTimer(Handle, t.RepeatTimerId);
            t.RepeatTimerId = SetTimer(Handle, acRepeatTimer, 55, nullptr);
            return 0;
        case acRepeatTimer: {
            // Client coordinates keep their sign: a bar on the left lies at
            // negative x and must still be found under the cursor.
            POINT p{};
            acGetCursorPos(&p);
            ScreenToClient(Handle, &p);
            Ac_MouseMove(sw, Handle, 0, MAKELPARAM(WORD(short(p.x)), WORD(short(p.y))));
            if (t.PressedPortion != -1) {
                sw->DontRepaint = true;
                SendScrollMessage(Handle, t.ScrollMsg, t.PressedPortion, 0);
                sw->DontRepaint = false;
            }
            return 0;
        }
        default:
            return sw->CallPrevWndProc(Handle, WM_TIMER, TimerId, LParam);
    }
}

LRESULT Ac_MouseMove(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam) {
    POINT p{short(LOWORD(LParam)), short(HIWORD(LParam))};
    ClientToScreen(Handle, &p);
    if (sw->fThumbTracking) {
        Ac_ThumbTrack(sw, t.PressedBar, Handle, p.x, p.y);
        return 0;
    }
    if (t.DownPortion == -1) return sw->CallPrevWndProc(Handle, WM_MOUSEMOVE, WParam, LParam);
    if (t.DownPortion < 0 || t.DownPortion > sbpThumb || t.DownPortion == 4) return 0;
    const int nBar = t.PressedBar >= 0 ? t.PressedBar : SB_HORZ;
    if (!sw->Bar(nBar)) return 0;
    const int P = Ac_GetScrollPortion(*sw->Bar(nBar), RealRect(sw, nBar), p.x, p.y);
    t.PressedPortion = P == t.DownPortion ? P : -1;
    if (P != t.LastMovePortion) RedrawBar(sw, nBar, t.PressedPortion);
    t.LastMovePortion = P;
    return 0;
}

namespace {

// The press or drag in progress ends: the repeat stopped, the end sent, the
// state cleared, the bars drawn without a pressed part.
void FinishPress(TacScrollWnd* sw, HWND Handle) {
    const UINT msg = t.ScrollMsg;
    if (t.DownPortion >= sbpFirstArrow && t.DownPortion <= sbpPageAfter) {
        KillTimer(Handle, t.RepeatTimerId);
        sw->DontRepaint = true;
        SendScrollMessage(Handle, msg, SB_ENDSCROLL, 0);
        sw->DontRepaint = false;
    } else if (t.DownPortion == sbpThumb) {
        sw->DontRepaint = true;
        if (sw->fThumbTracking) {
            SendScrollMessage(Handle, msg, SB_THUMBPOSITION, nLastSBPos);
            sw->fThumbTracking = false;
        }
        SendScrollMessage(Handle, msg, SB_ENDSCROLL, nLastSBPos);
        sw->DontRepaint = false;
    }
    EndPress();
    Ac_NCPaint(sw, Handle, 1, 0, -1, nullptr);
}

}  // namespace

LRESULT Ac_LButtonUp(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam) {
    if (t.DownPortion == -1) return sw->CallPrevWndProc(Handle, WM_LBUTTONUP, WParam, LParam);
    // The press ends before the capture goes, so the WM_CAPTURECHANGED of
    // the release finds nothing left to end.
    FinishPress(sw, Handle);
    fw::TControl* owner = sw->SkinData ? sw->SkinData->FOwnerControl : nullptr;
    const bool droppedList = !owner && sw->IsDroppedList();
    if (!droppedList || sw->Tag == -1) ReleaseCapture();
    if (owner ? owner->ClassName() == L"TImageEnView" : !droppedList)
        return sw->CallPrevWndProc(Handle, WM_LBUTTONUP, WParam, LParam);
    return 0;
}

void Ac_CaptureChanged(TacScrollWnd* sw, HWND Handle, HWND NewCapture) {
    if (t.DownPortion != -1 && t.HotWnd == Handle && NewCapture != Handle) FinishPress(sw, Handle);
}

void Ac_ThumbTrack(TacScrollWnd* sw, int nBar, HWND Handle, int X, int Y) {
    TacScrollBar* bar = sw->Bar(nBar);
    if (!bar) return;
    const int A = GetScrollMetric(*bar, 0, false);
    const bool v = bar->Vertical();
    const int from = (v ? t.TrackRect.Top : t.TrackRect.Left) + A,
              to = (v ? t.TrackRect.Bottom : t.TrackRect.Right) - A;
    const int start = std::max(from, std::min((v ? Y : X) - t.ThumbMouseOffset, to - t.ThumbSize));
    const int pos = ThumbTrackPosition(bar->ScrollInfo, start, from, to, t.ThumbSize);
    if (pos != nLastSBPos) {
        bar->ScrollInfo.nTrackPos = pos;
        sw->DontRepaint = true;
        SendScrollMessage(Handle, t.ScrollMsg, SB_THUMBTRACK, pos);
        sw->DontRepaint = false;
    }
    nLastSBPos = pos;
    // After the message: the control may have drawn its own bar meanwhile.
    PaintDragged(sw, nBar, Handle, start);
}

LRESULT SendScrollMessage(HWND Handle, UINT ScrollMsg, int ScrollCode, int Pos) {
    const LPARAM C = LPARAM((ScrollMsg << 16) | LOWORD(ScrollCode));
    const WPARAM wp = MAKEWPARAM(WORD(ScrollCode), WORD(std::min(Pos, 0xFFFF)));
    if (SendAMessage(Handle, smcBeforeScroll, C) == 1) {
        SendMessageW(Handle, ScrollMsg, wp, Pos);
    } else {
        if (ScrollCode == SB_THUMBTRACK) {
            SCROLLINFO si = {sizeof si, SIF_POS, 0, 0, 0, Pos, 0};
            SetScrollInfo(Handle, ScrollMsg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si, FALSE);
        }
        SendMessageW(Handle, ScrollMsg, wp, 0);
    }
    return SendAMessage(Handle, smcAfterScroll, C);
}

}  // namespace skin
