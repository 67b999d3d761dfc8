// A form, a skinned dialog's frame or a control rendered with all its
// visible children into an off-screen bitmap: the image the window
// animations fade in and out.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Component.h"
#include "framework/windows/Controls.h"

namespace skin {

class TacDialogWndBase;

// Ctrl and its visible windowed children into Bmp's canvas, at the DC's
// current window origin. Provider: Ctrl's skin provider, or nil. Without a
// provider an invisible Ctrl with a parent is only its parent's background
// there (at X, Y); each child lands where its window lies in Ctrl's window.
void SkinPaintTo(fw::TBitmap* Bmp, fw::TControl* Ctrl, int X, int Y, fw::TComponent* Provider);

// Drawing at (0, 0) of DC lands at (X, Y) from now on.
void MoveWindowOrg(HDC DC, int X, int Y);

// SkinPaintTo at (0, 0) with Bmp's canvas locked and acPrintDC on its DC meanwhile.
void RenderWindowImage(fw::TBitmap* Bmp, fw::TControl* Ctrl, fw::TComponent* Provider);
// A new 32-bit image of a skinned dialog: its frame image (the wrapper's
// cache after PaintAll) with its child windows printed into the client area,
// which is opaque (the whole image without an extended-border window).
fw::TBitmap* DialogImage(TacDialogWndBase* Wnd);

}  // namespace skin
