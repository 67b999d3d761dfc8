// Three bitmap transforms: a three-zone gradient (colour 1, the average,
// colour 2), quarter turns, and resampling with one of seven filters in two
// one-dimensional passes of 16.16 fixed-point weights.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sConst.h"

namespace skin {

enum TFilterType { ftBox, ftTriangle, ftHermite, ftBell, ftSpline, ftLanczos3, ftMitchell };

// R of Bmp (clipped; Bmp becomes pf24bit) from Color1 through AverageColor
// to Color2 in zones of Percent1 and Percent2 percent of Size (at least one
// pixel each), counted from R's own edges.
void GradientBmp(fw::TBitmap* Bmp, fw::TRect R, TsColor Color1, TsColor Color2, TGradientTypes GradientType,
                 int8_t Percent1, int8_t Percent2, int Size);

// A new bitmap of Bmp turned a quarter clockwise (CW) or counter-clockwise,
// alpha kept; null for formats other than pf24bit and pf32bit. KillSource
// frees Bmp and sets it to null in every case.
fw::TBitmap* MakeRotated90(fw::TBitmap*& Bmp, bool CW, bool KillSource);

// Dst becomes a Width x Height resampling of Src (pf32bit stays 32-bit,
// anything else works as pf24bit and Src is converted). Raises Exception
// "Source bitmap is too small" for a Src under 2 x 2. Source indexes are
// mirrored at the edges and then kept inside the source.
void Stretch(fw::TBitmap* Src, fw::TBitmap* Dst, int Width, int Height, TFilterType Filter);

}  // namespace skin
