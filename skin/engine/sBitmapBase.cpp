#include "skin/engine/sBitmapBase.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "skin/engine/acGdiGuards.h"
#include "skin/engine/acPixelRows.h"

namespace skin {

namespace {

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

TPixelRows PixelRows(fw::TBitmap* Bmp, int Bpp) {
    TPixelRows r;
    if (!Bmp || Bmp->Width() <= 0 || Bmp->Height() <= 0) return r;
    if (Bpp == 0) {
        switch (Bmp->PixelFormat()) {
            case fw::pf8bit:
                Bpp = 1;
                break;
            case fw::pf24bit:
                Bpp = 3;
                break;
            case fw::pf32bit:
                Bpp = 4;
                break;
            default:
                return r;
        }
    }
    r.p0 = static_cast<uint8_t*>(Bmp->ScanLine(0));
    r.step = Bmp->RowStep();
    r.bpp = Bpp;
    r.width = Bmp->Width();
    r.height = Bmp->Height();
    return r;
}

fw::TRect ClipToBitmap(fw::TBitmap* Bmp, fw::TRect R) {
    R.Left = std::max<LONG>(R.Left, 0);
    R.Top = std::max<LONG>(R.Top, 0);
    R.Right = std::min<LONG>(R.Right, Bmp->Width());
    R.Bottom = std::min<LONG>(R.Bottom, Bmp->Height());
    return R;
}

bool ClipCopyArea(fw::TRect& R1, fw::TRect& R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, int& w, int& h) {
    h = std::min({int(R1.Height()), int(R2.Height()), Bmp1->Height() - int(R1.Top), Bmp2->Height() - int(R2.Top)});
    w = std::min({int(R1.Width()), int(R2.Width()), Bmp1->Width() - int(R1.Left), Bmp2->Width() - int(R2.Left)});
    if (h < 1 || w < 1) return false;
    if (const int dl = std::min(R1.Left, R2.Left); dl < 0) {
        R1.Left -= dl;
        R2.Left -= dl;
        w += dl;
    }
    if (const int dt = std::min(R1.Top, R2.Top); dt < 0) {
        R1.Top -= dt;
        R2.Top -= dt;
        h += dt;
    }
    return h >= 1 && w >= 1;
}

TParentPixels::TParentPixels(const TCacheInfo& CI) {
    if (!CI.Bmp) return;
    const fw::TPixelFormat f = CI.Bmp->PixelFormat();
    if (f == fw::pf24bit || f == fw::pf32bit)
        rows_ = PixelRows(CI.Bmp);
    else if (CI.Bmp->Width() > 0 && CI.Bmp->Height() > 0)
        bmp_ = CI.Bmp;
}

TParentLook TParentPixels::Look(int X, int Y, uint8_t* Bgr) const {
    const int w = rows_ ? rows_.width : bmp_ ? bmp_->Width() : 0;
    const int h = rows_ ? rows_.height : bmp_ ? bmp_->Height() : 0;
    if (Y >= h || X < 0) return plKeep;
    if (X >= w || Y < 0) return plEndRow;
    if (rows_) {
        const uint8_t* p = rows_.At(X, Y);
        Bgr[0] = p[0];
        Bgr[1] = p[1];
        Bgr[2] = p[2];
    } else {
        const fw::TColor c = bmp_->Canvas()->Pixels(X, Y);
        Bgr[0] = uint8_t(c >> 16);
        Bgr[1] = uint8_t(c >> 8);
        Bgr[2] = uint8_t(c);
    }
    return plTake;
}

void CopyBmp32(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI, bool UpdateTrans,
               fw::TColor Color, int Blend, bool Reflected) {
    if (!Bmp2 || !Bmp1) return;
    Bmp2->SetPixelFormat(fw::pf32bit);
    const int dstBpp = Bmp1->PixelFormat() == fw::pf32bit ? 4 : 3;
    if (dstBpp == 3 && Bmp1->PixelFormat() != fw::pf24bit) return;

    int w, h;
    if (!ClipCopyArea(R1, R2, Bmp1, Bmp2, w, h)) return;

    const Tint tint(Color);
    const bool parent = CI.Ready && CI.Bmp;
    const TParentPixels parentPixels(CI);
    const TPixelRows src = PixelRows(Bmp2, 4), dst = PixelRows(Bmp1, dstBpp);
    for (int k = 0; k < h; ++k) {
        const uint8_t* s = src.At(R2.Left, R2.Top + k);
        uint8_t* d = dst.At(R1.Left, R1.Top + k);
        for (int i = 0; i < w; ++i, s += 4, d += dstBpp) {
            if (parent && SeeThrough(s)) {
                if (!UpdateTrans) continue;
                const TParentLook look = parentPixels.Look(R1.Left + i + CI.X, R1.Top + k + CI.Y, d);
                if (look == plEndRow) break;
                continue;
            }
            const int a = Blend ? (100 - Blend) * s[3] / 100 : s[3];
            int t[3];
            tint.Targets(s, t);
            for (int c = 0; c < 3; ++c) d[c] = AlphaMix(d[c], t[c], a);
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
        const uint8_t* s = src.At(R2.Left, srcRow);
        uint8_t* d = dst.At(R1.Left, dstRow);
        for (int i = 0; i < w; ++i, s += 4, d += dstBpp) {
            if (SeeThrough(s)) continue;
            const int a = Blend ? std::max(0, e * s[3] / 300) * level / 255 : level * (s[3] / 3) / 255;
            int tg[3];
            tint.Targets(s, tg);
            for (int c = 0; c < 3; ++c) d[c] = AlphaMix(d[c], tg[c], a);
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
    const TacBrush brush(CreateSolidBrush(COLORREF(fw::ColorToRGB(Color))));
    const RECT r = R;
    FillRect(DC, &r, brush.Get());
}

}  // namespace skin
