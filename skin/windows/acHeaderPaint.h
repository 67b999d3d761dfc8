// The cells of a list view's column header drawn from the skin's "COLHEADER"
// section (the "BUTTON" section for skins without one): the cell in its
// state, the sort arrow, the text and the column's image. Everything here
// works on rectangles, items and bitmaps; the list-view wrapper reads the
// header window and hands the answers in.
#pragma once

#include <vector>

#include "framework/graphics/ImageList.h"
#include "skin/windows/acSkinServices.h"

namespace skin {

// What a header item holds for painting (HDM_GETITEMW).
struct TacHeaderCell {
    fw::String Text;
    int Format = 0;  // HDF_* bits
    int Image = -1;  // the column's image, -1 none
};

// The state a cell is painted in: with a pressed item, 2 for it and 0 for
// every other; else 1 for the item under the mouse. Item -2 (the area right
// of the last cell) and -1 (none) are never hot or pressed.
int HeaderCellState(int Item, int PressedItem, int HoverItem);
// The item shown at display position Position: the header's order array
// when it has one (columns reordered by dragging or by the program), else
// the position itself; -1 outside the array.
int HeaderOrderItem(int Position, const std::vector<int>& Order);
// The strip right of the last cell in a header Width x Height; empty when
// the cells fill the header.
fw::TRect HeaderTailRect(int LastRight, int Width, int Height);

// Where the parts of a cell go, in the cell's own coordinates.
struct TacHeaderLayout {
    fw::TRect Text;    // where the text is written
    fw::TPoint Arrow;  // the sort arrow's top-left (when there is one)
    fw::TPoint Image;  // the column image's top-left (when there is one)
};
// Cell is the cell's size; TextWidth the text's width; ImageOffset the room
// the column image takes left of the text (0 without); Arrow the sort
// arrow's size (0 x 0 without); ImageHeight the column image's height.
// A text too wide for the cell is cut at the cell's edge (it then ends in an
// ellipsis) so the arrow stays inside the cell.
TacHeaderLayout HeaderCellLayout(SIZE Cell, int Format, int TextWidth, int ImageOffset, SIZE Arrow, int ImageHeight,
                                 int State);
// The skin image of the sort arrow the format asks for (HDF_SORTDOWN: the
// down scroll button's glyph, HDF_SORTUP: the up one's); -1 for none.
int HeaderSortGlyph(TsSkinManager* M, int Format);

// One cell into all of Bmp in State: the section over BGColor (the cell's
// place Pos in the header), then, when Cell is given, the arrow, the text in
// Font (borrowed) and the image from Images (nil: none). Returns the section
// index painted, -1 when the skin has neither section.
int PaintHeaderCell(fw::TBitmap* Bmp, TsSkinManager* M, int State, const TacHeaderCell* Cell, fw::TPoint Pos,
                    fw::TColor BGColor, HFONT Font, fw::TCustomImageList* Images, bool Enabled);

}  // namespace skin
