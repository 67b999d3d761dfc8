// Small PNG and ICO files made in the test from a pixel function, so that
// each test says what its pictures hold, and pixel reads with a tolerance.
// Pixels are 0xAARRGGBB.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace enginetest {

using PixelFn = std::function<uint32_t(int x, int y)>;

inline void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}
inline void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// An 8-bit RGBA PNG (colour type 6, no filtering).
inline std::vector<uint8_t> PngRGBA(int w, int h, const PixelFn& pixel) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = pixel(x, y);
            raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), uLong(raw.size()));
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&out](const char* type, const std::vector<uint8_t>& data) {
        PutBE32(out, uint32_t(data.size()));
        const size_t start = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        PutBE32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
    };
    std::vector<uint8_t> ihdr;
    PutBE32(ihdr, uint32_t(w));
    PutBE32(ihdr, uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk("IHDR", ihdr);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return out;
}

// A one-image ICO of 32-bit pixels; the AND mask is set where clear(x, y)
// holds (by default where alpha is 0).
inline std::vector<uint8_t> Ico32(int w, int h, const PixelFn& pixel, std::function<bool(int, int)> clear = nullptr) {
    if (!clear) clear = [&pixel](int x, int y) { return (pixel(x, y) >> 24) == 0; };
    const int maskStride = (w + 31) / 32 * 4;
    std::vector<uint8_t> image;
    PutLE(image, 40, 4);
    PutLE(image, uint32_t(w), 4);
    PutLE(image, uint32_t(2 * h), 4);
    PutLE(image, 1, 2);
    PutLE(image, 32, 2);
    PutLE(image, 0, 4);
    PutLE(image, uint32_t(w * h * 4 + maskStride * h), 4);
    PutLE(image, 0, 16);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) PutLE(image, pixel(x, y), 4);
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskStride), 0);
        for (int x = 0; x < w; ++x)
            if (clear(x, y)) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        image.insert(image.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> out = {0, 0, 1, 0, 1, 0, uint8_t(w), uint8_t(h), 0, 0, 1, 0, 32, 0};
    PutLE(out, uint32_t(image.size()), 4);
    PutLE(out, 22, 4);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

// 0xAARRGGBB of a 32-bit pixel, 0x00RRGGBB of a 24-bit one.
inline uint32_t Px(fw::TBitmap& b, int x, int y) {
    const bool wide = b.PixelFormat() == fw::pf32bit;
    const uint8_t* p = static_cast<uint8_t*>(b.ScanLine(y)) + x * (wide ? 4 : 3);
    return uint32_t(wide ? p[3] : 0) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// Each of red, green and blue within tol of the expected colour's.
inline ::testing::AssertionResult Near(uint32_t got, uint32_t want, int tol = 2) {
    for (int s = 0; s < 24; s += 8)
        if (std::abs(int((got >> s) & 255) - int((want >> s) & 255)) > tol)
            return ::testing::AssertionFailure()
                   << std::hex << "0x" << (got & 0xFFFFFF) << " is not near 0x" << (want & 0xFFFFFF);
    return ::testing::AssertionSuccess();
}

}  // namespace enginetest
