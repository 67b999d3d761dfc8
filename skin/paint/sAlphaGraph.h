// Pixel objects over 24- and 32-bit DIBs: single-pixel access (TacFast24,
// TacFast32), constant-weight blends of one bitmap into another
// (TacFastSum24, TacFastSum32), and fills and tints of rectangles.
#pragma once

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "skin/engine/acPixelRows.h"
#include "skin/engine/sConst.h"

namespace skin {

// The fields both pixel objects keep of the attached bitmap.
struct TacFastBase {
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    fw::TBitmap* FBitmap = nullptr;  // not owned
    int FWidth = 0;
    int FHeight = 0;
    int FDelta = 0;  // signed byte step from row 0 to row 1
    uint8_t* FStart = nullptr;
    int FLength = 0;
    int DstStart = 0;
};

// Attach fails (Width 0) for a bitmap under 2 x 2 and raises EAssertionFailed
// "Bitmap format is not supported" for another pixel format. GetPixel and
// SetPixel check nothing: callers keep inside Width x Height.
class TacFast24 : public TacFastBase {
public:
    bool Attach(fw::TBitmap* Bmp);
    TsColor GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, TsColor Color);
};

// 32-bit pixels move whole: the value's lowest byte is the pixel's first
// (blue) byte, as in a TsColor_ view, so SetPixel(0x80112233) stores 33 22 11 80.
class TacFast32 : public TacFastBase {
public:
    bool Attach(fw::TBitmap* Bmp);
    TsColor GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, TsColor Color);
    // The raw value Color (lowest byte to blue, highest to alpha) into every pixel.
    void FillBitmap(TColor Color);
    // Rows R.Top..R.Bottom-1, R.Width() pixels from R.Left, clipped to the bitmap.
    void FillRect(fw::TRect& R, TColor Color);
};

// d := (d * Alpha + s * (255 - Alpha) + 127) shr 8 on every byte, alpha too.
// Dividing by 256 is the rounding every skin was drawn with: Alpha 255 turns 255
// into 254.
class TacFastSum {
public:
    explicit TacFastSum(int Bpp) : FBpp(Bpp) {}
    // Fails, storing nothing, when any side of either bitmap is under 2.
    bool Attach(fw::TBitmap* BmpSrc, fw::TBitmap* BmpDst);
    void BlendBitmaps();
    // Destination DstX1..DstX2-1 x DstY1..DstY2-1; the source is aligned with
    // it at SrcX1 (left) and SrcY2 (bottom). The caller keeps it inside both.
    void BlendBitmapsRect();

    fw::TBitmap* FBmpSrc = nullptr;
    fw::TBitmap* FBmpDst = nullptr;
    int FWidthDst = 0;
    int FHeightDst = 0;
    uint8_t* FStartSrc = nullptr;
    uint8_t* FStartDst = nullptr;
    int FDeltaSrc = 0;
    int FDeltaDst = 0;
    uint8_t Alpha = 0;
    int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
    int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;

private:
    int FBpp;
};

class TacFastSum24 : public TacFastSum {
public:
    TacFastSum24() : TacFastSum(3) {}
};
class TacFastSum32 : public TacFastSum {
public:
    TacFastSum32() : TacFastSum(4) {}
};

// Red and blue exchanged, alpha 0xFF: the stored value of an opaque pixel.
TColor SwapColor(TColor Color);
// R in Color, alpha 255; a bitmap under 2 x 2 is left alone.
void FillRect32(fw::TBitmap* Bmp, fw::TRect R, TColor Color);
// Only the alpha bytes of R (inside a 32-bit Bmp) become Value.
void FillAlphaRect(fw::TBitmap* Bmp, fw::TRect R, uint8_t Value);
// R (clipped) tinted towards Color: new := Round(old * k + c * (1 - k)),
// k = Blend / 100 with Blend read as an unsigned byte; alpha bytes kept.
void BlendColorRect(fw::TBitmap* Bmp, fw::TRect R, int8_t Blend, TColor Color);

}  // namespace skin
