// Speed buttons: graphic controls with a glyph and a caption, pressed as
// push buttons or, with a GroupIndex, kept down as one of a group.
#pragma once

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Controls.h"

namespace fw {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;

// Where a glyph of GlyphSize and a text of TextSize go in Client. Along the
// layout's axis: Margin from the glyph's edge (-1 centres glyph and text as
// one group) and Spacing between them (-1 spreads them evenly); across it
// both are centred. Spacing counts only when there are both.
void CalcButtonLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout, int Margin,
                      int Spacing, TPoint& GlyphPos, TRect& TextBounds);

// Draws image Index of a strip of NumGlyphs images side by side, its
// TransparentColor left out. A disabled look (Index 1) that the strip does
// not have is made from image 0: an embossed silhouette in the button colours.
void DrawButtonGlyph(TCanvas* Canvas, TBitmap* Glyph, int NumGlyphs, TButtonState State, TPoint At);

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    String ClassName() const override { return L"TSpeedButton"; }

    TBitmap* Glyph() { return glyph_.get(); }
    void SetGlyph(const TBitmap* Value) { glyph_->Assign(Value); }
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs Value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return margin_; }
    void SetMargin(int Value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int Value);
    bool Down() const { return down_; }
    void SetDown(bool Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value);
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // The paint state (FState): bsDown while pressed, bsExclusive while Down.
    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }

    void Dispatch(TMessage& Message) override;

protected:
    void Loaded() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void CMButtonPressed(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    // The framework's fields, read by code that paints the button itself.
    int groupIndex_ = 0;
    bool down_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    bool transparent_ = true;
    int margin_ = -1;
    bool flat_ = false;
    bool mouseInControl_ = false;
    TButtonState state_ = bsUp;

private:
    void GlyphChanged(TObject* Sender);
    // Tells the other buttons of the group that this one went down.
    void UpdateExclusive();

    std::unique_ptr<TBitmap> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    bool allowAllUp_ = false;
    bool dragging_ = false;
};

}  // namespace fw
