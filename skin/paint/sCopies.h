// Copies of skin images into cache bitmaps that let the parent's background
// show through: by a grey mask below the image (CopyByMask), by per-pixel alpha
// (CopyBmp32, in skin/engine/sBitmapBase.h), or by one key colour
// (CopyTransBitmaps, CopyTransRect, CopyTransRectA), and the half-transparent
// BlendTransRectangle and BlendTransBitmap.
//
// Every read and write stays inside its own bitmap, whatever the rectangles
// say, and pixels are written in the destination's own format: a 32-bit
// source never writes four bytes into a 24-bit row. Bitmaps of formats other
// than pf24bit and pf32bit are left alone.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "skin/engine/acPixelRows.h"  // MaskBlend and the row kernels
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sMaskData.h"

namespace skin {

// R2 of Bmp2 into R1 of Bmp1: a 24-bit image through its mask rows
// (Bmp2.Height div 2 below), a 32-bit image through its alpha. Fuchsia
// pixels show the parent (CI) when CI is ready and UpdateTrans.
void CopyByMask(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI,
                bool UpdateTrans);
// The same for a 24-bit skin image whose mask lies MaskData.R's height div 2 below.
void CopyByMask(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI,
                bool UpdateTrans, const TsMaskData& MaskData);

// All of SrcBmp at (X, Y) but its TransColor pixels; a 32-bit DstBmp gets alpha 255.
void CopyTransBitmaps(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, TsColor TransColor);
// SrcRect (inclusive) at (X, Y); TransColor pixels show the parent or CI.FillColor.
void CopyTransRect(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, fw::TRect SrcRect, TColor TransColor,
                   const TCacheInfo& CI, bool UpdateTrans);
// SrcRect (inclusive) at (X, Y), TransColor pixels left untouched; CI unused.
void CopyTransRectA(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, fw::TRect SrcRect, TColor TransColor,
                    const TCacheInfo& CI);
// Plain copy of SrcRect (its last row and column excluded) to (X, Y).
void CopyRect(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, fw::TRect SrcRect, TColor TransColor);
// SrcRect (inclusive) at (X, Y): d := Round(s - (s - d) * Blend), skipping
// TransColor pixels unless its highest byte is 0xFF; alpha bytes kept.
void BlendTransRectangle(fw::TBitmap* DstBmp, int X, int Y, fw::TBitmap* SrcBmp, fw::TRect SrcRect, double Blend,
                         TsColor TransColor);
// Every pixel but TransColor ones: p := Round(c + Blend * (p - c)).
void BlendTransBitmap(fw::TBitmap* Bmp, double Blend, TsColor Color, TsColor TransColor);

}  // namespace skin
