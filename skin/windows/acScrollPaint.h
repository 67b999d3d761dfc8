// Skinned scroll bars drawn into bitmaps, apart from any window: a bar from
// its two track halves, two arrows and the thumb, the square between two bars
// with the size grip, and a glyph centred in a part. The window side (which
// bar, which states, what lies behind) is worked out by the scroll wrapper.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sConst.h"
#include "skin/windows/acScrollGeometry.h"

namespace skin {

class TsSkinManager;

// How one bar looks: lengths along the bar, states 0 normal, 1 hot, 2 pressed.
struct TacBarLook {
    bool Vertical = false;
    int Length = 0;       // along the bar
    int Thickness = 0;    // across it
    int ArrowLength = 0;  // the skinned arrow length
    int ThumbPos = 0;     // from the bar's start
    int ThumbSize = 0;
    bool ShowThumb = false;
    int FirstArrowState = 0, SecondArrowState = 0, ThumbState = 0;
    int PressedPortion = sbpNone;  // a pressed page shows its track half pressed
    bool Active = true;            // false: blended with the background
};

// The look of Bar drawn Length x Thickness: the thumb from the scroll state
// (or at ThumbPos when it is not -1), the part Pressed (-1 none) pressed and,
// unless pressed, the part Hover (-1 none) hot. Arrows and thumb react only
// when Active.
TacBarLook BarLookOf(const TacScrollBar& Bar, int Length, int Thickness, TsSkinManager* Manager, int Pressed, int Hover,
                     bool Active, int ThumbPos = -1);

// The bar into Bmp (Length x Thickness, rotated for a vertical bar) over BG:
// the background at the bar's top-left (a ready cache with X, Y, else its
// fill colour). Answers false when the skin has no track section (Bmp is
// left as it was).
bool PaintScrollBar(fw::TBitmap* Bmp, const TacBarLook& Look, TsSkinManager* Manager, const TCacheInfo& BG);

// The square between two bars: the background, and the grip image of
// GLOBALINFO at its bottom-right when Grip.
void PaintScrollCorner(fw::TBitmap* Bmp, TsSkinManager* Manager, const TCacheInfo& BG, bool Grip);

// State State of image ImageIndex centred in R of Bmp; nothing for an invalid
// index or an image of no size.
void DrawCenteredGlyph(fw::TBitmap* Bmp, int ImageIndex, int State, const fw::TRect& R, TsSkinManager* Manager);

}  // namespace skin
