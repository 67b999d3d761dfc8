// A draw grid on a shown form: cells under the mouse, the current cell moved
// by keys and clicks, SelectCell refusing a move, and cells painted by
// OnDrawCell over the default background.
#include <gtest/gtest.h>

#include "framework/windows/Grids.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

// 5 x 5 cells of 40 x 20 with one-pixel lines; row and column 0 fixed.
TDrawGrid* PutGrid(NativeForm& form) {
    TDrawGrid* grid = form.Put<TDrawGrid>(10, 10, 300, 200);
    grid->SetScrollBars(ssNone);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    return grid;
}

struct Veto {
    int col = -1, row = -1;
    void SelectCell(TObject*, int ACol, int ARow, bool& CanSelect) {
        if (ACol == col && ARow == row) CanSelect = false;
    }
};

}  // namespace

TEST(DrawGrid, MouseToCellAndCellRectAgreeIncludingTheLines) {
    NativeForm form;
    TDrawGrid* grid = PutGrid(form);
    EXPECT_EQ(WindowClass(grid->Handle()), L"TDrawGrid");
    struct Case {
        int x, y, col, row;
    } cases[] = {
        {0, 0, 0, 0},      {39, 19, 0, 0},   {40, 20, 0, 0},     // the lines belong to the cell before them
        {41, 21, 1, 1},    {204, 104, 4, 4}, {205, 50, -1, -1},  // right of the last column
        {50, 105, -1, -1},                                       // below the last row
    };
    for (const Case& k : cases) {
        int col = 99, row = 99;
        grid->MouseToCell(k.x, k.y, col, row);
        EXPECT_EQ(col, k.col) << k.x << "," << k.y;
        EXPECT_EQ(row, k.row) << k.x << "," << k.y;
    }
    EXPECT_EQ(grid->CellRect(2, 3), TRect(82, 63, 122, 83));
    // Without lines the cells touch.
    grid->SetOptions({});
    EXPECT_EQ(grid->CellRect(2, 3), TRect(80, 60, 120, 80));
    TGridCoord c = grid->MouseCoord(80, 60);
    EXPECT_EQ(c.X, 2);
    EXPECT_EQ(c.Y, 3);
}

TEST(DrawGrid, ArrowKeysAndClicksMoveTheCurrentCellUnlessSelectCellRefuses) {
    NativeForm form;
    TDrawGrid* grid = PutGrid(form);
    HWND h = grid->Handle();
    EXPECT_EQ(SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    int clicks = 0;
    struct Counter {
        int* n;
        void Click(TObject*) { ++*n; }
    } counter{&clicks};
    grid->OnClick = TNotifyEvent(&counter, &Counter::Click);
    Veto veto;
    grid->OnSelectCell = TSelectCellEvent(&veto, &Veto::SelectCell);

    struct Step {
        WORD key;
        int col, row;
    } steps[] = {
        {VK_RIGHT, 2, 1}, {VK_DOWN, 2, 2}, {VK_LEFT, 1, 2}, {VK_LEFT, 1, 2},  // the fixed column stops it
        {VK_UP, 1, 1},    {VK_UP, 1, 1},   {VK_END, 4, 1},  {VK_RIGHT, 4, 1}, {VK_HOME, 1, 1},
    };
    for (const Step& s : steps) {
        KeyDown(h, s.key);
        EXPECT_EQ(grid->Col(), s.col) << s.key;
        EXPECT_EQ(grid->Row(), s.row) << s.key;
    }
    EXPECT_EQ(clicks, 6);

    // The cell below is refused: Down leaves the current cell where it is.
    veto = {1, 2};
    KeyDown(h, VK_DOWN);
    EXPECT_EQ(grid->Row(), 1);
    // A click on a cell makes it current; on a fixed cell it does nothing.
    ClickAt(h, 130, 70);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
    ClickAt(h, 10, 70);
    EXPECT_EQ(grid->Col(), 3);
    ClickAt(h, 50, 50);  // (1, 2): refused
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_THROW(grid->MoveColRow(0, 1, true, true), EInvalidGridOperation);
    EXPECT_THROW(grid->MoveColRow(1, 5, true, true), EInvalidGridOperation);
}

TEST(DrawGrid, ShowingTheCurrentCellScrollsTheRows) {
    NativeForm form;
    TDrawGrid* grid = PutGrid(form);
    grid->SetRowCount(30);
    // 200 pixels hold the fixed row and 8 more whole rows of 21.
    for (int i = 0; i < 9; ++i) KeyDown(grid->Handle(), VK_DOWN);
    EXPECT_EQ(grid->Row(), 10);
    EXPECT_EQ(grid->TopRow(), 3);
    EXPECT_EQ(grid->CellRect(1, 10).Top, 21 * 8);
    EXPECT_TRUE(grid->CellRect(1, 2).IsEmpty());
    KeyDown(grid->Handle(), VK_PRIOR);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->TopRow(), 2);
}

TEST(DrawGrid, CellsArePaintedByOnDrawCellOverTheDefaultBackground) {
    NativeForm form;
    TDrawGrid* grid = PutGrid(form);
    grid->SetColor(clWhite);
    struct Painter {
        std::vector<TGridDrawState> states;
        void Draw(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State) {
            if (ACol == 2 && ARow == 2) {
                TCanvas* c = static_cast<TDrawGrid*>(Sender)->Canvas();
                c->Brush()->SetColor(clRed);
                c->FillRect(TRect(Rect.Left + 5, Rect.Top + 5, Rect.Right - 5, Rect.Bottom - 5));
            }
            if (ACol == 1 && ARow == 1) states.push_back(State);
            if (ACol == 0 && ARow == 0) states.push_back(State);
        }
    } painter;
    grid->OnDrawCell = TDrawCellEvent(&painter, &Painter::Draw);
    grid->Repaint();
    Pump(30);
    Capture cap = CaptureWindow(grid->Handle());
    // Client starts inside the 2-pixel edge.
    auto at = [&](int x, int y) { return cap.At(x + 2, y + 2); };
    EXPECT_EQ(at(41 * 2 + 20, 21 * 2 + 10), Rgb(clRed));
    EXPECT_EQ(at(41 * 2 + 2, 21 * 2 + 2), Rgb(clWhite));
    EXPECT_EQ(at(10, 10), Rgb(clBtnFace));
    EXPECT_EQ(at(40, 10), Rgb(clBlack));                    // a fixed cell's line
    EXPECT_EQ(at(41 * 3 - 1, 21 * 2 + 10), Rgb(clSilver));  // a scrollable cell's line
    ASSERT_GE(painter.states.size(), 2u);
    EXPECT_TRUE(painter.states[0].Contains(gdFixed));
    EXPECT_TRUE(painter.states[1].Contains(gdSelected));
    EXPECT_FALSE(painter.states[1].Contains(gdFixed));
    form.Screenshot(L"framework_drawgrid");
}
