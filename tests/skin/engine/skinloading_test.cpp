// Loading the committed skins through the real loaders: every source gives
// the same tables, and those match a committed, readable dump.
//
// The expectations are tests/skin/engine/data/dump_<skin>.txt. After a
// deliberate change to the loaders or the skins, rewrite them by running the
// tests with KVB_REGENERATE_DUMPS=1 in the environment, e.g.
//   KVB_REGENERATE_DUMPS=1 KVB_TARGETS="skin_engine_tests" scripts/test -R SkinLoading
// and review the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "EngineTestFiles.h"
#include "ManagerFixture.h"
#include "SkinDump.h"
#include "SkinVariant.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/windows/DialogSeam.h"
#include "skin/engine/sSkinImages.h"

using namespace skin;
using namespace enginetest;
using fw::String;

namespace {

const String kNoSkinsDir = L"C:\\NoSkinsHere";

enum class Source { Folder, Packed, Stored };

// A manager of its own (no form) that has loaded skin `name` of skins\<dir> from one source.
TsSkinManager* LoadFrom(Cleanup& keep, const String& dir, const String& name, Source source) {
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    UnPackedFirst = source == Source::Folder;
    if (source == Source::Stored) {
        sm->SetSkinDirectory(kNoSkinsDir);
        AddStored(sm, name, dir + L"\\" + name + L".asz");
    } else {
        sm->SetSkinDirectory(kvbskins::SkinsPath(dir));
    }
    sm->SetSkinName(name);
    UnPackedFirst = false;
    return sm;
}

std::string ReadText(const String& path) {
    const std::vector<uint8_t> b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(SkinLoading, EverySourceGivesTheCommittedDump) {
    struct Case {
        const wchar_t* dir;
        const wchar_t* name;
    } cases[] = {
        {L"test", L"T1"}, {L"test", L"T1NoGlobalInfo"}, {L"test", L"T1LowerCase"}, {L"default", L"Stillwater"}};
    const bool regenerate = std::getenv("KVB_REGENERATE_DUMPS") != nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.name));
        Cleanup keep;
        const std::string folder = DumpSkin(*LoadFrom(keep, c.dir, c.name, Source::Folder));
        TsSkinManager* packedSm = LoadFrom(keep, c.dir, c.name, Source::Packed);
        EXPECT_TRUE(packedSm->SkinIsPacked);
        const std::string packed = DumpSkin(*packedSm);
        // Loaded again by the same manager: nothing depends on the skin before.
        packedSm->SetSkinName(c.name);
        EXPECT_EQ(DumpSkin(*packedSm), packed) << "reloaded";
        const std::string stored = DumpSkin(*LoadFrom(keep, c.dir, c.name, Source::Stored));
        EXPECT_EQ(folder, packed);
        EXPECT_EQ(folder, stored);
        const String file = DataPath(String(L"dump_") + c.name + L".txt");
        if (regenerate) {
            std::ofstream(Utf8(file), std::ios::binary) << folder;
        }
        EXPECT_EQ(folder, ReadText(file)) << "expectation " << Utf8(file);
    }
}

TEST(SkinLoading, ValueCodes) {
    // T1 writes each code once; the entries are checked field by field.
    Cleanup keep;
    TsSkinManager* sm = LoadFrom(keep, L"test", L"T1", Source::Folder);
    auto image = [&](const wchar_t* s, const wchar_t* k) -> const TsMaskData* {
        const int i = sm->GetMaskIndex(s, k);
        return i >= 0 ? &sm->ma[size_t(i)] : nullptr;
    };
    const TsMaskData* close = image(L"GLOBALINFO", L"BICONCLOSE");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->ImgType, itisaGlyph);
    EXPECT_EQ(close->R, fw::TRect(0, 32, 39, 45));
    EXPECT_EQ(WidthOfImage(*close), 13);
    const TsMaskData* button = image(L"BUTTON", L"BORDERSMASK");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->ImgType, itisaBorder);
    EXPECT_EQ(button->DrawMode, 5);
    EXPECT_EQ(button->WL, 4);
    const TsMaskData* huge = image(L"BUTTON_HUGE", L"BORDERSMASK");
    ASSERT_NE(huge, nullptr);
    ASSERT_NE(huge->Bmp, nullptr);
    EXPECT_EQ(huge->Bmp->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(huge->DrawMode, 4);
    EXPECT_EQ(huge->WL, 47);
    EXPECT_EQ(huge->WB, 47);
    const TsMaskData* panel = image(L"PANEL", L"PATTERN");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ImgType, itisaTexture);
    EXPECT_EQ(panel->ImageCount, 1);
    const TsMaskData* glyph = image(L"GLOBALINFO", L"TITLEBUTTON");
    ASSERT_NE(glyph, nullptr);
    ASSERT_NE(glyph->Bmp, nullptr);
    EXPECT_EQ(glyph->Bmp->PixelFormat(), fw::pf32bit);  // PNG keeps its alpha
    EXPECT_EQ(glyph->ImgType, itisaPngGlyph);
    // JPEG pictures: the big one a pattern, the small one a texture entry.
    const int form = sm->GetSkinIndex(L"FORM");
    EXPECT_GE(sm->GetPatternIndex(form, L"FORM", L"PATTERN"), 0);
    EXPECT_EQ(sm->GetPatternIndex(form, L"FORM", L"HOTPATTERN"), -1);
    const int small = sm->GetTextureIndex(form, L"FORM", L"HOTPATTERN");
    ASSERT_GE(small, 0);
    EXPECT_NE(sm->ma[size_t(small)].Bmp, nullptr);
    // Descriptive values are never images.
    EXPECT_EQ(sm->GetMaskIndex(L"GLOBALINFO", L"DESCRIPTION"), -1);

    // A file word in small letters finds no file in the packed skin.
    TsSkinManager* lower = LoadFrom(keep, L"test", L"T1LowerCase", Source::Packed);
    EXPECT_EQ(lower->GetMaskIndex(L"BUTTON_HUGE", L"BORDERSMASK"), -1);
}

