// Grids: the base class, for code that tells a grid by its class and sets
// how it draws its fixed cells, and the grid of self-painted cells.
#pragma once

#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/windows/Controls.h"
#include "framework/windows/StdCtrls.h"

namespace fw {

// How a grid draws its fixed cells: classic, themed (classic here, where
// UseThemes() is False) or with a vertical gradient.
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

// A windowed control with scroll bars whose cells a subclass paints; the
// base paints its background in Color. Changing the drawing style or a
// gradient colour repaints it; changing ScrollBars makes the window again.
class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    String ClassName() const override { return L"TCustomGrid"; }

    TGridDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TGridDrawingStyle Value);
    // The gradient of gdsGradient, from the top of a fixed cell to its bottom.
    TColor GradientStartColor() const { return gradientStartColor_; }
    void SetGradientStartColor(TColor Value);
    TColor GradientEndColor() const { return gradientEndColor_; }
    void SetGradientEndColor(TColor Value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    TGridDrawingStyle drawingStyle_ = gdsThemed;
    TColor gradientStartColor_ = clWhite;
    TColor gradientEndColor_ = clBtnFace;
    TScrollStyle scrollBars_ = ssBoth;
};

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = Set<TGridOption>;
enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = Set<TGridDrawStateItem>;

struct TGridCoord {
    int X = -1;
    int Y = -1;
};
// Left/Right are columns, Top/Bottom rows, both ends inclusive.
using TGridRect = TRect;

using TDrawCellEvent = Method<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = Method<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

// A grid of cells the program paints (DrawCell, OnDrawCell), with fixed
// rows and columns at the top and left, a current cell (Col, Row) that
// the arrow keys, Home, End, Page Up/Down and a click move, and
// SelectCell able to refuse a move. The cell grid lives here rather than
// in TCustomGrid, whose own painting other code relies on. The scroll
// bars are not driven: the first scrollable row and column (TopRow,
// LeftCol) follow the current cell when a move asks to show it.
class TCustomDrawGrid : public TCustomGrid {
public:
    explicit TCustomDrawGrid(TComponent* AOwner);
    String ClassName() const override { return L"TCustomDrawGrid"; }

    int ColCount() const { return int(colWidths_.size()); }
    void SetColCount(int Value);
    int RowCount() const { return int(rowHeights_.size()); }
    void SetRowCount(int Value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int Value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int Value);
    // Setting a default size gives it to every column (row).
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int Value);
    int ColWidths(int Index) const { return colWidths_.at(size_t(Index)); }
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const { return rowHeights_.at(size_t(Index)); }
    void SetRowHeights(int Index, int Value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int Value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor Value);
    // Fills each cell's background (and the focus frame) before DrawCell.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value) { defaultDrawing_ = Value; }

    int Col() const { return col_; }
    void SetCol(int Value) { MoveColRow(Value, row_, true, true); }
    int Row() const { return row_; }
    void SetRow(int Value) { MoveColRow(col_, Value, true, true); }
    int TopRow() const { return topRow_; }
    void SetTopRow(int Value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int Value);
    TGridRect Selection() const;

    // Makes (ACol, ARow) the current cell unless SelectCell refuses;
    // MoveAnchor also makes it the selection's anchor, Show scrolls it into
    // view. A cell outside the scrollable cells raises EInvalidGridOperation.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    // The cell's rectangle in client coordinates without its grid lines;
    // empty when the cell is not on screen.
    TRect CellRect(int ACol, int ARow);
    // The cell under a client point, -1 for a coordinate on no cell.
    void MouseToCell(int X, int Y, int& ACol, int& ARow);
    TGridCoord MouseCoord(int X, int Y);

    void Dispatch(TMessage& Message) override;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;

protected:
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The columns (rows) on screen in order: the fixed ones, then from LeftCol (TopRow).
    std::vector<int> VisibleCols() const;
    std::vector<int> VisibleRows() const;
    int ColLine(int ACol) const;
    int RowLine(int ARow) const;
    // Scrollable rows (columns) that fit below (beside) the fixed ones from First on.
    int FittingRows(int First);
    int FittingCols(int First);
    void ClampCurrent();
    void PaintCell(int ACol, int ARow, const TRect& R);

    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    int col_ = 1;
    int row_ = 1;
    TGridCoord anchor_{1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
    String ClassName() const override { return L"TDrawGrid"; }
};

// A grid asked for a cell it does not have.
FW_EXCEPTION(EInvalidGridOperation, Exception);

}  // namespace fw
