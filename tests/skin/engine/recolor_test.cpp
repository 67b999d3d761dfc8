// Recolouring a loaded skin: which pixels change, which colours of the
// tables change, and which title icons keep theirs.
#include <gtest/gtest.h>

#include "ManagerFixture.h"
#include "framework/graphics/Bitmap.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sSkinRecolor.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace enginetest;

namespace {

TColor Pixel(fw::TBitmap* b, int x, int y) {
    const int bytes = b->PixelFormat() == fw::pf32bit ? 4 : 3;
    auto* p = static_cast<uint8_t*>(b->ScanLine(y)) + x * bytes;
    return TColor(p[2] | (p[1] << 8) | (p[0] << 16));
}

uint8_t Alpha(fw::TBitmap* b, int x, int y) { return static_cast<uint8_t*>(b->ScanLine(y))[x * 4 + 3]; }

void SetPixel(fw::TBitmap* b, int x, int y, TColor c, uint8_t a = 255) {
    const int bytes = b->PixelFormat() == fw::pf32bit ? 4 : 3;
    auto* p = static_cast<uint8_t*>(b->ScanLine(y)) + x * bytes;
    p[0] = uint8_t(c >> 16);
    p[1] = uint8_t(c >> 8);
    p[2] = uint8_t(c);
    if (bytes == 4) p[3] = a;
}

constexpr TColor kKey = 0xFF00FF, kGrey = 0x808080, kBlue = 0xC08040;

// A manager with a 3-pixel master bitmap, one 32-bit own image and one section.
struct Scene {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    Scene() {
        sm->SetActive(false);
        sm->MasterBitmap = new fw::TBitmap(3, 1, fw::pf24bit);
        SetPixel(sm->MasterBitmap, 0, 0, kKey);
        SetPixel(sm->MasterBitmap, 1, 0, kGrey);
        SetPixel(sm->MasterBitmap, 2, 0, kBlue);
        TsMaskData own;
        own.Bmp = new fw::TBitmap(3, 1, fw::pf32bit);
        SetPixel(own.Bmp, 0, 0, kKey, 10);
        SetPixel(own.Bmp, 1, 0, kGrey, 20);
        SetPixel(own.Bmp, 2, 0, kBlue, 30);
        sm->ma.push_back(own);
        TsGeneralData g;
        g.Color = kBlue;
        g.HotColor = TColor(-1);
        g.FontColor = {kBlue, TColor(-1), TColor(-1), TColor(-1), TColor(-1)};
        g.GradientData = L"4227327;8421631;50;0;0;65280;0";  // 7 words: one stop
        g.GradientArray = {TsGradPie{kBlue, kBlue}, TsGradPie{kBlue, kBlue}};
        sm->gd.push_back(g);
    }
};

}  // namespace

