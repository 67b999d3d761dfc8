#include "skin/paint/sCopies.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

namespace {

const V kFuchsia24{0xFF, 0, 0xFF};

// A 24-bit skin image: Image rows on top, their masks below (same height).
std::unique_ptr<fw::TBitmap> MaskedImage(int w, int h, bool topDown, V pixel, uint8_t mask) {
    auto img = Make(fw::pf24bit, w, 2 * h, topDown);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Put(*img, x, y, pixel);
            Put(*img, x, y + h, V(3, mask));
        }
    return img;
}

TCacheInfo ReadyCI(fw::TBitmap* bmp, int x, int y) {
    TCacheInfo ci;
    ci.Bmp = bmp;
    ci.X = x;
    ci.Y = y;
    ci.Ready = true;
    return ci;
}

}  // namespace

TEST(Copies, MaskBlendTable) {
    // (mask, image, destination) -> destination
    struct Case {
        uint8_t m, s, d, expected;
    } cases[] = {{0, 77, 200, 77}, {255, 0, 200, 199}, {128, 100, 200, 150}, {255, 255, 0, 0}};
    for (bool topDown : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << Order(topDown) << " mask " << int(c.m));
            auto img = MaskedImage(2, 2, topDown, V(3, c.s), c.m);
            auto dst = Make(fw::pf24bit, 4, 4, topDown);
            Fill(*dst, c.d);
            const Snapshot before(*dst);
            CopyByMask(fw::TRect(1, 1, 3, 3), fw::TRect(0, 0, 2, 2), dst.get(), img.get(), EmptyCI, false);
            EXPECT_EQ(Get(*dst, 2, 2), V(3, c.expected));
            EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(1, 1, 3, 3)));

            // The skin-image form finds the mask half of MaskData.R below.
            auto dst2 = Make(fw::pf24bit, 4, 4, topDown);
            Fill(*dst2, c.d);
            TsMaskData md;
            md.R = fw::TRect(0, 0, 2, 4);
            CopyByMask(fw::TRect(0, 0, 2, 2), fw::TRect(0, 0, 2, 2), dst2.get(), img.get(), EmptyCI, false, md);
            EXPECT_EQ(Get(*dst2, 1, 1), V(3, c.expected));
        }
}

TEST(Copies, SeeThroughPixelsShowTheParentAtTheirOwnPlace) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto img = MaskedImage(3, 1, topDown, kFuchsia24, 0);
        auto parent = Make(fw::pf24bit, 6, 2, topDown);
        Pattern(*parent);
        auto dst = Make(fw::pf24bit, 3, 1, topDown);
        Fill(*dst, 9);
        CopyByMask(fw::TRect(0, 0, 3, 1), fw::TRect(0, 0, 3, 1), dst.get(), img.get(), ReadyCI(parent.get(), 2, 1), true);
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Get(*dst, x, 0), Get(*parent, x + 2, 1)) << x;

        // Without UpdateTrans they stay; a parent row below the cache keeps the pixel.
        Fill(*dst, 9);
        CopyByMask(fw::TRect(0, 0, 3, 1), fw::TRect(0, 0, 3, 1), dst.get(), img.get(), ReadyCI(parent.get(), 2, 1), false);
        EXPECT_EQ(Get(*dst, 0, 0), V(3, 9));
        CopyByMask(fw::TRect(0, 0, 3, 1), fw::TRect(0, 0, 3, 1), dst.get(), img.get(), ReadyCI(parent.get(), 0, 5), true);
        EXPECT_EQ(Get(*dst, 1, 0), V(3, 9));
        // Parent columns past its right edge end the row; the ones before are taken.
        CopyByMask(fw::TRect(0, 0, 3, 1), fw::TRect(0, 0, 3, 1), dst.get(), img.get(), ReadyCI(parent.get(), 4, 0), true);
        EXPECT_EQ(Get(*dst, 1, 0), Get(*parent, 5, 0));
        EXPECT_EQ(Get(*dst, 2, 0), V(3, 9));
    }
}

