#include "skin/paint/sBlur.h"

#include <cmath>
#include <vector>

#include "skin/engine/sBitmapBase.h"

namespace skin {

TKernel MakeGaussianKernel(double Radius) {
    TKernel K;
    if (!(Radius > 0)) {
        K.Size = 0;
        return K;
    }
    double sum = 0;
    for (int i = -100; i <= 100; ++i) {
        const double x = i / Radius;
        K.Weights[i + 100] = float(std::exp(-x * x / 2));
        sum += K.Weights[i + 100];
    }
    for (float& w : K.Weights) w = float(w / sum);
    // Cut the tails that together stay under half a grey level.
    int j = 100;
    double s = 0;
    while (s < 1.0 / (2 * 255) && j > 1) {
        s += 2.0 * K.Weights[j + 100];
        --j;
    }
    K.Size = j;
    sum = 0;
    for (int i = -j; i <= j; ++i) sum += K.Weights[i + 100];
    for (int i = -j; i <= j; ++i) K.Weights[i + 100] = float(K.Weights[i + 100] / sum);
    return K;
}

namespace {

// One line of n pixels of bpp channels, stride apart, blurred through buf.
void BlurLine(const TKernel& K, uint8_t* line, int n, int bpp, std::vector<uint8_t>& buf) {
    buf.resize(size_t(n) * bpp);
    const int last = n - 1;
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < bpp; ++c) {
            double sum = 0;
            for (int j = -K.Size; j <= K.Size; ++j) {
                int k = i - j;
                k = k < 0 ? 0 : k > last ? last : k;
                sum += double(K.W(j)) * line[k * bpp + c];
            }
            buf[size_t(i) * bpp + c] = sum >= 255 ? 255 : sum < 0 ? 0 : uint8_t(sum);
        }
    std::copy(buf.begin(), buf.end(), line);
}

void Blur(fw::TBitmap* Bmp, double Radius, fw::TPixelFormat format, int bpp) {
    if (!Bmp || Bmp->HandleType() != fw::bmDIB || Bmp->PixelFormat() != format || !(Radius > 0)) return;
    const TKernel K = MakeGaussianKernel(Radius);
    TPixelRows rows = PixelRows(Bmp, bpp);
    if (!rows) return;
    const int w = rows.width, h = rows.height;
    std::vector<uint8_t> buf, column(size_t(h) * bpp);
    for (int y = 0; y < h; ++y) BlurLine(K, rows.Row(y), w, bpp, buf);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            for (int c = 0; c < bpp; ++c) column[size_t(y) * bpp + c] = rows.At(x, y)[c];
        BlurLine(K, column.data(), h, bpp, buf);
        for (int y = 0; y < h; ++y)
            for (int c = 0; c < bpp; ++c) rows.At(x, y)[c] = column[size_t(y) * bpp + c];
    }
}

}  // namespace

void Blur8(fw::TBitmap* Bmp, double Radius) { Blur(Bmp, Radius, fw::pf8bit, 1); }
void Blur24(fw::TBitmap* Bmp, double Radius) { Blur(Bmp, Radius, fw::pf24bit, 3); }

}  // namespace skin
