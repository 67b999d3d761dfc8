#include "skin/engine/PngIcons.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/Canvas.h"
#include "skin/engine/PNGGraphic.h"

using namespace skin;

namespace {

void SetPixel32(fw::TBitmap& b, int x, int y, uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha) {
    uint8_t* p = static_cast<uint8_t*>(b.ScanLine(y)) + 4 * x;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
    p[3] = alpha;
}

uint32_t Pixel32(fw::TBitmap& b, int x, int y) {
    uint32_t v;
    std::memcpy(&v, static_cast<uint8_t*>(b.ScanLine(y)) + 4 * x, 4);
    return v;
}

// The icon's mask and colour images, read back as 32-bit pixels.
struct IconImages {
    fw::TBitmap mask, colour;
    explicit IconImages(HICON icon) {
        ICONINFO ii{};
        GetIconInfo(icon, &ii);
        mask.SetHandle(ii.hbmMask);
        mask.SetPixelFormat(fw::pf32bit);
        if (ii.hbmColor) {
            colour.SetHandle(ii.hbmColor);
            colour.SetPixelFormat(fw::pf32bit);
        }
    }
    bool MaskWhite(int x, int y) { return (Pixel32(mask, x, y) & 0xFFFFFF) == 0xFFFFFF; }
};

}  // namespace

TEST(PngIcons, UpdateTransPixelsClearsOnlyTransparentWhite) {
    struct Case {
        uint8_t b, g, r, a;
        uint32_t after;
    } cases[] = {
        {255, 255, 255, 0, 0x00000000},    // transparent white: cleared
        {255, 255, 255, 1, 0x01FFFFFF},    // almost transparent: kept
        {254, 254, 254, 0, 0x00FEFEFE},    // light grey: kept
        {255, 255, 255, 255, 0xFFFFFFFF},  // opaque white: kept
        {10, 20, 30, 0, 0x001E140A},       // transparent colour: kept
    };
    fw::TBitmap bmp(std::size(cases), 2, fw::pf32bit);
    for (int x = 0; x < int(std::size(cases)); ++x)
        SetPixel32(bmp, x, 1, cases[x].b, cases[x].g, cases[x].r, cases[x].a);
    UpdateTransPixels(&bmp);
    for (int x = 0; x < int(std::size(cases)); ++x) EXPECT_EQ(Pixel32(bmp, x, 1), cases[x].after) << x;

    fw::TBitmap thin(5, 1, fw::pf32bit);  // too small for pixel access: untouched
    SetPixel32(thin, 0, 0, 255, 255, 255, 0);
    UpdateTransPixels(&thin);
    EXPECT_EQ(Pixel32(thin, 0, 0), 0x00FFFFFFu);
    fw::TBitmap rgb(4, 4, fw::pf24bit);
    std::memset(rgb.ScanLine(0), 255, 12);
    UpdateTransPixels(&rgb);
    EXPECT_EQ(static_cast<uint8_t*>(rgb.ScanLine(0))[0], 255);
}

TEST(PngIcons, MakeIcon32KeysNon32BitBitmapsByTheirCorner) {
    fw::TBitmap bmp(8, 6, fw::pf24bit);
    bmp.Canvas()->Brush()->SetColor(0xFF00FF);
    bmp.Canvas()->FillRect(fw::TRect(0, 0, 8, 6));
    bmp.Canvas()->Brush()->SetColor(0x123456);
    bmp.Canvas()->FillRect(fw::TRect(2, 2, 6, 4));
    HICON icon = MakeIcon32(&bmp);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(bmp.PixelFormat(), fw::pf32bit);
    IconImages img(icon);
    EXPECT_TRUE(img.MaskWhite(0, 0));
    EXPECT_TRUE(img.MaskWhite(7, 5));
    EXPECT_FALSE(img.MaskWhite(3, 3));
    DestroyIcon(icon);
}

TEST(PngIcons, MakeIcon32Of32BitBitmapHasAnOpaqueMask) {
    fw::TBitmap bmp(4, 4, fw::pf32bit);  // all zero, including the corner
    SetPixel32(bmp, 1, 1, 9, 9, 9, 200);
    HICON icon = MakeIcon32(&bmp, false);
    ASSERT_NE(icon, nullptr);
    IconImages img(icon);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_FALSE(img.MaskWhite(x, y)) << x << "," << y;
    DestroyIcon(icon);

    // Forcing the key mask keys even a 32-bit bitmap by its corner.
    HICON keyed = MakeIcon32(&bmp, true);
    IconImages k(keyed);
    EXPECT_TRUE(k.MaskWhite(0, 0));
    EXPECT_FALSE(k.MaskWhite(1, 1));
    DestroyIcon(keyed);
}

TEST(PngIcons, MakeCompIconMasksFullyTransparentPixels) {
    TPNGGraphic png;
    png.SetPixelFormat(fw::pf32bit);
    png.SetWidth(6);
    png.SetHeight(5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) SetPixel32(png, x, y, 40, 80, 120, 255);
    SetPixel32(png, 0, 0, 255, 255, 255, 0);  // transparent, whatever its colour
    SetPixel32(png, 5, 4, 1, 2, 3, 0);
    SetPixel32(png, 2, 2, 50, 60, 70, 128);
    HICON icon = MakeCompIcon(&png, 0x00FF00);
    ASSERT_NE(icon, nullptr);
    IconImages img(icon);
    EXPECT_TRUE(img.MaskWhite(0, 0));
    EXPECT_TRUE(img.MaskWhite(5, 4));
    EXPECT_FALSE(img.MaskWhite(2, 2));
    EXPECT_FALSE(img.MaskWhite(3, 1));
    // The colour image is the picture's own pixels with their straight alpha:
    // drawn over green, the opaque pixel stays, the half one blends, the clear one vanishes.
    EXPECT_EQ(Pixel32(img.colour, 3, 1) & 0xFFFFFF, 0x785028u);
    fw::TBitmap dst(6, 5, fw::pf24bit);
    dst.Canvas()->Brush()->SetColor(0x00FF00);
    dst.Canvas()->FillRect(fw::TRect(0, 0, 6, 5));
    DrawIconEx(dst.Canvas()->Handle(), 0, 0, icon, 6, 5, 0, nullptr, DI_NORMAL);
    auto at = [&](int x, int y) { return static_cast<uint8_t*>(dst.ScanLine(y)) + 3 * x; };
    EXPECT_EQ(at(3, 1)[2], 120);
    EXPECT_EQ(at(0, 0)[1], 255);
    EXPECT_EQ(at(0, 0)[2], 0);
    EXPECT_NEAR(at(2, 2)[1], (60 * 128 + 255 * 127) / 255, 3);
    EXPECT_NEAR(at(2, 2)[2], 70 * 128 / 255, 3);
    DestroyIcon(icon);
}
