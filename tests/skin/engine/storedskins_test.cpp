// Stored skins: the packed bytes travel through the form's streaming as the
// binary property "Data", byte for byte; copies, look-ups and the older
// section collections.
#include "skin/engine/sStoredSkins.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "skins/TestSkins.h"

using namespace skin;
using fw::String;

namespace {

std::string Bytes(fw::TMemoryStream* s) {
    return std::string(static_cast<const char*>(s->Memory()), size_t(s->Size()));
}

std::string FileBytes(const String& relative) {
    fw::TMemoryStream s;
    s.LoadFromFile(kvbskins::SkinsPath(relative));
    return Bytes(&s);
}

TEST(StoredSkins, RoundTripThroughTheFilerWithTheirBytes) {
    TsStoredSkins skins(nullptr);
    const String files[] = {L"test\\T1.asz", L"default\\Stillwater.asz"};
    const String names[] = {L"T1 (internal)", L"Stillwater (internal)"};
    for (int i = 0; i < 2; ++i) {
        TsStoredSkin* item = skins.Add();
        item->SetName(names[i]);
        item->PackedData->LoadFromFile(kvbskins::SkinsPath(files[i]));
    }
    fw::TMemoryStream stream;
    fw::TWriter(&stream).WriteCollection(&skins);

    // In the stream: "Data", a byte block, its little-endian count, the container.
    const std::string raw = Bytes(&stream);
    const std::string t1 = FileBytes(files[0]);
    const size_t at = raw.find(
        "\x04"
        "Data\x0A");
    ASSERT_NE(at, std::string::npos);
    uint32_t count = 0;
    std::memcpy(&count, raw.data() + at + 6, 4);
    EXPECT_EQ(count, t1.size());
    EXPECT_EQ(raw.substr(at + 10, 4), "ASzf");

    stream.SetPosition(0);
    TsStoredSkins loaded(nullptr);
    fw::TReader(&stream).ReadCollection(&loaded);
    ASSERT_EQ(loaded.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded.Items(i)->Name(), names[i]);
        EXPECT_EQ(Bytes(loaded.Items(i)->PackedData), FileBytes(files[i]));
    }
}

TEST(StoredSkins, AnEmptySkinStillWritesItsData) {
    TsStoredSkins skins(nullptr);
    skins.Add();
    fw::TMemoryStream stream;
    fw::TWriter(&stream).WriteCollection(&skins);
    const std::string raw = Bytes(&stream);
    EXPECT_NE(raw.find(std::string("\x04"
                                   "Data\x0A\0\0\0\0",
                                   10)),
              std::string::npos);
    stream.SetPosition(0);
    TsStoredSkins loaded(nullptr);
    fw::TReader(&stream).ReadCollection(&loaded);
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.Items(0)->PackedData->Size(), 0);
}

TEST(StoredSkins, IndexOfMatchesCase) {
    TsStoredSkins skins(nullptr);
    for (const wchar_t* n : {L"Blue", L"Red", L"Blue"}) skins.Add()->SetName(n);
    EXPECT_EQ(skins.IndexOf(L"Blue"), 0);
    EXPECT_EQ(skins.IndexOf(L"Red"), 1);
    EXPECT_EQ(skins.IndexOf(L"blue"), -1);
    EXPECT_EQ(skins.IndexOf(L""), -1);
}

TEST(StoredSkins, DefaultsAndCopies) {
    TsStoredSkins skins(nullptr);
    TsStoredSkin* a = skins.Add();
    EXPECT_EQ(a->Shadow1Blur, -1);
    EXPECT_EQ(a->BorderColor, TColor(0xFF00FF));
    EXPECT_EQ(a->Version, 0);
    EXPECT_EQ(a->Images()->GetOwner(), a);
    a->SetName(L"A");
    a->PackedData->LoadFromFile(kvbskins::SkinsPath(L"test\\T1.asz"));
    a->Author = L"me";
    a->Shadow1Offset = 3;
    a->Version = 6.4;

    TsStoredSkin* b = skins.Add();
    b->Assign(a);
    EXPECT_EQ(b->Name(), L"A");
    EXPECT_EQ(Bytes(b->PackedData), Bytes(a->PackedData));
    EXPECT_NE(b->PackedData, a->PackedData);
    EXPECT_EQ(b->Author, L"me");
    EXPECT_EQ(b->Shadow1Offset, 3);
    EXPECT_EQ(b->Version, 6.4);

    EXPECT_THROW(b->Assign(nullptr), fw::Exception);
    // Section items copy nothing: a skin that holds any cannot be copied.
    a->GeneralData()->Add();
    EXPECT_THROW(b->Assign(a), fw::Exception);

    // The collection itself is never copied from another.
    TsStoredSkins other(nullptr);
    other.Assign(&skins);
    EXPECT_EQ(other.Count(), 0);
}

