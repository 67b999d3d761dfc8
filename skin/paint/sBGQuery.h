// Asking a window or a control what lies behind a child: the background
// query (smcGetBGInfo) and its answer turned into the cache information every
// painting routine takes. The answering side is sBGAnswer.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"
#include "skin/engine/sConst.h"

namespace skin {

// Asks window Handle for its background. The caller presets PleaseDraw,
// DrawDC, R and Offset when it wants the background drawn for it; PleaseDraw
// is what the window itself is asked to do. True when the window answered.
// A window that does not answer is painted into DrawDC (when the caller
// preset PleaseDraw) or gives a fill of the default manager's global colour.
bool GetBGInfo(PacBGInfo BGInfo, HWND Handle, bool PleaseDraw);
// The same for a control, windowed or not; one that does not answer gives a
// fill of its smcGetColor answer or of its Color.
bool GetBGInfo(PacBGInfo BGInfo, fw::TControl* Ctrl, bool PleaseDraw);

// A cache answer: ready on its bitmap at Offset. Anything else: not ready,
// with ColorToRGB of the colour.
TCacheInfo BGInfoToCI(const TacBGInfo& BGInfo);

}  // namespace skin
