// A DIB section and the memory DC it is selected into: pixels that code can
// address directly and GDI can draw on, with no window. By default 32-bit BGRA,
// top-down; TBitmap keeps its device-independent image in one of these in any
// of its formats, so there is one implementation of DIB memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace fw {

class PixelSurface {
public:
    PixelSurface() = default;
    // A 32-bit top-down surface, every pixel 0.
    PixelSurface(int width, int height);
    ~PixelSurface();
    PixelSurface(PixelSurface&& other) noexcept;
    PixelSurface& operator=(PixelSurface&& other) noexcept;
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    // Makes a new section; all bits are zero. bitsPerPixel is 1, 4, 8, 16, 24
    // or 32; 16 is 5-5-5 unless rgb565. Indexed formats take colorCount colours
    // (missing ones are black). A 0x0 surface is valid and has no section.
    // Returns false (and leaves the surface empty) when GDI refuses.
    bool Create(int width, int height, int bitsPerPixel = 32, bool topDown = true, const RGBQUAD* colors = nullptr,
                int colorCount = 0, bool rgb565 = false);
    // Takes over a DIB section made elsewhere; false (nothing taken) for a DDB.
    // The row order is found by looking, so the section must not be selected
    // into another DC (one that is counts as bottom-up).
    bool Attach(HBITMAP dib);
    // Gives the section away (it is taken out of the DC first).
    HBITMAP Detach();
    void Free();

    // The bit depths a surface can have: 1, 4, 8, 16, 24, 32.
    static bool ValidBitsPerPixel(int bitsPerPixel) {
        return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
               bitsPerPixel == 24 || bitsPerPixel == 32;
    }
    // Bytes per row of a DIB, padded to 4.
    static int StrideOf(int width, int bitsPerPixel) { return int(((int64_t(width) * bitsPerPixel + 31) / 32) * 4); }

    bool Allocated() const { return bitmap_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bpp_; }
    bool TopDown() const { return topDown_; }
    bool Rgb565() const { return rgb565_; }
    // Bytes per row, padded to 4.
    int Stride() const { return stride_; }
    // Address step from row y to row y + 1: negative for bottom-up sections.
    int RowStep() const { return topDown_ ? stride_ : -stride_; }
    // Row 0 is the top whatever the orientation. Not range-checked.
    uint8_t* Row(int y) const { return bits_ + (topDown_ ? y : height_ - 1 - y) * ptrdiff_t(stride_); }
    uint32_t* Row32(int y) const { return reinterpret_cast<uint32_t*>(Row(y)); }
    uint32_t& Pixel32(int x, int y) const { return Row32(y)[x]; }
    // The lowest address of the pixel memory and its size in bytes.
    uint8_t* Bits() const { return bits_; }
    size_t ImageSize() const { return size_t(stride_) * size_t(height_); }

    HBITMAP Bitmap() const { return bitmap_; }
    // Memory DC with the section selected, made on first use.
    HDC DC();
    void FreeDC();

    std::vector<RGBQUAD> Colors() const;
    void SetColors(const RGBQUAD* colors, int count);

private:
    void Reset();

    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bpp_ = 32;
    bool topDown_ = true;
    bool rgb565_ = false;
    int stride_ = 0;
};

}  // namespace fw
