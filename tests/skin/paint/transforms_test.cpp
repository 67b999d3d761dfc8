#include "skin/engine/sTransforms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "PaintTestBitmaps.h"
#include "framework/rtl/Exception.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

namespace {

// A one-row-high line of grey values, repeated on Rows rows.
std::unique_ptr<fw::TBitmap> Greys(const std::vector<uint8_t>& line, int rows, bool topDown = false) {
    auto b = Make(fw::pf24bit, int(line.size()), rows, topDown);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < int(line.size()); ++x) Put(*b, x, y, V(3, line[size_t(x)]));
    return b;
}

std::vector<uint8_t> FirstRow(fw::TBitmap& b) {
    std::vector<uint8_t> v;
    for (int x = 0; x < b.Width(); ++x) v.push_back(Get(b, x, 0)[0]);
    return v;
}

}  // namespace

TEST(Transforms, BoxResamplingRepeatsAndAverages) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto up = Greys({10, 250}, 2, topDown);
        fw::TBitmap out;
        Stretch(up.get(), &out, 4, 2, ftBox);
        EXPECT_EQ(FirstRow(out), (std::vector<uint8_t>{10, 10, 250, 250}));

        // Centres at i * Src / Dst: source pixel 3 takes no part.
        auto down = Greys({0, 100, 200, 255}, 2, topDown);
        Stretch(down.get(), &out, 2, 2, ftBox);
        EXPECT_EQ(FirstRow(out), (std::vector<uint8_t>{50, 150}));
    }
}

TEST(Transforms, SameSizeCopiesAndTooSmallRaises) {
    auto src = Make(fw::pf32bit, 3, 2);
    Pattern(*src);
    fw::TBitmap out;
    Stretch(src.get(), &out, 3, 2, ftMitchell);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Get(out, x, y), Get(*src, x, y));
    auto line = Make(fw::pf24bit, 1, 10);
    try {
        Stretch(line.get(), &out, 4, 4, ftBox);
        ADD_FAILURE() << "no exception";
    } catch (const fw::Exception& e) {
        EXPECT_STREQ(e.what(), "Source bitmap is too small");
    }
}

// Filters wider than the source mirror past its other edge; the indexes are
// kept inside the source, so a uniform picture stays uniform.
TEST(Transforms, WideFiltersReadOnlyTheSource) {
    for (TFilterType f : {ftTriangle, ftHermite, ftBell, ftSpline, ftLanczos3, ftMitchell})
        for (int size : {1, 2, 3, 7}) {
            SCOPED_TRACE(testing::Message() << "filter " << int(f) << " to " << size);
            // Unnormalised weights (Lanczos) move a uniform level a little,
            // but the result stays proportional to the source's level.
            fw::TBitmap out[2];
            const uint8_t level[2] = {200, 100};
            for (int k = 0; k < 2; ++k) {
                auto src = Make(fw::pf32bit, 2, 2, k == 1);
                Fill(*src, level[k]);
                Stretch(src.get(), &out[k], size, size, f);
                ASSERT_EQ(out[k].Width(), size);
            }
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const V a = Get(out[0], x, y), b = Get(out[1], x, y);
                    for (size_t c = 0; c < 4; ++c) {
                        EXPECT_NEAR(a[c], 200, 8) << x << "," << y;
                        EXPECT_NEAR(a[c], 2 * b[c], 2) << x << "," << y;
                    }
                }
        }
}

TEST(Transforms, QuarterTurnsKeepPixelsAndAlpha) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto src = Make(fw::pf32bit, 3, 2, topDown);
        Pattern(*src);
        fw::TBitmap* keep = src.get();
        std::unique_ptr<fw::TBitmap> cw(MakeRotated90(keep, true, false));
        ASSERT_TRUE(cw);
        EXPECT_EQ(cw->Width(), 2);
        EXPECT_EQ(cw->Height(), 3);
        EXPECT_EQ(Get(*cw, 1, 0), Get(*src, 0, 0));  // top-right <- top-left, alpha too
        EXPECT_EQ(Get(*cw, 0, 2), Get(*src, 2, 1));
        std::unique_ptr<fw::TBitmap> ccw(MakeRotated90(keep, false, false));
        EXPECT_EQ(Get(*ccw, 0, 0), Get(*src, 2, 0));
        EXPECT_EQ(Get(*ccw, 1, 2), Get(*src, 0, 1));
    }
    fw::TBitmap* owned = new fw::TBitmap(2, 2, fw::pf8bit);
    EXPECT_EQ(MakeRotated90(owned, true, true), nullptr);
    EXPECT_EQ(owned, nullptr);
}

TEST(Transforms, ThreeZoneGradientCountsZonesFromR) {
    const TsColor black{0}, white{fw::TColor(0xFFFFFF)};
    auto zoneAt = [](fw::TBitmap& b, int y) { return Get(b, 0, y)[0]; };
    auto b = Make(fw::pf24bit, 10, 100);
    GradientBmp(b.get(), fw::TRect(0, 0, 10, 100), black, white, gtTopBottom, 20, 30, 100);
    EXPECT_EQ(zoneAt(*b, 0), 0);
    EXPECT_LT(zoneAt(*b, 10), 128);
    EXPECT_EQ(zoneAt(*b, 20), 128);  // the average (127 * 0 + 129 * 255) shr 8
    EXPECT_EQ(zoneAt(*b, 69), 128);
    EXPECT_GT(zoneAt(*b, 85), 128);
    EXPECT_EQ(zoneAt(*b, 99), uint8_t(std::nearbyint(128 + 29 * (127.0 / 30))));

    // R starting below the first zone's size: rows above R stay as they were.
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(Order(topDown));
        auto g = Make(fw::pf24bit, 10, 60, topDown);
        Fill(*g, 7);
        const Snapshot before(*g);
        GradientBmp(g.get(), fw::TRect(2, 30, 8, 50), black, white, gtTopBottom, 10, 10, 100);
        EXPECT_EQ(zoneAt(*g, 29), 7);
        EXPECT_EQ(Get(*g, 2, 30)[0], 0);
        EXPECT_TRUE(UnchangedOutside(*g, before, fw::TRect(2, 30, 8, 50)));
        const Snapshot second(*g);
        GradientBmp(g.get(), fw::TRect(3, 1, 7, 9), black, white, gtLeftRight, 0, 0, 100);
        EXPECT_EQ(Get(*g, 3, 1)[0], 128);  // a one-column zone shows its first step: 0 + 128
        GradientBmp(g.get(), fw::TRect(3, 1, 7, 9), black, white, gtAsBorder, 20, 20, 10);
        EXPECT_TRUE(UnchangedOutside(*g, second, fw::TRect(3, 1, 7, 9)));
    }
}
