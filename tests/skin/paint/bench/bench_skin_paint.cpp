// Speed of the painting library's hot paths on one 1024 x 700 area, against
// memcpy of the pixels touched and GDI's BitBlt and AlphaBlend of the same
// area, all in one process on the same pixels. Only the ratios mean anything
// (absolute times depend on the host and on emulation). Run by hand:
//   wine build/bin/bench_skin_paint.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sFadeSum.h"
#include "skin/paint/sGradient.h"
#include "skin/paint/sSkinImage.h"
#include "skin/paint/sSkinRect.h"
#include "skin/paint/sTiling.h"

using namespace skin;

namespace {

constexpr int W = 1024, H = 700;

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

// The best of several runs, in milliseconds.
double Time(const std::function<void()>& run, int repeats = 7) {
    run();  // warm up: first touch of the pages, GDI caches
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const double t0 = Now();
        run();
        best = std::min(best, Now() - t0);
    }
    return best;
}

void Noise(fw::TBitmap& b, uint32_t seed) {
    for (int y = 0; y < b.Height(); ++y) {
        uint8_t* p = static_cast<uint8_t*>(b.ScanLine(y));
        const int n = b.Width() * (b.PixelFormat() == fw::pf32bit ? 4 : 3);
        for (int i = 0; i < n; ++i) {
            seed = seed * 1664525u + 1013904223u;
            p[i] = uint8_t(seed >> 24);
        }
    }
}

fw::TBitmap* gMaster = nullptr;

}  // namespace

