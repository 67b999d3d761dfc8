// The row kernels (packed SSE2 code with scalar tails) against one-pixel-at-a-
// time versions of their formulas, on random rows of every length around the
// packed widths and at every misalignment; the byte after the row stays.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "skin/engine/acPixelRows.h"

using namespace skin;
using V = std::vector<uint8_t>;

namespace {

constexpr int kGuard = 8;  // bytes after the row that must stay

V Random(std::mt19937& rng, size_t n) {
    V v(n);
    for (auto& b : v) b = uint8_t(rng());
    return v;
}

// Random bytes with runs of 0 and 255, so the kernels' shortcuts are taken too.
V Bytes(std::mt19937& rng, size_t n) {
    V v = Random(rng, n);
    for (size_t i = 0; i < n; i += 23)
        for (size_t k = i; k < std::min(n, i + 1 + rng() % 20); ++k) v[k] = (i / 23) % 2 ? 0 : 255;
    return v;
}

struct Case {
    const char* name;
    int bpp;  // pixel size; 1 for byte kernels
    // Runs the kernel (packed) or its formula (scalar) on Count pixels of D, with S and M beside it.
    std::function<void(uint8_t* d, const uint8_t* s, const uint8_t* m, int count, bool scalar)> run;
};

uint8_t Mix(int d, int s, int a) { return uint8_t((d * 256 + (s - d) * a) >> 8); }

const TTintTables& Tables() {
    static TTintTables t;
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) t[c][v] = uint8_t((v * (7 + c) + 11) % 256);
    return t;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (int alpha : {0, 1, 128, 254, 255})
        cases.push_back(
            {"constant weight", 1, [alpha](uint8_t* d, const uint8_t* s, const uint8_t*, int n, bool scalar) {
                 if (!scalar) return BlendRowBytes(d, s, n, uint8_t(alpha));
                 for (int i = 0; i < n; ++i) d[i] = uint8_t((d[i] * alpha + s[i] * (255 - alpha) + 127) >> 8);
             }});
    cases.push_back({"mask blend", 1, [](uint8_t* d, const uint8_t* s, const uint8_t* m, int n, bool scalar) {
                         if (!scalar) return MaskBlendRow(d, s, m, n);
                         for (int i = 0; i < n; ++i) d[i] = uint8_t((s[i] * 256 + (d[i] - s[i]) * m[i]) >> 8);
                     }});
    for (bool opaque : {false, true})
        cases.push_back({"alpha blend", 4, [opaque](uint8_t* d, const uint8_t* s, const uint8_t*, int n, bool scalar) {
                             if (!scalar) return AlphaBlendRow32(d, s, n, opaque);
                             for (int i = 0; i < n; ++i, d += 4, s += 4) {
                                 for (int c = 0; c < 3; ++c) d[c] = Mix(d[c], s[c], s[3]);
                                 if (opaque) d[3] = 255;
                             }
                         }});
    for (int db : {3, 4})
        for (int sb : {3, 4})
            for (bool opaque : {false, true})
                cases.push_back({"keyed copy", std::max(db, sb),
                                 [=](uint8_t* d, const uint8_t* s, const uint8_t*, int n, bool scalar) {
                                     // 0x0000FF (red) as stored bytes 00 00 FF; the rows hold it often.
                                     if (!scalar) return KeyedCopyRow(d, db, s, sb, n, 0x0000FF, opaque);
                                     for (int i = 0; i < n; ++i, d += db, s += sb) {
                                         if (s[0] == 0 && s[1] == 0 && s[2] == 0xFF) continue;
                                         d[0] = s[0], d[1] = s[1], d[2] = s[2];
                                         if (db == 4 && opaque) d[3] = 255;
                                     }
                                 }});
    for (int bpp : {3, 4}) {
        cases.push_back({"fill", bpp, [bpp](uint8_t* d, const uint8_t* s, const uint8_t*, int n, bool scalar) {
                             if (!scalar) return FillRow(d, bpp, n, s);
                             for (int i = 0; i < n; ++i) std::copy(s, s + bpp, d + i * bpp);
                         }});
        cases.push_back({"tint", bpp, [bpp](uint8_t* d, const uint8_t*, const uint8_t*, int n, bool scalar) {
                             if (!scalar) return TintRow(d, bpp, n, Tables());
                             for (int i = 0; i < n; ++i, d += bpp)
                                 for (int c = 0; c < 3; ++c) d[c] = Tables()[c][d[c]];
                         }});
        cases.push_back({"grey", bpp, [bpp](uint8_t* d, const uint8_t*, const uint8_t*, int n, bool scalar) {
                             if (!scalar) return GreyRow(d, bpp, n);
                             for (int i = 0; i < n; ++i, d += bpp)
                                 d[0] = d[1] = d[2] = uint8_t((d[0] + d[1] + d[2]) / 3);
                         }});
        cases.push_back({"grey except", bpp, [bpp](uint8_t* d, const uint8_t*, const uint8_t*, int n, bool scalar) {
                             if (!scalar) return GreyRowExcept(d, bpp, n, 0, 0, 0xFF);
                             for (int i = 0; i < n; ++i, d += bpp)
                                 if (!(d[0] == 0 && d[1] == 0 && d[2] == 0xFF))
                                     d[0] = d[1] = d[2] = uint8_t((d[0] + d[1] + d[2]) / 3);
                         }});
    }
    return cases;
}

