// The packed (SSE2) blends and the doubling tiler against plain scalar
// versions of their formulas, bit for bit, on random pixels.
#include <gtest/gtest.h>

#include <random>

#include "PaintTestBitmaps.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sTiling.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

namespace {

void Random(fw::TBitmap& b, std::mt19937& rng) {
    for (int y = 0; y < b.Height(); ++y) {
        uint8_t* p = static_cast<uint8_t*>(b.ScanLine(y));
        for (int i = 0; i < b.Width() * Bpp(b); ++i) p[i] = uint8_t(rng());
    }
}

}  // namespace

TEST(PaintOracle, ConstantWeightRowsMatchTheScalarFormula) {
    std::mt19937 rng(7);
    for (int count : {0, 1, 15, 16, 17, 33, 100}) {
        for (int alpha : {0, 1, 127, 128, 254, 255}) {
            std::vector<uint8_t> d(size_t(count) + 1), s(size_t(count) + 1);
            for (auto& v : d) v = uint8_t(rng());
            for (auto& v : s) v = uint8_t(rng());
            std::vector<uint8_t> expected = d;
            for (int i = 0; i < count; ++i)
                expected[size_t(i)] = uint8_t((d[size_t(i)] * alpha + s[size_t(i)] * (255 - alpha) + 127) >> 8);
            BlendRowBytes(d.data(), s.data(), count, uint8_t(alpha));
            EXPECT_EQ(d, expected) << count << " bytes, alpha " << alpha;  // the byte after the row too
        }
    }
}

TEST(PaintOracle, MaskAndAlphaCopiesMatchTheScalarFormulas) {
    std::mt19937 rng(11);
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        // 24-bit image over its mask, some pixels fuchsia, into a 24-bit cache with a ready parent.
        auto img = Make(fw::pf24bit, 37, 10, topDown), dst = Make(fw::pf24bit, 37, 5, topDown);
        auto parent = Make(fw::pf24bit, 50, 50, topDown);
        Random(*img, rng);
        Random(*dst, rng);
        Random(*parent, rng);
        for (int i = 0; i < 20; ++i) Put(*img, int(rng() % 37), int(rng() % 5), V{0xFF, 0, 0xFF});
        const Snapshot before(*dst);
        TCacheInfo ci;
        ci.Bmp = parent.get();
        ci.X = 3;
        ci.Y = 4;
        ci.Ready = true;
        CopyByMask(fw::TRect(0, 0, 37, 5), fw::TRect(0, 0, 37, 5), dst.get(), img.get(), ci, true);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 37; ++x) {
                const V s = Get(*img, x, y), m = Get(*img, x, y + 5), d = before(x, y);
                V expected(3);
                if (s == V{0xFF, 0, 0xFF})
                    expected = Get(*parent, x + 3, y + 4);
                else
                    for (int c = 0; c < 3; ++c)
                        expected[size_t(c)] = MaskBlend(d[size_t(c)], s[size_t(c)], m[size_t(c)]);
                ASSERT_EQ(Get(*dst, x, y), expected) << x << "," << y;
            }

        // 32-bit image into a 32-bit cache, not ready: alpha blend, opaque.
        auto img32 = Make(fw::pf32bit, 23, 3, topDown), dst32 = Make(fw::pf32bit, 23, 3, topDown);
        Random(*img32, rng);
        Random(*dst32, rng);
        const Snapshot before32(*dst32);
        CopyByMask(fw::TRect(0, 0, 23, 3), fw::TRect(0, 0, 23, 3), dst32.get(), img32.get(), EmptyCI, false);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 23; ++x) {
                const V s = Get(*img32, x, y), d = before32(x, y);
                V expected(4, 255);
                for (int c = 0; c < 3; ++c)
                    expected[size_t(c)] = uint8_t((d[size_t(c)] * 256 + (s[size_t(c)] - d[size_t(c)]) * s[3]) >> 8);
                ASSERT_EQ(Get(*dst32, x, y), expected) << x << "," << y;
            }
    }
}

TEST(PaintOracle, DoublingTilerGivesTheTilesPixels) {
    std::mt19937 rng(3);
    for (bool topDown : {false, true})
        for (int tile : {1, 3, 8, 13}) {
            SCOPED_TRACE(testing::Message() << Order(topDown) << " tile " << tile);
            auto src = Make(fw::pf24bit, 20, 20, topDown), dst = Make(fw::pf24bit, 70, 50, topDown);
            Random(*src, rng);
            Fill(*dst, 1);
            const Snapshot before(*dst);
            const fw::TRect area(5, 4, 66, 47);
            TileRect(dst->Canvas()->Handle(), area.Left, area.Top, area.Width(), area.Height(), src->Canvas()->Handle(),
                     2, 3, tile, tile + 1);
            for (int y = area.Top; y < area.Bottom; ++y)
                for (int x = area.Left; x < area.Right; ++x)
                    ASSERT_EQ(Get(*dst, x, y), Get(*src, 2 + (x - area.Left) % tile, 3 + (y - area.Top) % (tile + 1)))
                        << x << "," << y;
            EXPECT_TRUE(UnchangedOutside(*dst, before, area));
        }
}
