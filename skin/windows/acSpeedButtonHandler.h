// The skin of a graphic control that has no window of its own: a speed
// button on a skinned form. The handler stands in the control's WindowProc,
// paints the section, the caption and the glyph into the DC the control gets
// with WM_PAINT (pressed one pixel right and down) and hands every other
// message to the method it replaced.
//
// The layout of glyph and caption is a pure function of the button's
// measures (SpeedButtonGlyphRect, SpeedButtonCaptionRect), tested without a
// window.
#pragma once

#include <windows.h>

#include "framework/windows/Buttons.h"
#include "skin/windows/acSkinServices.h"

namespace skin {

class TacGraphLink;

// What the layout of a speed button depends on.
struct TacSpeedButtonLayout {
    int Width = 0, Height = 0;  // the button
    SIZE Glyph{0, 0};           // one glyph image; (0, 0) for none
    SIZE Text{0, 0};            // the wrapped caption; (0, 0) for none
    fw::TButtonLayout Layout = fw::blGlyphLeft;
    int Margin = -1;  // -1: glyph and caption centred together
    int Spacing = 4;
    bool Pressed = false;  // drawn one pixel right and down
};

// The glyph's rectangle in the button.
fw::TRect SpeedButtonGlyphRect(const TacSpeedButtonLayout& L);
// The caption's rectangle (Text wide and high) in the button.
fw::TRect SpeedButtonCaptionRect(const TacSpeedButtonLayout& L);

class TacSpeedButtonHandler : public fw::TObject {
public:
    // Takes over Btn's WindowProc. ASkinData is the creator's (never freed
    // here); it gets SkinSection when it has none. ASkinManager nil: the
    // skin data's manager. Repaint is not read.
    TacSpeedButtonHandler(fw::TControl* Btn, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                          const fw::String& SkinSection, bool Repaint);
    // Gives the control its WindowProc back (when the control still lives).
    ~TacSpeedButtonHandler() override;
    fw::String ClassName() const override { return L"TacSpeedButtonHandler"; }

    virtual void acWndProc(fw::TMessage& Message);
    // One message to the replaced method; LParam comes back as it left it.
    LRESULT CallPrevWndProc(fw::TControl* Control, UINT Msg, WPARAM WParam, LPARAM& LParam);
    void AC_WMPaint(fw::TMessage& Message);
    // False when nothing could be painted (the parent has no usable image).
    bool PrepareCache();
    void DrawCaption();
    void DrawGlyph();
    fw::String Caption() const;
    fw::TRect ImgRect();
    int GlyphHeight() const;
    int GlyphWidth() const;
    fw::TRect CaptionRect();
    SIZE TextRectSize();
    void DoDrawText(fw::TRect& R, UINT Flags);
    // 2 down (pressed or held down), 1 hot or focused, else 0.
    int CurrentState() const;

    fw::TControl* Ctrl = nullptr;  // nil once the control is gone
    fw::TWndMethod OldWndProc;
    void* OldProc = nullptr;  // always nil: no window procedure is replaced
    TsSkinManager* SkinManager = nullptr;
    TsCommonData* SkinData = nullptr;
    // The WindowProc was given back, or the control is gone.
    bool Destroyed = false;
    void* NewWndProcInstance = nullptr;

private:
    friend class TacGraphLink;
    void Repaint();
    void ControlGone();
    fw::TSpeedButton* Button() const { return dynamic_cast<fw::TSpeedButton*>(Ctrl); }
    TacSpeedButtonLayout LayoutNow();

    TacGraphLink* Link = nullptr;
};

}  // namespace skin
