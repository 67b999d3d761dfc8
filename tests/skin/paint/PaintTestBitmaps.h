// Small DIBs for pixel tables: either row order, filled with a byte pattern,
// read and written by (x, y), and a snapshot that tells whether anything
// outside an allowed rectangle changed.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace painttest {

inline int Bpp(fw::TBitmap& b) { return b.PixelFormat() == fw::pf32bit ? 4 : b.PixelFormat() == fw::pf24bit ? 3 : 1; }

// An all-zero bitmap, bottom-up or (through a BMP file with a negative height) top-down.
inline std::unique_ptr<fw::TBitmap> Make(fw::TPixelFormat f, int w, int h, bool topDown = false) {
    auto b = std::make_unique<fw::TBitmap>(w, h, f);
    if (!topDown) return b;
    std::vector<uint8_t> file = b->SaveToBytes();
    const uint32_t neg = uint32_t(-h);
    for (int i = 0; i < 4; ++i) file[22 + i] = uint8_t(neg >> (8 * i));
    auto t = std::make_unique<fw::TBitmap>();
    t->LoadFromBytes(file.data(), file.size());
    EXPECT_TRUE(t->TopDown());
    EXPECT_EQ(t->PixelFormat(), f);
    return t;
}

inline uint8_t* At(fw::TBitmap& b, int x, int y) { return static_cast<uint8_t*>(b.ScanLine(y)) + x * Bpp(b); }

// Every byte of every pixel := v.
inline void Fill(fw::TBitmap& b, uint8_t v) {
    for (int y = 0; y < b.Height(); ++y) std::memset(b.ScanLine(y), v, size_t(b.Width()) * Bpp(b));
}

// Pixel (x, y) := bytes (blue, green, red[, alpha]).
inline void Put(fw::TBitmap& b, int x, int y, std::vector<uint8_t> bytes) {
    std::memcpy(At(b, x, y), bytes.data(), bytes.size());
}

// The bytes (blue, green, red) of a colour 0x00BBGGRR as a 24-bit pixel holds them.
inline std::vector<uint8_t> BgrOf(uint32_t c) { return {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)}; }

inline std::vector<uint8_t> Get(fw::TBitmap& b, int x, int y) {
    const uint8_t* p = At(b, x, y);
    return std::vector<uint8_t>(p, p + Bpp(b));
}

// Blue, green, red of pixel (x, y), whatever the format.
inline std::vector<uint8_t> GetBgr(fw::TBitmap& b, int x, int y) {
    std::vector<uint8_t> p = Get(b, x, y);
    p.resize(3);
    return p;
}

// A pattern that gives each pixel different bytes, so a misplaced copy shows.
inline void Pattern(fw::TBitmap& b, uint8_t seed = 1) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            uint8_t* p = At(b, x, y);
            for (int c = 0; c < Bpp(b); ++c) p[c] = uint8_t(seed + 37 * x + 101 * y + 13 * c);
        }
}

struct Snapshot {
    std::vector<std::vector<uint8_t>> pixels;
    int w = 0, h = 0;
    explicit Snapshot(fw::TBitmap& b) : w(b.Width()), h(b.Height()) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(Get(b, x, y));
    }
    const std::vector<uint8_t>& operator()(int x, int y) const { return pixels[size_t(y * w + x)]; }
};

// The pixels outside Allowed are those of Before.
inline ::testing::AssertionResult UnchangedOutside(fw::TBitmap& b, const Snapshot& before, const fw::TRect& allowed) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            if (allowed.Contains(fw::TPoint(x, y))) continue;
            if (Get(b, x, y) != before(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") outside the area changed";
        }
    return ::testing::AssertionSuccess();
}

// The rectangles of a region as GetRegionData gives them, in order.
inline std::vector<fw::TRect> Rects(HRGN rgn) {
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<uint8_t> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    GetRegionData(rgn, size, data);
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    std::vector<fw::TRect> out;
    for (DWORD i = 0; i < data->rdh.nCount; ++i) out.emplace_back(r[i].left, r[i].top, r[i].right, r[i].bottom);
    return out;
}

inline const char* Order(bool topDown) { return topDown ? "top-down" : "bottom-up"; }

}  // namespace painttest
