// TCustomPanel: bevels, border and a centred caption on its own window.
#include "framework/windows/ExtCtrls.h"

namespace fw {

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    // Lines are drawn on the last row and column inside the rectangle.
    --Rect.Bottom;
    --Rect.Right;
    while (Width-- > 0) {
        Canvas->Pen()->SetColor(TopColor);
        const TPoint topSide[] = {{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}};
        Canvas->Polyline(topSide, 3);
        Canvas->Pen()->SetColor(BottomColor);
        const TPoint bottomSide[] = {{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}};
        Canvas->Polyline(bottomSide, 3);
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents,  csSetCaption,
                     csOpaque,          csDoubleClicks, csReplicatable, csParentBackground};
    width_ = 185;
    height_ = 41;
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ == bsSingle) Params.Style |= WS_BORDER;
    // Bevels are drawn relative to the size: a resize repaints the whole panel.
    Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    if (bevelInner_ == Value) return;
    bevelInner_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    if (bevelOuter_ == Value) return;
    bevelOuter_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
    if (bevelWidth_ == Value || Value < 1) return;
    bevelWidth_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
    if (borderWidth_ == Value || Value < 0) return;
    borderWidth_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone && Value != bsSingle) Value = bsSingle;
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Invalidate();
}

void TCustomPanel::SetShowCaption(bool Value) {
    if (showCaption_ == Value) return;
    showCaption_ = Value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    InflateRect(Rect, -borderWidth_, -borderWidth_);
    int bevel = (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
    InflateRect(Rect, -bevel, -bevel);
}

void TCustomPanel::Paint() {
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        Frame3D(canvas, r, top, bottom, bevelWidth_);
    };
    if (bevelOuter_ != bvNone) bevel(bevelOuter_);
    Frame3D(canvas, r, Color(), Color(), borderWidth_);
    if (bevelInner_ != bvNone) bevel(bevelInner_);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    if (!showCaption_) return;
    String caption = Text();
    if (caption.empty()) return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    int h = canvas->TextHeight(L"W");
    r.Top = (r.Top + r.Bottom - h) / 2;
    r.Bottom = r.Top + h;
    DrawTextW(canvas->Handle(), caption.c_str(), int(caption.size()), r.AsRECT(),
              DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | alignments[alignment_]);
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }

void TCustomPanel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED)
        CMTextChanged(Message);
    else
        TCustomControl::Dispatch(Message);
}

}  // namespace fw
