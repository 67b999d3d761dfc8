#include "skin/paint/PaintStandIns.h"

namespace skin {

void AnimShowControl(fw::TWinControl* Ctrl, unsigned wTime, BYTE MaxTransparency, int AnimType) {
    (void)wTime, (void)MaxTransparency, (void)AnimType;
    if (Ctrl && Ctrl->HandleAllocated())
        RedrawWindow(Ctrl->WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace skin
