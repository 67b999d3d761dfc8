// Nine-part drawing of skin border images: corners copied once, edges and
// centre repeated (or, keyed with DrawMode bit 1, stretched) to any size.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sMaskData.h"

namespace skin {

// DrawMode bits of a border image.
constexpr int dmStretch = 1;     // keyed edges and centre stretched
constexpr int dmNoNormal = 2;    // nothing for state 0
constexpr int dmDrawCenter = 4;  // the centre, when the caller asks for filling

// The nine-part border sizes for a rectangle of Width x Height: shrunk
// evenly when the borders do not fit (the odd pixel from the right or bottom).
struct TNinePart {
    int wl, wt, wr, wb;
};
TNinePart ShrinkBorders(const TsMaskData& MaskData, int Width, int Height);

// State image State (clamped to the last) of MaskData over R of Bmp. CI is
// the background behind Bmp for the corners (UpdateCorners: their see-through
// pixels show it). SkinManager is not used: MaskData names its manager.
void DrawSkinRect(fw::TBitmap* Bmp, const fw::TRect& R, bool Filling, const TCacheInfo& CI, const TsMaskData& MaskData,
                  int State, bool UpdateCorners, fw::TObject* SkinManager = nullptr);
// Variant for master-bitmap images cut in equal thirds; border sizes ignored.
void DrawSmallSkinRect(fw::TBitmap* Bmp, const fw::TRect& R, bool Filling, const TCacheInfo& CI,
                       const TsMaskData& MaskData, int State);
// CopyMasterRect without background: see-through pixels are left.
void CopyMasterRectA(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp, const TCacheInfo& CI, const TsMaskData& MaskData);

}  // namespace skin