TEST(Copies, NegativeOriginsCutTheColumnsTheyCover) {
    auto img = Make(fw::pf32bit, 8, 2);
    Pattern(*img);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x) At(*img, x, y)[3] = 255;  // opaque
    auto dst = Make(fw::pf32bit, 6, 2);
    CopyByMask(fw::TRect(-3, 0, 5, 2), fw::TRect(0, 0, 8, 2), dst.get(), img.get(), EmptyCI, false);
    for (int x = 0; x < 5; ++x) {
        V expected = Get(*img, x + 3, 1);
        for (int c = 0; c < 3; ++c) expected[c] = uint8_t((expected[c] * 255) >> 8);  // alpha 255 blend from 0
        expected[3] = 255;
        EXPECT_EQ(Get(*dst, x, 1), expected) << x;
    }
    EXPECT_EQ(Get(*dst, 5, 1), V(4, 0));
}

// A rectangle of the skin reaching past the image must not read mask rows
// past the image's end nor write past the destination.
TEST(Copies, MaskRowsAndRectanglesStayInsideTheirBitmaps) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto img = MaskedImage(4, 2, topDown, V{10, 20, 30}, 0);
        auto dst = Make(fw::pf24bit, 8, 8, topDown);
        Fill(*dst, 0xEE);
        const Snapshot before(*dst);
        // R2 lies in the mask half: its mask rows would be below the image.
        CopyByMask(fw::TRect(2, 2, 6, 6), fw::TRect(0, 2, 4, 6), dst.get(), img.get(), EmptyCI, false);
        EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 2, 6, 6)));
        CopyByMask(fw::TRect(6, 6, 60, 60), fw::TRect(0, 0, 54, 54), dst.get(), img.get(), EmptyCI, false);
        EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 2, 8, 8)));
    }
}

TEST(Copies, MaskDataFormFillsOrShowsTheParent) {
    auto img = MaskedImage(2, 1, false, kFuchsia24, 0);
    Put(*img, 1, 0, V{1, 2, 3});
    TsMaskData md;
    md.R = fw::TRect(0, 0, 2, 2);
    TCacheInfo fill;
    fill.FillColor = fw::RGBColor(0x11, 0x22, 0x33);
    // 24-bit destination: the fill colour's bytes in pixel order.
    auto d24 = Make(fw::pf24bit, 2, 2);
    CopyByMask(fw::TRect(0, 0, 2, 1), fw::TRect(0, 0, 2, 1), d24.get(), img.get(), fill, true, md);
    EXPECT_EQ(Get(*d24, 0, 0), (V{0x33, 0x22, 0x11}));
    EXPECT_EQ(Get(*d24, 1, 0), (V{1, 2, 3}));
    // 32-bit destination: the fill colour's value as stored.
    auto d32 = Make(fw::pf32bit, 2, 2);
    CopyByMask(fw::TRect(0, 0, 2, 1), fw::TRect(0, 0, 2, 1), d32.get(), img.get(), fill, true, md);
    EXPECT_EQ(Get(*d32, 0, 0), (V{0x11, 0x22, 0x33, 0}));
    // A 32-bit parent into a 32-bit destination: parent colour, opaque.
    auto parent = Make(fw::pf32bit, 4, 4);
    Pattern(*parent);
    Fill(*d32, 0);
    CopyByMask(fw::TRect(0, 0, 2, 1), fw::TRect(0, 0, 2, 1), d32.get(), img.get(), ReadyCI(parent.get(), 1, 1), true, md);
    V expected = Get(*parent, 1, 1);
    expected[3] = 255;
    EXPECT_EQ(Get(*d32, 0, 0), expected);
    EXPECT_EQ(Get(*d32, 1, 0)[3], 255);
}