TEST(StoredSkins, SaveToIniWritesTheSections) {
    TsStoredSkins skins(nullptr);
    TsStoredSkin* skin = skins.Add();
    skin->GeneralData()->Add();  // no section name: skipped
    auto* g = static_cast<TsSkinGeneral*>(skin->GeneralData()->Add());
    g->SectionName = L"BUTTON";
    g->ParentClass = L"PANEL";
    g->Color = 12632256;
    g->FontColor = L"128 -1 -1 -1 5";
    g->HotFontColor = L"32768";
    g->ShowFocus = true;
    g->GlowSize = 4;
    fw::TMemIniFile ini;
    SaveStoredSkinToIni(*skin, ini);
    fw::TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Text(), L"BUTTON\r\n");
    struct Case {
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"PARENTCLASS", L"PANEL"}, {L"COLOR", L"12632256"}, {L"FONTCOLOR", L"128"},
        {L"TCLEFT", L"-1"},         {L"TCBOTTOM", L"5"},     {L"HOTFONTCOLOR", L"32768"},
        {L"HOTTCLEFT", L""},        {L"SHOWFOCUS", L"TRUE"}, {L"FADINGENABLED", L"FALSE"},
        {L"GSIZE", L"4"},           {L"GLOW", L"0"},
    };
    for (const Case& c : cases) EXPECT_EQ(ini.ReadString(L"BUTTON", c.key, L"?"), c.value) << c.key;
}

}  // namespace