TEST(SkinLoading, ValueCodeExamples) {
    struct Case {
        const wchar_t* value;
        fw::TRect r;
        int count, mask, draw, border, wl, wt, wr, wb;
        TacImgType type;
    } cases[] = {
        {L"@0124@0000@0163@0013@3@0", {124, 0, 163, 13}, 3, 0, 0, 0, 0, 0, 0, 0, itisaGlyph},
        {L"^0173^0017^0180^0024^0000^0000^0002^0000^1^0^1^1", {173, 17, 180, 24}, 1, 0, 1, 1, 0, 0, 2, 0, itisaBorder},
        {L"^0000^0000^0030^0030^0000^0000^0000^0000^1^0^1^3", {0, 0, 30, 30}, 1, 0, 1, 3, 3, 3, 3, 3, itisaBorder},
        {L"^0000^0000^0090^0060^0000^0000^0000^0000^3^1^0^0", {0, 0, 90, 60}, 3, 1, 0, 0, 10, 10, 10, 10, itisaBorder},
        // ImageCount 0: the widths are derived as for one state, never divided by zero.
        {L"^0000^0000^0030^0030^0000^0000^0000^0000^0^0^0^0", {0, 0, 30, 30}, 0, 0, 0, 0, 10, 10, 10, 10, itisaBorder},
        {L"~0096~0024~0120~0032~01", {96, 24, 120, 32}, 1, 0, 1, 0, 0, 0, 0, 0, itisaTexture},
        {L"~0120~0024~0144~0032~01~1", {120, 24, 144, 32}, 1, 1, 1, 0, 0, 0, 0, 0, itisaTexture},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.value));
        TsMaskData m;
        ASSERT_TRUE(ParseMasterCode(c.value, m));
        EXPECT_EQ(m.R, c.r);
        EXPECT_EQ(m.ImageCount, c.count);
        EXPECT_EQ(m.MaskType, c.mask);
        EXPECT_EQ(m.DrawMode, c.draw);
        EXPECT_EQ(m.BorderWidth, c.border);
        EXPECT_EQ(m.WL, c.wl);
        EXPECT_EQ(m.WT, c.wt);
        EXPECT_EQ(m.WR, c.wr);
        EXPECT_EQ(m.WB, c.wb);
        EXPECT_EQ(m.ImgType, c.type);
    }
    TsMaskData legacy;
    ASSERT_TRUE(ParseLegacyRect(L"#(0,0,30,30)(3,1,0,1)", legacy));
    EXPECT_EQ(legacy.R, fw::TRect(0, 0, 30, 30));
    EXPECT_EQ(legacy.ImageCount, 3);
    EXPECT_EQ(legacy.MaskType, 1);
    EXPECT_EQ(legacy.DrawMode, 1);
    EXPECT_EQ(legacy.WL, 3);
    EXPECT_EQ(legacy.WT, 5);
    TsMaskData none;
    EXPECT_FALSE(ParseLegacyRect(L"#", none));
    EXPECT_FALSE(ParseMasterCode(L"12632256", none));
    EXPECT_THROW(ParseMasterCode(L"@01x4@0000@0163@0013@3@0", none), fw::Exception);
}

