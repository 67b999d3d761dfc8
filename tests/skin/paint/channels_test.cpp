#include "skin/paint/sChannels.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "framework/graphics/Canvas.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

TEST(Channels, GreyScaleAndChannelCopies) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto b = Make(fw::pf32bit, 2, 2, topDown);
        Put(*b, 1, 1, V{10, 20, 31, 77});
        GrayScale(b.get());
        EXPECT_EQ(Get(*b, 1, 1), (V{20, 20, 20, 77}));

        auto t = Make(fw::pf24bit, 2, 1, topDown);
        Put(*t, 0, 0, V{10, 20, 31});
        Put(*t, 1, 0, V{0xFF, 0, 0xFF});
        GrayScaleTrans(t.get(), TsColor{fw::clFuchsia});
        EXPECT_EQ(Get(*t, 0, 0), (V{20, 20, 20}));
        EXPECT_EQ(Get(*t, 1, 0), (V{0xFF, 0, 0xFF}));

        auto src = Make(fw::pf32bit, 3, 2, topDown), dst = Make(fw::pf32bit, 2, 3, topDown);
        Pattern(*src);
        Fill(*dst, 9);
        CopyChannel32(dst.get(), src.get(), 3);
        EXPECT_EQ(Get(*dst, 1, 1), (V{9, 9, 9, Get(*src, 1, 1)[3]}));
        EXPECT_EQ(Get(*dst, 1, 2), V(4, 9));  // beyond the source's rows
    }
}

TEST(Channels, FramesOnDCs) {
    auto b = Make(fw::pf24bit, 10, 10);
    Fill(*b, 0);
    FillDCBorder(b->Canvas()->Handle(), fw::TRect(0, 0, 10, 10), 1, 2, 3, 4, fw::RGBColor(255, 255, 255));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 2 && y < 6;
            EXPECT_EQ(Get(*b, x, y), V(3, inside ? 0 : 255)) << x << "," << y;
        }

    auto src = Make(fw::pf24bit, 40, 30), dst = Make(fw::pf24bit, 40, 30);
    Fill(*src, 200);
    const Snapshot before(*dst);
    BitBltBorder(dst->Canvas()->Handle(), 5, 5, 20, 10, src->Canvas()->Handle(), 5, 5, 2);
    const fw::TRect outer(5, 5, 25, 15), inner(7, 7, 23, 13);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool frame = outer.Contains(fw::TPoint(x, y)) && !inner.Contains(fw::TPoint(x, y));
            EXPECT_EQ(Get(*dst, x, y), V(3, frame ? 200 : 0)) << x << "," << y;
        }
}

namespace {

// A 9 x 9 template: each of its nine parts (3 x 3 pixels) in its own grey.
std::unique_ptr<fw::TBitmap> Template(int corner, int middle) {
    const int n = 2 * corner + middle;
    auto t = Make(fw::pf24bit, n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int col = x < corner ? 0 : x < corner + middle ? 1 : 2;
            const int row = y < corner ? 0 : y < corner + middle ? 1 : 2;
            Put(*t, x, y, V(3, uint8_t(10 + 30 * (3 * row + col))));
        }
    return t;
}

uint8_t Part(int row, int col) { return uint8_t(10 + 30 * (3 * row + col)); }

}  // namespace

TEST(Channels, TemplateFrameCornersSidesAndCentre) {
    auto t = Template(3, 3);
    auto dst = Make(fw::pf24bit, 14, 12);
    Fill(*dst, 1);
    const fw::TRect W(3, 3, 3, 3), big(9, 9, 9, 9);
    PaintControlByTemplate(dst.get(), t.get(), fw::TRect(0, 0, 14, 12), fw::TRect(0, 0, 9, 9), W, big, fw::TRect(),
                           false, true);
    EXPECT_EQ(Get(*dst, 0, 0)[0], Part(0, 0));
    EXPECT_EQ(Get(*dst, 13, 11)[0], Part(2, 2));
    EXPECT_EQ(Get(*dst, 7, 0)[0], Part(0, 1));
    EXPECT_EQ(Get(*dst, 0, 7)[0], Part(1, 0));
    EXPECT_EQ(Get(*dst, 7, 7)[0], Part(1, 1));

    // A maximum top of 2 under a template top of 5: the corner is 2 rows
    // across its full width, then only L wide down to row 4.
    auto t5 = Make(fw::pf24bit, 12, 12);
    Pattern(*t5);
    auto d5 = Make(fw::pf24bit, 20, 20);
    Fill(*d5, 1);
    PaintControlByTemplate(d5.get(), t5.get(), fw::TRect(0, 0, 20, 20), fw::TRect(0, 0, 12, 12), fw::TRect(4, 5, 4, 4),
                           fw::TRect(2, 2, 9, 9), fw::TRect(), false, false);
    EXPECT_EQ(Get(*d5, 3, 1), Get(*t5, 3, 1));
    EXPECT_EQ(Get(*d5, 1, 3), Get(*t5, 1, 3));
    EXPECT_EQ(Get(*d5, 3, 3), V(3, 1));
    EXPECT_EQ(Get(*d5, 10, 10), V(3, 1));  // no centre
}

