// Two border painters of the skinned controls: the frame of a control
// repainted alone into its cache and copied to a DC (a focus or hot change
// does not repaint the whole control), and a border image laid over a whole
// button bitmap while its see-through corner pixels are cut out of the
// button's window region (rounded buttons).
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/engine/sMaskData.h"

namespace skin {

class TsCommonData;

// The border of SkinData's control for State into its cache at R, and the
// BorderWidth-wide frame of R copied from the cache to DC (nothing copied
// when DC is the cache's own or BorderWidth is 0). Without a border image
// the frame is filled on DC with the control's colour. Returns the client
// rectangle inside the border.
fw::TRect PaintBorderFast(HDC DC, const fw::TRect& R, int BorderWidth, TsCommonData* SkinData, int State);

// State State of border image MaskData over the whole of Bmp; the see-through
// pixels of its four corners leave Region (Bmp's coordinates; 0: none). The
// centre is drawn when Filling and the image asks for it.
void PaintRgnBorder(fw::TBitmap* Bmp, HRGN Region, bool Filling, const TsMaskData& MaskData, int State);

// (SrcX1, SrcY1)..(SrcX2, SrcY2) of the image's bitmap into (DstX1, DstY1)..
// (DstX2, DstY2) of Bmp, all inclusive: keyed images copied, masked ones
// blended through their mask row. With UpdateRegion the key-coloured pixels
// are left and cut out of Region instead. Nothing is read or written outside
// either bitmap; pixels are written in Bmp's own format.
void CopyMask(int DstX1, int DstY1, int DstX2, int DstY2, int SrcX1, int SrcY1, int SrcX2, int SrcY2, fw::TBitmap* Bmp,
              HRGN Region, const TsMaskData& MaskData, bool UpdateRegion);

}  // namespace skin
