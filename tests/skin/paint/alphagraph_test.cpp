#include "skin/paint/sAlphaGraph.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "framework/rtl/Exception.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

TEST(AlphaGraph, AttachNeedsTwoByTwoOfItsOwnFormat) {
    TacFast24 f24;
    auto thin = Make(fw::pf24bit, 1, 100);
    EXPECT_FALSE(f24.Attach(thin.get()));
    EXPECT_EQ(f24.Width(), 0);
    EXPECT_FALSE(f24.Attach(nullptr));
    auto ok = Make(fw::pf24bit, 2, 2);
    EXPECT_TRUE(f24.Attach(ok.get()));
    EXPECT_EQ(f24.Width(), 2);
    auto b32 = Make(fw::pf32bit, 2, 2);
    try {
        f24.Attach(b32.get());
        ADD_FAILURE() << "a 32-bit bitmap attached to the 24-bit object";
    } catch (const fw::EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Bitmap format is not supported");
    }
    TacFast32 f32;
    EXPECT_THROW(f32.Attach(ok.get()), fw::EAssertionFailed);
    EXPECT_FALSE(f32.Attach(Make(fw::pf32bit, 5, 1).get()));
}

TEST(AlphaGraph, PixelsReadAndWriteInPixelByteOrderInBothRowOrders) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto b24 = Make(fw::pf24bit, 3, 3, topDown);
        TacFast24 f24;
        ASSERT_TRUE(f24.Attach(b24.get()));
        f24.SetPixel(1, 2, TsColor{0x00332211});
        EXPECT_EQ(Get(*b24, 1, 2), (V{0x33, 0x22, 0x11}));
        EXPECT_EQ(f24.GetPixel(1, 2).C, 0x00332211);
        EXPECT_EQ(Get(*b24, 1, 0), (V{0, 0, 0}));

        auto b32 = Make(fw::pf32bit, 3, 3, topDown);
        TacFast32 f32;
        ASSERT_TRUE(f32.Attach(b32.get()));
        f32.SetPixel(2, 0, TsColor{fw::TColor(0x80112233)});
        EXPECT_EQ(Get(*b32, 2, 0), (V{0x33, 0x22, 0x11, 0x80}));
        EXPECT_EQ(uint32_t(f32.GetPixel(2, 0).C), 0x80112233u);
    }
}

TEST(AlphaGraph, ConstantWeightBlendKeepsItsDivisionBy256) {
    // (A, d, s) -> d: 255 turns into 254 at A = 255 and at A = 0; skins rely on this rounding.
    struct Case {
        int a, d, s, expected;
    } cases[] = {{255, 255, 0, 254}, {0, 0, 255, 254}, {128, 200, 100, 150}, {76, 200, 100, 129}, {255, 0, 255, 0}};
    for (bool topDown : {false, true})
        for (int bpp : {3, 4})
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << Order(topDown) << " bpp " << bpp << " A " << c.a);
                const fw::TPixelFormat pf = bpp == 4 ? fw::pf32bit : fw::pf24bit;
                auto dst = Make(pf, 2, 2, topDown), src = Make(pf, 2, 2, topDown);
                Fill(*dst, uint8_t(c.d));
                Fill(*src, uint8_t(c.s));
                TacFastSum sum(bpp);
                ASSERT_TRUE(sum.Attach(src.get(), dst.get()));
                sum.Alpha = uint8_t(c.a);
                sum.BlendBitmaps();
                // Every byte, the alpha byte of 32-bit pixels too.
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < 2; ++x) EXPECT_EQ(Get(*dst, x, y), V(size_t(bpp), uint8_t(c.expected)));
            }
}

TEST(AlphaGraph, RectangleBlendAlignsLeftAndBottomEdges) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto dst = Make(fw::pf24bit, 6, 12, topDown), src = Make(fw::pf24bit, 4, 8, topDown);
        Pattern(*src);
        const Snapshot before(*dst);
        TacFastSum24 sum;
        ASSERT_TRUE(sum.Attach(src.get(), dst.get()));
        sum.Alpha = 0;  // as near the source as the blend gets
        sum.DstX1 = 2, sum.DstX2 = 4, sum.DstY1 = 8, sum.DstY2 = 10;
        sum.SrcX1 = 0, sum.SrcY2 = 5;
        sum.BlendBitmapsRect();
        auto blended = [&](int sx, int sy) {
            V s = Get(*src, sx, sy);
            for (auto& b : s) b = uint8_t((b * 255 + 127) >> 8);
            return s;
        };
        EXPECT_EQ(Get(*dst, 2, 9), blended(0, 4));  // destination row 9 <- source row 4
        EXPECT_EQ(Get(*dst, 3, 8), blended(1, 3));
        EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 8, 4, 10)));
    }
}

TEST(AlphaGraph, SwapColorAndFills) {
    EXPECT_EQ(uint32_t(SwapColor(0x00112233)), 0xFF332211u);
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto b = Make(fw::pf32bit, 5, 4, topDown);
        Pattern(*b);
        const Snapshot before(*b);
        FillRect32(b.get(), fw::TRect(1, 1, 3, 3), fw::clRed);
        EXPECT_EQ(Get(*b, 1, 1), (V{0, 0, 0xFF, 0xFF}));
        EXPECT_EQ(Get(*b, 2, 2), (V{0, 0, 0xFF, 0xFF}));
        EXPECT_TRUE(UnchangedOutside(*b, before, fw::TRect(1, 1, 3, 3)));

        const Snapshot filled(*b);
        FillAlphaRect(b.get(), fw::TRect(3, 0, 5, 2), 0x42);
        for (int y = 0; y < 2; ++y)
            for (int x = 3; x < 5; ++x) {
                V expected = filled(x, y);
                expected[3] = 0x42;
                EXPECT_EQ(Get(*b, x, y), expected);
            }
        EXPECT_TRUE(UnchangedOutside(*b, filled, fw::TRect(3, 0, 5, 2)));
        // A rectangle reaching past the bitmap fills only what lies inside.
        FillRect32(b.get(), fw::TRect(-3, 3, 50, 9), 0x00FF00);
        EXPECT_EQ(Get(*b, 0, 3), (V{0, 0xFF, 0, 0xFF}));
        EXPECT_EQ(Get(*b, 4, 3), (V{0, 0xFF, 0, 0xFF}));
    }
}

TEST(AlphaGraph, BlendColorRectTintsWithHalfEvenRoundingInsideTheBitmap) {
    struct Case {
        int8_t blend;
        uint8_t old, colour, expected;
    } cases[] = {{50, 100, 201, 150}, {50, 100, 203, 152}, {100, 100, 7, 100}, {0, 100, 7, 7}};
    for (bool topDown : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << Order(topDown) << " blend " << int(c.blend) << " colour " << int(c.colour));
            auto b = Make(fw::pf32bit, 6, 6, topDown);
            Fill(*b, c.old);
            const Snapshot before(*b);
            BlendColorRect(b.get(), fw::TRect(2, 2, 4, 4), c.blend, fw::RGBColor(c.colour, c.colour, c.colour));
            EXPECT_EQ(Get(*b, 3, 3), (V{c.expected, c.expected, c.expected, c.old}));  // alpha untouched
            EXPECT_TRUE(UnchangedOutside(*b, before, fw::TRect(2, 2, 4, 4)));
        }
    // Reaching far past the bitmap changes all its pixels and nothing else.
    auto big = Make(fw::pf24bit, 10, 10);
    BlendColorRect(big.get(), fw::TRect(-5, -5, 1000, 1000), 0, fw::RGBColor(1, 2, 3));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(Get(*big, x, y), (V{3, 2, 1}));
}
