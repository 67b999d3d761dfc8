// The system title buttons: which skin image each one uses, where it lies
// (right to left from the title's right end) and how it is drawn into the
// window image. Placing is geometry and needs no window; drawing needs only
// the image.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

// Chooses the images of the four buttons and their hit codes: the big set
// for bsSingle and bsSizeable forms, else the small one; the big set when the
// skin has no close image of the chosen set.
void UpdateIconsIndexes(TTitleButtons& B, const TFrameState& S, const TFrameSkin& K);

// The image a button shows now: the restore image for the maximise button of
// a maximised form and for the minimise button of a minimised one.
int ShownImage(const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S, const TFrameSkin& K);
// Whether the button answers clicks now.
bool ButtonEnabled(const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S);

// Places the buttons the form shows (State -1 for the others). A button whose
// image is missing keeps its rectangle and leaves the place to the next.
// Visible user buttons follow 8 pixels left of the system ones (with or
// without an image) and get the hit code HTUDBTN + their index.
void LayoutTitleButtons(TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K);

// Draws one shown button at its rectangle into Bmp.
void PaintTitleButton(fw::TBitmap* Bmp, const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S,
                      const TFrameSkin& K);
// A user button's image and glyph: the glyph centred, one pixel right and
// down when Pressed; a 32-bit glyph blends by its alpha, another shows
// through its bottom-left pixel's colour.
void PaintUserButton(fw::TBitmap* Bmp, const TUserTitleButton& U, const TTitleButtons& B, const TFrameState& S,
                     const TFrameSkin& K);
void PaintUserGlyph(fw::TBitmap* Bmp, const TUserTitleButton& U, const TFrameSkin& K, const TTitleButtons& B,
                    bool Pressed);
// Draws the shown buttons at their rectangles into Bmp (the window image):
// dimmed when normal and the form is inactive or the button disabled.
void PaintTitleButtons(fw::TBitmap* Bmp, const TTitleButtons& B, const TFrameState& S, const TFrameSkin& K);

class TsSkinData;

// The skin's glow size and margin of a minimise, maximise/restore or close
// button (the form's own or a maximised MDI child's); none for the others.
struct TButtonGlow {
    int Size = 0;
    int Margin = 0;
};
TButtonGlow ButtonGlowOf(int HitCode, const TsSkinData* D);

}  // namespace skin