TEST(SkinLoading, ImageNumbersThatCannotLieInTheirBitmapAreCheckedOnLoad) {
    // Values met on skins from outside. The first three once loaded as they
    // were: painting then trapped dividing by an image count of -1, read far
    // outside the master bitmap, or walked 2^31 columns. T1's master bitmap
    // is 256 x 64, BUTTONHUGE.BMP 144 x 96.
    struct Case {
        const char *section, *key, *value;
        bool kept;
        fw::TRect r;
        int count, mask, wl, wt;
    } cases[] = {
        {"BUTTON", "IMGTOPRIGHT", "#(-2147483648,0,0,10)(65535,0,0,1)", false, {}, 0, 0, 0, 0},
        {"BUTTON", "BORDERSMASK", "#(2147483647,0,48,16)(3,0,0,5)", false, {}, 0, 0, 0, 0},
        {"BUTTON", "IMGTOPLEFT", "#(1,0,-2147483647,10)(40000,0,0,1)", false, {}, 0, 0, 0, 0},
        // Partly outside: cut to the bitmap, the side widths kept within the cut image.
        {"BUTTON", "IMGBTMLEFT", "#(250,60,300,70)(2,0,0,1)", true, {250, 60, 256, 64}, 2, 0, 6, 3},
        {"BUTTON", "IMGBTMRIGHT", "#(-5,-5,6,6)(1,0,0,1)", true, {0, 0, 6, 6}, 1, 0, 3, 3},
        // More states than columns, more rows than pixels.
        {"PANEL", "IMGTOPLEFT", "#(0,0,4,4)(5,0,0,1)", false, {}, 0, 0, 0, 0},
        {"PANEL", "IMGTOPRIGHT", "#(0,0,4,4)(1,4,0,1)", false, {}, 0, 0, 0, 0},
        {"PANEL", "BORDERSMASK", "^0000^0000^0000^0016^0000^0000^0000^0000^1^0^1^0", false, {}, 0, 0, 0, 0},
        // Side widths are kept within the image; a negative one counts as none.
        {"PANEL", "IMGBTMLEFT", "#(0,0,30,30)(1,0,99999,1)", true, {0, 0, 30, 30}, 1, 0, 30, 30},
        {"BUTTON_HUGE", "BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0!-7!70000!0047!0047", true, {0, 0, 144, 96}, 3, 1, 0, 96},
        {"BUTTON_HUGE", "BORDERSMASK", "!BUTTONHUGE.BMP!65535!1!0", false, {}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "." + c.key + "=" + c.value);
        TempDir dir;
        WriteSkinFolder(L"test\\T1", dir, L"T1", WithValue(SkinOptions(L"test\\T1"), c.section, c.key, c.value));
        Cleanup keep;
        TsSkinManager* sm = keep.Keep(NewManager(nullptr));
        sm->SetSkinDirectory(dir.Path());
        ASSERT_NO_THROW(sm->SetSkinName(L"T1"));
        // The load went on past the value: the sections after it are there.
        EXPECT_GE(sm->GetSkinIndex(L"MIXEDCASE"), 0);
        // The entry itself, not a parent's that a look-up would fall back to.
        auto entry = std::find_if(sm->ma.begin(), sm->ma.end(), [&](const TsMaskData& m) {
            return m.ClassName == fw::FromAnsi(c.section) && m.PropertyName == fw::FromAnsi(c.key);
        });
        if (!c.kept) {
            EXPECT_EQ(entry, sm->ma.end());
            continue;
        }
        ASSERT_NE(entry, sm->ma.end());
        const TsMaskData& m = *entry;
        EXPECT_EQ(m.R, c.r);
        EXPECT_EQ(m.ImageCount, c.count);
        EXPECT_EQ(m.MaskType, c.mask);
        EXPECT_EQ(m.WL, c.wl);
        EXPECT_EQ(m.WT, c.wt);
    }
}

TEST(SkinLoading, MaskWidthsOfAnImageWithoutStates) {
    TsMaskArray ma(1);
    ma[0].R = fw::TRect(0, 0, 30, 12);
    EXPECT_EQ(MaskWidthRight(ma, 0), 0);  // ImageCount 0: no state width yet
    EXPECT_EQ(MaskWidthLeft(ma, 0), 30);
    EXPECT_EQ(ma[0].ImageCount, 1);
    EXPECT_EQ(MaskWidthTop(ma, 0), 12);
    ma[0].BorderWidth = 2;
    EXPECT_EQ(MaskWidthBottom(ma, 0), 2);
}

