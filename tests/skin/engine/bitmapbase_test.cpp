#include "skin/engine/sBitmapBase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/graphics/Canvas.h"

using namespace skin;

namespace {

uint8_t* At(fw::TBitmap& b, int x, int y, int bpp) { return static_cast<uint8_t*>(b.ScanLine(y)) + bpp * x; }

// A 32-bit image filled with one pixel value (blue, green, red, alpha).
std::unique_ptr<fw::TBitmap> Image(int w, int h, uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    std::unique_ptr<fw::TBitmap> img(CreateBmp32(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = At(*img, x, y, 4);
            p[0] = b;
            p[1] = g;
            p[2] = r;
            p[3] = a;
        }
    return img;
}

std::unique_ptr<fw::TBitmap> Filled24(int w, int h, uint8_t v) {
    std::unique_ptr<fw::TBitmap> d(CreateBmp24(w, h));
    for (int y = 0; y < h; ++y) std::memset(d->ScanLine(y), v, size_t(w) * 3);
    return d;
}

}  // namespace

TEST(BitmapBase, WorkingBitmapsAreDibsOfTheirFormat) {
    std::unique_ptr<fw::TBitmap> a(CreateBmp24(5, 3)), b(CreateBmp32(2, 7));
    EXPECT_EQ(a->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(a->HandleType(), fw::bmDIB);
    EXPECT_EQ(a->Width(), 5);
    EXPECT_EQ(b->PixelFormat(), fw::pf32bit);
    EXPECT_EQ(b->Height(), 7);
}

TEST(BitmapBase, CopyBmp32BlendsByAlphaInTwoHundredFiftySixths) {
    struct Case {
        const char* what;
        uint8_t imgByte, alpha, dst;
        int blend;
        fw::TColor tint;
        uint8_t blue, red;  // expected destination bytes
    } cases[] = {
        {"opaque 255 over 0", 255, 255, 0, 0, fw::clNone, 254, 254},
        {"blend 100 leaves the destination", 255, 255, 0, 100, fw::clNone, 0, 0},
        {"alpha 0 leaves it", 255, 0, 77, 0, fw::clNone, 77, 77},
        {"half", 200, 128, 100, 0, fw::clNone, 150, 150},
        {"blend 50 halves the weight", 255, 255, 0, 50, fw::clNone, 126, 126},
        // Pure red tint on white: towards red 255, blue 0 with weight 255.
        {"red tint", 255, 255, 100, 0, 0x0000FF, 0, 254},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto img = Image(4, 4, c.imgByte, c.imgByte, c.imgByte, c.alpha);
        auto dst = Filled24(4, 4, c.dst);
        CopyBmp32(fw::TRect(0, 0, 4, 4), fw::TRect(0, 0, 4, 4), dst.get(), img.get(), EmptyCI, false, c.tint, c.blend,
                  false);
        EXPECT_EQ(At(*dst, 2, 2, 3)[0], c.blue);
        EXPECT_EQ(At(*dst, 2, 2, 3)[2], c.red);
    }
}

TEST(BitmapBase, CopyBmp32ClipsNegativeOriginsAndSeeThroughPixels) {
    auto img = Image(6, 2, 10, 20, 30, 255);
    At(*img, 4, 0, 4)[0] = 0xFF;  // fuchsia with alpha 0: see-through
    At(*img, 4, 0, 4)[1] = 0;
    At(*img, 4, 0, 4)[2] = 0xFF;
    At(*img, 4, 0, 4)[3] = 0;
    auto dst = Filled24(4, 2, 200);
    // R1.Left = -3: image columns 3.. land on destination columns 0..
    CopyBmp32(fw::TRect(-3, 0, 3, 2), fw::TRect(0, 0, 6, 2), dst.get(), img.get(), EmptyCI, false, fw::clNone, 0,
              false);
    EXPECT_EQ(At(*dst, 0, 0, 3)[0], (200 * 256 + (10 - 200) * 255) >> 8);
    EXPECT_EQ(At(*dst, 1, 0, 3)[0], 200);  // the see-through pixel, weight 0
    EXPECT_EQ(At(*dst, 2, 0, 3)[2], (200 * 256 + (30 - 200) * 255) >> 8);
    EXPECT_EQ(At(*dst, 3, 0, 3)[0], 200);  // beyond the image

    // With a ready parent and UpdateTrans, the see-through pixel shows the parent.
    auto parent = Filled24(10, 10, 0);
    parent->Canvas()->SetPixels(6, 3, 0x112233);
    TCacheInfo ci;
    ci.Bmp = parent.get();
    ci.X = 5;
    ci.Y = 3;
    ci.Ready = true;
    auto dst2 = Filled24(4, 2, 200);
    CopyBmp32(fw::TRect(-3, 0, 3, 2), fw::TRect(0, 0, 6, 2), dst2.get(), img.get(), ci, true, fw::clNone, 0, false);
    EXPECT_EQ(At(*dst2, 1, 0, 3)[0], 0x11);
    EXPECT_EQ(At(*dst2, 1, 0, 3)[2], 0x33);
}

TEST(BitmapBase, ReflectionFadesInSteps) {
    auto img = Image(1, 10, 255, 255, 255, 255);
    auto dst = Filled24(1, 20, 0);
    CopyBmp32(fw::TRect(0, 0, 1, 10), fw::TRect(0, 0, 1, 10), dst.get(), img.get(), EmptyCI, false, fw::clNone, 0,
              true);
    EXPECT_EQ(At(*dst, 0, 10, 3)[0], 0);  // row R1.Bottom itself is not written
    // Rows 11..15 at levels 255, 204, 153, 102, 51 with weight level * (255 div 3) div 255.
    const int levels[] = {255, 204, 153, 102, 51};
    for (int t = 0; t < 5; ++t) {
        const int a = levels[t] * (255 / 3) / 255;
        EXPECT_EQ(At(*dst, 0, 11 + t, 3)[1], (255 * a) >> 8) << t;
    }
    EXPECT_EQ(At(*dst, 0, 16, 3)[1], 0);
}

TEST(BitmapBase, ChannelCopiesAndFill) {
    auto img = Image(3, 2, 1, 2, 3, 4);
    fw::TBitmap eight(3, 2, fw::pf8bit);
    CopyChannel(img.get(), &eight, 3, true);
    EXPECT_EQ(static_cast<uint8_t*>(eight.ScanLine(1))[2], 4);
    static_cast<uint8_t*>(eight.ScanLine(0))[1] = 99;
    CopyChannel(img.get(), &eight, 0, false);
    EXPECT_EQ(At(*img, 1, 0, 4)[0], 99);
    EXPECT_EQ(At(*img, 1, 0, 4)[3], 4);  // other channels untouched

    auto d = Filled24(5, 5, 0);
    FillDC(d->Canvas()->Handle(), fw::TRect(1, 1, 3, 3), 0x0000FF);
    GdiFlush();
    EXPECT_EQ(At(*d, 2, 2, 3)[2], 255);
    EXPECT_EQ(At(*d, 3, 3, 3)[2], 0);
}
