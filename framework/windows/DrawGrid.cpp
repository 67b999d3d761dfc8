// TCustomDrawGrid: the cell layout, the current cell and its moves, and
// painting cell by cell.
#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Grids.h"

namespace fw {

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
    colWidths_.assign(5, defaultColWidth_);
    rowHeights_.assign(5, defaultRowHeight_);
}

// ---- layout

void TCustomDrawGrid::SetColCount(int Value) {
    Value = std::max(Value, fixedCols_ + 1);
    colWidths_.resize(size_t(Value), defaultColWidth_);
    ClampCurrent();
}

void TCustomDrawGrid::SetRowCount(int Value) {
    Value = std::max(Value, fixedRows_ + 1);
    rowHeights_.resize(size_t(Value), defaultRowHeight_);
    ClampCurrent();
}

void TCustomDrawGrid::SetFixedCols(int Value) {
    if (Value < 0 || Value >= ColCount())
        throw EInvalidGridOperation(L"Fixed column count must be less than column count");
    fixedCols_ = Value;
    ClampCurrent();
}

void TCustomDrawGrid::SetFixedRows(int Value) {
    if (Value < 0 || Value >= RowCount()) throw EInvalidGridOperation(L"Fixed row count must be less than row count");
    fixedRows_ = Value;
    ClampCurrent();
}

void TCustomDrawGrid::SetDefaultColWidth(int Value) {
    defaultColWidth_ = Value;
    std::fill(colWidths_.begin(), colWidths_.end(), Value);
    Invalidate();
}

void TCustomDrawGrid::SetDefaultRowHeight(int Value) {
    defaultRowHeight_ = Value;
    std::fill(rowHeights_.begin(), rowHeights_.end(), Value);
    Invalidate();
}

void TCustomDrawGrid::SetColWidths(int Index, int Value) {
    colWidths_.at(size_t(Index)) = Value;
    Invalidate();
}

void TCustomDrawGrid::SetRowHeights(int Index, int Value) {
    rowHeights_.at(size_t(Index)) = Value;
    Invalidate();
}

void TCustomDrawGrid::SetGridLineWidth(int Value) {
    gridLineWidth_ = std::max(0, Value);
    Invalidate();
}

void TCustomDrawGrid::SetOptions(TGridOptions Value) {
    options_ = Value;
    Invalidate();
}

void TCustomDrawGrid::SetFixedColor(TColor Value) {
    fixedColor_ = Value;
    Invalidate();
}

void TCustomDrawGrid::SetTopRow(int Value) {
    topRow_ = std::clamp(Value, fixedRows_, RowCount() - 1);
    Invalidate();
}

void TCustomDrawGrid::SetLeftCol(int Value) {
    leftCol_ = std::clamp(Value, fixedCols_, ColCount() - 1);
    Invalidate();
}

// The current cell, the anchor and the first scrollable cells stay inside
// the scrollable part when the counts change.
void TCustomDrawGrid::ClampCurrent() {
    col_ = std::clamp(col_, fixedCols_, ColCount() - 1);
    row_ = std::clamp(row_, fixedRows_, RowCount() - 1);
    anchor_ = {col_, row_};
    leftCol_ = std::clamp(leftCol_, fixedCols_, ColCount() - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, RowCount() - 1);
    Invalidate();
}

int TCustomDrawGrid::ColLine(int ACol) const {
    return options_.Contains(ACol < fixedCols_ ? goFixedVertLine : goVertLine) ? gridLineWidth_ : 0;
}

int TCustomDrawGrid::RowLine(int ARow) const {
    return options_.Contains(ARow < fixedRows_ ? goFixedHorzLine : goHorzLine) ? gridLineWidth_ : 0;
}

std::vector<int> TCustomDrawGrid::VisibleCols() const {
    std::vector<int> cols;
    for (int c = 0; c < fixedCols_; ++c) cols.push_back(c);
    for (int c = leftCol_; c < ColCount(); ++c) cols.push_back(c);
    return cols;
}

std::vector<int> TCustomDrawGrid::VisibleRows() const {
    std::vector<int> rows;
    for (int r = 0; r < fixedRows_; ++r) rows.push_back(r);
    for (int r = topRow_; r < RowCount(); ++r) rows.push_back(r);
    return rows;
}

TRect TCustomDrawGrid::CellRect(int ACol, int ARow) {
    TRect client = ClientRect();
    int x = 0, y = 0;
    bool found = false;
    for (int c : VisibleCols()) {
        if (c == ACol) {
            found = true;
            break;
        }
        x += ColWidths(c) + ColLine(c);
    }
    if (!found || x >= client.Right) return TRect();
    found = false;
    for (int r : VisibleRows()) {
        if (r == ARow) {
            found = true;
            break;
        }
        y += RowHeights(r) + RowLine(r);
    }
    if (!found || y >= client.Bottom) return TRect();
    return TRect(x, y, x + ColWidths(ACol), y + RowHeights(ARow));
}

void TCustomDrawGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
    TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
}

TGridCoord TCustomDrawGrid::MouseCoord(int X, int Y) {
    TGridCoord cell;
    int x = 0;
    for (int c : VisibleCols()) {
        int next = x + ColWidths(c) + ColLine(c);
        if (X >= x && X < next) cell.X = c;
        x = next;
    }
    int y = 0;
    for (int r : VisibleRows()) {
        int next = y + RowHeights(r) + RowLine(r);
        if (Y >= y && Y < next) cell.Y = r;
        y = next;
    }
    // A point on no column or no row is on no cell.
    if (cell.X < 0 || cell.Y < 0) cell = TGridCoord();
    return cell;
}

