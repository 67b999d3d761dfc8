// The non-client hit test of a skinned form, a pure function of the frame's
// state and layout. 0, 1, 2 and 5 (nowhere, client, caption, menu) are the
// answers the window procedure leaves to the platform.
#pragma once

#include "skin/forms/sFrameGeometry.h"

namespace skin {

// The window-image point of a screen point.
fw::TPoint CursorToPoint(const TFrameState& S, int X, int Y);

// The title button at P (window coordinates): its hit code (that of a
// maximise or minimise button that does not work now is HTCAPTION); a
// disabled user button answers HTCLIENT, so it is neither hot nor pressed;
// 0 for no button.
int TitleButtonHitTest(const TFrameState& S, const TTitleButtons& B, fw::TPoint P);

// The hit code at P (window coordinates): title buttons first
// (TitleButtonHitTest), then
// the sizing edges of a sizeable frame (the right edge wins over the left),
// the caption band (HTSYSMENU on the icon), the client area with the size
// grip (also in the square between the form's own scroll bars), and the
// menu line.
int FrameHitTest(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K, const TTitleButtons& B,
                 fw::TPoint P);

}  // namespace skin
