#include "framework/graphics/PixelSurface.h"

#include <cstring>
#include <utility>

namespace fw {

namespace {

// Some GDIs report a top-down section's height as positive. Flip the first
// byte in memory and see whether GDI's top-left pixel changed, then put it back.
bool ProbeTopDown(HBITMAP dib, uint8_t* bits) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    if (!old) {  // selected into another DC: cannot look, assume the usual bottom-up
        DeleteDC(dc);
        return false;
    }
    GdiFlush();
    COLORREF before = GetPixel(dc, 0, 0);
    bits[0] ^= 0xFF;
    COLORREF after = GetPixel(dc, 0, 0);
    bits[0] ^= 0xFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    return before != after;
}

}  // namespace

PixelSurface::PixelSurface(int width, int height) { Create(width, height); }

PixelSurface::~PixelSurface() { Free(); }

PixelSurface::PixelSurface(PixelSurface&& other) noexcept { *this = std::move(other); }

PixelSurface& PixelSurface::operator=(PixelSurface&& other) noexcept {
    if (this != &other) {
        Free();
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
        oldBitmap_ = std::exchange(other.oldBitmap_, nullptr);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bpp_ = std::exchange(other.bpp_, 32);
        topDown_ = std::exchange(other.topDown_, true);
        rgb565_ = std::exchange(other.rgb565_, false);
        stride_ = std::exchange(other.stride_, 0);
    }
    return *this;
}

void PixelSurface::Reset() {
    bitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = stride_ = 0;
}

bool PixelSurface::Create(int width, int height, int bitsPerPixel, bool topDown, const RGBQUAD* colors, int colorCount,
                          bool rgb565) {
    Free();
    bpp_ = bitsPerPixel;
    topDown_ = topDown;
    rgb565_ = bitsPerPixel == 16 && rgb565;
    if (width <= 0 || height <= 0) return width == 0 || height == 0;
    if (!ValidBitsPerPixel(bitsPerPixel)) return false;
    // Refuse sizes whose byte count does not fit in 32 bits before GDI sees them.
    if (int64_t(StrideOf(width, bitsPerPixel)) * height > 0x7FFFFFFF) return false;

    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[256];
    } info{};
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = width;
    info.h.biHeight = topDown ? -height : height;
    info.h.biPlanes = 1;
    info.h.biBitCount = WORD(bitsPerPixel);
    info.h.biCompression = BI_RGB;
    if (bitsPerPixel <= 8) {
        int n = 1 << bitsPerPixel;
        info.h.biClrUsed = n;
        for (int i = 0; i < n && i < colorCount && colors; ++i) info.colors[i] = colors[i];
    } else if (rgb565_) {
        info.h.biCompression = BI_BITFIELDS;
        DWORD* masks = reinterpret_cast<DWORD*>(info.colors);
        masks[0] = 0xF800;
        masks[1] = 0x07E0;
        masks[2] = 0x001F;
    }
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits) {
        if (bmp) DeleteObject(bmp);
        return false;
    }
    bitmap_ = bmp;
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    stride_ = StrideOf(width, bitsPerPixel);
    // Sections start zeroed; say so rather than rely on it.
    GdiFlush();
    std::memset(bits_, 0, ImageSize());
    return true;
}

bool PixelSurface::Attach(HBITMAP dib) {
    DIBSECTION ds{};
    if (!dib || GetObjectW(dib, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return false;
    int bpp = ds.dsBmih.biBitCount;
    if (!ValidBitsPerPixel(bpp)) return false;
    Free();
    bitmap_ = dib;
    bits_ = static_cast<uint8_t*>(ds.dsBm.bmBits);
    width_ = ds.dsBm.bmWidth;
    height_ = ds.dsBm.bmHeight;
    bpp_ = bpp;
    topDown_ = ds.dsBmih.biHeight < 0 || (ds.dsBm.bmHeight > 1 && ProbeTopDown(dib, bits_));
    rgb565_ = bpp == 16 && ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0;
    stride_ = StrideOf(width_, bpp);
    return true;
}

HBITMAP PixelSurface::Detach() {
    FreeDC();
    HBITMAP bmp = bitmap_;
    Reset();
    return bmp;
}

void PixelSurface::Free() {
    FreeDC();
    if (bitmap_) DeleteObject(bitmap_);
    Reset();
}

HDC PixelSurface::DC() {
    if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
        if (dc_ && bitmap_) oldBitmap_ = SelectObject(dc_, bitmap_);
    }
    return dc_;
}

void PixelSurface::FreeDC() {
    if (!dc_) return;
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
    oldBitmap_ = nullptr;
}

std::vector<RGBQUAD> PixelSurface::Colors() const {
    std::vector<RGBQUAD> colors;
    if (!bitmap_ || bpp_ > 8) return colors;
    colors.resize(size_t(1) << bpp_);
    // A bitmap can be selected into one DC only, so use the surface's own.
    HDC dc = const_cast<PixelSurface*>(this)->DC();
    UINT n = GetDIBColorTable(dc, 0, UINT(colors.size()), colors.data());
    colors.resize(n);
    return colors;
}

void PixelSurface::SetColors(const RGBQUAD* colors, int count) {
    if (!bitmap_ || bpp_ > 8 || count <= 0) return;
    if (count > (1 << bpp_)) count = 1 << bpp_;
    HDC dc = DC();
    SetDIBColorTable(dc, 0, UINT(count), colors);
}

}  // namespace fw
