#include "skin/paint/sGradient.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

TEST(Gradient, TextsGoodAndMalformed) {
    struct Case {
        const wchar_t* text;
        std::vector<TsGradPie> stops;  // Color1, Color2, Percent, Mode1
    } cases[] = {
        {L"16777215;0;100;0;0", {{0xFFFFFF, 0, 100, 0, 0}}},
        {L"255;65280;50;1;0;65280;16711680;50;0;0", {{255, 65280, 50, 1, 0}, {65280, 16711680, 50, 0, 0}}},
        {L"1;2;3;4;5;6;7;8;9", {{1, 2, 3, 4, 0}}},  // words after the last whole stop are ignored
        {L"1;2;3;4", {}},
        {L"", {}},
        {L";;1;;2;3;;4;5;", {{1, 2, 3, 4, 0}}},  // empty words do not count
        {L"-7;5;150;0;0", {{0, 5, 100, 0, 0}}},  // negative colour 0, percent up to 100
        {L"5;5;-5;0;0", {{5, 5, 0, 0, 0}}},
        // A word that is no number counts as 0: the skin still loads.
        {L"red;255;5O;x;0", {{0, 255, 0, 0, 0}}},
        {L"99999999999999;1;2;12a;0", {{0, 1, 2, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << fw::ToAnsi(c.text) << "\"");
        TsGradArray a{{9, 9, 9, 9, 9}};
        ASSERT_NO_THROW(PrepareGradArray(c.text, a));
        ASSERT_EQ(a.size(), c.stops.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].Color1, c.stops[i].Color1);
            EXPECT_EQ(a[i].Color2, c.stops[i].Color2);
            EXPECT_EQ(a[i].Percent, c.stops[i].Percent);
            EXPECT_EQ(a[i].Mode1, c.stops[i].Mode1);
            EXPECT_EQ(a[i].Mode2, 0);
        }
    }
}

TEST(Gradient, VerticalRowsRoundHalfToEven) {
    for (bool topDown : {false, true})
        for (auto pf : {fw::pf24bit, fw::pf32bit}) {
            SCOPED_TRACE(testing::Message() << Order(topDown) << " " << int(pf));
            auto b = Make(pf, 3, 5, topDown);
            const Snapshot before(*b);
            PaintGrad(b.get(), fw::TRect(1, 1, 2, 4), L"16645629;0;100;0;0");
            const uint8_t rows[3] = {253, 126, 0};  // 126.5 goes to 126
            for (int y = 0; y < 3; ++y) {
                V expected(3, rows[y]);
                if (pf == fw::pf32bit) expected.push_back(255);
                EXPECT_EQ(Get(*b, 1, 1 + y), expected) << y;
            }
            EXPECT_TRUE(UnchangedOutside(*b, before, fw::TRect(1, 1, 2, 4)));
        }
}

TEST(Gradient, HorizontalStopsShareTheirBorderColumn) {
    auto b = Make(fw::pf24bit, 100, 2);
    TsGradArray data{{0x000000, 0x0000FF, 30, 1, 0}, {0x00FF00, 0xFF0000, 70, 0, 0}};
    PaintGrad(b.get(), fw::TRect(0, 0, 100, 2), data, 0, 0);
    EXPECT_EQ(Get(*b, 0, 1), (V{0, 0, 0}));
    EXPECT_EQ(Get(*b, 29, 1), (V{0, 0, 246}));  // 29 steps of 8.5: 246.5 to even
    EXPECT_EQ(Get(*b, 30, 1), (V{0, 255, 0}));  // the next stop's first colour
    EXPECT_EQ(Get(*b, 99, 0), (V{255, 0, 0}));  // the last stop ends on its second colour
    EXPECT_EQ(Get(*b, 64, 0), Get(*b, 64, 1));  // every row alike
}

TEST(Gradient, NothingOutsideTheRectangleOrForOtherKinds) {
    auto b = Make(fw::pf24bit, 6, 6);
    Fill(*b, 1);
    const Snapshot before(*b);
    PaintGrad(b.get(), fw::TRect(1, 1, 4, 4), L"255;0;100;3;0");
    PaintGrad(b.get(), fw::TRect(1, 1, 4, 4), L"255;0;100;-1;0");
    PaintGrad(b.get(), fw::TRect(1, 1, 1, 4), L"255;0;100;0;0");
    EXPECT_TRUE(UnchangedOutside(*b, before, fw::TRect()));
    // An offset shifts a vertical gradient but never paints outside R.
    TsGradArray data{{0xFFFFFF, 0, 100, 0, 0}};
    PaintGrad(b.get(), fw::TRect(1, 1, 4, 4), data, 0, -3);
    PaintGrad(b.get(), fw::TRect(1, 1, 4, 4), data, 0, 2);
    EXPECT_TRUE(UnchangedOutside(*b, before, fw::TRect(1, 1, 4, 4)));
    // A rectangle past the bitmap is clipped to it.
    PaintGrad(b.get(), fw::TRect(-5, 3, 50, 50), L"0;0;100;1;0");
    EXPECT_EQ(Get(*b, 5, 5), (V{0, 0, 0}));
}

TEST(Gradient, TrianglesTakeEachStopsFirstColourAtTheirVertex) {
    if (!acGradientFill) GTEST_SKIP() << "no GradientFill";
    auto b = Make(fw::pf24bit, 41, 41);
    Fill(*b, 1);
    TsGradArray data{{0x0000FF, 0, 0, 2, 0}, {0x00FF00, 0, 0, 0, 0}};
    PaintGrad(b.get(), fw::TRect(0, 0, 40, 40), data, 0, 0);
    EXPECT_EQ(Get(*b, 0, 0), (V{0, 0, 255}));    // vertex 0: stop 0
    EXPECT_EQ(Get(*b, 20, 20), (V{0, 255, 0}));  // the centre: stop 1
    EXPECT_EQ(Get(*b, 40, 40), V(3, 1));         // outside R
    const TGradientFill saved = acGradientFill;
    acGradientFill = nullptr;  // no msimg32: nothing painted
    Fill(*b, 1);
    PaintGrad(b.get(), fw::TRect(0, 0, 40, 40), data, 0, 0);
    acGradientFill = saved;
    EXPECT_EQ(Get(*b, 0, 0), V(3, 1));
}
