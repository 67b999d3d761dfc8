// The pixel row kernels (skin/engine/acPixelRows) built with the build host's
// compiler and timed natively beside pixman doing the same operation on the
// same pixels, and beside memcpy of the destination's bytes. Each figure is the
// best of several runs in this one process; each kernel's output is checked
// against pixman's (or, where pixman has no such operation, against the
// kernel's formula one pixel at a time): at most one unit apart per byte.
// Built and run by scripts/bench-native.
#include <pixman.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "skin/engine/acPixelRows.h"

using namespace skin;

namespace {

constexpr int W = 1024, H = 700;
int gRuns = 25;

using Bytes = std::vector<uint8_t>;

double Best(const std::function<void()>& run) {
    run();  // first touch of the pages
    double best = 1e30;
    for (int i = 0; i < gRuns; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

Bytes Noise(size_t n, uint32_t seed) {
    Bytes b(n);
    std::mt19937 rng(seed);
    for (auto& v : b) v = uint8_t(rng());
    return b;
}

// A picture of W x H pixels of Bpp bytes, with pixman's view of the same bytes.
struct Picture {
    int bpp;
    Bytes px;
    pixman_image_t* image = nullptr;
    Picture(int bpp_, Bytes bytes, pixman_format_code_t format) : bpp(bpp_), px(std::move(bytes)) {
        image = pixman_image_create_bits(format, W, H, reinterpret_cast<uint32_t*>(px.data()), W * bpp);
    }
    Picture(const Picture&) = delete;
    ~Picture() { pixman_image_unref(image); }
    uint8_t* Row(int y) { return px.data() + size_t(y) * W * bpp; }
    int Stride() const { return W * bpp; }
};

pixman_image_t* Solid(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    const pixman_color_t c{uint16_t(r * 257), uint16_t(g * 257), uint16_t(b * 257), uint16_t(a * 257)};
    return pixman_image_create_solid_fill(&c);
}

// The largest difference of two byte arrays; Skip4 ignores every fourth byte (pixman's x8 formats).
int MaxDiff(const Bytes& a, const Bytes& b, bool skipAlpha = false) {
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (skipAlpha && i % 4 == 3) continue;
        worst = std::max(worst, std::abs(int(a[i]) - int(b[i])));
    }
    return worst;
}

struct Line {
    std::string what;
    double ours, pixman, copy;  // pixman 0: it has no such operation
    int pixmanDiff;             // largest difference from pixman's output; -1: not compared
    int formulaDiff;            // from the kernel's formula run one pixel at a time; -1: not compared
    int allowed;                // the difference from pixman the formula itself makes
};
std::vector<Line> gLines;

bool Good(const Line& l) { return l.formulaDiff <= 0 && l.pixmanDiff <= l.allowed; }

void Report(const Line& l) {
    gLines.push_back(l);
    char ratio[16] = "-", check[96];
    if (l.pixman > 0) std::snprintf(ratio, sizeof ratio, "%.2f", l.ours / l.pixman);
    std::snprintf(
        check, sizeof check, "%s%s%s",
        l.formulaDiff < 0    ? ""
        : l.formulaDiff == 0 ? "formula exact"
                             : "FORMULA DIFFERS",
        l.formulaDiff >= 0 && l.pixmanDiff >= 0 ? ", " : "",
        l.pixmanDiff < 0
            ? ""
            : ("pixman max " + std::to_string(l.pixmanDiff) + " (allowed " + std::to_string(l.allowed) + ")").c_str());
    std::printf("%-46s %8.3f %8.3f %7s %7.2f   %s%s\n", l.what.c_str(), l.ours, l.pixman, ratio, l.ours / l.copy, check,
                Good(l) ? "" : "  WRONG");
    std::fflush(stdout);
}

// Runs A and B once each on copies of Dst and answers the largest difference.
int Compare(const Picture& dst, pixman_format_code_t format, const std::function<void(Picture&)>& a,
            const std::function<void(Picture&)>& b, bool skipAlpha = false) {
    Picture x(dst.bpp, dst.px, format), y(dst.bpp, dst.px, format);
    a(x);
    b(y);
    return MaxDiff(x.px, y.px, skipAlpha);
}

double LoadAverage() {
    std::ifstream f("/proc/loadavg");
    double v = -1;
    f >> v;
    return v;
}

std::string CpuName() {
    std::ifstream f("/proc/cpuinfo");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) gRuns = std::max(1, std::atoi(argv[1]));
    std::printf("native row kernels against pixman %s on %s; %d x %d pixels, best of %d runs; load average %.1f\n",
                pixman_version_string(), CpuName().c_str(), W, H, gRuns, LoadAverage());

    const size_t n32 = size_t(W) * H * 4, n24 = size_t(W) * H * 3;
    Bytes copyA(n32), copyB = Noise(n32, 9);
    const double memcpy32 = Best([&] { std::memcpy(copyA.data(), copyB.data(), n32); });
    const double memcpy24 = Best([&] { std::memcpy(copyA.data(), copyB.data(), n24); });
    std::printf("memcpy of the destination: 32-bit %.3f ms, 24-bit %.3f ms\n\n", memcpy32, memcpy24);
    std::printf("%-46s %8s %8s %7s %7s   %s\n", "kernel", "ours ms", "pixman", "/pixman", "/memcpy", "checks");

    // Constant-weight blend: OVER of an opaque source through a constant mask
    // of 255 - Alpha (the kernel's Alpha weighs the destination).
    const uint8_t alpha = 128;
    for (int bpp : {4, 3}) {
        const pixman_format_code_t df = bpp == 4 ? PIXMAN_a8r8g8b8 : PIXMAN_r8g8b8;
        const pixman_format_code_t sf = bpp == 4 ? PIXMAN_x8r8g8b8 : PIXMAN_r8g8b8;
        Bytes sb = Noise(size_t(W) * H * bpp, 1);
        if (bpp == 4)
            for (size_t i = 3; i < sb.size(); i += 4) sb[i] = 255;  // what an x8 source means
        Picture src(bpp, sb, sf), dst(bpp, Noise(size_t(W) * H * bpp, 2), df);
        pixman_image_t* mask = Solid(255 - alpha, 0, 0, 0);
        auto ours = [&](Picture& d) {
            for (int y = 0; y < H; ++y) BlendRowBytes(d.Row(y), src.Row(y), W * bpp, alpha);
        };
        auto theirs = [&](Picture& d) {
            pixman_image_composite32(PIXMAN_OP_OVER, src.image, mask, d.image, 0, 0, 0, 0, 0, 0, W, H);
        };
        auto formula = [&](Picture& d) {
            for (size_t i = 0; i < d.px.size(); ++i)
                d.px[i] = uint8_t((d.px[i] * alpha + src.px[i] * (255 - alpha) + 127) >> 8);
        };
        // Dividing by 256 instead of 255 (the skins' rounding) is at most one unit from pixman.
        Report({bpp == 4 ? "constant-weight blend 32-bit (BlendRowBytes)" : "constant-weight blend 24-bit",
                Best([&] { ours(dst); }), Best([&] { theirs(dst); }), bpp == 4 ? memcpy32 : memcpy24,
                Compare(dst, df, ours, theirs), Compare(dst, df, ours, formula), 1});
        pixman_image_unref(mask);
    }

    // Masked copy: a 24-bit image through its grey mask rows (m weighs the
    // destination) = OVER of the opaque image through an a8 mask of 255 - m.
    // Noise everywhere, then a skin-like mask: opaque but for soft corners.
    for (int kind : {0, 1}) {
        Picture src(3, Noise(n24, 3), PIXMAN_r8g8b8), dst(3, Noise(n24, 4), PIXMAN_r8g8b8);
        Bytes grey(size_t(W) * H);
        std::mt19937 rng(5);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const int cx = x % 64, cy = y % 64;  // every 64 x 64 tile has four rounded corners
                const int ex = std::min(cx, 63 - cx), ey = std::min(cy, 63 - cy);
                const int edge = ex < 6 && ey < 6 ? std::max(0, 255 - 40 * (ex + ey)) : 0;
                grey[size_t(y) * W + x] = kind == 0 ? uint8_t(rng()) : uint8_t(edge);
            }
        Bytes maskRows(n24), a8(size_t(W) * H);
        for (size_t i = 0; i < grey.size(); ++i) {
            std::memset(&maskRows[3 * i], grey[i], 3);
            a8[i] = uint8_t(255 - grey[i]);
        }
        pixman_image_t* mask = pixman_image_create_bits(PIXMAN_a8, W, H, reinterpret_cast<uint32_t*>(a8.data()), W);
        auto ours = [&](Picture& d) {
            for (int y = 0; y < H; ++y) MaskBlendRow(d.Row(y), src.Row(y), &maskRows[size_t(y) * W * 3], W * 3);
        };
        auto theirs = [&](Picture& d) {
            pixman_image_composite32(PIXMAN_OP_OVER, src.image, mask, d.image, 0, 0, 0, 0, 0, 0, W, H);
        };
        auto formula = [&](Picture& d) {
            for (size_t i = 0; i < d.px.size(); ++i)
                d.px[i] = uint8_t((src.px[i] * 256 + (d.px[i] - src.px[i]) * maskRows[i]) >> 8);
        };
        // The formula weighs by 256 and rounds down: (s(256-m) + dm)/256 - (s(255-m) + dm)/255
        // = m(s-d)/65280, under one unit, then the cut: up to two below pixman's rounded result.
        Report({kind == 0 ? "masked copy 24-bit, noise mask (MaskBlendRow)" : "masked copy 24-bit, skin-like mask",
                Best([&] { ours(dst); }), Best([&] { theirs(dst); }), memcpy24,
                Compare(dst, PIXMAN_r8g8b8, ours, theirs), Compare(dst, PIXMAN_r8g8b8, ours, formula), 2});
        // pixman's packed path of the same operation works on 32-bit pixels only: its time there.
        Picture src32(4, Noise(n32, 3), PIXMAN_x8r8g8b8), dst32(4, Noise(n32, 4), PIXMAN_x8r8g8b8);
        const double fast = Best(
            [&] { pixman_image_composite32(PIXMAN_OP_OVER, src32.image, mask, dst32.image, 0, 0, 0, 0, 0, 0, W, H); });
        std::printf("%-46s %8s %8.3f %7.2f\n", "  (pixman, the same on 32-bit pixels)", "", fast,
                    gLines.back().ours / fast);
        pixman_image_unref(mask);
    }