namespace {

TsSkinImage* FindImage(TsStoredSkin* skin, const String& section, const String& key) {
    for (int i = 0; i < skin->Images()->Count(); ++i) {
        TsSkinImage* im = skin->Images()->Items(i);
        if (im->SectionName == section && im->PropertyName == key) return im;
    }
    return nullptr;
}

TsSkinGeneral* FindSection(TsStoredSkin* skin, const String& section) {
    for (int i = 0; i < skin->GeneralData()->Count(); ++i)
        if (skin->GeneralData()->Items(i)->SectionName == section) return skin->GeneralData()->Items(i);
    return nullptr;
}

TEST(StoredSkins, LoadSkinBuildsTheOlderFormFromAFolderSkin) {
    fw::TMemIniFile ini(kvbskins::SkinsPath(L"test\\T1\\Options.dat"));
    fw::TStringList sections;
    ini.ReadSections(&sections);
    TsStoredSkins skins(nullptr);
    TsStoredSkin* skin = skins.Add();
    skin->LoadSkin(&ini);

    // One item per section plus the one LoadSkin appends first, which stays empty.
    ASSERT_EQ(skin->GeneralData()->Count(), sections.Count() + 1);
    EXPECT_TRUE(skin->GeneralData()->Items(sections.Count())->SectionName.empty());
    EXPECT_DOUBLE_EQ(skin->Version, 6.4);
    EXPECT_EQ(skin->Author, L"Project test skins");
    EXPECT_EQ(skin->Shadow1Offset, 1);
    EXPECT_EQ(skin->Shadow1Transparency, 50);
    EXPECT_EQ(skin->BorderColor, TColor(8421504));
    EXPECT_FALSE(skin->MasterBitmap()->Empty());

    // Values follow PARENTCLASS; a loop or a self-reference ends as "absent".
    struct Section {
        const wchar_t* name;
        TColor color;
        int transparency;
        const wchar_t* font;
        const wchar_t* hotFont;
    } rows[] = {
        {L"BUTTON", 12632256, 0, L"128 -1 -1 -1 -1", L"32768 -1 -1 -1 -1"},
        {L"CHILD", 12632256, 0, L"255 -1 -1 -1 -1", L"32768 -1 -1 -1 -1"},
        {L"SELF", 0xFFFFFF, 30, L"0 -1 -1 -1 -1", L"0 -1 -1 -1 -1"},
        {L"CYCA", 0xFFFFFF, 0, L"0 -1 -1 -1 -1", L"0 -1 -1 -1 -1"},
        {L"PANEL", 15263976, 0, L"0 -1 -1 -1 -1", L"0 -1 -1 -1 -1"},  // TRANSPARENCY=-1 reads as absent
    };
    for (const Section& r : rows) {
        TsSkinGeneral* g = FindSection(skin, r.name);
        ASSERT_NE(g, nullptr) << r.name;
        EXPECT_EQ(g->Color, r.color) << r.name;
        EXPECT_EQ(g->Transparency, r.transparency) << r.name;
        EXPECT_EQ(g->FontColor, r.font) << r.name;
        EXPECT_EQ(g->HotFontColor, r.hotFont) << r.name;
    }
    EXPECT_TRUE(FindSection(skin, L"BUTTON")->FadingEnabled);
    EXPECT_EQ(FindSection(skin, L"BUTTON")->FadingIterations, 4);
    EXPECT_EQ(FindSection(skin, L"EDIT")->FadingIterations, 5);
    EXPECT_EQ(FindSection(skin, L"EDIT")->GradientData, L" ");

    struct Image {
        const wchar_t* section;
        const wchar_t* key;
        TacImgType type;
        int left, top, right, bottom, count, mask, wl, wt, wr, wb, stretch;
    } images[] = {
        {L"GLOBALINFO", L"BICONCLOSE", itisaGlyph, 0, 32, 39, 45, 3, 0, 0, 0, 0, 0, 0},
        {L"BUTTON", L"BORDERSMASK", itisaBorder, 0, 0, 48, 16, 3, 0, 4, 4, 4, 4, 5},
        {L"TABTOP", L"BORDERSMASK", itisaBorder, 0, 16, 48, 32, 3, 0, 3, 3, 3, 3, 1},            // all from BorderWidth
        {L"SCROLLBTNLEFT", L"BORDERSMASK", itisaBorder, 148, 13, 196, 29, 3, 0, 5, 5, 5, 5, 1},  // derived
        {L"COMBOBTN", L"PATTERN", itisaTexture, 96, 24, 120, 32, 1, 0, 0, 0, 0, 0, 1},           // 23 characters
        {L"COMBOBTN", L"HOTPATTERN", itisaTexture, 120, 24, 144, 32, 1, 0, 0, 0, 0, 0, 1},
        {L"BUTTON_HUGE", L"BORDERSMASK", itisaBorder, 0, 0, 141, 94, 3, 1, 47, 47, 47, 47, 0},
        {L"LEGACY", L"BORDERSMASK", itisaBorder, 0, 0, 30, 30, 3, 1, 0, 0, 0, 0, 1},
    };
    for (const Image& e : images) {
        TsSkinImage* im = FindImage(skin, e.section, e.key);
        ASSERT_NE(im, nullptr) << e.section << " " << e.key;
        const int got[] = {im->Left, im->Top, im->Right, im->Bottom, im->ImageCount, im->MaskType,
                           im->WL,   im->WT,  im->WR,    im->WB,     im->StretchMode};
        const int want[] = {e.left, e.top, e.right, e.bottom, e.count, e.mask, e.wl, e.wt, e.wr, e.wb, e.stretch};
        for (int i = 0; i < 11; ++i) {
            if (e.section == String(L"BUTTON_HUGE") && i >= 2 && i <= 3) continue;  // the file's own size
            EXPECT_EQ(got[i], want[i]) << e.section << " " << e.key << " field " << i;
        }
        EXPECT_EQ(im->ImgType, e.type) << e.section << " " << e.key;
    }
    TsSkinImage* huge = FindImage(skin, L"BUTTON_HUGE", L"BORDERSMASK");
    EXPECT_EQ(huge->Name, L"BUTTONHUGE.BMP");
    EXPECT_EQ(huge->Right, huge->Image()->Width());
    TsSkinImage* bare = FindImage(skin, L"LEGACY", L"IMAGE");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->ImageCount, 0);
    EXPECT_FALSE(bare->Image()->Empty());
    EXPECT_EQ(FindImage(skin, L"GLOBALINFO", L"TITLEBUTTON"), nullptr) << "separate PNG images are not kept";
    EXPECT_EQ(FindImage(skin, L"GLOBALINFO", L"MASTERBITMAP"), nullptr);

    ASSERT_EQ(skin->Patterns()->Count(), 2);
    EXPECT_EQ(skin->Patterns()->Items(0)->Name, L"BIG.JPG");
    EXPECT_EQ(skin->Patterns()->Items(0)->SectionName, L"FORM");
    EXPECT_FALSE(skin->Patterns()->Items(0)->Image()->Empty());
    EXPECT_EQ(skin->Patterns()->Items(1)->PropertyName, L"HOTPATTERN");

    // And back to INI text: the empty extra item is skipped.
    fw::TMemIniFile out;
    SaveStoredSkinToIni(*skin, out);
    fw::TStringList written;
    out.ReadSections(&written);
    EXPECT_EQ(written.Count(), sections.Count());
    EXPECT_EQ(out.ReadString(L"CHILD", L"COLOR", L""), L"12632256");
}

TEST(StoredSkins, ANumberThatIsNoneEndsLoadFromIni) {
    fw::TMemIniFile ini(kvbskins::SkinsPath(L"test\\T1BadShadow\\Options.dat"));
    TsStoredSkins skins(nullptr);
    TsStoredSkin* skin = skins.Add();
    EXPECT_THROW(skin->LoadFromIni(skin->GeneralData(), &ini), fw::EConvertError);
    EXPECT_EQ(skin->GeneralData()->Count(), 0);
}

}  // namespace
