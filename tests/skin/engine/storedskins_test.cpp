// Stored skins: the packed bytes travel through the form's streaming as the
// binary property "Data", byte for byte; copies, look-ups and the older
// section collections.
#include "skin/engine/sStoredSkins.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
    const String names[] = {L"T1 (internal)", L"Office2007 Blue (internal)"};
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
    const size_t at = raw.find("\x04" "Data\x0A");
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
    EXPECT_NE(raw.find(std::string("\x04" "Data\x0A\0\0\0\0", 10)), std::string::npos);
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
        {L"PARENTCLASS", L"PANEL"}, {L"COLOR", L"12632256"}, {L"FONTCOLOR", L"128"},   {L"TCLEFT", L"-1"},
        {L"TCBOTTOM", L"5"},        {L"HOTFONTCOLOR", L"32768"}, {L"HOTTCLEFT", L""}, {L"SHOWFOCUS", L"TRUE"},
        {L"FADINGENABLED", L"FALSE"}, {L"GSIZE", L"4"},        {L"GLOW", L"0"},
    };
    for (const Case& c : cases) EXPECT_EQ(ini.ReadString(L"BUTTON", c.key, L"?"), c.value) << c.key;
}

}  // namespace
