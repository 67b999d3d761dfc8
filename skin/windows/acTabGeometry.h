// What a tab control's look is made of, without a window: the side the tabs
// sit on, the kind of tab, a tab's painted rectangle, the strip and the page
// area, a tab's row, the sections the skin paints them with, and where an
// image and the text go on a tab.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"
#include "framework/rtl/Types.h"

namespace skin {

// Where the tabs sit: 0 top, 1 bottom, 2 left, 3 right.
enum TacTabSide { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };
// What the tabs look like: 0 tabs, 1 buttons, 2 flat buttons.
enum TacTabLook { tlTabs = 0, tlButtons = 1, tlFlatButtons = 2 };

TacTabSide TabPositionOf(LONG Style);
TacTabLook TabStyleOf(LONG Style);

// The rectangle a tab is painted in, from its item rectangle R: tabs grow
// over the page edge (the active one most), buttons keep R.
fw::TRect SkinTabRectOf(fw::TRect R, bool Active, TacTabSide Side, TacTabLook Look);
// The page's client rectangle: the window's size as the control adjusts it
// for its pages (Adjusted), moved down 2 pixels.
fw::TRect TabClientRectOf(fw::TRect Adjusted);
// The strip the tabs stand on and the page area, from the client rectangle
// C; the whole window when there are no tabs.
fw::TRect TabsRectOf(fw::TRect C, SIZE Wnd, bool HasTabs, TacTabSide Side);
fw::TRect TabPageRectOf(fw::TRect C, SIZE Wnd, bool HasTabs, TacTabSide Side);
// The row (1 the outermost, drawn first) of a tab with rectangle T on a strip S of
// Rows rows.
int TabRowOf(fw::TRect T, fw::TRect S, int Rows, TacTabSide Side);

// The page's section: CHECKBOX without tabs, a section of the control's own
// other than PAGECONTROL, else PAGECONTROL of the side.
fw::String PageSectionName(bool HasTabs, const fw::String& OwnSection, TacTabSide Side);
// The tab's section: TOOLBUTTON for flat buttons, BUTTON for buttons, else
// TABTOP, TABBOTTOM, TABLEFT or TABRIGHT.
fw::String TabSectionName(TacTabLook Look, TacTabSide Side);
// The face a side tab's turned text is written in: a bitmap font cannot be
// turned, so MS Sans Serif becomes Arial.
fw::String TurnedFontFace(const fw::String& Face);

// Where an image (when HasImage) and the text go on a side tab with content
// rectangle C, icons of Icon size, text of length Len along it and Thick
// across it. The text point is where the turned text starts.
struct TacSideTabPlaces {
    fw::TPoint Image;
    fw::TPoint Text;
};
TacSideTabPlaces SideTabPlaces(fw::TRect C, TacTabSide Side, bool Active, bool HasImage, SIZE Icon, int Len, int Thick);

}  // namespace skin
