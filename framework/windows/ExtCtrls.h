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

// ---- splitter

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeEvent = Method<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar aligned beside a sibling of the same alignment that a drag of the
// left button resizes. The sibling is the visible, enabled control whose
// edge touches the splitter's on its aligned side. Its size stays between
// MinSize and what leaves MinSize for the rest of the parent; with AutoSnap
// a size at or below MinSize closes it to 0. rsUpdate resizes while
// dragging; the other styles show where it will go (a line inverted on the
// parent, rsNone nothing) and resize on release, then run OnMoved.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    String ClassName() const override { return L"TSplitter"; }

    int MinSize() const { return minSize_; }
    void SetMinSize(int Value) { minSize_ = Value < 1 ? 1 : Value; }
    bool AutoSnap() const { return autoSnap_; }
    void SetAutoSnap(bool Value) { autoSnap_ = Value; }
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle Value) { resizeStyle_ = Value; }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool Value);
    // Sets the cursor the alignment wants (crHSplit beside, crVSplit above or below).
    void SetAlign(TAlign Value);

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;
    TNotifyEvent OnPaint;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Fills the bar in Color, with a raised edge when Beveled; then OnPaint.
    void Paint() override;
    // OnCanResize's answer; AutoSnap then closes a size at or below MinSize.
    virtual bool CanResize(int& NewSize);
    virtual void StopSizing();

private:
    bool Horizontal() const { return align_ == alLeft || align_ == alRight; }
    TControl* FindSizedControl() const;
    // The size a drag to (X, Y) asks for, within MinSize and the maximum.
    int SizeAt(int X, int Y) const;
    void UpdateControlSize(int NewSize);
    void ToggleLine();

    int minSize_ = 30;
    bool autoSnap_ = true;
    TResizeStyle resizeStyle_ = rsPattern;
    bool beveled_ = false;
    TControl* control_ = nullptr;  // sized during a drag
    TPoint downPos_;
    int maxSize_ = 0;
    int newSize_ = 0;
    bool lineVisible_ = false;
    TRect line_;  // parent client coordinates
};

// ---- shape

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A figure drawn with Pen and filled with Brush; changing either repaints.
class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    String ClassName() const override { return L"TShape"; }

    TBrush* Brush() { return &brush_; }
    TPen* Pen() { return &pen_; }
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType Value);

protected:
    void Paint() override;

private:
    void StyleChanged(TObject* Sender);

    TBrush brush_;
    TPen pen_;
    TShapeType shape_ = stRectangle;
};

}  // namespace fw
