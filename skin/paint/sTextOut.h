// Captions: plain text with the embossed disabled look, text in the font
// colours of a skin section (outlines, muted when disabled), the blurred
// glow behind a control's text, and the measuring helpers.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Types.h"

namespace skin {

class TsCommonData;

// Plain text; R returns as the text's box inflated by 1 (unless
// DT_WORDBREAK). Disabled: highlight at (1, 1), then shadow in place.
void WriteText(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags);
// The same on a DC in its current text colour.
void WriteTextOnDC(HDC DC, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags);

// Text in the colours of section SkinIndex of SkinManager (nil: the default
// manager): outlines left, up, right, down, then the main colour; disabled in
// 40 % font colour over the section colour. Nothing without a default
// manager or a valid section.
void WriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags, int SkinIndex,
                 bool Hot, fw::TObject* SkinManager = nullptr);
// Text of a control in the colours of its section (or of the parent section
// that gives it its font), with the section's glow into the control's cache.
void WriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags,
                 TsCommonData* SkinData, bool Hot);

void acWriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags,
                   TsCommonData* SkinData, bool Hot, fw::TObject* SkinManager = nullptr);
void acWriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags, int SkinIndex,
                   bool Hot, fw::TObject* SkinManager = nullptr);
void acWriteText(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags);
void acDrawText(HDC DC, const fw::String& Text, fw::TRect& R, unsigned Flags);
int acTextWidth(fw::TCanvas* Canvas, const fw::String& Text);
int acTextHeight(fw::TCanvas* Canvas, const fw::String& Text);
fw::TSize acTextExtent(fw::TCanvas* Canvas, const fw::String& Text);
void acTextRect(fw::TCanvas* Canvas, const fw::TRect& R, int X, int Y, const fw::String& Text);
// Text shortened from its end to fit MaxLength pixels with "..."; empty
// when not even one character fits.
fw::String CutText(fw::TCanvas* Canvas, const fw::String& Text, int MaxLength);

// A glow of GlowColor around the text shape into DstBmp (24- or 32-bit).
// MaskBmp (8-bit, the caller's) is rebuilt only when missing or of another
// size, so a mask of the right size is reused as it is.
void acDrawGlowForText(fw::TBitmap* DstBmp, const wchar_t* Text, fw::TRect R, unsigned Flags, unsigned Side,
                       int BlurSize, fw::TColor GlowColor, fw::TBitmap*& MaskBmp);

}  // namespace skin