    // Alpha copy of a 32-bit image (straight alpha) into an opaque cache =
    // OVER of the premultiplied image.
    {
        Bytes sb = Noise(n32, 6), premultiplied(n32);
        for (size_t i = 0; i < n32; i += 4) {
            const int a = sb[i + 3];
            for (int c = 0; c < 3; ++c) premultiplied[i + c] = uint8_t((sb[i + c] * a + 127) / 255);
            premultiplied[i + 3] = uint8_t(a);
        }
        Bytes db = Noise(n32, 7);
        for (size_t i = 3; i < n32; i += 4) db[i] = 255;
        Picture src(4, sb, PIXMAN_a8r8g8b8), pre(4, premultiplied, PIXMAN_a8r8g8b8), dst(4, db, PIXMAN_a8r8g8b8);
        auto ours = [&](Picture& d) {
            for (int y = 0; y < H; ++y) AlphaBlendRow32(d.Row(y), src.Row(y), W, true);
        };
        auto theirs = [&](Picture& d) {
            pixman_image_composite32(PIXMAN_OP_OVER, pre.image, nullptr, d.image, 0, 0, 0, 0, 0, 0, W, H);
        };
        auto formula = [&](Picture& d) {
            for (size_t i = 0; i < n32; i += 4) {
                for (int c = 0; c < 3; ++c) d.px[i + c] = AlphaMix(d.px[i + c], src.px[i + c], src.px[i + 3]);
                d.px[i + 3] = 255;
            }
        };
        // As the masked copy: a(s-d)/65280 from the exact value, then rounded down.
        Report({"alpha copy 32-bit (AlphaBlendRow32)", Best([&] { ours(dst); }), Best([&] { theirs(dst); }), memcpy32,
                Compare(dst, PIXMAN_a8r8g8b8, ours, theirs), Compare(dst, PIXMAN_a8r8g8b8, ours, formula), 2});
    }

