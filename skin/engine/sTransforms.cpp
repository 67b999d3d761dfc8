#include "skin/engine/sTransforms.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sColorMath.h"

namespace skin {

namespace {

inline uint8_t Byte(double v) { return uint8_t(std::clamp<int64_t>(fw::Round(v), 0, 255)); }

// Three channels (blue, green, red) in floating point.
struct TK {
    double c[3];
    static TK Of(uint32_t rgb) {
        return TK{{double((rgb >> 16) & 0xFF), double((rgb >> 8) & 0xFF), double(rgb & 0xFF)}};
    }
    TK operator+(const TK& o) const { return TK{{c[0] + o.c[0], c[1] + o.c[1], c[2] + o.c[2]}}; }
    TK operator-(const TK& o) const { return TK{{c[0] - o.c[0], c[1] - o.c[1], c[2] - o.c[2]}}; }
    TK operator*(double k) const { return TK{{c[0] * k, c[1] * k, c[2] * k}}; }
    TK operator/(double k) const { return TK{{c[0] / k, c[1] / k, c[2] / k}}; }
    void Put(uint8_t* d) const { d[0] = Byte(c[0]), d[1] = Byte(c[1]), d[2] = Byte(c[2]); }
};

}  // namespace

void GradientBmp(fw::TBitmap* Bmp, fw::TRect R, TsColor Color1, TsColor Color2, TGradientTypes GradientType,
                 int8_t Percent1, int8_t Percent2, int Size) {
    if (!Bmp) return;
    const uint32_t c1 = uint32_t(fw::ColorToRGB(Color1.C)), c2 = uint32_t(fw::ColorToRGB(Color2.C));
    const uint32_t a = uint32_t(AverageColor(TColor(c1), TColor(c2)));
    Bmp->SetPixelFormat(fw::pf24bit);
    R = ClipToBitmap(Bmp, R);
    if (R.IsEmpty()) return;
    const int extent = GradientType == gtLeftRight ? R.Width() : R.Height();
    const int q = std::max(1, std::min(std::max(uint8_t(Percent1) * Size / 100, 1), extent));
    const int r = std::max(1, std::min(std::max(uint8_t(Percent2) * Size / 100, 1), extent));
    const TK C1 = TK::Of(c1), C2 = TK::Of(c2), A = TK::Of(a);
    const TK s1 = (A - C1) / q, s3 = (C2 - A) / r;
    const TPixelRows rows = PixelRows(Bmp, 3);
    auto fillRow = [&](int y, const TK& k) {
        uint8_t* d = rows.At(R.Left, y);
        for (int x = R.Left; x < R.Right; ++x, d += 3) k.Put(d);
    };
    TK K = C1;
    if (GradientType == gtTopBottom) {
        for (int y = R.Top; y < std::min<int>(R.Top + q, R.Bottom); ++y, K = K + s1) fillRow(y, K);
        for (int y = R.Top + q; y < R.Bottom - r; ++y) fillRow(y, K);
        for (int y = std::max<int>(R.Bottom - r, R.Top); y < R.Bottom; ++y, K = K + s3) fillRow(y, K);
    } else if (GradientType == gtLeftRight) {
        std::vector<uint8_t> line(size_t(R.Width()) * 3);
        auto at = [&](int x) { return &line[size_t(x - R.Left) * 3]; };
        if (q == 1) K = K + s1;  // a one-column zone shows its first step
        for (int x = R.Left; x < std::min<int>(R.Left + q, R.Right); ++x, K = K + s1) K.Put(at(x));
        for (int x = R.Left + q; x < R.Right - r; ++x) std::copy_n(at(x - 1), 3, at(x));
        for (int x = std::max<int>(R.Right - r, R.Left); x < R.Right; ++x, K = K + s3) K.Put(at(x));
        for (int y = R.Top; y < R.Bottom; ++y) std::copy(line.begin(), line.end(), rows.At(R.Left, y));
    } else {
        auto left = [&](int dx) { return C1 + s1 * dx; };
        auto right = [&](int x) { return A + s3 * (r + x - R.Right); };
        auto pixel = [&](int x, int y, const TK& k) { k.Put(rows.At(x, y)); };
        for (int y = R.Top; y < std::min<int>(R.Top + q, R.Bottom); ++y, K = K + s1) {
            const int dy = y - R.Top;
            for (int x = R.Left; x < R.Right; ++x) {
                const int dx = x - R.Left;
                pixel(x, y, dx < dy ? left(dx) : x > R.Right - double(dy) * r / q ? right(x) : K);
            }
        }
        for (int y = R.Top + q; y < R.Bottom - r; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const int dx = x - R.Left;
                pixel(x, y, dx < q ? left(dx) : x > R.Right - r ? right(x) : K);
            }
        for (int y = std::max<int>(R.Bottom - r, R.Top); y < R.Bottom; ++y, K = K + s3) {
            const int d = R.Bottom - y;
            for (int x = R.Left; x < R.Right; ++x) {
                const int dx = x - R.Left;
                pixel(x, y, dx < double(d) * q / r ? left(dx) : x > R.Right - d ? right(x) : K);
            }
        }
    }
}

fw::TBitmap* MakeRotated90(fw::TBitmap*& Bmp, bool CW, bool KillSource) {
    fw::TBitmap* result = nullptr;
    if (Bmp && (Bmp->PixelFormat() == fw::pf24bit || Bmp->PixelFormat() == fw::pf32bit)) {
        const int w = Bmp->Width(), h = Bmp->Height();
        const bool is32 = Bmp->PixelFormat() == fw::pf32bit;
        result = is32 ? CreateBmp32(h, w) : CreateBmp24(h, w);
        const TPixelRows s = PixelRows(Bmp), d = PixelRows(result);
        if (s && d)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    // Clockwise: (x, y) goes to (h - 1 - y, x); counter-clockwise (w - 1 - x, y) goes to (y, x).
                    const uint8_t* sp = CW ? s.At(x, y) : s.At(w - 1 - x, y);
                    uint8_t* dp = CW ? d.At(h - 1 - y, x) : d.At(y, x);
                    std::copy_n(sp, s.bpp, dp);
                }
    }
    if (KillSource) {
        delete Bmp;
        Bmp = nullptr;
    }
    return result;
}