// Plants the key 00 00 FF (and near misses) at random pixels.
void PlantKeys(V& row, int bpp, std::mt19937& rng) {
    for (size_t p = 0; p + 3 <= row.size(); p += size_t(bpp))
        if (rng() % 4 == 0) row[p] = 0, row[p + 1] = rng() % 8 ? 0 : 1, row[p + 2] = 0xFF;
}

}  // namespace

TEST(PixelRows, EveryKernelMatchesItsFormulaAtEveryLengthAndAlignment) {
    std::mt19937 rng(57);
    for (const Case& c : Cases()) {
        for (int count = 0; count <= 70; ++count) {
            for (int offset = 0; offset < 4; ++offset) {
                const size_t n = size_t(count) * size_t(c.bpp) + offset + kGuard;
                V d = Bytes(rng, n), s = Bytes(rng, n), m = Bytes(rng, n);
                PlantKeys(d, c.bpp, rng);
                PlantKeys(s, c.bpp, rng);
                V expected = d;
                c.run(expected.data() + offset, s.data() + offset, m.data() + offset, count, true);
                c.run(d.data() + offset, s.data() + offset, m.data() + offset, count, false);
                ASSERT_EQ(d, expected) << c.name << " (" << c.bpp << " bytes), " << count << " pixels at +" << offset;
            }
        }
    }
}

TEST(PixelRows, GreyDividesEverySumOfThreeBytesExactly) {
    // Every sum 0..765 in every lane of the packed code.
    for (int sum = 0; sum <= 765; ++sum) {
        V row;
        for (int k = 0; k < 8; ++k) {
            const int b = std::min(sum, 255), g = std::min(sum - b, 255), r = sum - b - g;
            row.insert(row.end(), {uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(k)});
        }
        GreyRow(row.data(), 4, 8);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(row[size_t(4 * k)], sum / 3) << sum;
            EXPECT_EQ(row[size_t(4 * k + 3)], k) << "alpha kept";
        }
    }
}

TEST(PixelRows, FindFuchsiaFindsTheFirstWholeKeyPixelOnly) {
    std::mt19937 rng(3);
    for (int bpp : {3, 4}) {
        for (int count : {1, 5, 6, 7, 16, 40}) {
            for (int at = 0; at <= count; ++at) {
                V row(size_t(count * bpp) + 2);
                for (auto& b : row) b = uint8_t(0x10 + rng() % 0x80);  // never FF or 00
                // FF 00 FF across two pixels (starting at a pixel's second byte) is no key.
                if (count > 1) row[1] = 0xFF, row[2] = 0, row[3] = 0xFF;
                if (at < count)
                    row[size_t(at * bpp)] = 0xFF, row[size_t(at * bpp) + 1] = 0, row[size_t(at * bpp) + 2] = 0xFF;
                const int expected = at < count ? at : count;
                EXPECT_EQ(FindFuchsia(row.data(), bpp, count), expected) << bpp << " bytes, " << count << " pixels";
            }
        }
    }
}
