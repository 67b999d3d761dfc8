// Gradients of skin sections: the ";"-separated text of a section's gradient
// keys parsed into stops (five words a stop), and the stops painted into a
// rectangle: kind 0 vertical, 1 horizontal, 2 four triangles from the centre.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sGradientData.h"  // PrepareGradArray, which the loader uses

namespace skin {

// The stops into R of a 24- or 32-bit Bmp (alpha 255), clipped to Bmp.
// OffsetX is unused; OffsetY shifts and stretches a vertical gradient, rows
// outside R are not painted.
void PaintGrad(fw::TBitmap* Bmp, fw::TRect R, const TsGradArray& Data, int OffsetX, int OffsetY);
void PaintGrad(fw::TBitmap* Bmp, const fw::TRect& R, const fw::String& GradientData);

using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
// msimg32's GradientFill looked up at start-up, or null (kind 2 then paints nothing).
extern TGradientFill acGradientFill;

}  // namespace skin