namespace {

struct TFilter {
    float support;
    double (*value)(double);
};

double Box(double x) { return x > -0.5 && x <= 0.5 ? 1 : 0; }
double Triangle(double x) { return 1 - std::fabs(x); }
double Hermite(double x) {
    const double t = std::fabs(x);
    return (2 * t - 3) * t * t + 1;
}
double Bell(double x) {
    const double t = std::fabs(x);
    return t < 0.5 ? 0.75 - t * t : 0.5 * (t - 1.5) * (t - 1.5);
}
double Spline(double x) {
    const double t = std::fabs(x);
    return t < 1 ? 0.5 * t * t * t - t * t + 2.0 / 3 : (2 - t) * (2 - t) * (2 - t) / 6;
}
double Sinc(double u) {
    if (u == 0) return 1;
    const double p = 3.14159265358979323846 * u;
    return std::sin(p) / p;
}
double Lanczos3(double x) {
    const double t = std::fabs(x);
    return t == 0 ? 1 : Sinc(t) * Sinc(t / 3);
}
double Mitchell(double x) {
    const double t = std::fabs(x);
    return t < 1 ? 7.0 / 6 * t * t * t - 2 * t * t + 8.0 / 9
                 : -7.0 / 18 * t * t * t + 2 * t * t - 10.0 / 3 * t + 16.0 / 9;
}

const TFilter kFilters[] = {{0.51f, Box},   {1.0f, Triangle}, {1.0f, Hermite}, {1.5f, Bell},
                            {2.0f, Spline}, {3.0f, Lanczos3}, {2.0f, Mitchell}};

struct TContrib {
    int index;
    int weight;  // 1/65536 units
};
using TContribList = std::vector<std::vector<TContrib>>;

TContribList Contributors(int SrcSize, int DstSize, const TFilter& f) {
    const float scale = DstSize < SrcSize ? float(DstSize) / float(SrcSize) : 1.0f;
    const float radius = f.support / scale;
    TContribList list(static_cast<size_t>(DstSize));
    for (int i = 0; i < DstSize; ++i) {
        const float centre = float(SrcSize) * float(i) / float(DstSize);
        const int lo = int(std::floor(centre - radius)), hi = int(std::ceil(centre + radius));
        for (int j = lo; j <= hi; ++j) {
            const float x = (centre - float(j)) * scale;
            if (std::fabs(x) >= f.support) continue;
            const double v = f.value(x);
            if (v == 0) continue;
            int k = j < 0 ? -j : j >= SrcSize ? 2 * SrcSize - 1 - j : j;
            k = std::clamp(k, 0, SrcSize - 1);  // a wide filter mirrors past the other edge
            list[size_t(i)].push_back({k, int(fw::Round(v * scale * 65536))});
        }
    }
    return list;
}

// One line: Count destination pixels at DstStep from source pixels at SrcStep.
void ApplyLine(const TContribList& list, const uint8_t* src, int srcStep, uint8_t* dst, int dstStep, int channels) {
    for (size_t i = 0; i < list.size(); ++i, dst += dstStep)
        for (int c = 0; c < channels; ++c) {
            int sum = 0;
            for (const TContrib& e : list[i]) sum += e.weight * src[intptr_t(e.index) * srcStep + c];
            dst[c] = sum < 0 ? 0 : sum >= 0xFF0001 ? 255 : uint8_t(sum >> 16);
        }
}

}  // namespace

void Stretch(fw::TBitmap* Src, fw::TBitmap* Dst, int Width, int Height, TFilterType Filter) {
    const fw::TPixelFormat pf = Src->PixelFormat() == fw::pf32bit ? fw::pf32bit : fw::pf24bit;
    if (Src->Width() < 2 || Src->Height() < 2) throw fw::Exception(L"Source bitmap is too small");
    if (Width == Src->Width() && Height == Src->Height()) {
        if (Dst != Src) Dst->Assign(Src);
        return;
    }
    if (Width <= 0 || Height <= 0) return;
    Src->SetPixelFormat(pf);
    const TFilter& f = kFilters[std::clamp(int(Filter), 0, 6)];
    const int bpp = pf == fw::pf32bit ? 4 : 3;
    fw::TBitmap work(Width, Src->Height(), pf);
    const TPixelRows s = PixelRows(Src, bpp), w = PixelRows(&work, bpp);
    const TContribList across = Contributors(Src->Width(), Width, f);
    for (int y = 0; y < s.height; ++y) ApplyLine(across, s.Row(y), bpp, w.Row(y), bpp, bpp);
    Dst->SetPixelFormat(pf);
    Dst->SetSize(Width, Height);
    const TPixelRows d = PixelRows(Dst, bpp);
    const TContribList down = Contributors(Src->Height(), Height, f);
    for (int x = 0; x < Width; ++x) ApplyLine(down, w.At(x, 0), w.step, d.At(x, 0), d.step, bpp);
}

}  // namespace skin
