// Where a form's menu line lies in its window image, and how many rows it
// takes: pure functions of the frame's state, tested without windows.
#pragma once

#include "framework/rtl/Types.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

// Rows of a menu line: one while the first item's bottom reaches the client's
// top (screen coordinates both), else one more for every row height the
// client starts lower.
int MenuLinesCount(int FirstItemBottom, int ClientTop, int RowHeight);

// The menu line's band in the window image: under the title, between the
// frame's side borders, down to the client's top (ClientTop, window
// coordinates, less the form's own BorderWidth). Empty without a menu line.
fw::TRect MenuLineRect(const TFrameState& S, const TFrameMetrics& M, int ClientTop);

// A menu-line item's rectangle (window coordinates) as a place in the menu
// line's own image (MenuLineRect's top-left is its origin).
fw::TPoint MenuLineItemOrigin(const fw::TRect& ItemRect, const TFrameState& S, const TFrameMetrics& M);

}  // namespace skin
