// Mixing two images, or an image and a colour: with one weight (SumBitmaps,
// SumBmpRect), per pixel by a grey mask or an alpha (BlendBmpByMask,
// SumBitmapsByMask, SumByMask, SumByMaskWith32), or by soft-edged rings
// (FadeRect, FadeBmp). Sizes that do not match and empty areas do nothing;
// nothing is read or written outside a bitmap.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/engine/sConst.h"

namespace skin {

// SrcRect of Canvas to DstDC at DstPoint, tinted with Color: Transparency
// percent of the picture shows at the centre, the tint fading out over Blur
// pixels towards the edge of a rounded rectangle (corner Radius + Blur) or an ellipse.
void FadeRect(fw::TCanvas* Canvas, fw::TRect SrcRect, HDC DstDC, fw::TPoint DstPoint, int Transparency, TColor Color,
              int Blur, TsShadowingShape Shape, int Radius = 0);
// The same in place on R of Bmp, with a rounded rectangle whose outer ring is untinted.
void FadeBmp(fw::TBitmap* Bmp, fw::TRect R, int Transparency, TsColor Color, int Blur, int Radius);

// Per channel p := (c * 256 + (p - c) * m) shr 8 with m the mask byte (equal sizes only).
void BlendBmpByMask(fw::TBitmap* SrcBmp, fw::TBitmap* MskBmp, TsColor BlendColor);
// d := (d * A + s * (255 - A) + 127) shr 8, A the lowest byte of Alpha (equal sizes, equal formats).
void SumBitmaps(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, TsColor Alpha);
// SrcRect of SrcBmp blended into DstBmp at DstPoint, clipped to both.
void SumBmpRect(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, TsColor Alpha, fw::TRect SrcRect, fw::TPoint DstPoint);
// OutBmp (32-bit, alpha kept) := per channel (s2 * 256 + (s1 - s2) * m) shr 8,
// m the mask byte, or Percent (256ths of Src1) without a mask.
void SumBitmapsByMask(fw::TBitmap* OutBmp, fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* MskBmp, uint16_t Percent);
// Inside R: s1 := (s2 * 256 + (s1 - s2) * m) shr 8.
void SumByMask(fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* MskBmp, const fw::TRect& R);
// Inside R: the 32-bit Src2 over the 24-bit Src1 by its alpha, reduced by the
// mask's red byte (0 full alpha, 255 nothing).
void SumByMaskWith32(fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* MskBmp, const fw::TRect& R);

}  // namespace skin
