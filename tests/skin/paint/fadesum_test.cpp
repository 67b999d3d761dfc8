#include "skin/paint/sFadeSum.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

TEST(FadeSum, RectangleSumsClipToBothBitmaps) {
    struct Case {
        const char* what;
        fw::TRect src;
        fw::TPoint at;
        fw::TRect changed;   // destination pixels that change
        fw::TPoint readsAt;  // the source pixel behind changed.TopLeft
    } cases[] = {
        {"negative destination x", fw::TRect(0, 0, 4, 1), fw::TPoint(-2, 0), fw::TRect(0, 0, 2, 1), fw::TPoint(2, 0)},
        {"source rows 10..19", fw::TRect(0, 10, 20, 20), fw::TPoint(0, 0), fw::TRect(0, 0, 8, 8), fw::TPoint(0, 10)},
        {"negative source", fw::TRect(-1, -2, 3, 3), fw::TPoint(0, 0), fw::TRect(1, 2, 4, 5), fw::TPoint(0, 0)},
        {"past the destination", fw::TRect(0, 0, 30, 30), fw::TPoint(6, 7), fw::TRect(6, 7, 8, 8), fw::TPoint(0, 0)},
    };
    for (bool topDown : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << Order(topDown) << " " << c.what);
            auto dst = Make(fw::pf24bit, 8, 8, topDown), src = Make(fw::pf24bit, 30, 30, topDown);
            Pattern(*src, 5);
            const Snapshot before(*dst);
            SumBmpRect(dst.get(), src.get(), TsColor{0}, c.src, c.at);
            V expected = Get(*src, c.readsAt.X, c.readsAt.Y);
            for (auto& v : expected) v = uint8_t((v * 255 + 127) >> 8);
            EXPECT_EQ(Get(*dst, c.changed.Left, c.changed.Top), expected);
            EXPECT_TRUE(UnchangedOutside(*dst, before, c.changed));
        }
    // Mixed formats and sizes change nothing.
    auto d24 = Make(fw::pf24bit, 4, 4), s32 = Make(fw::pf32bit, 4, 4), s24 = Make(fw::pf24bit, 5, 4);
    Fill(*s32, 200);
    Fill(*s24, 200);
    SumBmpRect(d24.get(), s32.get(), TsColor{0}, fw::TRect(0, 0, 4, 4), fw::TPoint(0, 0));
    SumBitmaps(d24.get(), s24.get(), TsColor{0});
    EXPECT_EQ(Get(*d24, 1, 1), V(3, 0));
    auto same = Make(fw::pf24bit, 4, 4);
    Fill(*same, 100);
    Fill(*d24, 200);
    SumBitmaps(d24.get(), same.get(), TsColor{128});
    EXPECT_EQ(Get(*d24, 3, 3), V(3, 150));
}

TEST(FadeSum, MaskedSums) {
    // SumBitmapsByMask: P = 256 gives Src1, 0 gives Src2, 128 the middle.
    auto s1 = Make(fw::pf24bit, 2, 2), s2 = Make(fw::pf24bit, 2, 2), out = Make(fw::pf32bit, 2, 2);
    Fill(*s1, 200);
    Fill(*s2, 100);
    Fill(*out, 9);
    for (auto [p, expected] : {std::pair{256, 200}, {0, 100}, {128, 150}}) {
        SumBitmapsByMask(out.get(), s1.get(), s2.get(), nullptr, uint16_t(p));
        EXPECT_EQ(Get(*out, 1, 1), (V{uint8_t(expected), uint8_t(expected), uint8_t(expected), 9})) << p;
    }
    // SumByMaskWith32: the mask's red byte takes from the alpha.
    struct Case {
        uint8_t m, a, d, s, expected;
    } cases[] = {{255, 255, 40, 255, 40}, {0, 255, 0, 255, 254}, {128, 255, 0, 255, 125}};
    for (const Case& c : cases) {
        auto d = Make(fw::pf24bit, 3, 3), s = Make(fw::pf32bit, 3, 3), m = Make(fw::pf24bit, 3, 3);
        Fill(*d, c.d);
        Fill(*s, c.s);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) At(*s, x, y)[3] = c.a, Put(*m, x, y, V{0, 0, c.m});
        const Snapshot before(*d);
        SumByMaskWith32(d.get(), s.get(), m.get(), fw::TRect(1, 1, 3, 3));
        EXPECT_EQ(Get(*d, 2, 2), V(3, c.expected)) << int(c.m);
        EXPECT_TRUE(UnchangedOutside(*d, before, fw::TRect(1, 1, 3, 3)));
        // R wider than Src1: nothing.
        SumByMaskWith32(d.get(), s.get(), m.get(), fw::TRect(0, 0, 4, 3));
        EXPECT_EQ(Get(*d, 0, 0), V(3, c.d));
    }
    // BlendBmpByMask: black mask paints the colour, white keeps 200 -> 199 under colour 0.
    auto p = Make(fw::pf24bit, 2, 1), mask = Make(fw::pf24bit, 2, 1);
    Fill(*p, 200);
    Put(*mask, 1, 0, V(3, 255));
    BlendBmpByMask(p.get(), mask.get(), TsColor{fw::RGBColor(1, 2, 3)});
    EXPECT_EQ(Get(*p, 0, 0), (V{3, 2, 1}));
    EXPECT_EQ(Get(*p, 1, 0), (V{199, 199, 199}));
}

TEST(FadeSum, FadeRectTintsByTransparency) {
    auto src = Make(fw::pf24bit, 8, 8), dst = Make(fw::pf24bit, 12, 12);
    Fill(*src, 200);
    Fill(*dst, 1);
    const Snapshot before(*dst);
    FadeRect(src->Canvas(), fw::TRect(0, 0, 8, 8), dst->Canvas()->Handle(), fw::TPoint(2, 2), 50, 0, 0, ssRectangle);
    EXPECT_EQ(Get(*dst, 5, 5), V(3, 99));  // (200 * 127) shr 8
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 2, 10, 10)));
    FadeRect(src->Canvas(), fw::TRect(0, 0, 8, 8), dst->Canvas()->Handle(), fw::TPoint(2, 2), 0, fw::RGBColor(5, 6, 7),
             3, ssEllipse);
    EXPECT_EQ(Get(*dst, 2, 2), (V{7, 6, 5}));
    FadeRect(src->Canvas(), fw::TRect(0, 0, 8, 8), dst->Canvas()->Handle(), fw::TPoint(2, 2), 100, 0, 99, ssRectangle);
    EXPECT_EQ(Get(*dst, 9, 9), V(3, 200));
    // FadeBmp leaves its outer ring untinted.
    auto b = Make(fw::pf24bit, 10, 10);
    Fill(*b, 200);
    FadeBmp(b.get(), fw::TRect(0, 0, 10, 10), 0, TsColor{0}, 2, 0);
    EXPECT_EQ(Get(*b, 5, 5), V(3, 0));
    EXPECT_EQ(Get(*b, 0, 5)[0], 199);
}