// A 32-bit source copied into a 24-bit destination writes three bytes a pixel.
TEST(Copies, ThirtyTwoBitSourceIntoTwentyFourBitDestinationStaysInItsPixels) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto src = Make(fw::pf32bit, 3, 2, topDown);
        Pattern(*src);
        auto dst = Make(fw::pf24bit, 7, 4, topDown);
        Fill(*dst, 0xEE);
        const Snapshot before(*dst);
        TCacheInfo ready;
        ready.Ready = true;
        CopyTransRect(dst.get(), src.get(), 2, 1, fw::TRect(0, 0, 2, 1), fw::clFuchsia, ready, false);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const V s = Get(*src, x, y);
                EXPECT_EQ(Get(*dst, 2 + x, 1 + y), (V{s[0], s[1], s[2]})) << x << "," << y;
            }
        EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 1, 5, 3)));
        // The last column of the destination: nothing past the row's end.
        CopyTransRect(dst.get(), src.get(), 6, 3, fw::TRect(0, 0, 2, 1), fw::clFuchsia, ready, false);
        EXPECT_EQ(Get(*dst, 6, 3), (V{Get(*src, 0, 0)[0], Get(*src, 0, 0)[1], Get(*src, 0, 0)[2]}));
    }
}

// A 32-bit image over a background that is not ready: its key pixels take the
// fill colour with red and blue in their places (the top byte is the alpha),
// into a 32-bit and into a 24-bit destination; the other pixels are copied.
TEST(Copies, ThirtyTwoBitSourceFillsKeyPixelsWithTheFillColourInPixelOrder) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto src = Make(fw::pf32bit, 2, 1, topDown);
        Put(*src, 0, 0, V{0xFF, 0x00, 0xFF, 0x00});  // the key with alpha 0
        Put(*src, 1, 0, V{1, 2, 3, 200});
        TCacheInfo fill;
        fill.FillColor = fw::RGBColor(0x11, 0x22, 0x33);
        auto d32 = Make(fw::pf32bit, 2, 1, topDown);
        CopyTransRect(d32.get(), src.get(), 0, 0, fw::TRect(0, 0, 1, 0), fw::clFuchsia, fill, false);
        EXPECT_EQ(Get(*d32, 0, 0), (V{0x33, 0x22, 0x11, 0x00}));
        EXPECT_EQ(Get(*d32, 1, 0), (V{1, 2, 3, 200}));
        auto d24 = Make(fw::pf24bit, 2, 1, topDown);
        CopyTransRect(d24.get(), src.get(), 0, 0, fw::TRect(0, 0, 1, 0), fw::clFuchsia, fill, true);
        EXPECT_EQ(Get(*d24, 0, 0), (V{0x33, 0x22, 0x11}));
        EXPECT_EQ(Get(*d24, 1, 0), (V{1, 2, 3}));
        // An opaque fill colour stays opaque.
        fill.FillColor = TColor(0xFF000000u | fw::RGBColor(0x44, 0x55, 0x66));
        CopyTransRect(d32.get(), src.get(), 0, 0, fw::TRect(0, 0, 0, 0), fw::clFuchsia, fill, false);
        EXPECT_EQ(Get(*d32, 0, 0), (V{0x66, 0x55, 0x44, 0xFF}));
    }
}

TEST(Copies, KeyedCopiesClipAndSkipTheKey) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto src = Make(fw::pf24bit, 3, 4, topDown);
        Pattern(*src);
        Put(*src, 1, 2, kFuchsia24);
        // CopyTransBitmaps at Y = -2 onto a 32-bit bitmap: source rows 2.. at rows 0.., opaque.
        auto d32 = Make(fw::pf32bit, 3, 3, topDown);
        CopyTransBitmaps(d32.get(), src.get(), 0, -2, TsColor{fw::clFuchsia});
        EXPECT_EQ(Get(*d32, 0, 0), (V{Get(*src, 0, 2)[0], Get(*src, 0, 2)[1], Get(*src, 0, 2)[2], 255}));
        EXPECT_EQ(Get(*d32, 1, 0), V(4, 0));  // the key pixel is skipped
        EXPECT_EQ(Get(*d32, 2, 1)[3], 255);
        EXPECT_EQ(Get(*d32, 2, 2), V(4, 0));

        // CopyTransRectA at X = -1: source columns 1.. at columns 0..
        auto d24 = Make(fw::pf24bit, 3, 4, topDown);
        Fill(*d24, 5);
        CopyTransRectA(d24.get(), src.get(), -1, 0, fw::TRect(0, 0, 2, 3), fw::clFuchsia, EmptyCI);
        EXPECT_EQ(Get(*d24, 0, 0), Get(*src, 1, 0));
        EXPECT_EQ(Get(*d24, 1, 3), Get(*src, 2, 3));
        EXPECT_EQ(Get(*d24, 0, 2), V(3, 5));  // key
        EXPECT_EQ(Get(*d24, 2, 0), V(3, 5));

        // CopyTransRect onto its own parent cache leaves key pixels as they are.
        auto cache = Make(fw::pf24bit, 4, 4, topDown);
        Fill(*cache, 7);
        CopyTransRect(cache.get(), src.get(), 0, 0, fw::TRect(0, 0, 2, 3), fw::clFuchsia, ReadyCI(cache.get(), 0, 0), true);
        EXPECT_EQ(Get(*cache, 1, 2), V(3, 7));
        EXPECT_EQ(Get(*cache, 0, 0), Get(*src, 0, 0));
    }
}

