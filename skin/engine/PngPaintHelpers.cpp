#include "skin/engine/PngPaintHelpers.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"

namespace skin::pngpaint {

namespace {

inline uint8_t* Pixel(fw::TBitmap* b, int x, int y, int bpp) { return static_cast<uint8_t*>(b->ScanLine(y)) + x * bpp; }

inline uint8_t AlphaBlend(int d, int s, int a) { return uint8_t((d * 256 + (s - d) * a) >> 8); }

// The image's see-through colour: 0x00FF00FF (magenta, alpha 0).
inline bool SeeThrough(const uint8_t* s) { return s[0] == 0xFF && s[1] == 0 && s[2] == 0xFF && s[3] == 0; }

struct Tint {
    bool on = false;
    double k[3] = {};  // blue, green, red factors
    explicit Tint(fw::TColor c) {
        if (c == fw::clNone) return;
        on = true;
        const fw::TColor rgb = fw::ColorToRGB(c);
        k[2] = (rgb & 0xFF) / 255.0;
        k[1] = ((rgb >> 8) & 0xFF) / 255.0;
        k[0] = ((rgb >> 16) & 0xFF) / 255.0;
    }
    // The image's blue, green, red, or their grey tinted.
    void Targets(const uint8_t* s, int out[3]) const {
        if (!on) {
            out[0] = s[0];
            out[1] = s[1];
            out[2] = s[2];
            return;
        }
        const int grey = (s[0] + s[1] + s[2]) / 3;
        for (int c = 0; c < 3; ++c) out[c] = std::min(255, int(std::nearbyint(grey * k[c])));
    }
};

}  // namespace

fw::TBitmap* CreateBmp24(int Width, int Height) { return new fw::TBitmap(Width, Height, fw::pf24bit); }

fw::TBitmap* CreateBmp32(int Width, int Height) { return new fw::TBitmap(Width, Height, fw::pf32bit); }

void CopyBmp32(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI, bool UpdateTrans,
               fw::TColor Color, int Blend, bool Reflected) {
    if (!Bmp2 || !Bmp1) return;
    Bmp2->SetPixelFormat(fw::pf32bit);
    const int dstBpp = Bmp1->PixelFormat() == fw::pf32bit ? 4 : 3;
    if (dstBpp == 3 && Bmp1->PixelFormat() != fw::pf24bit) return;

    int h = std::min({std::max<int>(R1.Height(), 0), std::max<int>(R2.Height(), 0), Bmp1->Height() - int(R1.Top),
                      Bmp2->Height() - int(R2.Top)});
    int w = std::min({std::max<int>(R1.Width(), 0), std::max<int>(R2.Width(), 0), Bmp1->Width() - int(R1.Left),
                      Bmp2->Width() - int(R2.Left)});
    if (h < 1 || w < 1) return;
    const int dl = std::min(R1.Left, R2.Left);
    if (dl < 0) {
        R1.Left -= dl;
        R2.Left -= dl;
        w += dl;
    }
    const int dt = std::min(R1.Top, R2.Top);
    if (dt < 0) {
        R1.Top -= dt;
        R2.Top -= dt;
        h += dt;
    }
    if (h < 1 || w < 1) return;

    const Tint tint(Color);
    const bool parent = CI.Ready && CI.Bmp;
    for (int k = 0; k < h; ++k) {
        const uint8_t* s = Pixel(Bmp2, R2.Left, R2.Top + k, 4);
        uint8_t* d = Pixel(Bmp1, R1.Left, R1.Top + k, dstBpp);
        for (int i = 0; i < w; ++i, s += 4, d += dstBpp) {
            if (parent && SeeThrough(s)) {
                if (!UpdateTrans) continue;
                const int px = R1.Left + i + CI.X, py = R1.Top + k + CI.Y;
                if (py >= CI.Bmp->Height() || px < 0) continue;
                if (px >= CI.Bmp->Width() || py < 0) break;
                const fw::TColor c = CI.Bmp->Canvas()->Pixels(px, py);
                d[0] = uint8_t(c >> 16);
                d[1] = uint8_t(c >> 8);
                d[2] = uint8_t(c);
                continue;
            }
            const int a = Blend ? (100 - Blend) * s[3] / 100 : s[3];
            int t[3];
            tint.Targets(s, t);
            for (int c = 0; c < 3; ++c) d[c] = AlphaBlend(d[c], t[c], a);
        }
    }

    if (!Reflected) return;
    const int half = Bmp2->Height() / 2;
    const int n = std::min(half, Bmp1->Height() - int(R1.Bottom) - 1);
    if (n < 1 || half < 1) return;
    const int step = 255 / half;
    int level = 255;
    const int e = std::max(0, 100 - Blend);
    for (int t = 1; t <= n; ++t, level -= step) {
        const int srcRow = R2.Bottom - 1 - t, dstRow = R1.Bottom + t;
        if (srcRow < 0 || srcRow >= Bmp2->Height() || dstRow < 0) continue;
        const uint8_t* s = Pixel(Bmp2, R2.Left, srcRow, 4);
        uint8_t* d = Pixel(Bmp1, R1.Left, dstRow, dstBpp);
        for (int i = 0; i < w; ++i, s += 4, d += dstBpp) {
            if (SeeThrough(s)) continue;
            const int a = Blend ? std::max(0, e * s[3] / 300) * level / 255 : level * (s[3] / 3) / 255;
            int tg[3];
            tint.Targets(s, tg);
            for (int c = 0; c < 3; ++c) d[c] = AlphaBlend(d[c], tg[c], a);
        }
    }
}

void CopyChannel(fw::TBitmap* Bmp32, fw::TBitmap* Bmp8, int Channel, bool From32To8) {
    if (!Bmp32 || !Bmp8 || Channel < 0 || Channel > 3) return;
    if (Bmp32->PixelFormat() != fw::pf32bit || Bmp8->PixelFormat() != fw::pf8bit) return;
    const int h = std::min(Bmp32->Height(), Bmp8->Height()), w = std::min(Bmp32->Width(), Bmp8->Width());
    for (int y = 0; y < h; ++y) {
        uint8_t* p32 = static_cast<uint8_t*>(Bmp32->ScanLine(y)) + Channel;
        uint8_t* p8 = static_cast<uint8_t*>(Bmp8->ScanLine(y));
        for (int x = 0; x < w; ++x, p32 += 4, ++p8) {
            if (From32To8)
                *p8 = *p32;
            else
                *p32 = *p8;
        }
    }
}

void FillDC(HDC DC, const fw::TRect& R, fw::TColor Color) {
    HBRUSH brush = CreateSolidBrush(COLORREF(fw::ColorToRGB(Color)));
    RECT r = R;
    FillRect(DC, &r, brush);
    DeleteObject(brush);
}

}  // namespace skin::pngpaint
