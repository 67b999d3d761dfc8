// TSplitter: resizing the aligned sibling beside the bar by a drag.
#include <algorithm>

#include "framework/graphics/DCGuards.h"
#include "framework/windows/ExtCtrls.h"

namespace fw {

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    controlStyle_ = {csCaptureMouse};
    align_ = alLeft;
    width_ = 3;
    height_ = 100;
    cursor_ = crHSplit;
    parentColor_ = true;
}

void TSplitter::SetAlign(TAlign Value) {
    TControl::SetAlign(Value);
    SetCursor(Horizontal() ? crHSplit : crVSplit);
}

void TSplitter::SetBeveled(bool Value) {
    if (beveled_ == Value) return;
    beveled_ = Value;
    Invalidate();
}

TControl* TSplitter::FindSizedControl() const {
    if (!parent_) return nullptr;
    // A point just outside the bar on the aligned side; a sibling of zero
    // size (closed by AutoSnap) still counts when it touches the bar.
    TPoint p(left_, top_);
    switch (align_) {
        case alLeft:
            --p.X;
            break;
        case alRight:
            p.X += width_;
            break;
        case alTop:
            --p.Y;
            break;
        case alBottom:
            p.Y += height_;
            break;
        default:
            return nullptr;
    }
    bool before = align_ == alLeft || align_ == alTop;
    for (int i = 0; i < parent_->ControlCount(); ++i) {
        TControl* c = parent_->Controls(i);
        if (c == this || !c->Visible() || !c->Enabled()) continue;
        TRect r = c->BoundsRect();
        if (r.Width() == 0) (before ? r.Left : r.Right) += before ? -1 : 1;
        if (r.Height() == 0) (before ? r.Top : r.Bottom) += before ? -1 : 1;
        if (r.Contains(p)) return c;
    }
    return nullptr;
}

int TSplitter::SizeAt(int X, int Y) const {
    int split = Horizontal() ? X - downPos_.X : Y - downPos_.Y;
    int size = 0;
    switch (align_) {
        case alLeft:
            size = control_->Width() + split;
            break;
        case alRight:
            size = control_->Width() - split;
            break;
        case alTop:
            size = control_->Height() + split;
            break;
        default:
            size = control_->Height() - split;
            break;
    }
    return std::clamp(size, minSize_, std::max(minSize_, maxSize_));
}

bool TSplitter::CanResize(int& NewSize) {
    bool accept = true;
    if (OnCanResize) OnCanResize(this, NewSize, accept);
    if (accept && autoSnap_ && NewSize <= minSize_) NewSize = 0;
    return accept;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    control_ = FindSizedControl();
    if (!control_) return;
    downPos_ = TPoint(X, Y);
    // What the other controls of this axis leave, keeping MinSize for the rest.
    int client = Horizontal() ? parent_->ClientWidth() : parent_->ClientHeight();
    maxSize_ = client - minSize_;
    for (int i = 0; i < parent_->ControlCount(); ++i) {
        TControl* c = parent_->Controls(i);
        if (!c->Visible()) continue;
        if (Horizontal() && (c->Align() == alLeft || c->Align() == alRight)) maxSize_ -= c->Width();
        if (!Horizontal() && (c->Align() == alTop || c->Align() == alBottom)) maxSize_ -= c->Height();
    }
    maxSize_ += Horizontal() ? control_->Width() : control_->Height();
    newSize_ = Horizontal() ? control_->Width() : control_->Height();
    if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern) {
        line_ = BoundsRect();
        ToggleLine();
    }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!control_ || !Shift.Contains(ssLeft)) return;
    int size = SizeAt(X, Y);
    if (!CanResize(size) || size == newSize_) return;
    if (resizeStyle_ == rsUpdate) {
        UpdateControlSize(size);
        return;
    }
    // The line stands where the bar will be after the resize.
    int delta = size - newSize_;
    newSize_ = size;
    if (lineVisible_) ToggleLine();
    switch (align_) {
        case alLeft:
            OffsetRect(line_, delta, 0);
            break;
        case alRight:
            OffsetRect(line_, -delta, 0);
            break;
        case alTop:
            OffsetRect(line_, 0, delta);
            break;
        default:
            OffsetRect(line_, 0, -delta);
            break;
    }
    if (resizeStyle_ != rsNone) ToggleLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!control_ || Button != mbLeft) return;
    if (lineVisible_) ToggleLine();
    if (resizeStyle_ != rsUpdate) UpdateControlSize(newSize_);
    StopSizing();
}

void TSplitter::StopSizing() {
    control_ = nullptr;
    if (OnMoved) OnMoved(this);
}

void TSplitter::UpdateControlSize(int NewSize) {
    newSize_ = NewSize;
    switch (align_) {
        case alLeft:
            control_->SetWidth(NewSize);
            break;
        case alTop:
            control_->SetHeight(NewSize);
            break;
        // The sibling grows away from the bar: its far edge stays.
        case alRight:
            control_->SetBounds(control_->Left() + control_->Width() - NewSize, control_->Top(), NewSize,
                                control_->Height());
            break;
        default:
            control_->SetBounds(control_->Left(), control_->Top() + control_->Height() - NewSize, control_->Width(),
                                NewSize);
            break;
    }
    parent_->Update();
}

void TSplitter::ToggleLine() {
    if (!parent_ || !parent_->HandleAllocated()) return;
    TWindowDC dc(parent_->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (!dc.Handle()) return;
    // Inverted, so drawing it again takes it away.
    static const WORD dots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    TGdiObject<HBITMAP> pattern(resizeStyle_ == rsPattern ? CreateBitmap(8, 8, 1, 1, dots) : nullptr);
    TGdiObject<HBRUSH> patternBrush(pattern ? CreatePatternBrush(pattern) : nullptr);
    HBRUSH brush = pattern ? patternBrush.Handle() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    TSelectedObject selected(dc, brush);
    PatBlt(dc, line_.Left, line_.Top, line_.Width(), line_.Height(), PATINVERT);
    lineVisible_ = !lineVisible_;
}

void TSplitter::Paint() {
    TRect r = ClientRect();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (beveled_) Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    if (OnPaint) OnPaint(this);
}

}  // namespace fw
