// In-memory JPEG encoding and decoding of 24-bit pixel buffers on libjpeg.
// libjpeg reports fatal errors by calling back into its error manager; the
// codec turns them into EInvalidGraphic only after control is back in C++,
// so no exception ever crosses libjpeg's C frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/rtl/Exception.h"

namespace fw {

// Byte order of one pixel in the caller's buffer. Windows DIBs are Bgr.
enum class JpegPixelOrder { Rgb, Bgr };

struct JpegEncodeOptions {
    int Quality = 90;          // 1..100, clamped
    bool Progressive = false;  // false: baseline (SOF0)
    bool Grayscale = false;    // encode one luminance component
    JpegPixelOrder Order = JpegPixelOrder::Rgb;
};

struct JpegDecodeOptions {
    bool Grayscale = false;  // decode luminance only (all three bytes equal)
    JpegPixelOrder Order = JpegPixelOrder::Rgb;
};

// A decoded picture: rows top-down, 3 bytes per pixel, no row padding.
struct JpegPixels {
    int Width = 0;
    int Height = 0;
    bool SourceGrayscale = false;  // the stream held a single component
    std::vector<uint8_t> Data;
};

// Encodes Width x Height pixels. Top points at the top row; Stride is the
// distance in bytes from one row to the next one below (negative for
// bottom-up DIBs). Raises EInvalidGraphic when libjpeg refuses.
std::vector<uint8_t> JpegEncode(const uint8_t* Top, int Width, int Height, std::ptrdiff_t Stride,
                                const JpegEncodeOptions& Options = {});

// Decodes a whole JPEG stream. Corrupt, truncated, unsupported (CMYK) or
// oversized input raises EInvalidGraphic.
JpegPixels JpegDecode(const void* Bytes, std::size_t Size, const JpegDecodeOptions& Options = {});

}  // namespace fw
