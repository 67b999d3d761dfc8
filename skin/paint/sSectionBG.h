// The background of a skin section painted into a rectangle of a bitmap: the
// section colour, a texture (a repeated skin image or a JPEG pattern), a
// gradient, and for partly transparent sections the parent's background
// showing through. Border and corner images come after this (sSectionPaint).
//
// CI says what lies behind the item: when Ready, Bmp is the parent's cache
// and the pixel behind R's top-left corner is (CI.X + pP.X, CI.Y + pP.Y) in
// it; otherwise FillColor is the parent's colour, 0xFF00FF meaning unknown.
// With nothing known behind it a section paints its own layers whatever its
// transparency (a partly transparent plain one shows its own colour).
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sMaskData.h"

namespace skin {

class TsCommonData;

// The values of a section for a state: state 0 the normal ones, any other
// state the hot ones.
struct TSectionState {
    TColor Color = 0;
    int Transparency = 0;  // percent of the parent's background that shows
    int ImagePercent = 0;
    int GradientPercent = 0;
    const TsGradArray* Gradient = nullptr;
    const wchar_t* PatternName = L"PATTERN";
};
TSectionState SectionState(const TsGeneralData& Section, int State);

// Section SkinIndex (named SkinSection) of SkinManager (nil: the default
// manager) for State into R of ItemBmp. TextureIndex / HotTextureIndex name
// the texture image for state 0 / other states, -1 to look it up by name.
// A CustomColor other than 0xFF00FF paints that colour, opaque, alone.
void PaintItemBG(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, int State, const fw::TRect& R,
                 fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager, int TextureIndex, int HotTextureIndex,
                 TColor CustomColor);
// The same for a control's skin data: its section, manager and textures, and
// its owner's colour when the data's CustomColor is set. The two indexes are
// not used.
void PaintItemBG(TsCommonData* SkinData, const TCacheInfo& CI, int State, const fw::TRect& R, fw::TPoint pP,
                 fw::TBitmap* ItemBmp, int TextureIndex = -1, int HotTextureIndex = -1);
// Texture images given by the caller (BGIndex for state 0, BGHotIndex for
// the others, -1 none), no look-ups and no custom colour: for scroll bars.
void PaintItemBGFast(int SkinIndex, int BGIndex, int BGHotIndex, const fw::String& SkinSection, const TCacheInfo& CI,
                     int State, const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager);

}  // namespace skin
