#include "skin/paint/sAlphaGraph.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/Exception.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

namespace {

const wchar_t kUnsupported[] = L"Bitmap format is not supported";

bool AttachFast(TacFastBase& f, fw::TBitmap* Bmp, fw::TPixelFormat Format) {
    if (!Bmp || Bmp->Height() < 2 || Bmp->Width() < 2) {
        f.FWidth = 0;
        return false;
    }
    f.FBitmap = Bmp;
    f.FWidth = Bmp->Width();
    f.FHeight = Bmp->Height();
    if (Bmp->PixelFormat() != Format) throw fw::EAssertionFailed(kUnsupported);
    f.FStart = static_cast<uint8_t*>(Bmp->ScanLine(0));
    f.FDelta = Bmp->RowStep();
    return true;
}

}  // namespace

bool TacFast24::Attach(fw::TBitmap* Bmp) { return AttachFast(*this, Bmp, fw::pf24bit); }

TsColor TacFast24::GetPixel(int X, int Y) const {
    const uint8_t* p = FStart + intptr_t(Y) * FDelta + 3 * X;
    TsColor c{0};
    c.B = p[0];
    c.G = p[1];
    c.R = p[2];
    return c;
}

void TacFast24::SetPixel(int X, int Y, TsColor Color) {
    uint8_t* p = FStart + intptr_t(Y) * FDelta + 3 * X;
    p[0] = Color.B;
    p[1] = Color.G;
    p[2] = Color.R;
}

bool TacFast32::Attach(fw::TBitmap* Bmp) { return AttachFast(*this, Bmp, fw::pf32bit); }

TsColor TacFast32::GetPixel(int X, int Y) const {
    TsColor c{0};
    std::memcpy(&c, FStart + intptr_t(Y) * FDelta + 4 * X, 4);
    return c;
}

void TacFast32::SetPixel(int X, int Y, TsColor Color) { std::memcpy(FStart + intptr_t(Y) * FDelta + 4 * X, &Color, 4); }

void TacFast32::FillBitmap(TColor Color) {
    fw::TRect all(0, 0, FWidth, FHeight);
    FillRect(all, Color);
}

void TacFast32::FillRect(fw::TRect& R, TColor Color) {
    if (!FBitmap) return;
    // Clipped all the same: a stray rectangle must not reach past the rows.
    const fw::TRect c = ClipToBitmap(FBitmap, R);
    const int w = c.Width();
    if (w <= 0) return;
    const uint32_t v = uint32_t(Color);
    uint8_t pixel[4];
    std::memcpy(pixel, &v, 4);
    for (int y = c.Top; y < c.Bottom; ++y) FillRow(FStart + intptr_t(y) * FDelta + 4 * c.Left, 4, w, pixel);
}

bool TacFastSum::Attach(fw::TBitmap* BmpSrc, fw::TBitmap* BmpDst) {
    if (!BmpSrc || !BmpDst || BmpSrc->Height() < 2 || BmpDst->Height() < 2 || BmpSrc->Width() < 2 ||
        BmpDst->Width() < 2)
        return false;
    FBmpSrc = BmpSrc;
    FBmpDst = BmpDst;
    FWidthDst = std::min(BmpSrc->Width(), BmpDst->Width());
    FHeightDst = std::min(BmpSrc->Height(), BmpDst->Height());
    FStartSrc = static_cast<uint8_t*>(BmpSrc->ScanLine(0));
    FStartDst = static_cast<uint8_t*>(BmpDst->ScanLine(0));
    FDeltaSrc = BmpSrc->RowStep();
    FDeltaDst = BmpDst->RowStep();
    return true;
}

void TacFastSum::BlendBitmaps() {
    if (!FStartDst) return;
    for (int y = 0; y < FHeightDst; ++y)
        BlendRowBytes(FStartDst + intptr_t(y) * FDeltaDst, FStartSrc + intptr_t(y) * FDeltaSrc, FWidthDst * FBpp,
                      Alpha);
}

void TacFastSum::BlendBitmapsRect() {
    if (!FStartDst || DstX2 <= DstX1) return;
    const int count = (DstX2 - DstX1) * FBpp;
    for (int y = DstY1; y < DstY2; ++y) {
        const int sy = y - DstY2 + SrcY2;
        BlendRowBytes(FStartDst + intptr_t(y) * FDeltaDst + DstX1 * FBpp,
                      FStartSrc + intptr_t(sy) * FDeltaSrc + SrcX1 * FBpp, count, Alpha);
    }
}

TColor SwapColor(TColor Color) {
    const uint32_t c = uint32_t(Color);
    return TColor(0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

void FillRect32(fw::TBitmap* Bmp, fw::TRect R, TColor Color) {
    TacFast32 f;
    if (f.Attach(Bmp)) f.FillRect(R, SwapColor(Color));
}

void FillAlphaRect(fw::TBitmap* Bmp, fw::TRect R, uint8_t Value) {
    if (!Bmp || Bmp->PixelFormat() != fw::pf32bit) return;
    const TPixelRows rows = PixelRows(Bmp, 4);
    R = ClipToBitmap(Bmp, R);
    for (int y = R.Top; y < R.Bottom; ++y) {
        uint8_t* p = rows.At(R.Left, y) + 3;
        for (int x = R.Left; x < R.Right; ++x, p += 4) *p = Value;
    }
}

void BlendColorRect(fw::TBitmap* Bmp, fw::TRect R, int8_t Blend, TColor Color) {
    // Other formats have rows too short for 3-byte pixels: left alone.
    if (!Bmp || (Bmp->PixelFormat() != fw::pf24bit && Bmp->PixelFormat() != fw::pf32bit)) return;
    R = ClipToBitmap(Bmp, R);
    if (R.IsEmpty()) return;
    const uint32_t c = uint32_t(fw::ColorToRGB(Color));
    const double k = uint8_t(Blend) / 100.0;
    // The result depends only on the old byte: one exact table per channel.
    const int channel[3] = {int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)};  // blue, green, red
    TTintTables table;
    for (int ch = 0; ch < 3; ++ch)
        for (int v = 0; v < 256; ++v)
            table[ch][v] = uint8_t(std::clamp<int64_t>(fw::Round(v * k + channel[ch] * (1 - k)), 0, 255));
    const int bpp = Bmp->PixelFormat() == fw::pf32bit ? 4 : 3;
    const TPixelRows rows = PixelRows(Bmp, bpp);
    if (!rows) return;
    for (int y = R.Top; y < R.Bottom; ++y) TintRow(rows.At(R.Left, y), bpp, R.Width(), table);
}

}  // namespace skin
