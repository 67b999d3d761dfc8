#include "skin/paint/sFadeSum.h"

#include <algorithm>
#include <memory>

#include "framework/graphics/Color.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/acPixelRows.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sCopies.h"

namespace skin {

namespace {

// Draws with a clear pen and a solid grey brush on a mask DC.
class TMaskPainter {
public:
    explicit TMaskPainter(HDC dc) : dc_(dc), oldPen_(SelectObject(dc, GetStockObject(NULL_PEN))) {}
    ~TMaskPainter() {
        SelectObject(dc_, oldPen_);
        Brush(-1);
    }
    void Brush(int grey) {
        if (brush_) {
            SelectObject(dc_, oldBrush_);
            DeleteObject(brush_);
            brush_ = nullptr;
        }
        if (grey < 0) return;
        brush_ = CreateSolidBrush(RGB(grey, grey, grey));
        oldBrush_ = SelectObject(dc_, brush_);
    }

private:
    HDC dc_;
    HGDIOBJ oldPen_;
    HBRUSH brush_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
};

}  // namespace

void BlendBmpByMask(fw::TBitmap* SrcBmp, fw::TBitmap* MskBmp, TsColor BlendColor) {
    if (!Is24or32(SrcBmp) || !Is24or32(MskBmp)) return;
    if (SrcBmp->Width() != MskBmp->Width() || SrcBmp->Height() != MskBmp->Height()) return;
    const TPixelRows s = PixelRows(SrcBmp, 3), m = PixelRows(MskBmp, 3);
    if (!s) return;
    const int c[3] = {BlendColor.B, BlendColor.G, BlendColor.R};
    for (int y = 0; y < s.height; ++y) {
        uint8_t* p = s.Row(y);
        const uint8_t* k = m.Row(y);
        for (int i = 0; i < s.width * 3; ++i) p[i] = MaskBlend(p[i], c[i % 3], k[i]);
    }
}

void FadeRect(fw::TCanvas* Canvas, fw::TRect SrcRect, HDC DstDC, fw::TPoint P, int Transparency, TColor Color, int Blur,
              TsShadowingShape Shape, int Radius) {
    if (!Canvas) return;
    const int W = SrcRect.Width(), H = SrcRect.Height();
    HDC src = Canvas->Handle();
    const int savedSrc = SaveDC(src), savedDst = SaveDC(DstDC);
    const TColor C = fw::ColorToRGB(Color);
    if (Transparency == 0) {
        FillDC(DstDC, fw::TRect(P.X, P.Y, P.X + W, P.Y + H), C);
    } else if (Transparency == 100) {
        BitBlt(DstDC, P.X, P.Y, W, H, src, SrcRect.Left, SrcRect.Top, SRCCOPY);
    } else if (W > 0 && H > 0) {
        std::unique_ptr<fw::TBitmap> image(CreateBmp24(W, H)), mask(CreateBmp24(W, H));
        Blur = std::max(0, std::min({W / 2, H / 2, Blur}));
        const int T = Transparency * 255 / 100;
        const double step = (255.0 - T) / (Blur + 1);
        BitBlt(image->Canvas()->Handle(), 0, 0, W, H, src, SrcRect.Left, SrcRect.Top, SRCCOPY);
        HDC mdc = mask->Canvas()->Handle();
        {
            TMaskPainter painter(mdc);
            for (int i = 0; i <= Blur; ++i) {
                painter.Brush(uint8_t(fw::Round((Blur - i) * step) + T));
                if (Shape == ssRectangle)
                    RoundRect(mdc, i, i, W - i + 1, H - i + 1, Radius + Blur, Radius + Blur);
                else if (Shape == ssEllipse)
                    Ellipse(mdc, i, i, W - i, H - i);
            }
        }
        BlendBmpByMask(image.get(), mask.get(), TsColor{C});
        BitBlt(DstDC, P.X, P.Y, W, H, image->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    RestoreDC(DstDC, savedDst);
    RestoreDC(src, savedSrc);
}

void FadeBmp(fw::TBitmap* Bmp, fw::TRect R, int Transparency, TsColor Color, int Blur, int Radius) {
    if (!Bmp) return;
    const int W = R.Width(), H = R.Height();
    if (W <= 0 || H <= 0) return;
    std::unique_ptr<fw::TBitmap> image(CreateBmp24(W, H)), mask(CreateBmp24(W, H));
    Blur = std::max(0, std::min({W / 2, H / 2, Blur}));
    Radius = std::min({W / 2, H / 2, Radius});
    const int T = Transparency * 255 / 100;
    HDC bdc = Bmp->Canvas()->Handle();
    BitBlt(image->Canvas()->Handle(), 0, 0, W, H, bdc, R.Left, R.Top, SRCCOPY);
    const double step = (255.0 - T) / (Blur + 1);
    HDC mdc = mask->Canvas()->Handle();
    {
        TMaskPainter painter(mdc);
        int grey = 255;
        for (int i = 0; i <= Blur; ++i) {
            painter.Brush(grey);
            RoundRect(mdc, i, i, W - i, H - i, Radius, Radius);
            grey = uint8_t(fw::Round((Blur - i) * step) + T);
        }
        painter.Brush(grey);
        RoundRect(mdc, Blur, Blur, W - Blur, H - Blur, Blur, Blur);
    }
    BlendBmpByMask(image.get(), mask.get(), Color);
    BitBlt(bdc, R.Left, R.Top, W, H, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void SumBitmaps(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, TsColor Alpha) {
    if (!Is24or32(DstBmp) || !SrcBmp || DstBmp->PixelFormat() != SrcBmp->PixelFormat()) return;
    if (DstBmp->Width() != SrcBmp->Width() || DstBmp->Height() != SrcBmp->Height()) return;
    TacFastSum sum(DstBmp->PixelFormat() == fw::pf32bit ? 4 : 3);
    if (!sum.Attach(SrcBmp, DstBmp)) return;
    sum.Alpha = Alpha.R;
    sum.DstX2 = SrcBmp->Width();
    sum.DstY2 = SrcBmp->Height();
    sum.SrcX2 = DstBmp->Width();
    sum.SrcY2 = DstBmp->Height();
    sum.BlendBitmapsRect();
}

void SumBmpRect(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, TsColor Alpha, fw::TRect SrcRect, fw::TPoint DstPoint) {
    if (!DstBmp || !SrcBmp) return;
    fw::TRect R = SrcRect;
    fw::TPoint P = DstPoint;
    if (P.X < 0) R.Left -= P.X, P.X = 0;
    if (P.Y < 0) R.Top -= P.Y, P.Y = 0;
    if (R.Left < 0) P.X -= R.Left, R.Left = 0;
    if (R.Top < 0) P.Y -= R.Top, R.Top = 0;
    if (R.Left >= R.Right || R.Top >= R.Bottom) return;
    if (P.X >= DstBmp->Width() || P.Y >= DstBmp->Height()) return;
    if (R.Left >= SrcBmp->Width() || R.Top >= SrcBmp->Height()) return;
    R.Right = std::min<LONG>(R.Right, SrcBmp->Width());
    R.Bottom = std::min<LONG>(R.Bottom, SrcBmp->Height());
    if (P.X + R.Width() > DstBmp->Width()) R.Right = DstBmp->Width() + R.Left - P.X;
    if (P.Y + R.Height() > DstBmp->Height()) R.Bottom = DstBmp->Height() + R.Top - P.Y;
    const fw::TPixelFormat pf = DstBmp->PixelFormat();
    if ((pf != fw::pf24bit && pf != fw::pf32bit) || SrcBmp->PixelFormat() != pf) return;
    TacFastSum sum(pf == fw::pf32bit ? 4 : 3);
    if (!sum.Attach(SrcBmp, DstBmp)) return;
    sum.Alpha = Alpha.R;
    sum.DstX1 = P.X;
    sum.DstY1 = P.Y;
    sum.DstX2 = sum.DstX1 + R.Width();
    sum.DstY2 = sum.DstY1 + R.Height();
    sum.SrcX1 = R.Left;
    sum.SrcY1 = R.Top;
    sum.SrcX2 = sum.SrcX1 + R.Width();
    sum.SrcY2 = sum.SrcY1 + R.Height();
    sum.BlendBitmapsRect();
}

void SumBitmapsByMask(fw::TBitmap* OutBmp, fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* MskBmp,
                      uint16_t Percent) {
    if (!Is24or32(Src1) || !Is24or32(Src2) || !OutBmp || OutBmp->PixelFormat() != fw::pf32bit) return;
    if (Src1->Width() != Src2->Width() || Src1->Height() != Src2->Height()) return;
    const int W = Src1->Width(), H = Src1->Height();
    if (OutBmp->Width() < W || OutBmp->Height() < H) return;
    if (MskBmp && (!Is24or32(MskBmp) || MskBmp->Width() < W || MskBmp->Height() < H)) return;
    const TPixelRows o = PixelRows(OutBmp, 4), a = PixelRows(Src1, 3), b = PixelRows(Src2, 3);
    const TPixelRows m = MskBmp ? PixelRows(MskBmp, 3) : TPixelRows{};
    if (!o) return;
    for (int y = 0; y < H; ++y) {
        const uint8_t *s1 = a.Row(y), *s2 = b.Row(y), *k = m ? m.Row(y) : nullptr;
        uint8_t* d = o.Row(y);
        for (int x = 0; x < W; ++x, s1 += 3, s2 += 3, d += 4)
            for (int c = 0; c < 3; ++c)
                d[c] = uint8_t((s2[c] * 256 + (s1[c] - s2[c]) * (k ? k[3 * x + c] : Percent)) >> 8);
    }
}

namespace {

// R inside all three bitmaps (Src1 must hold R whole, as before; the others are clipped to).
bool MaskArea(fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* Msk, fw::TRect& R) {
    if (!Is24or32(Src1) || !Is24or32(Src2) || !Is24or32(Msk)) return false;
    if (Src1->Width() < R.Right || Src1->Height() < R.Bottom) return false;
    R.Left = std::max<LONG>(R.Left, 0);
    R.Top = std::max<LONG>(R.Top, 0);
    R.Right = std::min<LONG>(R.Right, std::min(Src2->Width(), Msk->Width()));
    R.Bottom = std::min<LONG>(R.Bottom, std::min(Src2->Height(), Msk->Height()));
    return !R.IsEmpty();
}

}  // namespace

void SumByMask(fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* MskBmp, const fw::TRect& Area) {
    fw::TRect R = Area;
    if (!MaskArea(Src1, Src2, MskBmp, R)) return;
    const TPixelRows a = PixelRows(Src1, 3), b = PixelRows(Src2, 3), m = PixelRows(MskBmp, 3);
    for (int y = R.Top; y < R.Bottom; ++y)
        MaskBlendRow(a.At(R.Left, y), b.At(R.Left, y), m.At(R.Left, y), R.Width() * 3);
}

void SumByMaskWith32(fw::TBitmap* Src1, fw::TBitmap* Src2, fw::TBitmap* MskBmp, const fw::TRect& Area) {
    fw::TRect R = Area;
    if (!MaskArea(Src1, Src2, MskBmp, R) || Src2->PixelFormat() != fw::pf32bit) return;
    const TPixelRows a = PixelRows(Src1, 3), b = PixelRows(Src2, 4), m = PixelRows(MskBmp, 3);
    for (int y = R.Top; y < R.Bottom; ++y) {
        uint8_t* d = a.At(R.Left, y);
        const uint8_t *s = b.At(R.Left, y), *k = m.At(R.Left, y);
        for (int x = R.Left; x < R.Right; ++x, d += 3, s += 4, k += 3) {
            const int mr = k[2];
            if (mr == 255) continue;
            const int e = mr == 0 ? s[3] : ((255 - mr) * s[3]) >> 8;
            for (int c = 0; c < 3; ++c) d[c] = uint8_t((d[c] * 256 + (s[c] - d[c]) * e) >> 8);
        }
    }
}

}  // namespace skin
