// Grids: the base class only, for code that tells a grid by its class and
// sets how it draws its fixed cells.
#pragma once

#include "framework/windows/Controls.h"
#include "framework/windows/StdCtrls.h"

namespace fw {

// How a grid draws its fixed cells: classic, themed (classic here, where
// UseThemes() is False) or with a vertical gradient.
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

// A windowed control with scroll bars whose cells a subclass paints; the
// base paints its background in Color. Changing the drawing style or a
// gradient colour repaints it; changing ScrollBars makes the window again.
class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    String ClassName() const override { return L"TCustomGrid"; }

    TGridDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TGridDrawingStyle Value);
    // The gradient of gdsGradient, from the top of a fixed cell to its bottom.
    TColor GradientStartColor() const { return gradientStartColor_; }
    void SetGradientStartColor(TColor Value);
    TColor GradientEndColor() const { return gradientEndColor_; }
    void SetGradientEndColor(TColor Value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    TGridDrawingStyle drawingStyle_ = gdsThemed;
    TColor gradientStartColor_ = clWhite;
    TColor gradientEndColor_ = clBtnFace;
    TScrollStyle scrollBars_ = ssBoth;
};

}  // namespace fw
