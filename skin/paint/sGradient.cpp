#include "skin/paint/sGradient.h"

#include <algorithm>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/acPixelRows.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

namespace {

TGradientFill LookUpGradientFill() {
    HMODULE lib = LoadLibraryW(L"msimg32.dll");
    if (!lib) return nullptr;
    // Kept loaded for the process: the pointer is used until exit.
    return reinterpret_cast<TGradientFill>(GetProcAddress(lib, "GradientFill"));
}

// The running colour of one stop: single-precision channels (red, green,
// blue) advanced by a double-precision step, rounded half to even per pixel.
struct TRamp {
    float v[3];
    double inc[3];
    TRamp(TColor c1, TColor c2, int n) {
        for (int ch = 0; ch < 3; ++ch) {
            const int a = int((uint32_t(c1) >> (8 * ch)) & 0xFF), b = int((uint32_t(c2) >> (8 * ch)) & 0xFF);
            v[ch] = float(a);
            inc[ch] = double(b - a) / n;
        }
    }
    // The current colour as stored bytes blue, green, red, alpha 255; then one step on.
    void Next(uint8_t* px) {
        px[0] = uint8_t(fw::Round(v[2]));
        px[1] = uint8_t(fw::Round(v[1]));
        px[2] = uint8_t(fw::Round(v[0]));
        px[3] = 255;
        for (int ch = 0; ch < 3; ++ch) v[ch] = float(double(v[ch]) + inc[ch]);
    }
};

void PutPixel(uint8_t* d, const uint8_t* bgra, int bpp) {
    d[0] = bgra[0], d[1] = bgra[1], d[2] = bgra[2];
    if (bpp == 4) d[3] = bgra[3];
}

void PaintHorizontal(const TPixelRows& rows, const fw::TRect& R, const TsGradArray& Data) {
    // Every row is alike: compute one, then copy it.
    std::vector<uint8_t> line(size_t(R.Width()) * rows.bpp);
    const int last = int(Data.size()) - 1;
    int x = R.Left;
    for (int i = 0; i <= last; ++i) {
        const int j = x;
        x = int(fw::Round(Data[i].Percent * (R.Width() / 100.0) + j));
        x = i == last ? R.Right - 1 : std::min<int>(x, R.Right - 1);
        const int n = x - j;
        if (n <= 0) continue;
        TRamp ramp(Data[i].Color1, Data[i].Color2, n);
        for (int c = j; c <= x; ++c) {
            uint8_t px[4];
            ramp.Next(px);
            if (c >= R.Left) PutPixel(&line[size_t(c - R.Left) * rows.bpp], px, rows.bpp);
        }
    }
    for (int y = R.Top; y < R.Bottom; ++y) std::copy(line.begin(), line.end(), rows.At(R.Left, y));
}

void PaintVertical(const TPixelRows& rows, const fw::TRect& R, const TsGradArray& Data, int OffsetY) {
    const int last = int(Data.size()) - 1;
    int y = R.Top + OffsetY;
    for (int i = 0; i <= last; ++i) {
        const int o = y;
        y = Data[i].Percent * (OffsetY + R.Height()) / 100 + o;
        y = i == last ? R.Bottom - 1 : std::min<int>(y, R.Bottom - 1);
        const int n = y - o;
        if (n <= 0) break;
        TRamp ramp(Data[i].Color1, Data[i].Color2, n);
        for (int r = o; r <= y; ++r) {
            uint8_t px[4];
            ramp.Next(px);
            if (r < R.Top || r >= R.Bottom) continue;  // an offset never paints outside R
            FillRow(rows.At(R.Left, r), rows.bpp, R.Width(), px);
        }
    }
}

void PaintTriangles(fw::TBitmap* Bmp, const fw::TRect& R, const TsGradArray& Data) {
    if (!acGradientFill) return;
    const LONG xs[5] = {R.Left, R.Left + R.Width() / 2, R.Right, R.Right, R.Left};
    const LONG ys[5] = {R.Top, R.Top + R.Height() / 2, R.Top, R.Bottom, R.Bottom};
    TRIVERTEX v[5];
    TColor c = 0;
    for (int k = 0; k < 5; ++k) {
        if (k < int(Data.size())) c = Data[k].Color1;
        v[k].x = xs[k];
        v[k].y = ys[k];
        v[k].Red = COLOR16((uint32_t(c) & 0xFF) << 8);
        v[k].Green = COLOR16(((uint32_t(c) >> 8) & 0xFF) << 8);
        v[k].Blue = COLOR16(((uint32_t(c) >> 16) & 0xFF) << 8);
        v[k].Alpha = 0;
    }
    GRADIENT_TRIANGLE t[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    HDC dc = Bmp->Canvas()->Handle();
    // GradientFill ignores clipping by R itself: keep the triangles inside it.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    acGradientFill(dc, v, 5, t, 4, GRADIENT_FILL_TRIANGLE);
    RestoreDC(dc, saved);
}

}  // namespace

TGradientFill acGradientFill = LookUpGradientFill();

void PaintGrad(fw::TBitmap* Bmp, fw::TRect R, const TsGradArray& Data, int, int OffsetY) {
    if (!Bmp || R.Width() <= 0 || R.Height() <= 0 || Data.empty()) return;
    R = ClipToBitmap(Bmp, R);
    if (R.IsEmpty()) return;
    const int kind = Data[0].Mode1;
    if (kind == 2) {
        PaintTriangles(Bmp, R, Data);
        return;
    }
    if (kind != 0 && kind != 1) return;
    if (Bmp->PixelFormat() != fw::pf24bit && Bmp->PixelFormat() != fw::pf32bit) return;
    const TPixelRows rows = PixelRows(Bmp);
    if (kind == 1)
        PaintHorizontal(rows, R, Data);
    else
        PaintVertical(rows, R, Data, OffsetY);
}

void PaintGrad(fw::TBitmap* Bmp, const fw::TRect& R, const fw::String& GradientData) {
    TsGradArray data;
    PrepareGradArray(GradientData, data);
    PaintGrad(Bmp, R, data, 0, 0);
}

}  // namespace skin
