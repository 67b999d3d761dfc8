// Skin images as the painting code sees them: the bitmap an image lies in,
// its geometry with a count and a mask type that are safe to divide by, and
// the masked copy of a piece of it (CopyMasterRect).
//
// The master bitmap is reached through
// acMasterBitmapOf when a test sets it, else the manager's MasterBitmap.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sMaskData.h"

namespace skin {

using TMasterBitmapOf = fw::TBitmap* (*)(fw::TObject* Manager);
// A test's master bitmap for a manager; null: the manager's own.
extern TMasterBitmapOf acMasterBitmapOf;

// The bitmap MaskData.R lies in: the image's own, else its manager's master
// bitmap; null without a manager.
fw::TBitmap* SkinImageBitmap(const TsMaskData& MaskData);

// Whether MaskData.R is a non-empty part of Bitmap. Painting builds its
// rectangles from R only then: R's numbers come from the skin, and sums of
// numbers far outside any bitmap wrap.
bool LiesInBitmap(const TsMaskData& MaskData, const fw::TBitmap* Bitmap);

// ImageCount at least 1 and MaskType at least 0: common-section images keep
// ImageCount 0 and MaskType -1 is legal, and both are divided by.
int ImageCountOf(const TsMaskData& MaskData);
int MaskTypeOf(const TsMaskData& MaskData);

// R2 of the skin image into R1 of Bmp through the mask HeightOf(MaskData.R)
// div 2 rows below R2: per channel d := ((d - s) * k + s * 256) shr 8.
// Fuchsia pixels show CI's bitmap (or its FillColor), or stay when CI is not
// ready and has no fill colour. Clipped to both bitmaps and the mask rows.
void CopyMasterRect(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp, const TCacheInfo& CI, const TsMaskData& MaskData);

}  // namespace skin