    // Keyed copy: pixman has no colour key; its plain copy (SRC) of the same
    // pixels is the bound, and the output is checked pixel by pixel.
    for (int bpp : {4, 3}) {
        const pixman_format_code_t f = bpp == 4 ? PIXMAN_a8r8g8b8 : PIXMAN_r8g8b8;
        Bytes sb = Noise(size_t(W) * H * bpp, 8);
        for (size_t i = 0; i + 3 <= sb.size(); i += size_t(bpp) * 5) sb[i] = 0xFF, sb[i + 1] = 0, sb[i + 2] = 0xFF;
        Picture src(bpp, sb, f), dst(bpp, Noise(size_t(W) * H * bpp, 9), f);
        auto ours = [&](Picture& d) {
            for (int y = 0; y < H; ++y) KeyedCopyRow(d.Row(y), bpp, src.Row(y), bpp, W, 0xFF00FF, true);
        };
        auto scalar = [&](Picture& d) {
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const uint8_t* s = src.Row(y) + x * bpp;
                    uint8_t* p = d.Row(y) + x * bpp;
                    if (s[0] == 0xFF && s[1] == 0 && s[2] == 0xFF) continue;
                    std::memcpy(p, s, 3);
                    if (bpp == 4) p[3] = 255;
                }
        };
        Report({bpp == 4 ? "keyed copy 32-bit (KeyedCopyRow; pixman: SRC)" : "keyed copy 24-bit (pixman: SRC)",
                Best([&] { ours(dst); }), Best([&] {
                    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, W, H);
                }),
                bpp == 4 ? memcpy32 : memcpy24, -1, Compare(dst, f, ours, scalar), 0});
    }

    // Solid fills, and a vertical gradient: every row a fill of its own colour.
    for (int bpp : {4, 3}) {
        const pixman_format_code_t f = bpp == 4 ? PIXMAN_a8r8g8b8 : PIXMAN_r8g8b8;
        Picture dst(bpp, Noise(size_t(W) * H * bpp, 10), f);
        const uint8_t pixel[4] = {0x56, 0x34, 0x12, 0xFF};
        pixman_image_t* solid = Solid(0xFF, 0x12, 0x34, 0x56);
        auto ours = [&](Picture& d) {
            for (int y = 0; y < H; ++y) FillRow(d.Row(y), bpp, W, pixel);
        };
        auto theirs = [&](Picture& d) {
            if (bpp == 4)
                pixman_fill(reinterpret_cast<uint32_t*>(d.px.data()), d.Stride() / 4, 32, 0, 0, W, H, 0xFF123456);
            else
                pixman_image_composite32(PIXMAN_OP_SRC, solid, nullptr, d.image, 0, 0, 0, 0, 0, 0, W, H);
        };
        Report({bpp == 4 ? "fill 32-bit (FillRow; pixman_fill)" : "fill 24-bit (pixman: SRC solid)",
                Best([&] { ours(dst); }), Best([&] { theirs(dst); }), bpp == 4 ? memcpy32 : memcpy24,
                Compare(dst, f, ours, theirs), -1, 0});
        pixman_image_unref(solid);

        // Gradient rows: the colour changes every row.
        auto oursRamp = [&](Picture& d) {
            for (int y = 0; y < H; ++y) {
                const uint8_t px[4] = {uint8_t(y), uint8_t(255 - y % 256), uint8_t(y / 3), 0xFF};
                FillRow(d.Row(y), bpp, W, px);
            }
        };
        auto theirsRamp = [&](Picture& d) {
            for (int y = 0; y < H; ++y) {
                const uint32_t v = 0xFF000000u | uint32_t(y / 3) << 16 | uint32_t(255 - y % 256) << 8 | uint8_t(y);
                if (bpp == 4) {
                    pixman_fill(reinterpret_cast<uint32_t*>(d.px.data()), d.Stride() / 4, 32, 0, y, W, 1, v);
                } else {
                    pixman_image_t* c = Solid(0xFF, uint8_t(y / 3), uint8_t(255 - y % 256), uint8_t(y));
                    pixman_image_composite32(PIXMAN_OP_SRC, c, nullptr, d.image, 0, 0, 0, 0, 0, y, W, 1);
                    pixman_image_unref(c);
                }
            }
        };
        Report({bpp == 4 ? "vertical gradient rows 32-bit (FillRow)" : "vertical gradient rows 24-bit",
                Best([&] { oursRamp(dst); }), Best([&] { theirsRamp(dst); }), bpp == 4 ? memcpy32 : memcpy24,
                Compare(dst, f, oursRamp, theirsRamp), -1, 0});
    }

    // Tint 24-bit towards a colour by Blend 40 % (BlendColorRect's tables) =
    // OVER of the solid colour through a constant mask of 60 % (153).
    {
        const int blend = 40;
        const uint8_t colour[3] = {0x56, 0x34, 0x12};  // blue, green, red
        TTintTables tables;
        for (int c = 0; c < 3; ++c)
            for (int v = 0; v < 256; ++v)
                tables[c][v] =
                    uint8_t(std::lround(std::nearbyint(v * (blend / 100.0) + colour[c] * (1 - blend / 100.0))));
        for (int bpp : {3, 4}) {
            const pixman_format_code_t f = bpp == 4 ? PIXMAN_x8r8g8b8 : PIXMAN_r8g8b8;
            Picture dst(bpp, Noise(size_t(W) * H * bpp, 11), f);
            pixman_image_t* solid = Solid(0xFF, colour[2], colour[1], colour[0]);
            pixman_image_t* mask = Solid(153, 0, 0, 0);
            auto ours = [&](Picture& d) {
                for (int y = 0; y < H; ++y) TintRow(d.Row(y), bpp, W, tables);
            };
            auto theirs = [&](Picture& d) {
                pixman_image_composite32(PIXMAN_OP_OVER, solid, mask, d.image, 0, 0, 0, 0, 0, 0, W, H);
            };
            // A percentage against an 8-bit mask of the same weight: one unit.
            Report({bpp == 3 ? "tint 24-bit (TintRow)" : "tint 32-bit", Best([&] { ours(dst); }),
                    Best([&] { theirs(dst); }), bpp == 4 ? memcpy32 : memcpy24, Compare(dst, f, ours, theirs, bpp == 4),
                    -1, 1});
            pixman_image_unref(solid);
            pixman_image_unref(mask);
        }
    }

    // Grey scale: no such operation in pixman; checked against the formula.
    for (int bpp : {4, 3}) {
        const pixman_format_code_t f = bpp == 4 ? PIXMAN_a8r8g8b8 : PIXMAN_r8g8b8;
        Picture dst(bpp, Noise(size_t(W) * H * bpp, 12), f);
        auto ours = [&](Picture& d) {
            for (int y = 0; y < H; ++y) GreyRow(d.Row(y), bpp, W);
        };
        auto scalar = [&](Picture& d) {
            for (size_t i = 0; i < d.px.size(); i += size_t(bpp)) {
                uint8_t* p = &d.px[i];
                p[0] = p[1] = p[2] = uint8_t((p[0] + p[1] + p[2]) / 3);
            }
        };
        Report({bpp == 4 ? "grey scale 32-bit (GreyRow; no pixman)" : "grey scale 24-bit", Best([&] { ours(dst); }), 0,
                bpp == 4 ? memcpy32 : memcpy24, -1, Compare(dst, f, ours, scalar), 0});
    }

    std::printf("\nload average at the end %.1f\n", LoadAverage());
    bool ok = true;
    for (const Line& l : gLines) ok = ok && Good(l);
    std::printf("%s\n", ok ? "every kernel equals its formula and lies within its allowance of pixman"
                           : "SOME KERNEL IS WRONG");
    return ok ? 0 : 1;
}
