// The searches over the skin tables, on small hand-made tables: names,
// parent fallback, cycles and indexes outside the tables.
#include <gtest/gtest.h>

#include "skin/engine/sSkinLookups.h"
#include "skin/engine/sSkinManager.h"

using namespace skin;

namespace {

TsGeneralData Section(const wchar_t* name, const wchar_t* parent = L"") {
    TsGeneralData g;
    g.ClassName = name;
    g.ParentClass = parent;
    return g;
}

TsMaskData Image(const wchar_t* section, const wchar_t* name, TacImgType type = itisaBorder) {
    TsMaskData m;
    m.ClassName = section;
    m.PropertyName = name;
    m.ImgType = type;
    return m;
}

struct Tables {
    TsGeneralDataArray gd{
        Section(L"BUTTON"),                           // 0
        Section(L"Button"),                           // 1
        Section(L"PAGECONTROLBOTTOM"),                // 2
        Section(L"TABBOTTOM", L"PAGECONTROLBOTTOM"),  // 3
        Section(L"SELF", L"SELF"),                    // 4
        Section(L"CYCA", L"CYCB"),                    // 5
        Section(L"CYCB", L"CYCA"),                    // 6
        Section(L"GRANDCHILD", L"TABBOTTOM"),         // 7
        Section(L"ORPHAN", L"NOSUCHSECTION"),         // 8
    };
    TsMaskArray ma{
        Image(L"BUTTON", L"BORDERSMASK"),                    // 0
        Image(L"PAGECONTROLBOTTOM", L"BORDERSMASK"),         // 1
        Image(L"PAGECONTROLBOTTOM", L"BORDERSMASK"),         // 2 (a later duplicate is never found)
        Image(L"BUTTON", L"TEXTURE"),                        // 3 (not a texture)
        Image(L"BUTTON", L"TEXTURE", itisaTexture),          // 4
        Image(L"PAGECONTROLBOTTOM", L"FILL", itisaTexture),  // 5
        Image(L"CYCA", L"BORDERSMASK"),                      // 6
    };
    TsPatternArray pa{TsPatternData{nullptr, L"PAGECONTROLBOTTOM", L"PATTERN"},
                      TsPatternData{nullptr, L"BUTTON", L"PATTERN"}};
};

}  // namespace

TEST(SkinLookups, SectionByNameIsCaseSensitive) {
    Tables t;
    EXPECT_EQ(GetSkinIndex(t.gd, L"BUTTON"), 0);
    EXPECT_EQ(GetSkinIndex(t.gd, L"Button"), 1);
    EXPECT_EQ(GetSkinIndex(t.gd, L"button"), -1);
    EXPECT_EQ(GetSkinIndex(t.gd, L""), -1);
    EXPECT_EQ(GetSkinIndex(static_cast<const TsSkinManager*>(nullptr), L"BUTTON"), -1);
}

TEST(SkinLookups, InheritingAndPlainSearches) {
    Tables t;
    struct Case {
        const wchar_t* section;
        const wchar_t* mask;
        int inheriting, plain;
    } cases[] = {
        {L"BUTTON", L"BORDERSMASK", 0, 0},
        {L"PAGECONTROLBOTTOM", L"BORDERSMASK", 1, 1},
        {L"TABBOTTOM", L"BORDERSMASK", 1, -1},   // from the parent
        {L"GRANDCHILD", L"BORDERSMASK", 1, -1},  // two links up
        {L"SELF", L"BORDERSMASK", -1, -1},       // names itself: no endless search
        {L"CYCB", L"BORDERSMASK", 6, -1},        // CYCA has one
        {L"CYCA", L"GLYPH", -1, -1},             // a cycle counts as not found
        {L"CYCB", L"GLYPH", -1, -1},
        {L"ORPHAN", L"BORDERSMASK", -1, -1},  // parent missing
        {L"BUTTON", L"NOSUCH", -1, -1},
        {L"BUTTON", L"bordersmask", -1, -1},  // exact comparison
    };
    for (const Case& c : cases) {
        const int i = GetSkinIndex(t.gd, c.section);
        ASSERT_GE(i, 0) << c.section;
        EXPECT_EQ(GetMaskIndex(t.gd, t.ma, i, c.section, c.mask), c.inheriting) << c.section << L" " << c.mask;
        EXPECT_EQ(GetMaskIndex(t.ma, c.section, c.mask), c.plain) << c.section << L" " << c.mask;
    }
    EXPECT_EQ(GetMaskIndex(t.ma, L"", L"BORDERSMASK"), -1);
    EXPECT_EQ(GetMaskIndex(t.gd, t.ma, 0, L"", L"BORDERSMASK"), -1);
    EXPECT_EQ(GetMaskIndex(t.gd, t.ma, -1, L"BUTTON", L"BORDERSMASK"), -1);
}

TEST(SkinLookups, IndexPastTheSectionTableAnswersMinusOne) {
    Tables t;
    const int past = int(t.gd.size());
    // The section's own image would match, but the index is not a section.
    EXPECT_EQ(GetMaskIndex(t.gd, t.ma, past, L"NOSUCH", L"BORDERSMASK"), -1);
    EXPECT_EQ(GetTextureIndex(t.gd, t.ma, past + 5, L"NOSUCH", L"FILL"), -1);
    EXPECT_EQ(GetPatternIndex(t.gd, t.pa, past, L"NOSUCH", L"PATTERN"), -1);
}

TEST(SkinLookups, TexturesAndPatterns) {
    Tables t;
    EXPECT_EQ(GetTextureIndex(t.gd, t.ma, 0, L"BUTTON", L"TEXTURE"), 4);  // skips the non-texture at 3
    EXPECT_EQ(GetTextureIndex(t.gd, t.ma, 7, L"GRANDCHILD", L"FILL"), 5);
    EXPECT_EQ(GetTextureIndex(t.gd, t.ma, 5, L"CYCA", L"FILL"), -1);
    EXPECT_EQ(GetTextureIndex(t.gd, TsMaskArray{}, 0, L"BUTTON", L"TEXTURE"), -1);
    EXPECT_EQ(GetPatternIndex(t.gd, t.pa, 0, L"BUTTON", L"PATTERN"), 1);
    EXPECT_EQ(GetPatternIndex(t.gd, t.pa, 3, L"TABBOTTOM", L"PATTERN"), 0);
    EXPECT_EQ(GetPatternIndex(t.gd, t.pa, 6, L"CYCB", L"PATTERN"), -1);
    EXPECT_EQ(GetPatternIndex(t.gd, TsPatternArray{}, 0, L"BUTTON", L"PATTERN"), -1);
}

TEST(SkinLookups, ManagerValidityAndSectionList) {
    TsSkinManager sm(nullptr);
    Tables t;
    sm.gd = t.gd;
    sm.ma = t.ma;
    EXPECT_TRUE(sm.IsValidSkinIndex(0));
    EXPECT_FALSE(sm.IsValidSkinIndex(-1));
    EXPECT_FALSE(sm.IsValidSkinIndex(int(t.gd.size())));
    EXPECT_TRUE(sm.IsValidImgIndex(0));
    EXPECT_FALSE(sm.IsValidImgIndex(-1));
    EXPECT_FALSE(sm.IsValidImgIndex(int(t.ma.size())));
    EXPECT_EQ(sm.GetMaskIndex(3, L"TABBOTTOM", L"BORDERSMASK"), 1);
    fw::TStringList sl;
    sl.Add(L"stale");
    sm.GetSkinSections(&sl);  // no active skin
    EXPECT_EQ(sl.Count(), 0);
    sm.ma.clear();  // the manager frees its images' bitmaps; these have none
}
