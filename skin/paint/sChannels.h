// Channel copies, nine-part frames from a template image, one state of a
// button glyph strip, frame fills and copies on DCs, and grey scale.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sBitmapBase.h"  // CopyChannel and FillDC live there

namespace skin {

// Byte Channel (0 blue .. 3 alpha) of every 32-bit SrcBmp pixel into DstBmp,
// over the size both have.
void CopyChannel32(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int Channel);

// SrcRect of SrcBmp as a frame over DstRect of DstBmp: corners, sides tiled
// (DrawModes 0) or stretched (1), the centre when DrawCenter. A side or centre
// whose template middle is empty is skipped (it has nothing to repeat).
void PaintControlByTemplate(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, const fw::TRect& DstRect,
                            const fw::TRect& SrcRect, const fw::TRect& BorderWidths, const fw::TRect& BorderMaxWidths,
                            const fw::TRect& DrawModes, bool StretchCenter, bool DrawCenter);

// One image of a glyph strip at R.TopLeft of DstBmp: normal, hot (1) or
// pressed (2, the Down image when the strip has it); disabled greyed and/or
// half blended. Another State, or a NumGlyphs under 1, draws image 0.
void DrawGlyphEx(fw::TBitmap* Glyph, fw::TBitmap* DstBmp, const fw::TRect& R, int NumGlyphs, bool Enabled,
                 TsDisabledGlyphKind DisabledGlyphKind, int State, int Blend, bool Down = false,
                 bool Reflected = false);

// A frame inside R with the given side widths, in ColorToRGB(Color).
void FillDCBorder(HDC DC, const fw::TRect& R, int Left, int Top, int Right, int Bottom, TColor Color);
// The same frame copied from SrcDC, each pixel from (x + SrcDX, y + SrcDY).
void BitBltFrame(HDC DstDC, const fw::TRect& R, int Left, int Top, int Right, int Bottom, HDC SrcDC, int SrcDX,
                 int SrcDY);
// The BorderWidth-wide frame of (X, Y, Width, Height) from SrcDC at (SrcX, SrcY).
void BitBltBorder(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int BorderWidth);

// The skinned splitter, which paints itself over its neighbours; known by
// its class name until the skinned controls exist here.
bool IsSkinSplitter(fw::TControl* Control);
// Excludes from DC's clipping the visible graphic children of Ctrl (not when
// StdTransparency, never a TsSplitter), each at its bounds + (OffsetX, OffsetY).
// CtrlType is not used.
void ExcludeControls(HDC DC, fw::TWinControl* Ctrl, TacCtrlType CtrlType, int OffsetX, int OffsetY);

// Blue, green and red each become (blue + green + red) div 3; alpha kept.
void GrayScale(fw::TBitmap* Bmp);
// The same for every pixel but those of TransColor.
void GrayScaleTrans(fw::TBitmap* Bmp, TsColor TransColor);

}  // namespace skin
