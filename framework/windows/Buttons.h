// Buttons with a glyph and a caption: speed buttons (graphic controls,
// pressed as push buttons or, with a GroupIndex, kept down as one of a
// group) and bitmap buttons (the system's owner-drawn push buttons).
#pragma once

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Controls.h"
#include "framework/windows/StdCtrls.h"

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

// How many glyphs a new Glyph holds: a strip of square images holds that
// many (more than four count as one); any other picture keeps Current.
int GlyphsInStrip(TBitmap* Glyph, int Current);

// The glyph and the one-line caption of a button in Client, placed by
// CalcButtonLayout, in Canvas's font; a disabled caption is embossed.
void DrawButtonContent(TCanvas* Canvas, const TRect& Client, TBitmap* Glyph, int NumGlyphs, const String& Caption,
                       TButtonLayout Layout, int Margin, int Spacing, TButtonState State);

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

// A push button with a glyph: the system's "BUTTON" owner-drawn
// (BS_OWNERDRAW), painted here as a push button face with the glyph and the
// caption laid out as a speed button's, moved one pixel while pressed,
// framed while it is the default button and with a focus rectangle while
// focused. A double click counts as a second press.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    String ClassName() const override { return L"TBitBtn"; }

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

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // The window keeps BS_OWNERDRAW: being the default is drawn, not styled.
    void SetButtonStyle(bool ADefault) override;
    virtual void DrawItem(const DRAWITEMSTRUCT& DrawItemStruct);
    void CNDrawItem(TWMDrawItem& Message);

    // The framework's fields, read by code that paints the button itself.
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;

private:
    void GlyphChanged(TObject* Sender);

    std::unique_ptr<TBitmap> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    bool isDefault_ = false;
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace fw