int main() {
    fw::TBitmap dst(W, H, fw::pf32bit), src(W, H, fw::pf32bit), dst24(W, H, fw::pf24bit), src24(W, H, fw::pf24bit);
    fw::TBitmap masked(W, 2 * H, fw::pf24bit);  // a skin image over its mask
    Noise(src, 1);
    Noise(dst, 2);
    Noise(src24, 3);
    Noise(dst24, 4);
    Noise(masked, 5);
    HDC dstDC = dst.Canvas()->Handle(), srcDC = src.Canvas()->Handle();
    HDC dst24DC = dst24.Canvas()->Handle(), src24DC = src24.Canvas()->Handle();

    const size_t bytes32 = size_t(W) * H * 4, bytes24 = size_t(W) * 3 * H;
    std::vector<uint8_t> a(bytes32), b(bytes32);
    const double memcpy32 = Time([&] { std::memcpy(a.data(), b.data(), bytes32); });
    const double memcpy24 = Time([&] { std::memcpy(a.data(), b.data(), bytes24); });
    const double bitblt32 = Time([&] { BitBlt(dstDC, 0, 0, W, H, srcDC, 0, 0, SRCCOPY); });
    const double bitblt24 = Time([&] { BitBlt(dst24DC, 0, 0, W, H, src24DC, 0, 0, SRCCOPY); });
    BLENDFUNCTION constant{AC_SRC_OVER, 0, 128, 0};
    const double alphaConst = Time([&] { AlphaBlend(dstDC, 0, 0, W, H, srcDC, 0, 0, W, H, constant); });
    BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const double alphaPixel = Time([&] { AlphaBlend(dstDC, 0, 0, W, H, srcDC, 0, 0, W, H, perPixel); });

    struct Row {
        const char* what;
        double ms, memcpyRef, blitRef, alphaRef;
    };
    std::vector<Row> rows;
    rows.push_back({"constant-weight blend 32-bit (SumBitmaps)", Time([&] { SumBitmaps(&dst, &src, TsColor{128}); }),
                    memcpy32, bitblt32, alphaConst});
    rows.push_back({"constant-weight blend 24-bit (SumBitmaps)",
                    Time([&] { SumBitmaps(&dst24, &src24, TsColor{128}); }), memcpy24, bitblt24, alphaConst});
    rows.push_back({"masked copy, 24-bit image and mask (CopyByMask)", Time([&] {
                        CopyByMask(fw::TRect(0, 0, W, H), fw::TRect(0, 0, W, H), &dst24, &masked, EmptyCI, false);
                    }),
                    memcpy24, bitblt24, alphaPixel});
    rows.push_back({"keyed copy, 24-bit (CopyTransBitmaps)",
                    Time([&] { CopyTransBitmaps(&dst24, &src24, 0, 0, TsColor{0xFF00FF}); }), memcpy24, bitblt24, 0});
    rows.push_back({"grey scale, 24-bit (GrayScale)", Time([&] { GrayScale(&dst24); }), memcpy24, bitblt24, 0});
    rows.push_back({"alpha copy, 32-bit image (CopyByMask)",
                    Time([&] { CopyByMask(fw::TRect(0, 0, W, H), fw::TRect(0, 0, W, H), &dst, &src, EmptyCI, false); }),
                    memcpy32, bitblt32, alphaPixel});

    // Texture tiling from a master bitmap, as a textured panel paints.
    fw::TObject manager;
    fw::TBitmap master(256, 256, fw::pf24bit);
    Noise(master, 6);
    gMaster = &master;
    acMasterBitmapOf = [](fw::TObject*) { return gMaster; };
    for (int size : {8, 32, 128}) {
        TsMaskData texture;
        texture.Manager = &manager;
        texture.R = fw::TRect(0, 0, size, size);
        static char label[3][64];
        char* l = label[size == 8 ? 0 : size == 32 ? 1 : 2];
        std::snprintf(l, 64, "texture tiling, %d px tiles (TileBitmap)", size);
        rows.push_back({l, Time([&] {
                            fw::TRect r(0, 0, W, H);
                            TileBitmap(dst24.Canvas(), r, nullptr, texture, fmTiled);
                        }),
                        memcpy24, bitblt24, 0});
    }
    rows.push_back({"fill 32-bit (FillRect32)", Time([&] { FillRect32(&dst, fw::TRect(0, 0, W, H), 0x123456); }),
                    memcpy32, bitblt32, 0});
    rows.push_back({"tint 24-bit (BlendColorRect)",
                    Time([&] { BlendColorRect(&dst24, fw::TRect(0, 0, W, H), 50, 0x123456); }), memcpy24, bitblt24,
                    alphaConst});
    rows.push_back({"vertical gradient 24-bit (PaintGrad)",
                    Time([&] { PaintGrad(&dst24, fw::TRect(0, 0, W, H), L"16777215;0;50;0;0;0;255;50;0;0"); }),
                    memcpy24, bitblt24, 0});
    rows.push_back({"horizontal gradient 24-bit (PaintGrad)",
                    Time([&] { PaintGrad(&dst24, fw::TRect(0, 0, W, H), L"16777215;0;50;1;0;0;255;50;0;0"); }),
                    memcpy24, bitblt24, 0});

    // A form background drawn from a three-state border image of 64 x 64
    // with 8-pixel borders and its centre, keyed (edges by GDI) and masked:
    // by a noise mask, then by a mask as skins draw them (the image opaque but
    // for its rounded corners).
    for (int kind : {0, 1, 2}) {
        const int maskType = kind == 0 ? 0 : 1;
        if (kind == 2) {
            for (int y = 64; y < 128; ++y) {
                uint8_t* p = static_cast<uint8_t*>(master.ScanLine(y));
                for (int x = 0; x < 3 * 64; ++x) {
                    const int cx = x % 64, cy = y - 64;
                    const int ex = std::min(cx, 63 - cx), ey = std::min(cy, 63 - cy);
                    const int m = ex < 6 && ey < 6 ? std::max(0, 255 - 40 * (ex + ey)) : 0;
                    p[3 * x] = p[3 * x + 1] = p[3 * x + 2] = uint8_t(m);
                }
            }
        }
        TsMaskData frame;
        frame.Manager = &manager;
        frame.R = fw::TRect(0, 0, 3 * 64, 64 * (maskType + 1));
        frame.ImageCount = 3;
        frame.MaskType = int16_t(maskType);
        frame.DrawMode = dmDrawCenter;
        frame.WL = frame.WT = frame.WR = frame.WB = 8;
        static const char* const names[] = {"nine-part form background, keyed (DrawSkinRect)",
                                            "nine-part form background, masked, noise mask",
                                            "nine-part form background, masked, skin-like mask"};
        rows.push_back({names[kind],
                        Time([&] { DrawSkinRect(&dst24, fw::TRect(0, 0, W, H), true, EmptyCI, frame, 1, false); }),
                        memcpy24, bitblt24, maskType == 0 ? 0 : alphaPixel});
    }

    std::printf("area %d x %d; memcpy 32-bit %.3f ms, 24-bit %.3f ms; BitBlt 32-bit %.3f ms, 24-bit %.3f ms;\n", W, H,
                memcpy32, memcpy24, bitblt32, bitblt24);
    std::printf("AlphaBlend constant %.3f ms, per-pixel %.3f ms\n\n", alphaConst, alphaPixel);
    std::printf("%-50s %9s %8s %8s %11s\n", "routine", "ms", "/memcpy", "/BitBlt", "/AlphaBlend");
    for (const Row& r : rows) {
        std::printf("%-50s %9.3f %8.2f %8.2f", r.what, r.ms, r.ms / r.memcpyRef, r.ms / r.blitRef);
        if (r.alphaRef > 0)
            std::printf(" %11.2f\n", r.ms / r.alphaRef);
        else
            std::printf(" %11s\n", "-");
    }
    return 0;
}
