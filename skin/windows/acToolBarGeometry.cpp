#include "skin/windows/acToolBarGeometry.h"

#include <commctrl.h>

#include <vector>

namespace skin {

int ToolButtonState(BYTE State, bool CursorInside, int& Shift) {
    Shift = 0;
    if (!(State & TBSTATE_ENABLED)) return 0;
    if (State & TBSTATE_PRESSED) {
        Shift = 1;
        return 2;
    }
    return CursorInside ? 1 : 0;
}

fw::TRect ToolSeparatorRect(SIZE Cell) {
    const int left = Cell.cx / 2 - 1;
    return fw::TRect(left, 2, left + 4, Cell.cy - 2);
}

int ToolIconX(int CellWidth, int IconWidth, int ArrowWidth, int Shift) {
    return Shift + (CellWidth - (IconWidth + ArrowWidth)) / 2;
}

fw::TPoint ToolArrowPos(SIZE Cell, SIZE Arrow, int Shift) {
    return fw::TPoint(Cell.cx + Shift - Arrow.cx - 2, Shift + (Cell.cy - Arrow.cy) / 2);
}

fw::TRect ToolTextRect(SIZE Cell, int IconHeight, int Shift) {
    return fw::TRect(Shift + 2, Shift + 2 + (IconHeight > 0 ? IconHeight + 2 : 0), Cell.cx + Shift - 2,
                     Cell.cy + Shift - 2);
}

TacToolLabel SplitToolLabel(const fw::String& Text) {
    // Word starts: a character other than the space after a space or the start.
    std::vector<size_t> starts;
    for (size_t i = 0; i < Text.size(); ++i)
        if (Text[i] != L' ' && (i == 0 || Text[i - 1] == L' ')) starts.push_back(i);
    TacToolLabel l;
    if (starts.size() < 3) {
        l.First = Text;
        return l;
    }
    const size_t at = starts[starts.size() - 2];
    size_t end = at;
    while (end > 0 && Text[end - 1] == L' ') --end;  // the space in front of it
    l.TwoLines = true;
    l.First = Text.substr(0, end);
    l.Second = Text.substr(at);
    return l;
}

int ToolButtonStateOf(bool Marked, bool Indeterminate, bool Selected, bool Checked, bool AnyState, bool OnlyDisabled) {
    if (Marked || Indeterminate || Selected || Checked) return 2;
    return AnyState && !OnlyDisabled ? 1 : 0;
}

fw::TRect ToolCaptionRect(bool List, int Width, int Height, int ImageWidth, int ImageHeight, SIZE Text, int State) {
    fw::TRect R;
    if (List) {
        R = fw::TRect(ImageWidth > 0 ? ImageWidth + 6 : 1, 2, Width - 2, Height - 2);
    } else {
        int b, top;
        if (ImageHeight > 0) {
            b = (Height - ImageHeight - Text.cy - 3) / 2;
            top = b + ImageHeight + 3;
        } else {
            b = (Height - Text.cy) / 2;
            top = b;
        }
        R = fw::TRect((Width - Text.cx) / 2 - 1, top, Width - (Width - Text.cx) / 2 + 2, Height - b);
    }
    if (State == 2) fw::OffsetRect(R, 1, 1);
    return R;
}

fw::TRect StatusTextRect(fw::TRect Panel) {
    fw::InflateRect(Panel, -1, -1);
    Panel.Bottom -= 1;
    Panel.Left += 2;
    Panel.Right -= 4;
    return Panel;
}

fw::TRect WWComboButtonRect(bool ShowButton, SIZE Wnd, bool RightToLeft, int ButtonWidth) {
    const int w = ShowButton ? ButtonWidth : 0;
    const int left = RightToLeft ? 2 : Wnd.cx - w - 2;
    return fw::TRect(left, 2, left + w, Wnd.cy - 2);
}

}  // namespace skin
