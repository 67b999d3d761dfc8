// What the list view's header decides and draws without a window: the state
// of each cell, the display order, the strip after the last cell, where text,
// sort arrow and image go, and a cell painted from the skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "skin/engine/sSkinManager.h"
#include "skin/windows/acHeaderPaint.h"
#include "skins/TestSkins.h"

using namespace skin;

namespace {

std::unique_ptr<TsSkinManager> LoadSkin(const wchar_t* Dir, const wchar_t* Name) {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->SetSkinDirectory(kvbskins::SkinsPath(Dir));
    m->SetSkinName(Name);
    return m;
}

COLORREF At(fw::TBitmap& B, int X, int Y) {
    const uint8_t* p = static_cast<const uint8_t*>(B.ScanLine(Y)) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

COLORREF SkinPixel(TsSkinManager* M, int Index, int State, int X, int Y) {
    const TsMaskData& m = M->ma[size_t(Index)];
    return At(*M->MasterBitmap, m.R.Left + State * WidthOfImage(m) + X, m.R.Top + Y);
}

// The box of pixels where A and B differ; empty when none.
RECT DiffBox(fw::TBitmap& A, fw::TBitmap& B) {
    RECT r{A.Width(), A.Height(), 0, 0};
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (At(A, x, y) != At(B, x, y)) {
                r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

const int kW = 140, kH = 22;

std::unique_ptr<fw::TBitmap> Cell(TsSkinManager* M, int State, const TacHeaderCell* C) {
    auto b = std::make_unique<fw::TBitmap>(kW, kH, fw::pf24bit);
    PaintHeaderCell(b.get(), M, State, C, fw::TPoint(0, 0), fw::clWindow, HFONT(GetStockObject(DEFAULT_GUI_FONT)),
                    nullptr, true);
    return b;
}

}  // namespace

TEST(HeaderCells, StateOrderAndTheStripAfterTheLastCell) {
    struct StateRow {
        int item, pressed, hover, want;
    } states[] = {
        {0, -1, -1, 0}, {1, -1, 1, 1},   {0, -1, 1, 0},  {1, 1, 1, 2},    {0, 1, 0, 0},  // a press wins over hover
        {2, 2, -1, 2},  {-2, -1, -2, 0}, {-2, 1, -1, 0}, {-1, -1, -1, 0},                // the strip and "none"
    };
    for (const StateRow& r : states)
        EXPECT_EQ(HeaderCellState(r.item, r.pressed, r.hover), r.want)
            << "item " << r.item << " pressed " << r.pressed << " hover " << r.hover;

    const std::vector<int> moved{2, 0, 1};
    struct OrderRow {
        int position;
        std::vector<int> order;
        int want;
    } orders[] = {
        {0, {}, 0}, {2, {}, 2}, {0, moved, 2}, {1, moved, 0}, {2, moved, 1}, {3, moved, -1}, {-1, moved, -1},
    };
    for (const OrderRow& r : orders) EXPECT_EQ(HeaderOrderItem(r.position, r.order), r.want) << r.position;

    EXPECT_EQ(HeaderTailRect(180, 300, 20), fw::TRect(180, 0, 300, 20));
    EXPECT_EQ(HeaderTailRect(0, 300, 20), fw::TRect(0, 0, 300, 20));
    for (int last : {300, 320}) {
        const fw::TRect t = HeaderTailRect(last, 300, 20);
        EXPECT_LE(t.Width(), 0) << last;
    }
}

TEST(HeaderCells, TextArrowAndImagePlacesByAlignment) {
    const SIZE cell{100, 20};  // text room (4, 1, 96, 19)
    const SIZE arrow{8, 4}, none{0, 0};
    struct Row {
        const char* what;
        int format, tw, io;
        SIZE arrow;
        int imageH, state;
        fw::TRect text;
        fw::TPoint arrowAt, imageAt;
    } rows[] = {
        {"left", HDF_LEFT, 30, 0, none, 0, 0, {4, 1, 34, 19}, {40, 9}, {4, 9}},
        {"left, arrow after the text", HDF_LEFT, 30, 0, arrow, 0, 0, {4, 1, 34, 19}, {40, 7}, {4, 9}},
        {"right, arrow at the edge", HDF_RIGHT, 30, 0, arrow, 0, 0, {52, 1, 82, 19}, {88, 7}, {52, 9}},
        {"centre", HDF_CENTER, 30, 0, none, 0, 0, {35, 1, 65, 19}, {71, 9}, {35, 9}},
        {"centre with arrow", HDF_CENTER, 30, 0, arrow, 0, 0, {28, 1, 58, 19}, {64, 7}, {28, 9}},
        {"left with image", HDF_LEFT, 30, 20, none, 16, 0, {24, 1, 54, 19}, {60, 9}, {4, 1}},
        {"pressed: text and image one down and right", HDF_LEFT, 30, 20, none, 16, 2, {25, 2, 55, 20}, {60, 9}, {5, 2}},
        {"pressed: the arrow stays", HDF_LEFT, 30, 0, arrow, 0, 2, {5, 2, 35, 20}, {40, 7}, {5, 10}},
        {"too wide, left: cut before the arrow", HDF_LEFT, 200, 0, arrow, 0, 0, {4, 1, 82, 19}, {88, 7}, {4, 9}},
        {"too wide, right", HDF_RIGHT, 200, 0, arrow, 0, 0, {4, 1, 82, 19}, {88, 7}, {4, 9}},
        {"too wide, centre", HDF_CENTER, 200, 0, arrow, 0, 0, {4, 1, 82, 19}, {88, 7}, {4, 9}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const TacHeaderLayout L = HeaderCellLayout(cell, r.format, r.tw, r.io, r.arrow, r.imageH, r.state);
        EXPECT_EQ(L.Text, r.text);
        if (r.arrow.cx) {
            EXPECT_EQ(L.Arrow, r.arrowAt);
        }
        if (r.io) {
            EXPECT_EQ(L.Image, r.imageAt);
        }
        // Nothing leaves the cell.
        EXPECT_LE(L.Text.Right, cell.cx - 4 + (r.state == 2 ? 1 : 0));
        if (r.arrow.cx) {
            EXPECT_LE(L.Arrow.X + r.arrow.cx, cell.cx - 4);
        }
    }
}

TEST(HeaderCells, PaintedFromTheSkinWithTextAndSortArrow) {
    auto sm = LoadSkin(L"default", L"Stillwater");
    TsSkinManager* M = sm.get();
    const int sec = M->GetSkinIndex(L"COLHEADER");
    ASSERT_GE(sec, 0);
    const int mask = M->GetMaskIndex(sec, L"COLHEADER", L"BORDERSMASK");
    ASSERT_GE(mask, 0);

    // The cell in each state: the section's border of that state.
    for (int state = 0; state < 3; ++state) {
        SCOPED_TRACE(state);
        fw::TBitmap b(kW, kH, fw::pf24bit);
        EXPECT_EQ(PaintHeaderCell(&b, M, state, nullptr, fw::TPoint(0, 0), fw::clWindow, nullptr, nullptr, true), sec);
        const bool border = state > 0 || !(M->ma[size_t(mask)].DrawMode & dmNoNormal);
        EXPECT_EQ(At(b, kW / 2, 0), border ? SkinPixel(M, mask, state, WidthOfImage(M->ma[size_t(mask)]) / 2, 0)
                                           : COLORREF(fw::ColorToRGB(M->gd[size_t(sec)].Color)));
    }

    // The sort arrows: the scroll buttons' glyphs, down before up.
    const int down = HeaderSortGlyph(M, HDF_SORTDOWN), up = HeaderSortGlyph(M, HDF_SORTUP);
    EXPECT_EQ(down, M->GetMaskIndex(M->ConstData.IndexScrollBottom, L"SCROLLBTNBOTTOM", L"GLYPHMASK"));
    EXPECT_EQ(up, M->GetMaskIndex(M->ConstData.IndexScrollTop, L"SCROLLBTNTOP", L"GLYPHMASK"));
    ASSERT_GE(down, 0);
    EXPECT_NE(up, down);
    EXPECT_EQ(HeaderSortGlyph(M, HDF_SORTDOWN | HDF_SORTUP), down);
    EXPECT_EQ(HeaderSortGlyph(M, HDF_LEFT), -1);
    EXPECT_EQ(HeaderSortGlyph(nullptr, HDF_SORTDOWN), -1);

    // Text where the layout puts it, the arrow right of it, both moved by a
    // press only as the layout says.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE ext{};
    GetTextExtentPoint32W(dc, L"Name", 4, &ext);
    SelectObject(dc, old);
    DeleteDC(dc);
    const TsMaskData& g = M->ma[size_t(down)];
    const SIZE aw{WidthOfImage(g), HeightOfImage(g)};
    TacHeaderCell plain{L"Name", HDF_LEFT, -1}, sorted{L"Name", HDF_LEFT | HDF_SORTDOWN, -1};
    RECT text1{};
    for (int state : {1, 2}) {
        SCOPED_TRACE(state);
        auto bg = Cell(M, state, nullptr), t = Cell(M, state, &plain), ta = Cell(M, state, &sorted);
        const RECT text = DiffBox(*bg, *t), arrowBox = DiffBox(*t, *ta);
        ASSERT_FALSE(IsEmpty(text));
        ASSERT_FALSE(IsEmpty(arrowBox));
        const TacHeaderLayout L = HeaderCellLayout({kW, kH}, sorted.Format, ext.cx + 5, 0, aw, 0, state);
        EXPECT_GE(text.left, L.Text.Left);
        EXPECT_LE(text.right, L.Text.Right);
        EXPECT_GE(text.top, L.Text.Top);
        EXPECT_LE(text.bottom, L.Text.Bottom);
        EXPECT_GE(arrowBox.left, L.Arrow.X);
        EXPECT_LE(arrowBox.right, L.Arrow.X + aw.cx);
        EXPECT_GE(arrowBox.top, L.Arrow.Y);
        EXPECT_LE(arrowBox.bottom, L.Arrow.Y + aw.cy);
        EXPECT_GE(arrowBox.left, text.right);  // right of the text
        if (state == 1) {
            text1 = text;
        } else {
            EXPECT_EQ(fw::TRect(text.left - 1, text.top - 1, text.right - 1, text.bottom - 1), fw::TRect(text1))
                << "pressed text";
        }
    }

    // A skin without COLHEADER paints its BUTTON section; one with neither
    // leaves the bitmap alone.
    auto t1 = LoadSkin(L"test", L"T1");
    ASSERT_LT(t1->GetSkinIndex(L"COLHEADER"), 0);
    fw::TBitmap b(kW, kH, fw::pf24bit);
    EXPECT_EQ(PaintHeaderCell(&b, t1.get(), 0, &plain, fw::TPoint(0, 0), fw::clWindow, nullptr, nullptr, true),
              t1->GetSkinIndex(L"BUTTON"));
    TsSkinManager empty(nullptr);
    fw::TBitmap e(kW, kH, fw::pf24bit);
    PatBlt(e.Canvas()->Handle(), 0, 0, kW, kH, WHITENESS);
    EXPECT_EQ(PaintHeaderCell(&e, &empty, 0, &plain, fw::TPoint(0, 0), fw::clWindow, nullptr, nullptr, true), -1);
    EXPECT_EQ(At(e, kW / 2, kH / 2), RGB(255, 255, 255));
}
