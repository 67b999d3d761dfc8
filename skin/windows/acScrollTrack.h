// Mouse handling of skinned scroll bars: a press on an arrow or a page with
// its auto-repeat, a dragged thumb with live positions, the hot part under
// the mouse. One press or hover at a time for the whole program (the mouse
// capture holds it), so the state is shared by every wrapped window.
#pragma once

#include "skin/windows/acScrollWnd.h"

namespace skin {

// Timers on the wrapped window.
constexpr UINT_PTR acFirstRepeatTimer = 0xFFFD;  // 300 ms after a press
constexpr UINT_PTR acRepeatTimer = 0xFFFE;       // every 55 ms after it
constexpr UINT_PTR acHoverTimer = 0xFFF2;        // 20 ms while over a bar

struct TacScrollTracking {
    int PressedBar = -1;      // -1 none, SB_HORZ, SB_VERT
    int DownPortion = -1;     // the part the button went down on
    int PressedPortion = -1;  // DownPortion while the cursor is over it
    UINT ScrollMsg = 0;
    UINT_PTR RepeatTimerId = 0;
    HWND HotWnd = nullptr;
    int HoverBar = -1;
    int HoverPortion = -1;
    int LastHoverPortion = -1;
    UINT_PTR HoverTimerId = 0;
    fw::TRect HoverRect;
    int ThumbSize = 0;
    int ThumbPos0 = 0;
    fw::TRect TrackRect;
    int ThumbMouseOffset = 0;
    int LastMovePortion = -2;  // the part under the previous move of a press (-2: none yet)
};
extern TacScrollTracking acTracking;
// The last position sent while a thumb is dragged (absolute).
extern int nLastSBPos;
// Where the repeat and hover timers find the cursor (GetCursorPos; tests
// script it).
extern BOOL(WINAPI* acGetCursorPos)(LPPOINT);

LRESULT Ac_NCMouseMove(TacScrollWnd* sw, HWND Handle, WPARAM HitCode, LPARAM LParam);
LRESULT Ac_NCLButtonDown(TacScrollWnd* sw, HWND Handle, WPARAM HitCode, LPARAM LParam);
LRESULT Ac_Timer(TacScrollWnd* sw, HWND Handle, WPARAM TimerId, LPARAM LParam);
LRESULT Ac_MouseMove(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_LButtonUp(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam);
// The window lost the mouse capture to NewCapture: a press of its bars ends
// there as at a release, else nothing would stop the repeat.
void Ac_CaptureChanged(TacScrollWnd* sw, HWND Handle, HWND NewCapture);
// One drag step with the cursor at (X, Y) on the screen.
void Ac_ThumbTrack(TacScrollWnd* sw, int nBar, HWND Handle, int X, int Y);
// One scroll action to the window, between smcBeforeScroll and
// smcAfterScroll; Pos is absolute.
LRESULT SendScrollMessage(HWND Handle, UINT ScrollMsg, int ScrollCode, int Pos);

}  // namespace skin
