// A control's cache bitmap copied to a DC while keeping clear of the children
// that paint themselves.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"

namespace skin {

class TsCommonData;

// The cache of SkinData from R1's top-left to R2 of DstDC (R2's size). The
// children of Ctrl that paint themselves over it (graphic, opaque or designed
// ones; never a graphic one under StdTransparency, never the skinned
// splitter) are left out, each at its bounds moved by (OffsetX, OffsetY).
// FixCorners first repairs the cache's corners (UpdateCorners).
void CopyWinControlCache(fw::TWinControl* Ctrl, TsCommonData* SkinData, const fw::TRect& R1, const fw::TRect& R2,
                         HDC DstDC, bool FixCorners, int OffsetX, int OffsetY);
// The same for a window: every visible child window is left out, a group box
// only with its frame (caption strip and the "GROUPBOX" border widths of the
// default manager) so its inside shows the cache.
void CopyHwndCache(HWND Handle, TsCommonData* SkinData, const fw::TRect& R1, const fw::TRect& R2, HDC DstDC,
                   bool FixCorners, int OffsetX, int OffsetY);

}  // namespace skin