TEST(Copies, BlendTransRectangleAndBitmap) {
    auto src = Make(fw::pf24bit, 10, 10);
    Fill(*src, 100);
    Put(*src, 0, 0, kFuchsia24);
    auto dst = Make(fw::pf32bit, 12, 12);
    Fill(*dst, 201);
    const Snapshot before(*dst);
    BlendTransRectangle(dst.get(), 1, 1, src.get(), fw::TRect(0, 0, 9, 9), 0.5, TsColor{fw::clFuchsia});
    EXPECT_EQ(Get(*dst, 2, 2), (V{150, 150, 150, 201}));  // 150.5 to even; alpha kept
    EXPECT_EQ(Get(*dst, 1, 1), V(4, 201));                // the key pixel
    EXPECT_EQ(Get(*dst, 10, 10), (V{150, 150, 150, 201}));
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(1, 1, 11, 11)));
    // A key with the high byte 0xFF keys nothing; X = -3 starts at source column 3.
    Put(*src, 3, 0, kFuchsia24);
    Fill(*dst, 0);
    BlendTransRectangle(dst.get(), -3, 0, src.get(), fw::TRect(0, 0, 9, 9), 0, TsColor{fw::TColor(0xFFFF00FF)});
    EXPECT_EQ(Get(*dst, 0, 0), (V{0xFF, 0, 0xFF, 0}));
    EXPECT_EQ(Get(*dst, 6, 0), (V{100, 100, 100, 0}));
    EXPECT_EQ(Get(*dst, 7, 0), V(4, 0));

    auto bmp = Make(fw::pf24bit, 2, 1);
    Put(*bmp, 0, 0, V{255, 255, 255});
    Put(*bmp, 1, 0, kFuchsia24);
    BlendTransBitmap(bmp.get(), 0.5, TsColor{0}, TsColor{fw::clFuchsia});
    EXPECT_EQ(Get(*bmp, 0, 0), V(3, 128));  // 127.5 to even
    EXPECT_EQ(Get(*bmp, 1, 0), kFuchsia24);
    BlendTransBitmap(bmp.get(), 1, TsColor{0}, TsColor{fw::clFuchsia});
    EXPECT_EQ(Get(*bmp, 0, 0), V(3, 128));
    BlendTransBitmap(bmp.get(), 0, TsColor{fw::RGBColor(1, 2, 3)}, TsColor{fw::clFuchsia});
    EXPECT_EQ(Get(*bmp, 0, 0), (V{3, 2, 1}));
}

TEST(Copies, AlphaCopyMirrorNeedsTwoImageRows) {
    // One row gives no fading step (255 div 0): no mirror, the rest of the copy stands.
    auto img = Make(fw::pf32bit, 2, 1);
    Fill(*img, 255);
    auto dst = Make(fw::pf24bit, 2, 4);
    CopyBmp32(fw::TRect(0, 0, 2, 1), fw::TRect(0, 0, 2, 1), dst.get(), img.get(), EmptyCI, false, fw::clNone, 0, true);
    EXPECT_EQ(Get(*dst, 0, 0), V(3, 254));
    EXPECT_EQ(Get(*dst, 0, 2), V(3, 0));
}
