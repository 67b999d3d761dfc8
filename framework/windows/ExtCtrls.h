// Panels: windowed containers that paint their own bevels and caption.
#pragma once

#include "framework/windows/Controls.h"
#include "framework/windows/StdCtrls.h"

namespace fw {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TBevelWidth = int;

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);
    String ClassName() const override { return L"TCustomPanel"; }

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut Value);
    TBevelWidth BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(TBevelWidth Value);
    // The panel's own border: a band in Color inside the client area,
    // between the bevels. It hides TWinControl's non-client BorderWidth,
    // which a panel leaves at 0.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    // bsSingle: a WS_BORDER frame (the only other value is bsNone).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool Value);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // BorderWidth and bevels are taken off the client rectangle.
    void AdjustClientRect(TRect& Rect) override;
    // Bevel frames, background fill in Color, centred caption.
    void Paint() override;

    void CMTextChanged(TMessage& Message);

    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelWidth bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    bool showCaption_ = true;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
    String ClassName() const override { return L"TPanel"; }
};

// The three-dimensional frame panels paint: TopColor on the top and left
// edges, BottomColor on the others, Width pixels deep; Rect shrinks inward.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

}  // namespace fw
