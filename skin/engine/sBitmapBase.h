// The bottom of the painting layer: working DIBs, direct row access, the
// parent-pixel lookup of see-through copies, the alpha copy of a 32-bit image,
// channel copies and a solid fill. They live here, below the skin engine,
// because the PNG picture and the icon helpers draw with them; skin/paint
// builds on them and re-exports them (skin/paint/sBitmaps.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "skin/engine/sConst.h"

namespace skin {

// New DIBs of pf24bit / pf32bit, every pixel 0.
fw::TBitmap* CreateBmp24(int Width, int Height);
fw::TBitmap* CreateBmp32(int Width, int Height);

// The DIB formats the pixel loops read; others are left alone.
inline bool Is24or32(fw::TBitmap* Bmp) {
    return Bmp && (Bmp->PixelFormat() == fw::pf24bit || Bmp->PixelFormat() == fw::pf32bit);
}
// The key colour 0xFF00FF in a pixel's blue, green, red bytes (alpha ignored).
inline bool IsFuchsia(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF; }
// The part of R inside Bmp.
fw::TRect ClipToBitmap(fw::TBitmap* Bmp, fw::TRect R);

// Rows of a DIB reached from row 0 and the signed row step, so one flush and
// one range check serve a whole loop. Empty (p0 null) for a bitmap without rows.
struct TPixelRows {
    uint8_t* p0 = nullptr;
    int step = 0;
    int bpp = 0;
    int width = 0;
    int height = 0;
    uint8_t* Row(int y) const { return p0 + intptr_t(y) * step; }
    uint8_t* At(int x, int y) const { return p0 + intptr_t(y) * step + intptr_t(x) * bpp; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    explicit operator bool() const { return p0 != nullptr; }
};
// Bpp 0 takes the bitmap's own (3 for pf24bit, 4 for pf32bit, 1 for pf8bit).
TPixelRows PixelRows(fw::TBitmap* Bmp, int Bpp = 0);

// The area a copy of R2 of Bmp2 into R1 of Bmp1 draws: w x h, the smallest
// of both rectangles and what fits in both bitmaps, negative origins moved in
// (both rectangles move alike). False when nothing is left.
bool ClipCopyArea(fw::TRect& R1, fw::TRect& R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, int& w, int& h);

// Where a see-through pixel looks in the parent's cache (CI.Bmp) at (X, Y):
// below or left of it the pixel is kept, right of or above it the rest of the
// row is; otherwise Bgr gets the parent's blue, green, red.
enum TParentLook { plTake, plKeep, plEndRow };
class TParentPixels {
public:
    explicit TParentPixels(const TCacheInfo& CI);
    TParentLook Look(int X, int Y, uint8_t* Bgr) const;
    bool Valid() const { return rows_ || bmp_; }

private:
    fw::TBitmap* bmp_ = nullptr;  // read by GDI when its format has no direct rows
    TPixelRows rows_;
};

// Copies R2 of the 32-bit image Bmp2 onto R1 of Bmp1 by the image's alpha:
// d := (d * 256 + (s - d) * a) shr 8 with a the pixel's alpha, weakened by
// Blend percent; Color (not clNone) tints by the image's grey; see-through
// pixels (0x00FF00FF) show the parent (CI) when UpdateTrans; Reflected adds a
// fading mirror below R1 (none for an image under 2 rows: no step exists).
// Bmp2 becomes pf32bit. A 24-bit Bmp1 is the intended destination; a 32-bit
// one keeps its alpha bytes.
void CopyBmp32(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI, bool UpdateTrans,
               fw::TColor Color, int Blend, bool Reflected);

// Byte Channel (0 blue .. 3 alpha) of each 32-bit pixel to or from the 8-bit
// bitmap, over Bmp32's size (and no further than Bmp8's).
void CopyChannel(fw::TBitmap* Bmp32, fw::TBitmap* Bmp8, int Channel, bool From32To8);

// Fills R with a solid brush of ColorToRGB(Color).
void FillDC(HDC DC, const fw::TRect& R, fw::TColor Color);

}  // namespace skin