TEST(SkinRecolor, PixelTables) {
    struct Case {
        const char* name;
        void (*run)(TsSkinManager*, int);
        int value;
        bool greyKept, own32Kept;
        TColor blue, none;
    } cases[] = {
        {"hue", ChangeSkinHue, 120, true, true, ChangeHue(120, kBlue), ChangeHue(120, TColor(-1))},
        {"saturation", ChangeSkinSaturation, 30, true, true, ChangeSaturation(kBlue, -30),
         ChangeSaturation(TColor(-1), -30)},
        {"brightness", ChangeSkinBrightness, 20, false, false, ChangeBrightness(kBlue, 20),
         ChangeBrightness(TColor(-1), 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        c.run(s.sm, c.value);
        fw::TBitmap* m = s.sm->MasterBitmap;
        fw::TBitmap* own = s.sm->ma[0].Bmp;
        EXPECT_EQ(Pixel(m, 0, 0), kKey);
        EXPECT_EQ(Pixel(own, 0, 0), kKey);
        EXPECT_EQ(Pixel(m, 1, 0) == kGrey, c.greyKept);
        EXPECT_EQ(Pixel(m, 2, 0), c.blue & 0xFFFFFF);
        EXPECT_EQ(Pixel(own, 2, 0), c.blue & 0xFFFFFF);
        EXPECT_EQ(own->PixelFormat() == fw::pf32bit, c.own32Kept);
        if (c.own32Kept) {
            EXPECT_EQ(Alpha(own, 0, 0), 10);
            EXPECT_EQ(Alpha(own, 2, 0), 30);
        }
        const TsGeneralData& g = s.sm->gd[0];
        EXPECT_EQ(g.Color, c.blue);
        EXPECT_EQ(g.HotColor, c.none);  // converted even when -1
        EXPECT_EQ(g.FontColor[1], TColor(-1));
        EXPECT_EQ(g.GradientArray[0].Color1, c.blue);
        EXPECT_EQ(g.GradientArray[1].Color1, kBlue);  // beyond the words of GradientData
    }
}

TEST(SkinRecolor, ZeroChangesNothingAndSaturationDeltas) {
    for (auto run : {ChangeSkinHue, ChangeSkinSaturation, ChangeSkinBrightness}) {
        Scene s;
        run(s.sm, 0);
        EXPECT_EQ(Pixel(s.sm->MasterBitmap, 2, 0), kBlue);
        EXPECT_EQ(s.sm->gd[0].HotColor, TColor(-1));
    }
    struct Case {
        int value, delta;
    } cases[] = {{30, -30}, {-30, 30}, {150, -49}, {101, 0}, {100, -100}};
    for (const Case& c : cases) {
        Scene s;
        ChangeSkinSaturation(s.sm, c.value);
        EXPECT_EQ(Pixel(s.sm->MasterBitmap, 2, 0), ChangeSaturation(kBlue, c.delta) & 0xFFFFFF) << c.value;
    }
}

TEST(SkinRecolor, KeepHueProtectsTitleIcons) {
    struct Case {
        int keepHue;
        bool closeKept, maxKept;
    } cases[] = {{0, false, false}, {1, true, true}, {2, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keepHue);
        Cleanup keep;
        TsSkinManager* sm = keep.Keep(NewManager(nullptr));
        sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
        sm->SetSkinName(L"T1");
        sm->SkinData->BIKeepHUE = int16_t(c.keepHue);
        auto colouredPixel = [&](const wchar_t* icon) {
            const TsMaskData& m = sm->ma[size_t(sm->GetMaskIndex(L"GLOBALINFO", icon))];
            for (int y = m.R.Top; y < m.R.Bottom; ++y)
                for (int x = m.R.Left; x < m.R.Right; ++x) {
                    const TColor p = Pixel(sm->MasterBitmap, x, y);
                    const int r = p & 0xFF, g = (p >> 8) & 0xFF, b = (p >> 16) & 0xFF;
                    if (p != kKey && !(r == g && g == b)) return POINT{x, y};
                }
            return POINT{-1, -1};
        };
        const POINT close = colouredPixel(L"BICONCLOSE"), max = colouredPixel(L"BICONMAX");
        ASSERT_GE(close.x, 0);
        ASSERT_GE(max.x, 0);
        const TColor closeBefore = Pixel(sm->MasterBitmap, close.x, close.y);
        const TColor maxBefore = Pixel(sm->MasterBitmap, max.x, max.y);
        ChangeSkinHue(sm, 120);
        EXPECT_EQ(Pixel(sm->MasterBitmap, close.x, close.y) == closeBefore, c.closeKept);
        EXPECT_EQ(Pixel(sm->MasterBitmap, max.x, max.y) == maxBefore, c.maxKept);
    }
}

TEST(SkinRecolor, ChangeImageInSkinRebuildsTheIndexesAfterARemoval) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    sm->SetSkinName(L"T1");
    const fw::String bmp = kvbskins::SkinsPath(L"test\\T1\\Legacy.bmp");
    const fw::String jpg = kvbskins::SkinsPath(L"test\\T1\\Big.jpg");
    // A PNG for an ordinary image does nothing.
    EXPECT_FALSE(ChangeImageInSkin(L"BUTTON", L"BORDERSMASK", kvbskins::SkinsPath(L"test\\T1\\Glyph.png"), sm));
    // A bitmap texture the skin lacks is appended (the last entry) and indexed.
    const size_t before = sm->ma.size();
    EXPECT_TRUE(ChangeImageInSkin(L"SCROLLBAR1H", L"hotpattern", bmp, sm));
    ASSERT_EQ(sm->ma.size(), before + 1);
    EXPECT_EQ(sm->ConstData.BGHotScrollBar1H, int(before));
    // A JPEG texture replacing PANEL's removes PANEL's image: the last entry moves
    // into its slot, and the index that named it follows.
    const int panel = sm->GetMaskIndex(L"PANEL", L"PATTERN");
    ASSERT_GE(panel, 0);
    ASSERT_LT(sm->GetPatternIndex(sm->GetSkinIndex(L"PANEL"), L"PANEL", L"PATTERN"), 0);
    // The JPEG is appended as a new pattern: the skin changed, so True.
    EXPECT_TRUE(ChangeImageInSkin(L"PANEL", L"PATTERN", jpg, sm));
    EXPECT_EQ(sm->ma.size(), before);
    EXPECT_EQ(sm->ConstData.BGHotScrollBar1H, panel);
    EXPECT_EQ(sm->ma[size_t(panel)].ClassName, L"SCROLLBAR1H");
    EXPECT_GE(sm->GetPatternIndex(sm->GetSkinIndex(L"PANEL"), L"PANEL", L"PATTERN"), 0);
    for (const TsGeneralData& g : sm->gd) EXPECT_LT(g.BorderIndex, int(sm->ma.size()));
}
