// What a toolbar, status bar or grid-suite combo box decides without a
// window: a native button's state and content shift, where its icon, arrow,
// separator and label go, how a label splits over two lines, a framework
// button's state and caption place, a status panel's text place, and the
// combo box's button.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"
#include "framework/rtl/Types.h"

namespace skin {

// A native button's state from its TBSTATE_* bits: 0 disabled or normal, 2
// pressed (its content one pixel right and down: Shift 1), 1 under the
// cursor. Checked buttons look like the others.
int ToolButtonState(BYTE State, bool CursorInside, int& Shift);

// A separator's divider in a button cell of size Cell: 4 pixels wide, a
// little left of the middle, 2 pixels in from the top and bottom.
fw::TRect ToolSeparatorRect(SIZE Cell);
// The icon's left in a cell Width wide: centred, with the drop-down arrow's
// width beside it when there is one.
int ToolIconX(int CellWidth, int IconWidth, int ArrowWidth, int Shift);
// The whole-drop-down arrow's place in a cell of size Cell.
fw::TPoint ToolArrowPos(SIZE Cell, SIZE Arrow, int Shift);
// The label's rectangle below the icon (IconHeight 0: no icon).
fw::TRect ToolTextRect(SIZE Cell, int IconHeight, int Shift);

// A label of three words or more goes on two lines: all before the
// second-to-last word on the first, the last two words on the second.
struct TacToolLabel {
    bool TwoLines = false;
    fw::String First;
    fw::String Second;
};
TacToolLabel SplitToolLabel(const fw::String& Text);

// A framework tool button's state: 2 marked, indeterminate, selected or
// checked; 1 any other state but plain disabled; else 0.
int ToolButtonStateOf(bool Marked, bool Indeterminate, bool Selected, bool Checked, bool AnyState, bool OnlyDisabled);
// A framework tool button's caption rectangle in a button Width (less its
// drop-down part) x Height. List: right of the image (ImageWidth 0 for
// none); else under it (ImageHeight 0 for none), centred on the text's
// width Text.cx and height Text.cy; moved one pixel when pressed (State 2).
fw::TRect ToolCaptionRect(bool List, int Width, int Height, int ImageWidth, int ImageHeight, SIZE Text, int State);

// A status panel's text place inside its rectangle.
fw::TRect StatusTextRect(fw::TRect Panel);

// The drop-down button of a grid-suite combo box of size Wnd: ButtonWidth
// wide (none when it shows no button), 2 pixels in from the right edge (the
// left one when reading right to left).
fw::TRect WWComboButtonRect(bool ShowButton, SIZE Wnd, bool RightToLeft, int ButtonWidth);

}  // namespace skin
