#include "skin/engine/sColorMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace skin;

namespace {
uint32_t U(TColor c) { return uint32_t(c); }
}  // namespace

TEST(ColorMath, AveragesMixesAndChanges) {
    // 127 and 129 weights: the order of the two colours matters.
    EXPECT_EQ(U(AverageColor(TColor(0x000000), TColor(0xFFFFFF))), 0x808080u);
    EXPECT_EQ(U(AverageColor(TColor(0xFFFFFF), TColor(0x000000))), 0x7E7E7Eu);
    for (int c : {0, 1, 127, 128, 200, 255})
        EXPECT_EQ(U(AverageColor(TColor(c * 0x010101), TColor(c * 0x010101))), uint32_t(c * 0x010101)) << c;
    EXPECT_EQ(AverageColor(TsColor{TColor(0xFF123456)}, TsColor{TColor(0xFF123456)}).A, 0);

    EXPECT_EQ(U(MixColors(TColor(0x000000), TColor(0x0000FF), 0.4)), 0x000099u);  // red 153
    EXPECT_EQ(U(MixColors(TColor(0xFF0000FF), TColor(0), 0.5)) >> 24, 0xFFu);
    EXPECT_EQ(U(MixColors(TColor(0x7F123456), TColor(0x00ABCDEF), 1)), 0x7F123456u);

    EXPECT_EQ(U(ChangeColor(TColor(0), TColor(0xFFFFFF), 0.5)), 0x808080u);  // 127.5 to even 128
    EXPECT_EQ(U(ChangeColor(TColor(0x7F123456), TColor(0xABCDEF), 0)), 0x123456u);
    EXPECT_EQ(U(ChangeColor(TColor(0x123456), TColor(0xABCDEF), 1)), 0xABCDEFu);
}

TEST(ColorMath, BrightnessSaturationAndHue) {
    struct Case {
        const char* what;
        TColor got;
        uint32_t expected;
    } cases[] = {
        {"brighter by 50", ChangeBrightness(0x00646464, 50), 0xB2B2B2},
        {"darker by 50", ChangeBrightness(0x00646464, -50), 0x323232},
        {"brightness 0 keeps the high byte", ChangeBrightness(TColor(0x12646464), 0), 0x12646464},
        {"saturating red", ChangeSaturation(0x000000FF, 100), 0x555555},
        {"saturating a grey", ChangeSaturation(0x00808080, -70), 0x808080},
        {"hue of red turned by 120", ChangeHue(120, 0x000000FF), 0x00FF00},
        {"hue of a grey", ChangeHue(77, 0x00404040), 0x404040},
        {"hue turned below 0", ChangeHue(-30, 0x000000FF), 0x8000FF},  // hue 330
        {"white from HSV", Hsv2Rgb(0, 0, 1), 0xFFFFFF},
        {"red at 360", Hsv2Rgb(360, 1, 1), 0x0000FF},
        {"red at 0", Hsv2Rgb(0, 1, 1), 0x0000FF},
    };
    for (const Case& c : cases) EXPECT_EQ(U(c.got), c.expected) << c.what;

    const TsHSV blue = Rgb2Hsv(TsColor{TColor(0xFF0000)});
    EXPECT_EQ(blue.h, 240);
    EXPECT_EQ(blue.s, 1);
    EXPECT_EQ(blue.v, 1);
    const TsHSV black = Rgb2Hsv(TsColor{TColor(0)});
    EXPECT_EQ(black.h, 0);
    EXPECT_EQ(black.s, 0);
    EXPECT_EQ(black.v, 0);
    EXPECT_EQ(SwapInteger(0x00112233), 0x00332211);
}

TEST(ColorMath, UnroundedConversions) {
    double r = 1, g = 2, b = 3;
    HSVtoRGB(90, 0.0001, 1, r, g, b);  // no saturation: left as they were
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
    HSVtoRGB(std::nan(""), 0.5, 0.7, r, g, b);  // undefined hue: all V
    EXPECT_EQ(r, 0.7);
    EXPECT_EQ(b, 0.7);
    HSVtoRGB(120, 1, 2, r, g, b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 0);
    double h = -1, s = 0, v = 0;
    RGBToHSV(0, 0, 10, h, s, v);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(v, 10);
    h = 33;
    RGBToHSV(5, 5, 5, h, s, v);  // grey: hue untouched
    EXPECT_EQ(h, 33);
    EXPECT_EQ(s, 0);
}
