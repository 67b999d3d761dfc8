// Icons from 32-bit pictures, and the fix-up of fully transparent white
// pixels: the alpha image list builds its native icons with these, and the
// skin loader clears transparent white so that filtering and blending never
// pick up white from pixels meant to be invisible.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"

namespace skin {

class TPNGGraphic;

// An icon of the bitmap. A bitmap that is not 32-bit (or any bitmap when
// ForceKeyMask) becomes 32-bit and its top-left colour is the transparent
// key of the mask; a 32-bit bitmap keeps its alpha and an all-opaque mask.
// The caller destroys the icon; 0 when the system refuses.
HICON MakeIcon32(fw::TBitmap* Bmp, bool ForceKeyMask = false);

// An icon of the picture with its own straight alpha and a mask of its fully
// transparent pixels; the picture becomes 32-bit. Background shows only when
// the picture is too small for pixel access (below 2 x 2).
HICON MakeCompIcon(TPNGGraphic* Png, fw::TColor Background);

// 32-bit bitmaps of at least 2 x 2: pixels of white with alpha 0 become all 0.
void UpdateTransPixels(fw::TBitmap* Bmp);

}  // namespace skin
