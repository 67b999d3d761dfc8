// Skin images: the value codes of the skin text that describe an image, and
// the sizes and border widths derived from an image entry. The loaders
// themselves (LoadAllMasks, LoadAllPatterns) are manager methods in
// sSkinImages.cpp.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"
#include "skin/engine/sMaskData.h"

namespace skin {

class TsSkinManager;

// Fills m from a master-bitmap value of code '@', '^' or '~'; false for any
// other value. Number fields go through StrToInt (a conversion error ends
// the load). Derived border widths never divide by zero.
bool ParseMasterCode(const fw::String& Value, TsMaskData& m);
// The older "#(l,t,r,b)(C,M,W,D)" form; false for anything else.
bool ParseLegacyRect(const fw::String& Value, TsMaskData& m);
// WL = WR = a third of a state image's width, WT = WB = of a row's height,
// with ImageCount taken as at least 1 and MaskType as at least 0.
void DeriveBorderWidths(TsMaskData& m, int Width, int Height);
// When no side width is given (all four 0): BorderWidth on every side, or
// else the widths derived from R.
void DeriveUnsetBorderWidths(TsMaskData& m);
// An image read from the skin must lie inside the bitmap it is cut from
// (Width x Height): a rectangle that reaches outside is cut to the bitmap;
// false (the image is refused) when nothing of it lies inside, or when it has
// more states than columns or more rows than pixels. Border widths are kept
// within the image. Painting then never builds a rectangle out of numbers
// that overflow.
bool FitImageToBitmap(TsMaskData& m, int Width, int Height);
// GLOBALINFO's MASTERBITMAP, VERSION, AUTHOR and DESCRIPTION are text, never
// an image or a picture file, whatever they hold.
bool IsDescriptiveValue(const fw::String& Section, const fw::String& Key);

SIZE MaskSize(const TsMaskArray& ma, int MaskIndex);
// These set an ImageCount of 0 in the table to 1 (left only, as the callers
// expect the table to be corrected once).
int MaskWidthLeft(TsMaskArray& ma, int MaskIndex);
int MaskWidthRight(const TsMaskArray& ma, int MaskIndex);
int MaskWidthTop(const TsMaskArray& ma, int MaskIndex);
int MaskWidthBottom(const TsMaskArray& ma, int MaskIndex);

}  // namespace skin
