#include "framework/windows/Frames.h"

namespace fw {

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    width_ = 320;
    height_ = 240;
}

TCustomFrame::~TCustomFrame() { DestroyComponents(); }

}  // namespace fw
