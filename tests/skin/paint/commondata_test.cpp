// The skin data object: section names, default sections by control class
// code, index refresh on a skin change (also to a skin that lacks the
// section), and the cache rule of wide borders.
#include <gtest/gtest.h>

#include "SkinTables.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace painttest;

namespace {

// Skin data of a component owner on the PANEL section of the tables.
struct PanelData {
    fw::TComponent owner{nullptr};
    TsCommonData sd{&owner, false};
    explicit PanelData(SkinTables& t) {
        sd.SetSkinManager(t.sm.get());
        sd.SetSkinSection(L"PANEL");
    }
};

}  // namespace

TEST(SkinData, SectionNamesAreStoredInCapitals) {
    SkinTables t;
    fw::TComponent owner(nullptr);
    TsCommonData sd(&owner, true);
    sd.SetSkinManager(t.sm.get());
    ASSERT_EQ(sd.GetSkinManager(), t.sm.get());
    ASSERT_NE(sd.FCacheBmp, nullptr);
    EXPECT_EQ(sd.FCacheBmp->PixelFormat(), fw::pf24bit);
    sd.SetSkinSection(L"PANEL");
    sd.SetSkinSection(L"");
    EXPECT_EQ(sd.SkinSection(), L"UNKNOWN");
    EXPECT_EQ(sd.SkinIndex, -1);
    EXPECT_EQ(sd.BorderIndex, -1);
    sd.SetSkinSection(L"edit");
    EXPECT_EQ(sd.SkinSection(), L"EDIT");
    EXPECT_EQ(sd.SkinIndex, 2);
    EXPECT_EQ(sd.BorderIndex, -1);
    EXPECT_TRUE(sd.Skinned());
}

TEST(SkinData, DefaultSectionByControlClassCode) {
    SkinTables t;
    struct Case {
        int coc;
        const wchar_t* section;
    } cases[] = {{98, L"TOOLBUTTON"}, {5, L"EDIT"},          {227, L"EDIT"},     {16, L"COMBOBOX"},
                 {52, L"PANEL_LOW"},  {143, L"PAGECONTROL"}, {165, L"TRACKBAR"}, {250, L"TCOMPONENT"}};
    for (const Case& c : cases) {
        fw::TComponent owner(nullptr);
        TsCommonData sd(&owner, false);
        sd.COC = c.coc;
        UpdateData(&sd);
        EXPECT_EQ(sd.SkinSection(), c.section) << c.coc;
    }
}

TEST(SkinData, ASkinChangeToASkinWithoutTheSectionLeavesNoStaleIndex) {
    SkinTables t;
    PanelData p(t);
    TsCommonData& sd = p.sd;
    EXPECT_EQ(sd.SkinIndex, 0);
    EXPECT_EQ(sd.BorderIndex, t.keyed);
    EXPECT_EQ(SkinBorderMaxWidth(&sd), 4);

    // The new skin has only EDIT and no images at all.
    TsGeneralData edit = t.sm->gd[2];
    t.sm->gd = {edit};
    t.sm->ma.clear();
    sd.UpdateIndexes();
    EXPECT_EQ(sd.SkinIndex, -1);
    EXPECT_EQ(sd.BorderIndex, -1);
    EXPECT_EQ(sd.Texture, -1);
    EXPECT_EQ(sd.HotTexture, -1);
    EXPECT_EQ(SkinBorderMaxWidth(&sd), 0);
    EXPECT_EQ(BorderImageOf(&sd), nullptr);
    EXPECT_FALSE(IsCacheRequired(&sd));

    // A skin whose PANEL names an image its table lacks has no border either.
    TsGeneralData panel;
    panel.ClassName = L"PANEL";
    panel.BorderIndex = 5;
    t.sm->gd = {panel};
    sd.UpdateIndexes();
    EXPECT_EQ(sd.SkinIndex, 0);
    EXPECT_EQ(sd.BorderIndex, -1);
    EXPECT_EQ(SkinBorderMaxWidth(&sd), 0);
}

TEST(SkinData, WideBordersNeedACache) {
    SkinTables t;
    PanelData p(t);
    TsCommonData& sd = p.sd;
    struct Case {
        int wl, wr;
        bool required;
    } cases[] = {{16, 15, true}, {15, 15, false}};
    for (const Case& c : cases) {
        t.sm->ma[size_t(t.keyed)].WL = int16_t(c.wl);
        t.sm->ma[size_t(t.keyed)].WR = int16_t(c.wr);
        EXPECT_EQ(IsCacheRequired(&sd), c.required) << c.wl << " + " << c.wr;
    }
    t.sm->gd[0].Transparency = 40;
    EXPECT_TRUE(IsCacheRequired(&sd));
    EXPECT_TRUE(BgIsTransparent(&sd));
}