TEST(SkinLoading, InheritedOptions) {
    Cleanup keep;
    TsSkinManager* sm = LoadFrom(keep, L"test", L"T1", Source::Folder);
    auto sec = [&](const wchar_t* name) -> const TsGeneralData& {
        const int i = sm->GetSkinIndex(name);
        EXPECT_GE(i, 0) << Utf8(name);
        return sm->gd[size_t(i < 0 ? 0 : i)];
    };
    const TsGeneralData& button = sec(L"BUTTON");
    EXPECT_EQ(sec(L"CHILD").Color, button.Color);              // from the parent
    EXPECT_EQ(sec(L"CHILD").FontColor[0], TColor(255));        // its own
    EXPECT_EQ(sec(L"CHILD").BorderIndex, button.BorderIndex);  // the parent's image
    EXPECT_EQ(sec(L"CHILD").FadingIterations, 4);
    EXPECT_EQ(sec(L"PANEL").Transparency, 0);           // -1 counts as absent
    EXPECT_EQ(sec(L"PANEL").GradientArray.size(), 1u);  // 7 words: one stop
    EXPECT_EQ(sec(L"SELF").Transparency, 30);
    EXPECT_EQ(sec(L"SELF").Color, TColor(0xFFFFFF));  // names itself: the default
    EXPECT_EQ(sec(L"CYCA").Color, TColor(0xFFFFFF));  // a cycle ends as absent
    EXPECT_EQ(sec(L"CYCB").FadingIterations, 5);
    EXPECT_EQ(sec(L"CYCA").BorderIndex, -1);
    EXPECT_EQ(sec(L"FORM").GradientData, L" ");
    EXPECT_TRUE(sec(L"FORM").GradientArray.empty());
    EXPECT_EQ(sm->SkinData->ExMaxHeight, sm->SkinData->ExTitleHeight);
    EXPECT_EQ(sm->GetSkinInfo(), L"6.4");
    // Written as the framework writes a number: up to 15 significant digits.
    const struct {
        double version;
        const wchar_t* text;
    } versions[] = {{6.123456789, L"6.123456789"}, {6.12345678901234, L"6.12345678901234"}, {1e20, L"1E20"}};
    for (const auto& v : versions) {
        sm->SkinData->Version = v.version;
        EXPECT_EQ(sm->GetSkinInfo(), v.text);
    }
}

// skins/test/CommonSections.txt merged into T1: a section the skin lacks is
// added after the skin's (its parent's values where it sets none), its
// images and JPEG files join the image and pattern tables; a section the skin
// has keeps its values, and GLOBALINFO lends no image.
TEST(SkinLoading, CommonSectionsJoinTheTables) {
    Cleanup keep;
    TsSkinManager* plain = LoadFrom(keep, L"test", L"T1", Source::Folder);
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    fw::TStringList common;
    common.LoadFromFile(kvbskins::SkinsPath(L"test\\CommonSections.txt"));
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    UnPackedFirst = true;
    sm->SetSkinName(L"T1");
    sm->SetCommonSections(&common);  // loads the skin again
    UnPackedFirst = false;

    // General data: EXTRA last, from BUTTON where it sets nothing.
    ASSERT_EQ(sm->gd.size(), plain->gd.size() + 1);
    const TsGeneralData& button = sm->gd[size_t(sm->GetSkinIndex(L"BUTTON"))];
    EXPECT_EQ(button.Color, plain->gd[size_t(plain->GetSkinIndex(L"BUTTON"))].Color);
    const TsGeneralData& extra = sm->gd.back();
    EXPECT_EQ(extra.ClassName, L"EXTRA");
    EXPECT_EQ(extra.ParentClass, L"BUTTON");
    EXPECT_EQ(extra.Color, TColor(65280));
    EXPECT_EQ(extra.HotColor, button.HotColor);
    EXPECT_EQ(extra.FontColor[0], button.FontColor[0]);
    EXPECT_EQ(extra.FadingIterations, 4);
    EXPECT_TRUE(extra.ShowFocus);

    // Images: EXTRA's rectangle of the master bitmap and its bitmap file.
    ASSERT_EQ(sm->ma.size(), plain->ma.size() + 2);
    const int extraIndex = sm->GetSkinIndex(L"EXTRA");
    const int border = sm->GetMaskIndex(extraIndex, L"EXTRA", L"BORDERSMASK");
    ASSERT_GE(border, 0);
    const TsMaskData& b = sm->ma[size_t(border)];
    EXPECT_EQ(b.R, fw::TRect(0, 16, 48, 32));
    EXPECT_EQ(b.ImageCount, 3);
    EXPECT_EQ(b.MaskType, 0);
    EXPECT_EQ(b.BorderWidth, 2);
    EXPECT_EQ(b.DrawMode, 1);
    EXPECT_EQ(b.Bmp, nullptr);
    EXPECT_EQ(extra.BorderIndex, border);
    const int image = sm->GetMaskIndex(L"EXTRA", L"IMAGE");
    ASSERT_GE(image, 0);
    ASSERT_NE(sm->ma[size_t(image)].Bmp, nullptr);
    EXPECT_EQ(sm->ma[size_t(image)].Bmp->PixelFormat(), fw::pf24bit);
    EXPECT_GT(sm->ma[size_t(image)].Bmp->Width(), 0);
    EXPECT_LT(sm->GetMaskIndex(L"GLOBALINFO", L"EXTRAMASK"), 0);

    // Patterns: both JPEG files, the small one too.
    ASSERT_EQ(sm->pa.size(), plain->pa.size() + 2);
    for (const wchar_t* prop : {L"PATTERN", L"HOTPATTERN"}) {
        SCOPED_TRACE(Utf8(prop));
        EXPECT_GE(sm->GetPatternIndex(extraIndex, L"EXTRA", prop), 0);
        EXPECT_LT(sm->GetTextureIndex(extraIndex, L"EXTRA", prop), 0);
    }
}

