// Painting a skinned form's window image: the form section's background and
// border, the title section, the icon, the bar behind the title buttons, the
// caption text, the title buttons and the size grip. Every routine draws into
// a bitmap from the frame's state, layout and skin; none needs a window.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sConst.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

// What the frame shows besides the skin.
struct TFrameContent {
    fw::String Caption;
    fw::TAlignment CaptionAlignment = fw::taLeftJustify;
    HICON Icon = nullptr;  // the title icon, drawn at the icon size (nil: none)
    // The provider's own title icon, drawn in the icon's place instead
    // (fuchsia shows the title; a 32-bit glyph blends by its alpha).
    fw::TBitmap* IconGlyph = nullptr;
    // When set, receives the title strip as it is before the buttons are
    // drawn on it, so one button can be repainted without the rest.
    fw::TBitmap* ButtonsBG = nullptr;
    // A second text after the caption, in its own font (a font colour of
    // clNone or clWindowText takes the title's).
    fw::String AddedTitle;
    fw::TFont* AddedFont = nullptr;
    // PaintFrame leaves the title (its section and items) out: the extended
    // draw mode paints the items apart (PaintFrameTitle) over its own frame.
    bool TitleApart = false;
    // What shows through the frame's see-through parts: for a form inside
    // another window, that window's background at the form's place.
    TCacheInfo Behind = EmptyCI;
};

// The caption text's rectangle for a text cx x cy: after the icon, before the
// title buttons, centred vertically in the title and aligned (with room for
// an added title AddedWidth wide after it); a centred text wider than the
// room starts at the room's left.
fw::TRect CaptionTextRect(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K, const TTitleButtons& B,
                          int cx, int cy, fw::TAlignment Alignment, int AddedWidth = 0);

// The size a title icon glyph is drawn in: the title icon's sizes, or where
// one is 0, the icon size rule for the header's height less 2.
fw::TSize TitleGlyphSize(const TFrameState& S, const TFrameMetrics& M);

// The window image's height: the window's, or for an iconic form the title's
// bottom plus 2.
int FrameImageHeight(const TFrameState& S, const TFrameMetrics& M);

// The whole window image into Cache (made 24-bit, CaptionWidth x
// FrameImageHeight). B is laid out again (its images chosen, its
// rectangles placed) on the way. GlowMask is the caption glow's mask the
// caller keeps between paintings (one for the active, one for the inactive
// look).
void PaintFrame(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K, TTitleButtons& B,
                const TFrameContent& C, fw::TBitmap*& GlowMask);

// The title's items over what Cache holds: icon, title bar, caption text
// and buttons (B laid out already, as PaintFrame leaves it).
void PaintFrameTitle(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                     TTitleButtons& B, const TFrameContent& C, fw::TBitmap*& GlowMask);

// The size grip in the window image's bottom-right corner, over what the
// image holds there.
void PaintGrip(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K);

// The window image onto the window's DC but for the client area, which lies
// at ClientAt in it (an iconic window has none): title, borders and grip
// corner, as a provider and a dialog wrapper show their frames.
void CopyFrameToWindow(HDC DC, fw::TBitmap* Cache, const TFrameState& S, fw::TPoint ClientAt);

}  // namespace skin
