// TShape: a rectangle, rounded rectangle or ellipse in Pen and Brush.
#include <algorithm>

#include "framework/windows/ExtCtrls.h"

namespace fw {

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
    controlStyle_.Include(csReplicatable);
    width_ = 65;
    height_ = 65;
    brush_.OnChange = TNotifyEvent(this, &TShape::StyleChanged);
    pen_.OnChange = TNotifyEvent(this, &TShape::StyleChanged);
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::SetShape(TShapeType Value) {
    if (shape_ == Value) return;
    shape_ = Value;
    Invalidate();
}

void TShape::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetPen(&pen_);
    canvas->SetBrush(&brush_);
    // The pen's width lies inside the bounds.
    int inset = pen_.Width() / 2;
    int w = width_ - pen_.Width() + 1;
    int h = height_ - pen_.Width() + 1;
    if (pen_.Width() == 0) {
        --w;
        --h;
    }
    int x = inset, y = inset;
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    switch (shape_) {
        case stRectangle:
        case stSquare:
            canvas->Rectangle(x, y, x + w, y + h);
            break;
        case stRoundRect:
        case stRoundSquare:
            canvas->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
            break;
        default:
            canvas->Ellipse(x, y, x + w, y + h);
            break;
    }
}

}  // namespace fw
