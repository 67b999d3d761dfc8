// The three tables of a loaded skin: one record per skin section (gd), per
// skin image (ma) and per large texture (pa). An index of -1 everywhere
// means the skin lacks the item.
#pragma once

#include <array>
#include <vector>

#include "skin/engine/sConst.h"

namespace fw {
class TBitmap;
class TJPEGImage;
}  // namespace fw

namespace skin {

// One skin section. The normal and hot groups are laid out alike; painting
// picks one by a state number (0 normal, else hot).
struct TsGeneralData {
    fw::String ParentClass;  // section absent values are taken from; empty = none
    fw::String ClassName;    // section name as written in the skin
    TColor Color = 0;
    // [0] text colour; [1]..[4] outlines left, top, right, bottom (-1 = none).
    std::array<TColor, 5> FontColor{};
    std::array<TColor, 5> HotFontColor{};
    bool GiveOwnFont = false;
    int GlowCount = 0;
    int GlowMargin = 0;
    bool ReservedBoolean = false;
    int Transparency = 0;
    int GradientPercent = 0;
    fw::String GradientData;  // a single blank = none
    TsGradArray GradientArray;
    int ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    int FadingIterations = 0;
    TColor HotColor = 0;
    int HotTransparency = 0;
    int HotGradientPercent = 0;
    fw::String HotGradientData;
    TsGradArray HotGradientArray;
    int HotImagePercent = 0;
    TColor HotGlowColor = 0;
    TColor GlowColor = 0;
    uint8_t HotGlowSize = 0;
    uint8_t GlowSize = 0;
    int BorderIndex = -1;  // "BORDERSMASK" in ma
    int ImgTL = -1;        // corner images in ma
    int ImgTR = -1;
    int ImgBL = -1;
    int ImgBR = -1;

    // Painted with a texture or a gradient: the background moves with what
    // scrolls over it, so no plain colour stands for it.
    bool Textured() const { return GradientPercent + ImagePercent > 0; }
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// One skin image: its own bitmap, or (Bmp null) rectangle R of the manager's
// master bitmap.
struct TsMaskData {
    fw::TBitmap* Bmp = nullptr;
    fw::String ClassName;     // section it belongs to, empty for none
    fw::String PropertyName;  // key it is declared under
    fw::TRect R;
    int16_t ImageCount = 0;  // state images side by side
    // 0 keyed by sFuchsia; 1 a mask row of equal height below; -1 no row division.
    int16_t MaskType = 0;
    int16_t BorderWidth = 0;
    int16_t DrawMode = 0;  // border draw flags, or a TacFillMode for textures
    TacImgType ImgType = itisaBorder;
    fw::TObject* Manager = nullptr;  // the TsSkinManager that loaded it
    int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

// A large texture; Img is owned by the manager's table.
struct TsPatternData {
    fw::TJPEGImage* Img = nullptr;
    fw::String ClassName;     // upper case
    fw::String PropertyName;  // upper case
};
using TsPatternArray = std::vector<TsPatternData>;

// Width of one state image; 0 when ImageCount is 0 (never divides by zero).
int WidthOfImage(const TsMaskData& MaskData);
// Height of one image row; 0 when MaskType is -1.
int HeightOfImage(const TsMaskData& MaskData);

}  // namespace skin
