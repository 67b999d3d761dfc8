// Repeating a picture or a skin texture over an area. Textures of no width or
// height, and image counts under 1, draw nothing and leave the area to the
// caller (who fills it with the colour); nothing lands outside R.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "skin/engine/sMaskData.h"

namespace skin {

// (X, Y, Width, Height) lies inside the bitmap of the memory DC Dst, with
// no clipping and no moved origin: painted pixels there can be copied about.
bool CanCopyWithin(HDC Dst, int X, int Y, int Width, int Height);
// W x H pieces from (SrcX, SrcY) of Src over (X, Y, Width, Height) of Dst,
// the last column and row cut to fit; an empty piece draws nothing.
void TileRect(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int W, int H);

// A TBitmap or TJPEGImage repeated over R from its top-left; other graphics
// and empty ones draw nothing.
void TileBitmap(fw::TCanvas* Canvas, const fw::TRect& R, fw::TGraphic* Graphic);
// The texture MaskData.R (or Graphic when it has a picture) in FillMode; R
// becomes the part left uncovered, (-1, -1, -1, -1) for none.
void TileBitmap(fw::TCanvas* Canvas, fw::TRect& R, fw::TGraphic* Graphic, const TsMaskData& MaskData,
                TacFillMode FillMode);
// The first image of a masked skin image repeated over R of Bmp (fmTiled
// and fmDisTiled; other modes do nothing); R becomes (-1, -1, -1, -1).
void TileMasked(fw::TBitmap* Bmp, fw::TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, TacFillMode FillMode);
// MaskData.R of MaskData.Bmp repeated over R.
void TileBitmapFromOther(fw::TCanvas* Canvas, const fw::TRect& R, const TsMaskData& MaskData);

}  // namespace skin
