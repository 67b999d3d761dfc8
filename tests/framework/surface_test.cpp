// The 32-bit working surface: direct pixel memory that GDI draws into.
#include "framework/graphics/PixelSurface.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(PixelSurface, IsA32BitTopDownZeroedSection) {
    PixelSurface s(3, 2);
    ASSERT_TRUE(s.Allocated());
    EXPECT_EQ(s.BitsPerPixel(), 32);
    EXPECT_TRUE(s.TopDown());
    EXPECT_EQ(s.Stride(), 12);
    EXPECT_EQ(s.RowStep(), 12);
    EXPECT_EQ(s.Row(0), s.Bits());
    EXPECT_EQ(s.Row(1), s.Bits() + 12);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(s.Pixel32(x, y), 0u);
}

TEST(PixelSurface, GdiDrawingLandsInThePixels) {
    PixelSurface s(4, 3);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{1, 1, 3, 2};
    FillRect(s.DC(), &r, red);
    DeleteObject(red);
    GdiFlush();
    EXPECT_EQ(s.Pixel32(1, 1), 0x00FF0000u);  // B, G, R, A in memory; GDI leaves alpha 0
    EXPECT_EQ(s.Pixel32(2, 1), 0x00FF0000u);
    EXPECT_EQ(s.Pixel32(3, 1), 0u);
    EXPECT_EQ(s.Pixel32(1, 2), 0u);
    s.Pixel32(0, 2) = 0x000000FF;
    EXPECT_EQ(GetPixel(s.DC(), 0, 2), RGB(0, 0, 255));
}

TEST(PixelSurface, BottomUpRowsAreAddressedFromTheTop) {
    PixelSurface s;
    ASSERT_TRUE(s.Create(5, 3, 24, false));
    EXPECT_EQ(s.Stride(), 16);  // 15 bytes padded to 16
    EXPECT_EQ(s.RowStep(), -16);
    EXPECT_EQ(s.Row(2), s.Bits());
    EXPECT_EQ(s.Row(0), s.Bits() + 32);
    SetPixelV(s.DC(), 0, 0, RGB(1, 2, 3));
    GdiFlush();
    EXPECT_EQ(s.Row(0)[0], 3);
    EXPECT_EQ(s.Row(0)[2], 1);
}

TEST(PixelSurface, IndexedSurfacesCarryTheirColourTable) {
    RGBQUAD colors[2] = {{0, 0, 0, 0}, {10, 20, 30, 0}};
    PixelSurface s;
    ASSERT_TRUE(s.Create(9, 1, 1, true, colors, 2));
    EXPECT_EQ(s.Stride(), 4);
    std::vector<RGBQUAD> got = s.Colors();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].rgbRed, 30);
    s.Row(0)[0] = 0x80;
    EXPECT_EQ(GetPixel(s.DC(), 0, 0), RGB(30, 20, 10));
    RGBQUAD other = {1, 1, 1, 0};
    s.SetColors(&other, 1);
    EXPECT_EQ(s.Colors()[0].rgbRed, 1);
}

TEST(PixelSurface, EmptySizesAndOwnershipTransfers) {
    PixelSurface empty;
    EXPECT_TRUE(empty.Create(0, 5));
    EXPECT_FALSE(empty.Allocated());
    EXPECT_FALSE(empty.Create(-1, 5));
    EXPECT_FALSE(empty.Create(4, 4, 7));

    PixelSurface a(2, 2);
    a.Pixel32(1, 1) = 42;
    HDC dc = a.DC();
    PixelSurface b(std::move(a));
    EXPECT_FALSE(a.Allocated());
    EXPECT_EQ(b.Pixel32(1, 1), 42u);
    EXPECT_EQ(b.DC(), dc);
    HBITMAP h = b.Detach();
    EXPECT_FALSE(b.Allocated());
    PixelSurface c;
    ASSERT_TRUE(c.Attach(h));
    EXPECT_TRUE(c.TopDown());
    EXPECT_EQ(c.Pixel32(1, 1), 42u);
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 2, 2);
    ReleaseDC(nullptr, screen);
    EXPECT_FALSE(c.Attach(ddb)) << "a device-dependent bitmap has no pixel memory";
    EXPECT_TRUE(c.Allocated());
    DeleteObject(ddb);
}
