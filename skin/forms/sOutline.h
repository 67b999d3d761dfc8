// Outline moving and sizing (ResizeMode rmBorder): while the mouse drags the
// title or an edge, only an inverted rectangle follows it on the desktop's
// window DC; the form takes its new place once, when the button is released.
// One set of state for the whole program (GUI thread only), so one form at a
// time moves this way.
#pragma once

#include <windows.h>

#include "framework/rtl/Types.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

extern bool bInProcess;   // an outline move or resize is running
extern bool bCapture;     // the mouse was captured and has not moved since
extern bool bMode;        // True: moving; False: sizing
extern bool DoStartMove;  // cleared at every non-client double click
extern HWND deskwnd;      // the desktop window drawn on
extern HDC formDC;        // its window DC
extern int nDC;           // the DC's state saved before drawing
// The outline in screen coordinates, an MDI child's in its MDI client's
// (moving reads nleft/ntop with the form's size).
extern int nleft, ntop, nright, nbottom;
// The mouse position (screen) the outline last followed.
extern int nX, nY;
// The dragged edge: a sizing hit code HTLEFT..HTBOTTOMRIGHT; 0 = none.
extern int nDirection;
// The form's minimum size when sizing began.
extern int nMinWidth, nMinHeight;

// The outline of a form whose rectangle was Form (screen) when sizing began,
// after the mouse went (DX, DY) from where it started, dragging the edge or
// corner Direction. Left and top edges stop MinWidth / MinHeight before the
// opposite edge, right and bottom ones that far after it. Any code that is
// not a sizing one (0 among them) drags the bottom-right corner.
fw::TRect SizedOutline(const fw::TRect& Form, int Direction, int DX, int DY, int MinWidth, int MinHeight);

// What moves an MDI child's outline (kept where the child's place is, in
// its MDI client) onto the screen: the parent window's screen place, its
// client area's offset in the window (frame, title, menu lines and
// BorderWidth, as the parent is now), the MDI client's place in that client
// area and the client's sunken edge.
fw::TPoint MDIOutlineShift(const TFrameState& Parent, const TFrameMetrics& M, fw::TPoint ParentScreen,
                           fw::TPoint ClientInParent, int ClientEdge);

}  // namespace skin
