// Unscaled skin pictures: glyphs in their states, the disabled look of a
// finished control image, and the repair of a cache bitmap's corners so the
// rounded corners of its border image show the parent's background.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sMaskData.h"

namespace skin {

class TsCommonData;

enum TsCorner { scLeftTop, scLeftBottom, scRightTop, scRightBottom };
using TsCorners = fw::Set<TsCorner>;
constexpr TsCorners AllCorners{scLeftTop, scLeftBottom, scRightTop, scRightBottom};

// State image State (an unknown one: the last) of MaskData at P of Bmp.
// AddedTransparency 1 draws normally; another value more transparent.
void DrawSkinGlyph(fw::TBitmap* Bmp, fw::TPoint P, int State, int AddedTransparency, const TsMaskData& MaskData,
                   const TCacheInfo& CI);
// R2 of Bmp2 into R1 of Bmp1, both inclusive; keyed or through the mask row.
// Every read and write stays inside its bitmap.
void BlendGlyphByMask(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, fw::TColor TransColor,
                      int AddedTransparency, const TsMaskData& MaskData);
// Greyed and/or blended with the parent's background (CI, at Offset) or colour.
void BmpDisabledKind(fw::TBitmap* Bmp, TsDisabledKind DisabledKind, fw::TControl* Parent, const TCacheInfo& CI,
                     fw::TPoint Offset);
// The chosen corners of SkinData's cache: pixels see-through in the border
// image (state State) take the parent's background.
void UpdateCorners(TsCommonData* SkinData, int State, TsCorners Corners = AllCorners);
// The same for a cache Width x Height over Parent: a ready cache with the
// control at (X, Y) in it, or else its fill colour.
void UpdateCornersOver(TsCommonData* SkinData, int State, int Width, int Height, const TCacheInfo& Parent,
                       TsCorners Corners = AllCorners);
// In R of the 32-bit DstBmp, see-through pixels (fuchsia, or where corner
// Corner of image ma[MaskIndex] is fuchsia) take SrcBmp's from Offset on.
void FillTransPixels32(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, fw::TRect R, fw::TPoint Offset, int MaskIndex,
                       fw::TObject* SkinManager, unsigned Corner);

}  // namespace skin
