#include "skin/engine/ColorManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace skin;

namespace {

std::unique_ptr<TColorManager> Gray(int sourceBits, int targetBits) {
    auto p = std::make_unique<TColorManager>();
    TColorManager& cm = *p;
    cm.SetSourceColorScheme(csG);
    cm.SetTargetColorScheme(csG);
    cm.SetSourceSamplesPerPixel(1);
    cm.SetTargetSamplesPerPixel(1);
    cm.SetSourceBitsPerSample(uint8_t(sourceBits));
    cm.SetTargetBitsPerSample(uint8_t(targetBits));
    return p;
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EColorConversionError& e) {
        return fw::ToAnsi(e.Message);
    }
    return "(none)";
}

const char* kNoMethod = "Color conversion failed. Could not find a proper method.";

}  // namespace

TEST(ColorManager, PackedGrayIsRescaledToTheTargetDepth) {
    // 2-bit values 3, 1, 0, 2 in one byte.
    const uint8_t src = 0b11010010;
    const void* rows[1] = {&src};
    {
        auto cmp = Gray(2, 4);
        TColorManager& cm = *cmp;
        uint8_t out[2] = {};
        cm.ConvertRow(rows, out, 4, 0xFF);
        EXPECT_EQ(out[0], 0xF5);  // 15, 5
        EXPECT_EQ(out[1], 0x0A);  // 0, 10
    }
    {
        auto cmp = Gray(2, 8);
        TColorManager& cm = *cmp;
        uint8_t out[4] = {};
        cm.ConvertRow(rows, out, 4, 0xFF);
        EXPECT_EQ(out[0], 255);
        EXPECT_EQ(out[1], 85);
        EXPECT_EQ(out[2], 0);
        EXPECT_EQ(out[3], 170);
    }
}

TEST(ColorManager, MaskPlacesPixelsAndKeepsTheOthers) {
    TColorManager cm;  // RGB 8 -> BGR 8
    const uint8_t src[6] = {1, 2, 3, 4, 5, 6};
    const void* rows[1] = {src};
    uint8_t out[24];
    std::fill(std::begin(out), std::end(out), 0xEE);
    cm.ConvertRow(rows, out, 8, 0x88);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        if (i == 0) {
            EXPECT_EQ(out[0], 3);
            EXPECT_EQ(out[2], 1);
        } else if (i == 4) {
            EXPECT_EQ(out[12], 6);
            EXPECT_EQ(out[14], 4);
        } else {
            EXPECT_EQ(out[3 * i], 0xEE);
        }
    }
}

