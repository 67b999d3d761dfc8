// What the library's own buttons share with the standard controls it skins:
// a button's glyph drawn in its current state and a tool button's image.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/rtl/Types.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sThirdParty.h"

namespace skin {

class TsCommonData;

// What a skinned bit button or speed button shows of its glyph, as it is now.
struct TacBtnGlyphData {
    TsCommonData* SkinData = nullptr;  // its cache bitmap is the default target
    fw::TCustomImageList* Images = nullptr;
    fw::TBitmap* Glyph = nullptr;  // a strip of NumGlyphs images
    int ImageIndex = -1;
    fw::TRect ImgRect;  // where the glyph goes in the button
    int NumGlyphs = 1;
    bool Enabled = true;
    int Blend = 0;  // percent
    bool Down = false;
    bool Grayed = false;
    int CurrentState = 0;  // 0 normal, 1 hot, 2 pressed
    TsDisabledGlyphKind DisabledGlyphKind;
    bool Reflected = false;
};

// Implemented by the skinned bit button and speed button (and only by them),
// so that DrawBtnGlyph finds what it reads.
class TacGlyphButton {
public:
    virtual ~TacGlyphButton() = default;
    virtual TacBtnGlyphData GlyphData() = 0;
};

// The glyph of a skinned bit button or speed button in its current state;
// nothing for any other control. Canvas nil draws into the button's cache.
void DrawBtnGlyph(fw::TControl* Button, fw::TCanvas* Canvas);

// Where a tool button's image goes: W x H is the size of the toolbar's
// Images, TextHeight the height of "A" on the canvas the bar measures with.
fw::TRect ToolBtnGlyphRect(bool ListStyle, bool ShowCaptions, int TextHeight, int ButtonWidth, int ButtonHeight,
                           bool DropDown, int W, int H, int PressedLook);
// 0 when State is empty or only cdsDisabled, 2 with cdsSelected or cdsChecked, else 1.
int ToolBtnPressedLook(fw::TCustomDrawState State);

// A tool button's image into Bmp, for a skinned toolbar (SkinData is the
// bar's skin data). Stage and Flags are not used.
void CopyToolBtnGlyph(fw::TToolBar* ToolBar, TsCommonData* SkinData, fw::TToolButton* Button,
                      fw::TCustomDrawState State, fw::TCustomDrawStage Stage, fw::TTBCustomDrawFlags& Flags,
                      fw::TBitmap* Bmp);
// The same for a standard toolbar.
void CopyToolBtnGlyph(fw::TToolBar* ToolBar, fw::TToolButton* Button, fw::TCustomDrawState State,
                      fw::TCustomDrawStage Stage, fw::TTBCustomDrawFlags& Flags, fw::TBitmap* Bmp);

}  // namespace skin
