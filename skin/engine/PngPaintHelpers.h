// The few bitmap routines the PNG picture and the icon helpers draw with:
// working DIBs, the alpha copy of a 32-bit image onto a 24-bit bitmap, channel
// copies and a solid fill. They follow the painting layer's own rules and are
// kept private here (namespace skin::pngpaint) so that the painting layer's
// public versions can live beside them without clashing.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "skin/engine/sConst.h"

namespace skin::pngpaint {

// New DIBs of pf24bit / pf32bit, every pixel 0.
fw::TBitmap* CreateBmp24(int Width, int Height);
fw::TBitmap* CreateBmp32(int Width, int Height);

// Copies R2 of the 32-bit image Bmp2 onto R1 of Bmp1 by the image's alpha:
// d := (d * 256 + (s - d) * a) shr 8 with a the pixel's alpha, weakened by
// Blend percent; Color (not clNone) tints by the image's grey; see-through
// pixels (0x00FF00FF) show the parent (CI) when UpdateTrans; Reflected adds a
// fading mirror below R1. Bmp2 becomes pf32bit. A 24-bit Bmp1 is the
// intended destination; a 32-bit one keeps its alpha bytes.
void CopyBmp32(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI, bool UpdateTrans,
               fw::TColor Color, int Blend, bool Reflected);

// Byte Channel (0 blue .. 3 alpha) of each 32-bit pixel to or from the 8-bit
// bitmap, over Bmp32's size (and no further than Bmp8's).
void CopyChannel(fw::TBitmap* Bmp32, fw::TBitmap* Bmp8, int Channel, bool From32To8);

// Fills R with a solid brush of ColorToRGB(Color).
void FillDC(HDC DC, const fw::TRect& R, fw::TColor Color);

}  // namespace skin::pngpaint
