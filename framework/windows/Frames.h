// Frames: a reusable group of controls placed on a form like one control.
// Built in code here (there are no form resources): a frame's constructor
// makes its components, owned by the frame, between BeginLoading(this) and
// EndLoading(this). It scrolls like a scroll box when its children do not fit.
#pragma once

#include "framework/windows/ScrollingControls.h"

namespace fw {

class TCustomFrame : public TScrollingWinControl {
public:
    explicit TCustomFrame(TComponent* AOwner);
    // Its components go while the frame is whole: a frame adapter gives the
    // frame its window method back.
    ~TCustomFrame() override;
    String ClassName() const override { return L"TCustomFrame"; }
};

class TFrame : public TCustomFrame {
public:
    explicit TFrame(TComponent* AOwner) : TCustomFrame(AOwner) {}
    String ClassName() const override { return L"TFrame"; }
};

}  // namespace fw