TGridRect TCustomDrawGrid::Selection() const {
    if (options_.Contains(goRowSelect)) return TGridRect(fixedCols_, row_, ColCount() - 1, row_);
    return TGridRect(std::min(anchor_.X, col_), std::min(anchor_.Y, row_), std::max(anchor_.X, col_),
                     std::max(anchor_.Y, row_));
}

// ---- the current cell

int TCustomDrawGrid::FittingRows(int First) {
    int room = ClientHeight();
    for (int r = 0; r < fixedRows_; ++r) room -= RowHeights(r) + RowLine(r);
    int n = 0;
    for (int r = First; r < RowCount() && room >= RowHeights(r); ++r, ++n) room -= RowHeights(r) + RowLine(r);
    return std::max(1, n);
}

int TCustomDrawGrid::FittingCols(int First) {
    int room = ClientWidth();
    for (int c = 0; c < fixedCols_; ++c) room -= ColWidths(c) + ColLine(c);
    int n = 0;
    for (int c = First; c < ColCount() && room >= ColWidths(c); ++c, ++n) room -= ColWidths(c) + ColLine(c);
    return std::max(1, n);
}

void TCustomDrawGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
    if (ACol < fixedCols_ || ACol >= ColCount() || ARow < fixedRows_ || ARow >= RowCount())
        throw EInvalidGridOperation(L"Grid index out of range");
    if (!SelectCell(ACol, ARow)) return;
    bool moved = ACol != col_ || ARow != row_;
    col_ = ACol;
    row_ = ARow;
    if (MoveAnchor || !options_.Contains(goRangeSelect)) anchor_ = {col_, row_};
    if (Show) {
        if (row_ < topRow_) topRow_ = row_;
        while (row_ >= topRow_ + FittingRows(topRow_)) ++topRow_;
        if (col_ < leftCol_) leftCol_ = col_;
        while (col_ >= leftCol_ + FittingCols(leftCol_)) ++leftCol_;
    }
    Invalidate();
    if (moved) Click();
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomDrawGrid::Dispatch(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTARROWS;
}

void TCustomDrawGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomGrid::KeyDown(Key, Shift);
    int c = col_, r = row_;
    bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
        case VK_LEFT:
            --c;
            break;
        case VK_RIGHT:
            ++c;
            break;
        case VK_UP:
            --r;
            break;
        case VK_DOWN:
            ++r;
            break;
        case VK_PRIOR:
            r -= FittingRows(topRow_);
            break;
        case VK_NEXT:
            r += FittingRows(topRow_);
            break;
        case VK_HOME:
            c = fixedCols_;
            if (ctrl) r = fixedRows_;
            break;
        case VK_END:
            c = ColCount() - 1;
            if (ctrl) r = RowCount() - 1;
            break;
        default:
            return;
    }
    c = std::clamp(c, fixedCols_, ColCount() - 1);
    r = std::clamp(r, fixedRows_, RowCount() - 1);
    if (c != col_ || r != row_) MoveColRow(c, r, !Shift.Contains(ssShift), true);
    Key = 0;
}

void TCustomDrawGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && CanFocus()) SetFocus();
    TGridCoord cell = MouseCoord(X, Y);
    if (Button == mbLeft && cell.X >= fixedCols_ && cell.Y >= fixedRows_)
        MoveColRow(cell.X, cell.Y, !Shift.Contains(ssShift), true);
    TCustomGrid::MouseDown(Button, Shift, X, Y);
}

// ---- painting

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomDrawGrid::PaintCell(int ACol, int ARow, const TRect& R) {
    TCanvas* canvas = Canvas();
    TGridDrawState state;
    bool fixed = ACol < fixedCols_ || ARow < fixedRows_;
    TGridRect sel = Selection();
    if (fixed)
        state.Include(gdFixed);
    else {
        if (ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom) state.Include(gdSelected);
        if (ACol == col_ && ARow == row_ && Focused()) state.Include(gdFocused);
    }
    if (defaultDrawing_) {
        // The focused cell shows as selected only when asked to.
        bool highlight =
            state.Contains(gdSelected) &&
            (!state.Contains(gdFocused) || options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect));
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(fixed ? fixedColor_ : highlight ? clHighlight : Color());
        canvas->Font()->SetColor(highlight ? clHighlightText : Font()->Color());
        canvas->FillRect(R);
    }
    DrawCell(ACol, ARow, R, state);
    if (defaultDrawing_ && state.Contains(gdFocused) && !options_.Contains(goRowSelect)) canvas->DrawFocusRect(R);
    // The lines right of and below the cell.
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(fixed ? clBlack : clSilver);
    int v = ColLine(ACol), h = RowLine(ARow);
    if (v) canvas->FillRect(TRect(R.Right, R.Top, R.Right + v, R.Bottom + h));
    if (h) canvas->FillRect(TRect(R.Left, R.Bottom, R.Right, R.Bottom + h));
}

void TCustomDrawGrid::Paint() {
    TCustomGrid::Paint();
    TRect client = ClientRect();
    int y = 0;
    for (int r : VisibleRows()) {
        if (y >= client.Bottom) break;
        int x = 0;
        for (int c : VisibleCols()) {
            if (x >= client.Right) break;
            PaintCell(c, r, TRect(x, y, x + ColWidths(c), y + RowHeights(r)));
            x += ColWidths(c) + ColLine(c);
        }
        y += RowHeights(r) + RowLine(r);
    }
}

}  // namespace fw
