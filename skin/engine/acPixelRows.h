// The pixel row kernels of the painting layer: pure functions over rows of
// bytes in the DIB byte order (blue, green, red[, alpha]). They know nothing of
// bitmaps or windows, so the same code is built for the program and for the
// build host, where scripts/bench-native measures it beside pixman.
// Every kernel keeps the exact integer formula written beside it; the packed
// SSE2 code and the scalar tails give the same bytes.
#pragma once

#include <cstdint>

namespace skin {

// The per-byte formulas, for callers that mix pixel formats pixel by pixel.
// Mask blend: m is the destination's weight (a white mask keeps most of it).
inline uint8_t MaskBlend(int d, int s, int m) { return uint8_t((s * 256 + (d - s) * m) >> 8); }
// Alpha blend: a is the source's weight (a 32-bit image's alpha).
inline uint8_t AlphaMix(int d, int s, int a) { return uint8_t((d * 256 + (s - d) * a) >> 8); }

// Constant weight over Count bytes: d := (d * Alpha + s * (255 - Alpha) + 127) shr 8.
void BlendRowBytes(uint8_t* Dst, const uint8_t* Src, int Count, uint8_t Alpha);

// Mask blend over Count bytes of three parallel rows: d := MaskBlend(d, s, m).
// Where the mask is 0 the source is copied (the formula gives s there).
void MaskBlendRow(uint8_t* Dst, const uint8_t* Src, const uint8_t* Mask, int Count);

// Count 32-bit pixels blended by the source's alpha: colour bytes
// d := AlphaMix(d, s, s.alpha); the alpha byte becomes 255 when Opaque, else stays.
void AlphaBlendRow32(uint8_t* Dst, const uint8_t* Src, int Count, bool Opaque);

// Count pixels copied (blue, green, red) unless the source pixel's colour is
// Key (a colour value: red in the lowest byte). A 4-byte destination's alpha
// becomes 255 when Opaque, else stays. Pixel sizes are 3 or 4 bytes.
void KeyedCopyRow(uint8_t* Dst, int DstBpp, const uint8_t* Src, int SrcBpp, int Count, uint32_t Key, bool Opaque);

// The first of Count pixels whose blue, green, red bytes are FF 00 FF (the
// see-through key), or Count when there is none.
int FindFuchsia(const uint8_t* Row, int Bpp, int Count);

// Count pixels of Bpp bytes each get Pixel's first Bpp bytes (3 or 4).
void FillRow(uint8_t* Dst, int Bpp, int Count, const uint8_t* Pixel);

// Each pixel's blue, green, red looked up in its channel's table (alpha kept).
using TTintTables = uint8_t[3][256];
void TintRow(uint8_t* Row, int Bpp, int Count, const TTintTables& Tables);

// Blue, green and red become (b + g + r) div 3 (alpha kept).
void GreyRow(uint8_t* Row, int Bpp, int Count);
// The same, leaving pixels of the colour Blue, Green, Red as they are.
void GreyRowExcept(uint8_t* Row, int Bpp, int Count, uint8_t Blue, uint8_t Green, uint8_t Red);

}  // namespace skin
