// The shared skin vocabulary: image sizes, the empty background, the private
// message, the class-code sets and the colour views.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sStyleSimply.h"

using namespace skin;

namespace {

TsMaskData Mask(fw::TRect r, int imageCount, int maskType) {
    TsMaskData m;
    m.R = r;
    m.ImageCount = static_cast<int16_t>(imageCount);
    m.MaskType = static_cast<int16_t>(maskType);
    return m;
}

TEST(SkinModel, ImageSizesNeverDivideByZero) {
    struct Case {
        fw::TRect r;
        int count, maskType, width, height;
    } cases[] = {
        {fw::Rect(0, 0, 90, 40), 3, 1, 30, 20},   // mask row below: rows of 20
        {fw::Rect(0, 0, 90, 40), 3, 0, 30, 40},   // keyed: one row
        {fw::Rect(0, 0, 90, 40), 0, -1, 0, 0},    // no count, no row division
        {fw::Rect(10, 5, 50, 25), 4, 0, 10, 20},  // offset rectangle in the master bitmap
    };
    for (const Case& c : cases) {
        TsMaskData m = Mask(c.r, c.count, c.maskType);
        EXPECT_EQ(WidthOfImage(m), c.width) << c.count;
        EXPECT_EQ(HeightOfImage(m), c.height) << c.maskType;
    }
}

TEST(SkinModel, EmptyCacheInfoMeansNoBackground) {
    EXPECT_EQ(EmptyCI.Bmp, nullptr);
    EXPECT_EQ(EmptyCI.X, -99);
    EXPECT_EQ(EmptyCI.Y, -99);
    EXPECT_EQ(EmptyCI.FillColor, 0);
    EXPECT_FALSE(EmptyCI.Ready);
    EXPECT_EQ(sFuchsia, 0xFF00FF);
}

TEST(SkinModel, PrivateMessageCarriesTheSubCommandInTheHighWord) {
    EXPECT_EQ(SM_ALPHACMD, 0xA100u);
    EXPECT_EQ(MAKEWPARAM(0, smcGetSkinIndex), WPARAM(0x001A0000));
    EXPECT_EQ(smcNewSkin, 1);
    EXPECT_EQ(smcStopFading, 16);
    EXPECT_EQ(smcGetBGInfo, 34);
    EXPECT_EQ(smcBeforeScroll, 51);
    EXPECT_EQ(smcGetOffset, 61);
}

TEST(SkinModel, ClassCodeSetsHoldExactlyTheirMembers) {
    auto members = [](const TacCodeSet& set) {
        std::vector<int> out;
        for (int c = -1; c <= 256; ++c)
            if (set.Contains(c)) out.push_back(c);
        return out;
    };
    auto range = [](std::vector<int> v, int a, int b) {
        for (int c = a; c <= b; ++c) v.push_back(c);
        return v;
    };
    std::vector<int> edit = range(range(range({}, 2, 18), 41, 41), 76, 84);
    edit = range(range(edit, 96, 97), 131, 140);
    EXPECT_EQ(members(sEditCtrls), edit);
    std::vector<int> hot = {51, 52, 54, 56, 57, 58, 59, 60, 68, 73, 74, 110, 141, 143, 151, 161, 226};
    EXPECT_EQ(members(sCanNotBeHot), hot);
    std::vector<int> mouse = range(range(range(range({}, 19, 19), 51, 74), 110, 110), 141, 161);
    EXPECT_EQ(members(sForbidMouse), mouse);
}

TEST(SkinModel, ColourViewsNameTheBytesOfOneValue) {
    TsColor c;
    c.C = 0x44332211;  // TColor 0x00BBGGRR with 0x44 on top
    EXPECT_EQ(c.R, 0x11);
    EXPECT_EQ(c.G, 0x22);
    EXPECT_EQ(c.B, 0x33);
    EXPECT_EQ(c.A, 0x44);
    EXPECT_EQ(c.T, 0x44);
    TsColor_ p;
    p.I = 0x44332211;  // a pixel: blue first in memory
    EXPECT_EQ(p.B, 0x11);
    EXPECT_EQ(p.G, 0x22);
    EXPECT_EQ(p.R, 0x33);
    EXPECT_EQ(p.sBGRA.A, 0x44);
}

TEST(SkinModel, EnumerationArraysListEveryValueInOrder) {
    EXPECT_EQ(acImgTypes[4], itisaPngGlyph);
    EXPECT_EQ(acFillModes.size(), 15u);
    EXPECT_EQ(acFillModes[14], fmDiscVertRight);
    EXPECT_EQ(asHintsPredefinitions.size(), 9u);
    EXPECT_EQ(aScrollCodes[8], SB_ENDSCROLL);
}

TEST(SkinModel, StartUpValues) {
    EXPECT_EQ(acScrollBtnLength, GetSystemMetrics(SM_CXHSCROLL));
    EXPECT_TRUE(DrawSkinnedMDIWall);
    EXPECT_FALSE(FadingForbidden);
    // Captions: the string table when present, else the same English texts.
    EXPECT_EQ(acs_MsgDlgOK, L"OK");
    EXPECT_EQ(acs_HintDsgnSave, L"Save to file as...");
    EXPECT_EQ(acs_Root, L"Root :");
    // This test program has a shell icon of its own.
    ASSERT_NE(AppIcon, nullptr);
    EXPECT_NE(AppIcon->Handle(), nullptr);
    EXPECT_NE(AppIconLarge, nullptr);
}

TEST(SkinModel, WellKnownIndexesStartAbsent) {
    TConstantSkinData c;
    EXPECT_EQ(c.IndexGLobalInfo, -1);
    EXPECT_EQ(c.BGHotScrollBar2V, -1);
    EXPECT_EQ(c.ComboGlyph, -1);
    TsGeneralData g;
    EXPECT_EQ(g.BorderIndex, -1);
    EXPECT_EQ(g.ImgBR, -1);
}

// Named image-list components over the system's lists, which they share:
// freeing a component leaves the system's list alive.
TEST(SkinModel, ShellImageListsAreTheSystemLists) {
    InitShellImageLists(false, false);
    ASSERT_NE(LargeShellImages, nullptr);
    ASSERT_NE(SmallShellImages, nullptr);
    EXPECT_EQ(LargeShellImages->Name(), L"sShellLargeImages");
    EXPECT_EQ(SmallShellImages->Name(), L"sShellSmallImages");
    EXPECT_TRUE(LargeShellImages->ShareImages());
    EXPECT_TRUE(SmallShellImages->ShareImages());
    SHFILEINFOW info{};
    const auto system = [&](UINT Flag) {
        return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | Flag));
    };
    EXPECT_EQ(LargeShellImages->Handle(), system(SHGFI_SHELLICONSIZE));
    EXPECT_EQ(SmallShellImages->Handle(), system(SHGFI_SMALLICON));
    EXPECT_GT(LargeShellImages->Width(), SmallShellImages->Width());
    // Made once.
    fw::TImageList* large = LargeShellImages;
    InitShellImageLists(true, true);
    EXPECT_EQ(LargeShellImages, large);
}

}  // namespace