TEST(SkinLoading, WithoutGlobalInfoTheGlobalIndexesAreAbsent) {
    Cleanup keep;
    TsSkinManager* sm = LoadFrom(keep, L"test", L"T1NoGlobalInfo", Source::Packed);
    EXPECT_EQ(sm->ConstData.IndexGLobalInfo, -1);
    EXPECT_EQ(sm->ConstData.CheckBoxChecked, -1);
    EXPECT_EQ(sm->ConstData.ExBorder, -1);
    EXPECT_EQ(sm->SkinData->ExTitleHeight, 30);
    EXPECT_EQ(sm->SkinData->ExMaxHeight, 30);
}

TEST(SkinLoading, ANewerSkinShowsTheVersionMessageAndLoads) {
    fw::DialogSeam::Scope seam;
    Cleanup keep;
    TsSkinManager* sm = LoadFrom(keep, L"test", L"T1Version7", Source::Packed);
    ASSERT_EQ(fw::DialogSeam::Log().size(), 1u);
    EXPECT_EQ(fw::DialogSeam::Log()[0].Text,
              L"This version of the skin have not complete support by used skin components package release.\r\n"
              L"Components must be updated up to latest version for using this skin.");
    EXPECT_GE(sm->GetSkinIndex(L"BUTTON"), 0);
    fw::DialogSeam::ClearLog();
    LoadFrom(keep, L"test", L"T1", Source::Packed);
    EXPECT_TRUE(fw::DialogSeam::Log().empty());
}

TEST(SkinLoading, ANonNumericShadowValueEndsTheLoad) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    EXPECT_THROW(sm->SetSkinName(L"T1BadShadow"), fw::Exception);
    EXPECT_EQ(sm->SkinData->SkinFile, nullptr);
    EXPECT_EQ(sm->sc, nullptr);
}

TEST(SkinLoading, SourcePrecedence) {
    struct Case {
        const wchar_t* dir;
        const wchar_t* name;
        bool unpackedFirst, stored;
        const wchar_t* loadedName;
        bool packed, active;
    } cases[] = {
        {L"test", L"T1", false, true, L"T1", true, true},                 // packed file first
        {L"test", L"T1", true, true, L"T1", false, true},                 // folder first when asked
        {L"C:\\NoSkinsHere", L"T1", false, true, L"Stored", true, true},  // the first stored skin
        {L"C:\\NoSkinsHere", L"Stored", false, true, L"Stored", true, true},
        {L"C:\\NoSkinsHere", L"T1", false, false, L"T1", false, false},  // nothing: switched off
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(String(c.dir) + L" " + c.name));
        Cleanup keep;
        TsSkinManager* sm = keep.Keep(NewManager(nullptr));
        sm->SetSkinDirectory(String(c.dir).find(L':') != String::npos ? String(c.dir) : kvbskins::SkinsPath(c.dir));
        if (c.stored) AddStored(sm, L"Stored", L"default\\Stillwater.asz");
        UnPackedFirst = c.unpackedFirst;
        sm->SetSkinName(c.name);
        UnPackedFirst = false;
        EXPECT_EQ(sm->SkinName(), c.loadedName);
        EXPECT_EQ(sm->SkinIsPacked, c.packed);
        EXPECT_EQ(sm->Active(), c.active);
        EXPECT_EQ(sm->SkinData->Active, c.active);
        EXPECT_EQ(sm->gd.empty(), !c.active);
    }
}

TEST(SkinLoading, SkinNames) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetActive(false);
    AddStored(sm, L"Zeta stored", L"");
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    fw::TStringList sl;
    EXPECT_EQ(sm->GetSkinNames(&sl, stPacked), L"Zeta stored");
    EXPECT_EQ(sl.Text(),
              L"T1\r\nT1BadShadow\r\nT1LowerCase\r\nT1NoGlobalInfo\r\nT1Version7\r\nTExBorders\r\nTExDrawMode\r\nTPaint"
              L"\r\nZeta stored\r\n");
    sm->GetExternalSkinNames(&sl, stUnpacked);
    EXPECT_EQ(sl.Count(), 8);
    sm->GetExternalSkinNames(&sl, stAllSkins);
    EXPECT_EQ(sl.Count(), 16);  // each test skin as a folder and as a packed file
    EXPECT_EQ(sm->GetSkinInfo(), L"N/A");
}

TEST(SkinLoading, ACorruptStoredSkinFailsCleanly) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(kNoSkinsDir);
    TsStoredSkin* item = AddStored(sm, L"Broken", L"");
    const char junk[] = "ASzf\x02\0\0\0garbage that is no container";
    item->PackedData->Write(junk, sizeof junk);
    EXPECT_THROW(sm->SetSkinName(L"Broken"), fw::Exception);
    EXPECT_FALSE(aSkinChanging);
    EXPECT_EQ(sm->SkinData->SkinFile, nullptr);
    EXPECT_EQ(sm->sc, nullptr);
    EXPECT_TRUE(sm->ma.empty());
    EXPECT_EQ(sm->MasterBitmap, nullptr);
}

