// Skin-wide values of a loaded skin, the table of well-known section and
// image indexes, and the library's shared title icons and skin-change flags.
#pragma once

#include <cstdint>

#include "skin/engine/sConst.h"

namespace fw {
class TIcon;
class TMemIniFile;
}  // namespace fw

namespace skin {

// The skin-wide values (GLOBALINFO) of one skin manager, which owns it.
class TsSkinData : public fw::TObject {
public:
    TsSkinData() = default;
    // Also frees the loader's INI object when one is still assigned.
    ~TsSkinData() override;
    fw::String ClassName() const override { return L"TsSkinData"; }

    // Folder the skin's file names resolve against, with a trailing
    // backslash; empty for a skin stored in a form.
    fw::String SkinPath;
    bool Active = false;  // a skin is loaded and has been broadcast
    double Version = 0;
    fw::String Author;
    fw::String Description;
    TColor Shadow1Color = 0;
    int16_t Shadow1Offset = 0;
    int16_t Shadow1Blur = -1;
    int16_t Shadow1Transparency = 0;
    int16_t ExBorderWidth = 0;
    int16_t ExTitleHeight = 0;
    int16_t ExMaxHeight = 0;
    int16_t ExContentOffs = 0;
    int16_t ExCenterOffs = 0;
    int16_t ExDrawMode = 0;
    TColor FXColor = 0;  // kept for the format; nothing reads it
    TColor BorderColor = 0;
    int16_t BISpacing = 0;
    int16_t BIVAlign = 0;
    int16_t BIRightMargin = 0;
    int16_t BILeftMargin = 0;
    int16_t BITopMargin = 0;
    int16_t BIKeepHUE = 0;  // non-zero: recolouring leaves title-button images alone
    int16_t BICloseGlow = 0;
    int16_t BICloseGlowMargin = 0;
    int16_t BIMaxGlow = 0;
    int16_t BIMaxGlowMargin = 0;
    int16_t BIMinGlow = 0;
    int16_t BIMinGlowMargin = 0;

    // The loader's INI object while a skin is read (owned).
    fw::TMemIniFile* SkinFile = nullptr;
};

// Well-known indexes into gd (Index... fields: sections) or ma (images);
// -1 when the skin lacks the item.
struct TConstantSkinData {
    int16_t IndexGLobalInfo = -1;
    int16_t ExBorder = -1;
    int16_t IndexTabTop = -1, IndexTabBottom = -1, IndexTabLeft = -1, IndexTabRight = -1;
    int16_t MaskTabTop = -1, MaskTabBottom = -1, MaskTabLeft = -1, MaskTabRight = -1;
    int16_t IndexScrollTop = -1, IndexScrollBottom = -1, IndexScrollLeft = -1, IndexScrollRight = -1;
    int16_t MaskScrollTop = -1, MaskScrollBottom = -1, MaskScrollLeft = -1, MaskScrollRight = -1;
    int16_t IndexBGScrollTop = -1, IndexBGScrollBottom = -1, IndexBGScrollLeft = -1, IndexBGScrollRight = -1;
    int16_t IndexBGHotScrollTop = -1, IndexBGHotScrollBottom = -1, IndexBGHotScrollLeft = -1,
            IndexBGHotScrollRight = -1;
    int16_t MaskArrowTop = -1, MaskArrowBottom = -1, MaskArrowLeft = -1, MaskArrowRight = -1;
    int16_t IndexSliderVert = -1, IndexSliderHorz = -1;
    int16_t MaskSliderVert = -1, MaskSliderHorz = -1;
    int16_t MaskSliderGlyphVert = -1, MaskSliderGlyphHorz = -1;
    int16_t ScrollSliderBGHorz = -1, ScrollSliderBGHotHorz = -1;
    int16_t ScrollSliderBGVert = -1, ScrollSliderBGHotVert = -1;
    int16_t IndexScrollBar1H = -1, IndexScrollBar1V = -1, IndexScrollBar2H = -1, IndexScrollBar2V = -1;
    int16_t MaskScrollBar1H = -1, MaskScrollBar1V = -1, MaskScrollBar2H = -1, MaskScrollBar2V = -1;
    int16_t BGScrollBar1H = -1, BGScrollBar1V = -1, BGScrollBar2H = -1, BGScrollBar2V = -1;
    int16_t BGHotScrollBar1H = -1, BGHotScrollBar1V = -1, BGHotScrollBar2H = -1, BGHotScrollBar2V = -1;
    int16_t CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
    int16_t RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
    int16_t SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
    int ComboBtnIndex = -1;
    int ComboBtnBorder = -1;
    int ComboBtnBG = -1;
    int ComboBtnBGHot = -1;
    int ComboGlyph = -1;
};

// The executable's small and large shell icons, drawn in skinned title bars
// (null when the shell gives none).
extern fw::TIcon* AppIcon;
extern fw::TIcon* AppIconLarge;
// Upper-cased section name of the last UpdateSkinSection.
extern fw::String GlobalSectionName;
// A skin is being changed (fading skips its work meanwhile).
extern bool aSkinChanging;
// The removal broadcast runs.
extern bool aSkinRemoving;

}  // namespace skin
