// A whole skin section painted into a rectangle: its background (sSectionBG),
// its border image (nine-part drawing) and its four corner images.
//
// CI is the background behind the item and pP the item's place in it (see
// sSectionBG). Every form returns without painting when R is empty or does
// not lie inside the bitmap, or when the section index is not valid.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sMaskData.h"

namespace skin {

class TsCommonData;

// Section SkinIndex of SkinManager (nil: the default manager) for State into
// R of ItemBmp: background, corner images, then the border image (its centre
// when Filling). BGIndex / BGHotIndex: texture images, -1 to look them up.
void PaintItem(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, bool Filling, int State,
               const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager, int BGIndex = -1,
               int BGHotIndex = -1);
// The same onto a DC, through a 24-bit bitmap of R's size.
void PaintItem(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, bool Filling, int State,
               const fw::TRect& R, fw::TPoint pP, HDC DC, fw::TObject* SkinManager);
// The form of the skinned controls: section, images and manager from
// SkinData; the border (with its see-through corners showing CI when
// FixCorners) and then the corner images. BGIndex and BGHotIndex are unused.
void PaintItem(TsCommonData* SkinData, const TCacheInfo& CI, bool Filling, int State, const fw::TRect& R, fw::TPoint pP,
               fw::TBitmap* ItemBmp, bool FixCorners, int BGIndex = -1, int BGHotIndex = -1);
// As the skin-data form, the background asked of Parent here.
void PaintSkinControl(TsCommonData* SkinData, fw::TControl* Parent, bool Filling, int State, const fw::TRect& R,
                      fw::TPoint pP, fw::TBitmap* ItemBmp, bool FixCorners, int BGIndex = -1, int BGHotIndex = -1);
// Background with the given texture images and border image MaskIndex, no
// corner images (scroll bars). CI is left as it came.
void PaintItemFast(int SkinIndex, int MaskIndex, int BGIndex, int BGHotIndex, const fw::String& SkinSection,
                   TCacheInfo& CI, bool Filling, int State, const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp,
                   fw::TObject* SkinManager);
// Background and the section's "BORDERSMASK" as a small image (thirds).
void PaintSmallItem(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, bool Filling, int State,
                    const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager);
// All of Bmp painted with Section (SecondSection when the skin lacks it) over
// ParentDC's pixels at ParentOffset, or over BGColor without a ParentDC.
// Returns the section index used, -1 (Bmp untouched) when neither exists.
int PaintSection(fw::TBitmap* Bmp, fw::String Section, const fw::String& SecondSection, int State, fw::TObject* Manager,
                 fw::TPoint ParentOffset, TColor BGColor, HDC ParentDC);
// Bmp becomes image Index of ImageList, drawn transparently over the list's
// background colour (0xFF00FF when it has none).
void CopyImage(fw::TBitmap* Bmp, fw::TCustomImageList* ImageList, int Index);

}  // namespace skin