TEST(SkinLoading, StoredSkinsAreExtractedByteForByte) {
    fw::DialogSeam::Scope seam;
    Cleanup keep;
    TempDir out;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetActive(false);
    AddStored(sm, L"T1", L"test\\T1.asz");
    AddStored(sm, L"Empty", L"");
    AddStored(sm, L"Stillwater", L"default\\Stillwater.asz");
    const std::vector<uint8_t> t1 = ReadFileBytes(kvbskins::SkinsPath(L"test\\T1.asz"));

    sm->ExtractInternalSkin(L"T1", out.Path());
    EXPECT_EQ(ReadFileBytes(out / L"T1 extracted.asz"), t1);
    // One level of folder is made by the index form; a skin without bytes writes nothing.
    sm->ExtractByIndex(2, out / L"new");
    EXPECT_EQ(ReadFileBytes(out / L"new\\Stillwater extracted.asz"),
              ReadFileBytes(kvbskins::SkinsPath(L"default\\Stillwater.asz")));
    sm->ExtractInternalSkin(L"Empty", out.Path());
    std::vector<String> written = ListDir(out.Path());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<String>{L"T1 extracted.asz", L"new"}));
    EXPECT_TRUE(fw::DialogSeam::Log().empty());

    // Each failure shows its error and writes nothing.
    struct Case {
        std::function<void()> call;
        String text;
    } cases[] = {
        {[&] { sm->ExtractInternalSkin(L"t1", out.Path()); }, L"Skin does not exists."},
        {[&] { sm->ExtractInternalSkin(L"T1", out / L"missing"); }, L"Directory does not exists."},
        {[&] { sm->ExtractByIndex(0, out / L"missing\\deeper"); },
         L"Directory " + (out / L"missing\\deeper\\") + L" creation error."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        fw::DialogSeam::ClearLog();
        c.call();
        ASSERT_EQ(fw::DialogSeam::Log().size(), 1u);
        EXPECT_EQ(fw::DialogSeam::Log()[0].Text, c.text);
        EXPECT_EQ(fw::DialogSeam::Log()[0].Caption, L"Error");
    }
    EXPECT_EQ(ListDir(out.Path()).size(), 2u);

    // A name that would leave the folder stays a file inside it.
    TempDir inner;
    AddStored(sm, L"..\\up:x", L"test\\T1.asz");
    sm->ExtractByIndex(3, inner.Path());
    EXPECT_EQ(ListDir(inner.Path()), (std::vector<String>{L".._up_x extracted.asz"}));
    EXPECT_EQ(ReadFileBytes(inner / L".._up_x extracted.asz"), t1);
}

TEST(SkinLoading, RandomSkinComesFromTheNames) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetActive(false);
    sm->SetSkinDirectory(kNoSkinsDir);
    EXPECT_EQ(sm->GetRandomSkin(), L"");
    AddStored(sm, L"Stored", L"");
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    fw::TStringList names;
    sm->GetSkinNames(&names, stAllSkins);
    std::set<String> seen;
    for (int i = 0; i < 60; ++i) {
        const String name = sm->GetRandomSkin();
        EXPECT_GE(names.IndexOf(name), 0) << Utf8(name);
        seen.insert(name);
    }
    EXPECT_GT(seen.size(), 1u) << "the same name every time";
}

