// TCustomGrid: scroll bars, drawing style and background.
#include "framework/windows/Grids.h"

namespace fw {

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    controlStyle_ = {csCaptureMouse, csOpaque, csDoubleClicks};
    width_ = 320;
    height_ = 120;
    parentColor_ = false;
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle Value) {
    if (drawingStyle_ == Value) return;
    drawingStyle_ = Value;
    Invalidate();
}

void TCustomGrid::SetGradientStartColor(TColor Value) {
    if (gradientStartColor_ == Value) return;
    gradientStartColor_ = Value;
    Invalidate();
}

void TCustomGrid::SetGradientEndColor(TColor Value) {
    if (gradientEndColor_ == Value) return;
    gradientEndColor_ = Value;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    RecreateWnd();
}

void TCustomGrid::Paint() {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

}  // namespace fw