// A template with no middle has nothing to repeat: the sides and the centre
// are skipped instead of looping for ever.
TEST(Channels, TemplateWithoutMiddleDrawsCornersOnly) {
    auto t = Template(3, 0);
    auto dst = Make(fw::pf24bit, 20, 20);
    Fill(*dst, 1);
    PaintControlByTemplate(dst.get(), t.get(), fw::TRect(0, 0, 20, 20), fw::TRect(0, 0, 6, 6), fw::TRect(3, 3, 3, 3),
                           fw::TRect(9, 9, 9, 9), fw::TRect(), false, true);
    EXPECT_EQ(Get(*dst, 0, 0)[0], Part(0, 0));
    EXPECT_EQ(Get(*dst, 19, 19)[0], Part(2, 2));
    EXPECT_EQ(Get(*dst, 10, 10), V(3, 1));
    EXPECT_EQ(Get(*dst, 10, 0), V(3, 1));
}

TEST(Channels, GlyphStripPicksItsImage) {
    // Four 2 x 3 images in greys 40, 80, 120, 160 over a see-through (key) bottom row.
    auto glyph = Make(fw::pf24bit, 8, 3);
    for (int x = 0; x < 8; ++x) {
        Put(*glyph, x, 0, V(3, uint8_t(40 * (x / 2 + 1))));
        Put(*glyph, x, 1, V(3, uint8_t(40 * (x / 2 + 1))));
        Put(*glyph, x, 2, V{0xFF, 0, 0xFF});
    }
    struct Case {
        int glyphs, state;
        bool enabled, down;
        uint8_t expected;
    } cases[] = {
        {4, 2, true, true, 160},   // pressed and down: image 3
        {4, 2, true, false, 120},  // pressed: image 2
        {4, 1, true, false, 80},   // hot: image 1
        {2, 2, true, false, 120},  // pressed, no pressed image: image 1 (4 wide)
        {4, 0, false, false, 40},  // disabled: image 0
        {4, 7, true, false, 40},   // an unknown state: image 0
        {0, 0, true, false, 40},   // no image count: the whole strip as one image
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "glyphs " << c.glyphs << " state " << c.state);
        auto dst = Make(fw::pf24bit, 4, 4);
        Fill(*dst, 1);
        DrawGlyphEx(glyph.get(), dst.get(), fw::TRect(1, 1, 3, 4), c.glyphs, c.enabled, {}, c.state, 0, c.down);
        EXPECT_EQ(Get(*dst, 1, 1), V(3, c.expected));
        EXPECT_EQ(Get(*dst, 1, 3), V(3, 1));  // the key row is see-through
    }
}

TEST(Channels, DisabledSingleGlyphIsGreyedAndHalfBlended) {
    auto glyph = Make(fw::pf24bit, 2, 2);
    Put(*glyph, 0, 0, V{10, 20, 31});
    Put(*glyph, 1, 0, V{10, 20, 31});
    Put(*glyph, 0, 1, V{0xFF, 0, 0xFF});  // the key: bottom-left pixel
    Put(*glyph, 1, 1, V{0xFF, 0, 0xFF});
    auto dst = Make(fw::pf24bit, 4, 4);
    Fill(*dst, 100);
    const Snapshot before(*dst);
    TsDisabledGlyphKind kind;
    kind.Include(dgGrayed);
    kind.Include(dgBlended);
    DrawGlyphEx(glyph.get(), dst.get(), fw::TRect(1, 1, 3, 3), 1, false, kind, 0, 0);
    EXPECT_EQ(Get(*dst, 1, 1), V(3, 60));   // grey 20, half over 100
    EXPECT_EQ(Get(*dst, 1, 2), V(3, 100));  // the key stays
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(1, 1, 3, 2)));
}