// A stored skin that holds no packed bytes but the older collections, made
// from T1's text, loads by its name. It carries less than T1's files; every
// difference from T1's committed dump is listed here, the rest must match.
TEST(SkinLoading, AStoredSkinOfTheOlderFormLoadsByName) {
    Cleanup keep;
    TsSkinManager* reference = LoadFrom(keep, L"test", L"T1", Source::Folder);
    ASSERT_EQ(DumpSkin(*reference), ReadText(DataPath(L"dump_T1.txt")));

    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(kNoSkinsDir);
    AddStored(sm, L"Packed", L"test\\T1.asz");
    TsStoredSkin* older = AddStored(sm, L"T1 older", L"");
    fw::TMemIniFile ini(kvbskins::SkinsPath(L"test\\T1\\Options.dat"));
    older->LoadSkin(&ini);
    // T1 loaded before, so values the older form lacks cannot stay from it.
    sm->SetSkinName(L"Packed");
    sm->SetSkinName(L"T1 older");
    EXPECT_EQ(sm->SkinName(), L"T1 older");
    EXPECT_FALSE(sm->SkinIsPacked);
    EXPECT_TRUE(sm->SkinData->Active);
    EXPECT_EQ(sm->SkinData->SkinPath, L"");

    // By name, one line per entry, keyed by its block and the name (or
    // label) it begins with: "[images]BUTTON.BORDERSMASK", "[skin]shadow".
    auto entries = [](const std::string& dump) {
        std::map<std::string, std::string> out;
        std::istringstream in(dump);
        std::string line, block;
        while (std::getline(in, line)) {
            if (line[0] == '[') {
                block = line.substr(0, line.find(']') + 1);
                out[block] = line;
                continue;
            }
            const std::string name = line.substr(2, line.find_first_of(" =", 2) - 2);
            out[block + (name.empty() ? "(nameless)" : name)] = line;
        }
        return out;
    };
    struct Change {
        const char* key;
        const char* from;  // text of T1's line that the older form writes as `to`;
        const char* to;    // no `from`: the line is the older form's own (`to`) or absent (no `to`)
    } changes[] = {
        // Only GLOBALINFO's VERSION, AUTHOR, DESCRIPTION, shadow and border
        // colour are stored; the title-button values take their defaults.
        {"[skin]titlebuttons", "space=2 valign=0 right=3 left=0 top=4 keephue=1",
         "space=0 valign=0 right=0 left=0 top=0 keephue=0"},
        // Images from "@" and "~" have no side widths: the loader derives them.
        {"[images]GLOBALINFO.BICONCLOSE", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.SICONCLOSE", "W=(0,0,0,0)", "W=(3,3,3,3)"},
        {"[images]GLOBALINFO.BICONMAX", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.SICONMAX", "W=(0,0,0,0)", "W=(3,3,3,3)"},
        {"[images]GLOBALINFO.BICONMIN", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.SICONMIN", "W=(0,0,0,0)", "W=(3,3,3,3)"},
        {"[images]GLOBALINFO.BICONNORM", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.SICONNORM", "W=(0,0,0,0)", "W=(3,3,3,3)"},
        {"[images]GLOBALINFO.BICONHELP", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.SICONHELP", "W=(0,0,0,0)", "W=(3,3,3,3)"},
        {"[images]GLOBALINFO.BOXCHECKED", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.BOXUNCHECKED", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.RADIOCHECKED", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]GLOBALINFO.RADIOUNCHECKED", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]COMBOBOX.GLYPHMASK", "W=(0,0,0,0)", "W=(4,4,4,4)"},
        {"[images]SCROLLBTNLEFT.GLYPHMASK", "W=(0,0,0,0)", "W=(2,2,2,2)"},
        {"[images]PANEL.PATTERN", "W=(0,0,0,0)", "W=(8,8,8,8)"},
        {"[images]COMBOBTN.PATTERN", "W=(0,0,0,0)", "W=(8,2,8,2)"},
        {"[images]COMBOBTN.HOTPATTERN", "W=(0,0,0,0)", "W=(8,2,8,2)"},
        {"[images]SCROLLBAR1H.PATTERN", "W=(0,0,0,0)", "W=(5,2,5,2)"},
        // Separate PNG images are not stored at all.
        {"[images]GLOBALINFO.TITLEBUTTON", nullptr, nullptr},
        {"[images]GLOBALINFO.BICONCLOSEGLOW0", nullptr, nullptr},
        {"[images]GLOBALINFO.EXBORDER", nullptr, nullptr},
        {"[indexes]globalinfo", "exborder=GLOBALINFO.EXBORDER", "exborder=-1"},
        // A separate BMP keeps no draw mode of its own.
        {"[images]BUTTON_HUGE.BORDERSMASK", "draw=4", "draw=0"},
        // Names of stored images are upper-cased, so a mixed-case key is found.
        {"[images]MIXEDCASE.BordersMask", nullptr, nullptr},
        {"[images]MIXEDCASE.BORDERSMASK", nullptr,
         "  MIXEDCASE.BORDERSMASK type=0 R=(0,0,48,16) count=3 mask=0 border=0 draw=5 W=(4,4,4,4)"},
        {"[sections]MIXEDCASE", "border=-1", "border=MIXEDCASE.BORDERSMASK"},
        // Every stored JPEG is a pattern; none becomes a small texture.
        {"[images]FORM.HOTPATTERN", nullptr, nullptr},
        {"[patterns]FORM.HOTPATTERN", nullptr, "  FORM.HOTPATTERN 100x100"},
        // A stored section without HOTGRADIENTDATA holds a blank, not nothing.
        {"[sections]*", "hotgrad=''", "hotgrad=' '"},
        // The item LoadSkin appends first is never filled: a nameless section.
        {"[sections](nameless)", nullptr,
         "   parent= color=000000 hot=000000 font=0,-1,-1,-1,-1 hotfont=0,-1,-1,-1,-1 transparency=0/0 "
         "gradient=0/0 image=0/0 grad='' (0 stops) hotgrad='' (0 stops) focus=0 fading=0/0 ownfont=0 reserved=0 "
         "glow=0/0 gcol=000000/0 hgcol=000000/0 border=-1 corners=-1,-1,-1,-1"},
    };
    std::map<std::string, std::string> want = entries(DumpSkin(*reference, Refs::ByName));
    for (const Change& c : changes) {
        SCOPED_TRACE(c.key);
        const std::string key = c.key;
        if (!c.from) {
            if (c.to)
                want[key] = c.to;
            else
                EXPECT_EQ(want.erase(key), 1u);
            continue;
        }
        const bool every = key.back() == '*';
        const std::string prefix = every ? key.substr(0, key.size() - 1) : key;
        int changed = 0;
        for (auto& [k, line] : want) {
            if (every ? k.compare(0, prefix.size(), prefix) != 0 : k != key) continue;
            const size_t at = line.find(c.from);
            if (at == std::string::npos) continue;
            line.replace(at, std::strlen(c.from), c.to);
            ++changed;
        }
        EXPECT_GT(changed, 0) << "no line holds " << c.from;
    }
    const std::map<std::string, std::string> got = entries(DumpSkin(*sm, Refs::ByName));
    for (const auto& [key, line] : want) {
        const auto it = got.find(key);
        EXPECT_TRUE(it != got.end() && it->second == line)
            << key << "\n  T1:    " << line << "\n  older: " << (it == got.end() ? "(none)" : it->second);
    }
    for (const auto& [key, line] : got) EXPECT_TRUE(want.count(key)) << "only in the older form: " << line;
}

// Descriptive values that look like images load as text: no
// conversion error, no image and no picture, in a skin folder and in the
// older form of a stored skin. A stray BMP and JPG lie beside the text, so a
// value taken for a file name would find one.
TEST(SkinLoading, DescriptiveValuesAreNeverImages) {
    TempDir dir;
    const String folder = dir / L"Described";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(kvbskins::SkinsPath(L"test\\T1\\Legacy.bmp").c_str(), (folder + L"\\STRAY.BMP").c_str(), FALSE);
    CopyFileW(kvbskins::SkinsPath(L"test\\T1\\Small.jpg").c_str(), (folder + L"\\STRAY.JPG").c_str(), FALSE);
    const char* const values[] = {
        "#1 of the series", "Looks like STRAY.BMP", "Seen in STRAY.JPG", "@home", "^up", "~soft", "!STRAY.BMP!3!0!0"};
    for (const char* value : values) {
        for (const char* key : {"AUTHOR", "DESCRIPTION"}) {
            SCOPED_TRACE(std::string(key) + "=" + value);
            const std::string text = std::string("[GLOBALINFO]\r\nVERSION=6.4\r\n") + key + "=" + value +
                                     "\r\n[BUTTON]\r\nBORDERSMASK=^0000^0000^0048^0016^0004^0004^0004^0004^3^0^5^0\r\n";
            WriteFileBytes(folder + L"\\Options.dat", std::vector<uint8_t>(text.begin(), text.end()));
            const String expected = fw::FromAnsi(value);
            Cleanup keep;
            TsSkinManager* sm = keep.Keep(NewManager(nullptr));
            sm->SetSkinDirectory(dir.Path());
            EXPECT_NO_THROW(sm->SetSkinName(L"Described"));
            EXPECT_EQ(key == std::string("AUTHOR") ? sm->SkinData->Author : sm->SkinData->Description, expected);
            ASSERT_EQ(sm->ma.size(), 1u);
            EXPECT_EQ(sm->ma[0].ClassName, L"BUTTON");
            EXPECT_TRUE(sm->pa.empty());

            TsStoredSkins skins(nullptr);
            TsStoredSkin* stored = skins.Add();
            fw::TMemIniFile ini(folder + L"\\Options.dat");
            EXPECT_NO_THROW(stored->LoadSkin(&ini));
            EXPECT_EQ(key == std::string("AUTHOR") ? stored->Author : stored->Description, expected);
            ASSERT_EQ(stored->Images()->Count(), 1);
            EXPECT_EQ(stored->Images()->Items(0)->SectionName, L"BUTTON");
            EXPECT_EQ(stored->Patterns()->Count(), 0);
        }
    }
}

// The packed file named by SkinName is gone by the time it is read: the
// error says so, and the skin loaded before stays whole.
TEST(SkinLoading, APackedFileThatWentAwayIsReported) {
    TempDir dir;
    CopyFileW(kvbskins::SkinsPath(L"test\\T1.asz").c_str(), (dir / L"T1.asz").c_str(), FALSE);
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    sm->SetSkinDirectory(dir.Path());
    sm->SetSkinName(L"T1");
    ASSERT_TRUE(sm->SkinIsPacked);
    const std::string before = DumpSkin(*sm);
    DeleteFileW((dir / L"T1.asz").c_str());
    try {
        sm->ReloadPackedSkin();
        ADD_FAILURE() << "no error";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message, L"Loaded data is not packed skin file");
    }
    EXPECT_FALSE(aSkinChanging);
    EXPECT_EQ(sm->sc, nullptr);
    EXPECT_EQ(sm->SkinData->SkinFile, nullptr);
    EXPECT_TRUE(sm->SkinData->Active);
    EXPECT_EQ(DumpSkin(*sm), before);
}
