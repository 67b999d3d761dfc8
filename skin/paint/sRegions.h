// Window regions from skin images: the see-through pixels of a picture
// collected as one-pixel-high runs, and a window rectangle minus those runs.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sMaskData.h"

namespace skin {

using TAOR = std::vector<fw::TRect>;

// Runs of fuchsia pixels of the two top (or bottom) corners of the first
// state image, for a window Width wide, the corners' first row at
// VertOffset. Pixels outside the image bitmap are never read.
void AddRgn(TAOR& AOR, int Width, const TsMaskData& MaskData, int VertOffset, bool Bottom);
// (X, Y, X + Width, Y + Height) minus every run moved by (X, Y); the caller
// owns the region.
HRGN GetRgnFromRuns(const TAOR& AOR, int X, int Y, int Width, int Height);
// Runs of TransColor pixels of the 24-bit Bmp, in its coordinates.
void AddRgnBmp(TAOR& AOR, fw::TBitmap* Bmp, TsColor TransColor);
// (0, 0, Width, Height) minus the runs of border image ma[ImageIndex]'s
// corners, the bottom ones at Height - WB; 0 when nothing is see-through.
HRGN GetRgnForMask(int ImageIndex, int Width, int Height, fw::TObject* SkinManager);
// Bmp's rectangle minus its TransColor pixels (made even when none is).
void GetRgnFromBmp(HRGN& Region, fw::TBitmap* Bmp, fw::TColor TransColor);

}  // namespace skin