TEST(ColorManager, SettingsAndConverterChoiceErrors) {
    TColorManager cm;
    cm.SetSourceBitsPerSample(3);  // only 0 and values above 16 are refused
    EXPECT_EQ(cm.SourceBitsPerSample(), 3);
    EXPECT_EQ(ErrorOf([&] { cm.SetSourceBitsPerSample(0); }),
              "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
    EXPECT_EQ(ErrorOf([&] { cm.SetTargetBitsPerSample(17); }),
              "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
    EXPECT_EQ(cm.SourceBitsPerSample(), 3);  // the refused value is not kept
    EXPECT_EQ(ErrorOf([&] { cm.SetTargetSamplesPerPixel(5); }),
              "Sample count per pixel does not correspond to the given color scheme.");

    uint8_t px[8] = {};
    const void* rows[1] = {px};
    TColorManager cmy;
    cmy.SetSourceColorScheme(csCMY);
    EXPECT_EQ(ErrorOf([&] { cmy.ConvertRow(rows, px, 1, 0xFF); }), kNoMethod);

    auto gp = Gray(16, 4);
    TColorManager& g = *gp;
    EXPECT_EQ(ErrorOf([&] { g.ConvertRow(rows, px, 1, 0xFF); }), kNoMethod);

    TColorManager mix;
    mix.SetSourceColorScheme(csIndexed);  // target stays csBGR
    EXPECT_EQ(ErrorOf([&] { mix.ConvertRow(rows, px, 1, 0xFF); }),
              "Conversion between indexed and non-indexed pixel formats is not supported.");
    TColorManager ga;
    ga.SetSourceColorScheme(csGA);
    ga.SetTargetColorScheme(csIndexed);
    EXPECT_EQ(ErrorOf([&] { ga.ConvertRow(rows, px, 1, 0xFF); }), "(none)");
}

TEST(ColorManager, SixteenBitRgbaSwappedScaledAlphaStraight) {
    TColorManager cm;
    cm.SetSourceColorScheme(csRGBA);
    cm.SetTargetColorScheme(csBGRA);
    cm.SetSourceBitsPerSample(16);
    cm.SourceOptions = TConvertOptions{coNeedByteSwap};
    cm.SetGamma(0.45455f, 2.2f);
    cm.TargetOptions = TConvertOptions{coApplyGamma};
    // Big-endian samples R=0xFFFF, G=0x8000, B=0x0101, A=0x4000.
    const uint8_t src[8] = {0xFF, 0xFF, 0x80, 0x00, 0x01, 0x01, 0x40, 0x00};
    const void* rows[1] = {src};
    uint8_t out[4] = {};
    cm.ConvertRow(rows, out, 1, 0xFF);
    const uint8_t* g = cm.GammaTable();
    EXPECT_EQ(out[0], g[0x0101 * 255 / 65535]);
    EXPECT_EQ(out[1], g[0x8000 * 255 / 65535]);
    EXPECT_EQ(out[2], g[255]);
    EXPECT_EQ(out[3], 0x4000 * 255 / 65535);  // alpha never through gamma
    // Round(255 * (i / 255) ^ (1 / (0.45455 * 2.2))): about the identity.
    for (int i : {0, 1, 64, 128, 200, 255})
        EXPECT_EQ(g[i], int(std::nearbyint(255 * std::pow(i / 255.0, 1 / (double(0.45455f) * double(2.2f))))));
}

TEST(ColorManager, Palettes) {
    auto onep = Gray(1, 1);
    TColorManager& one = *onep;
    auto bw = one.GrayscalePaletteEntries(false);
    ASSERT_EQ(bw.size(), 2u);
    EXPECT_EQ(bw[0].peRed, 0);
    EXPECT_EQ(bw[1].peRed, 255);
    auto wb = one.GrayscalePaletteEntries(true);
    EXPECT_EQ(wb[0].peRed, 255);
    auto eightp = Gray(8, 8);
    TColorManager& eight = *eightp;
    auto greys = eight.GrayscalePaletteEntries(false);
    ASSERT_EQ(greys.size(), 256u);
    EXPECT_EQ(greys[77].peGreen, 77);

    // A 2-bit palette for a 4-bit bitmap: its colours at 0, 5, 10 and 15.
    TColorManager idx;
    idx.SetSourceColorScheme(csIndexed);
    idx.SetTargetColorScheme(csIndexed);
    idx.SetSourceBitsPerSample(2);
    idx.SetTargetBitsPerSample(4);
    const uint8_t plte[12] = {10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
    const void* data[1] = {plte};
    auto e = idx.ColorPaletteEntries(data, pfInterlaced8Triple, 4, false);
    ASSERT_EQ(e.size(), 16u);
    EXPECT_EQ(e[0].peRed, 10);
    EXPECT_EQ(e[5].peRed, 20);
    EXPECT_EQ(e[10].peBlue, 32);
    EXPECT_EQ(e[15].peRed, 40);
    EXPECT_EQ(e[4].peRed, 10);  // in between: repeated
    auto reversed = idx.ColorPaletteEntries(data, pfInterlaced8Triple, 4, true);
    EXPECT_EQ(reversed[0].peRed, 12);
    HPALETTE h = idx.CreateColorPalette(data, pfInterlaced8Triple, 4, false);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetPaletteEntries(h, 0, 0, nullptr), 16u);
    DeleteObject(h);
}

TEST(ColorManager, OtherColourFamilies) {
    uint8_t out[3] = {};
    {
        TColorManager cm;
        cm.SetSourceColorScheme(csYCbCr);
        const uint8_t ycc[3] = {128, 128, 128};  // no chroma: grey
        const void* rows[1] = {ycc};
        cm.ConvertRow(rows, out, 1, 0xFF);
        EXPECT_EQ(out[0], 128);
        EXPECT_EQ(out[1], 128);
        EXPECT_EQ(out[2], 128);
    }
    {
        TColorManager cm;
        cm.SetSourceColorScheme(csCMYK);
        cm.SetTargetColorScheme(csRGB);
        const uint8_t c[4] = {255, 0, 255, 255};
        const void* rows[1] = {c};
        cm.ConvertRow(rows, out, 1, 0xFF);
        // ClampByte(X * K / 255 - X - K + 255) per component.
        EXPECT_EQ(out[0], 0);
        EXPECT_EQ(out[1], 0);
        EXPECT_EQ(out[2], 0);
        const uint8_t c2[4] = {0, 0, 0, 0};
        const void* rows2[1] = {c2};
        cm.ConvertRow(rows2, out, 1, 0xFF);
        EXPECT_EQ(out[0], 255);
    }
    {
        TColorManager cm;
        cm.SetSourceColorScheme(csCIELab);
        cm.SetTargetColorScheme(csRGB);
        cm.SourceOptions = TConvertOptions{coLabByteRange, coLabChromaOffset};
        const uint8_t white[3] = {255, 128, 128}, black[3] = {0, 128, 128};
        const void* w[1] = {white};
        cm.ConvertRow(w, out, 1, 0xFF);
        EXPECT_GE(out[0], 250);
        EXPECT_GE(out[1], 250);
        const void* b[1] = {black};
        cm.ConvertRow(b, out, 1, 0xFF);
        EXPECT_EQ(out[0], 0);
    }
    EXPECT_EQ(TColorManager().GetPixelFormat(1), fw::pf24bit);
    TColorManager four;
    four.SetTargetSamplesPerPixel(4);
    EXPECT_EQ(four.TargetPixelFormat(), fw::pf32bit);
    EXPECT_EQ(Gray(2, 4)->TargetPixelFormat(), fw::pf4bit);
    EXPECT_EQ(ClampByte(-3), 0);
    EXPECT_EQ(ClampByte(300), 255);
    EXPECT_EQ(MulDiv16(65535, 255, 65535), 255);
}
