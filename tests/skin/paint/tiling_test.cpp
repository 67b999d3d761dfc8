#include "skin/paint/sTiling.h"

#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "skin/paint/sSkinImage.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

namespace {

// A skin whose master bitmap the test fills: 64 x 64, every pixel telling its place.
class TilingTest : public ::testing::Test {
protected:
    void SetUp() override {
        master_ = Make(fw::pf24bit, 64, 64);
        Pattern(*master_);
        current = master_.get();
        saved_ = acMasterBitmapOf;
        acMasterBitmapOf = [](fw::TObject*) { return current; };
    }
    void TearDown() override { acMasterBitmapOf = saved_; }

    TsMaskData Texture(fw::TRect r, int imageCount = 1) {
        TsMaskData md;
        md.Manager = &manager_;
        md.R = r;
        md.ImageCount = int16_t(imageCount);
        return md;
    }
    V MasterAt(int x, int y) { return Get(*master_, x, y); }

    static inline fw::TBitmap* current = nullptr;
    std::unique_ptr<fw::TBitmap> master_;
    fw::TObject manager_;
    TMasterBitmapOf saved_ = nullptr;
};

}  // namespace

TEST_F(TilingTest, PictureTilesFromItsTopLeftAndCutsTheLastRowAndColumn) {
    auto pic = Make(fw::pf24bit, 16, 16);
    Pattern(*pic, 3);
    auto dst = Make(fw::pf24bit, 44, 24);
    Fill(*dst, 1);
    const Snapshot before(*dst);
    TileBitmap(dst->Canvas(), fw::TRect(0, 0, 40, 20), pic.get());
    EXPECT_EQ(Get(*dst, 0, 0), Get(*pic, 0, 0));
    EXPECT_EQ(Get(*dst, 16, 16), Get(*pic, 0, 0));
    EXPECT_EQ(Get(*dst, 39, 19), Get(*pic, 7, 3));  // the 8-wide column, the 4-row piece
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(0, 0, 40, 20)));
}

TEST_F(TilingTest, TextureFillModesReturnWhatTheyLeft) {
    struct Case {
        TacFillMode mode;
        fw::TRect painted, left;
    } cases[] = {
        {fmTiled, fw::TRect(0, 0, 100, 50), fw::TRect(-1, -1, -1, -1)},
        {fmTileHorBtm, fw::TRect(0, 40, 100, 50), fw::TRect(0, 0, 100, 40)},
        {fmTileVertRight, fw::TRect(92, 0, 100, 50), fw::TRect(0, 0, 92, 50)},
        {fmTiledVert, fw::TRect(0, 0, 100, 50), fw::TRect(8, 0, 100, 50)},
        {fmDisTiled, fw::TRect(0, 0, 100, 40), fw::TRect(-1, -1, -1, -1)},  // whole rows only
        {fmDiscHorTop, fw::TRect(92, 0, 100, 50), fw::TRect(92, 0, 100, 50)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode));
        auto dst = Make(fw::pf24bit, 110, 60);
        Fill(*dst, 1);
        const Snapshot before(*dst);
        fw::TRect r(0, 0, 100, 50);
        TileBitmap(dst->Canvas(), r, nullptr, Texture(fw::TRect(4, 4, 12, 14)), c.mode);  // 8 x 10
        EXPECT_EQ(r, c.left);
        EXPECT_EQ(Get(*dst, c.painted.Left, c.painted.Top), MasterAt(4, 4));
        EXPECT_TRUE(UnchangedOutside(*dst, before, c.painted));
    }
}

// Textures of no width or height, or with no manager, draw nothing and leave R to the caller.
TEST_F(TilingTest, EmptyTexturesReturnAtOnce) {
    auto dst = Make(fw::pf24bit, 20, 20);
    Fill(*dst, 1);
    const Snapshot before(*dst);
    for (const fw::TRect& t : {fw::TRect(4, 4, 4, 14), fw::TRect(4, 4, 12, 4), fw::TRect(4, 4, 2, 2)}) {
        for (TacFillMode mode : {fmTiled, fmDisTiled, fmTiledHorz, fmTileHorBtm, fmDiscVertRight}) {
            fw::TRect r(0, 0, 20, 20);
            TileBitmap(dst->Canvas(), r, nullptr, Texture(t), mode);
            EXPECT_EQ(r, fw::TRect(0, 0, 20, 20));
            r = fw::TRect(0, 0, 20, 20);
            TileMasked(dst.get(), r, EmptyCI, Texture(t), mode);
            EXPECT_EQ(r, fw::TRect(0, 0, 20, 20));
        }
    }
    TsMaskData orphan = Texture(fw::TRect(0, 0, 8, 8));
    orphan.Manager = nullptr;
    fw::TRect r(0, 0, 20, 20);
    TileBitmap(dst->Canvas(), r, nullptr, orphan, fmTiled);
    EXPECT_EQ(r, fw::TRect(0, 0, 20, 20));
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect()));
}

TEST_F(TilingTest, MaskedTilesDrawWholeRowsAndTheirMask) {
    // Image 10 x 10 over its mask (black: the image shows).
    for (int y = 20; y < 30; ++y)
        for (int x = 0; x < 20; ++x) Put(*master_, x, y, V{0, 0, 0});
    auto dst = Make(fw::pf24bit, 30, 30);
    Fill(*dst, 1);
    const Snapshot before(*dst);
    fw::TRect r(0, 0, 25, 25);
    // ImageCount 0 counts as 1: no division by zero.
    TileMasked(dst.get(), r, EmptyCI, Texture(fw::TRect(0, 10, 10, 30), 0), fmTiled);
    EXPECT_EQ(r, fw::TRect(-1, -1, -1, -1));
    EXPECT_EQ(Get(*dst, 0, 0), MasterAt(0, 10));
    EXPECT_EQ(Get(*dst, 24, 19), MasterAt(4, 19));
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(0, 0, 25, 20)));  // last 5 rows untouched
}

// With no whole column fitting, the uncovered strip starts at R.Top, never at the bitmap's row 0.
TEST_F(TilingTest, DiscreteMaskedTilingFillsOnlyInsideR) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto dst = Make(fw::pf32bit, 20, 20, topDown);
        Fill(*dst, 1);
        const Snapshot before(*dst);
        TCacheInfo fill;
        fill.FillColor = fw::RGBColor(9, 8, 7);
        fw::TRect r(2, 10, 8, 16);  // narrower than one 10-pixel image
        TileMasked(dst.get(), r, fill, Texture(fw::TRect(0, 10, 10, 30)), fmDisTiled);
        EXPECT_EQ(Get(*dst, 2, 10), (V{7, 8, 9, 255}));
        EXPECT_EQ(Get(*dst, 7, 15), (V{7, 8, 9, 255}));
        EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 10, 8, 16)));
    }
}

TEST_F(TilingTest, TilesFromAnotherBitmapsRectangle) {
    TsMaskData md;
    md.Bmp = master_.get();
    md.R = fw::TRect(5, 6, 12, 9);  // 7 x 3
    auto dst = Make(fw::pf24bit, 30, 20);
    Fill(*dst, 1);
    const Snapshot before(*dst);
    TileBitmapFromOther(dst->Canvas(), fw::TRect(2, 2, 25, 12), md);
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 25; ++x)
            ASSERT_EQ(Get(*dst, x, y), MasterAt(5 + (x - 2) % 7, 6 + (y - 2) % 3)) << x << "," << y;
    EXPECT_TRUE(UnchangedOutside(*dst, before, fw::TRect(2, 2, 25, 12)));
}
