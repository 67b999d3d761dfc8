// INI and registry layouts: single values, lists, fonts, form placements,
// on files in the temporary folder and under a private HKCU key.
#include "skin/engine/StorageUtils.h"

#include "framework/rtl/Exception.h"

#include <gtest/gtest.h>

#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Forms.h"

using namespace skin;
using fw::String;

namespace {

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t dir[MAX_PATH], name[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"ini", 0, name);
        file_ = name;
    }
    void TearDown() override {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, file_.c_str());  // drop the cached copy
        DeleteFileW(file_.c_str());
    }
    // The file as the system's profile functions read it.
    String Raw(const String& section, const String& key) const {
        wchar_t buf[256];
        GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<absent>", buf, 256, file_.c_str());
        return buf;
    }
    String file_;
};

TEST_F(StorageTest, SingleValuesAndTheIntegerRule) {
    WriteIniStr(L"S", L"text", L"hello", file_);
    WriteIniStr(L"S", L"num", L"42", file_);
    WriteIniStr(L"S", L"bad", L"12x", file_);
    WriteIniStr(L"S", L"hex", L"$1F", file_);
    EXPECT_EQ(Raw(L"S", L"text"), L"hello") << "written at once";
    EXPECT_EQ(ReadIniString(L"S", L"text", file_), L"hello");
    EXPECT_EQ(ReadIniString(L"S", L"absent", file_), L"");

    struct Case {
        const wchar_t* key;
        int expected;
    } cases[] = {{L"num", 42}, {L"bad", -1}, {L"hex", 31}, {L"absent", 9}};
    fw::TMemIniFile mem(file_);
    for (const Case& c : cases) {
        EXPECT_EQ(ReadIniInteger(L"S", c.key, 9, file_), c.expected) << c.key;
        EXPECT_EQ(ReadIniInteger(L"S", c.key, 9, &mem), c.expected) << c.key;
    }
    WriteIniStr(L"S", L"empty", L"", file_);
    EXPECT_EQ(ReadIniInteger(L"S", L"empty", 9, file_), 9);
    EXPECT_EQ(ReadIniInteger(L"S", L"num", 9, static_cast<fw::TMemIniFile*>(nullptr)), -1);

    // The in-memory form writes into memory only.
    WriteIniStr(L"S", L"mem", L"v", &mem);
    EXPECT_EQ(ReadIniString(L"S", L"mem", &mem), L"v");
    EXPECT_EQ(Raw(L"S", L"mem"), L"<absent>");
}

TEST_F(StorageTest, ListLayoutKeepsStaleItemsButReadsTheCount) {
    fw::TStringList five;
    for (const wchar_t* s : {L"a", L"b", L"c", L"d", L"e"}) five.Add(s);
    WriteIniStrings(L"L", L"Skin", file_, &five);
    EXPECT_EQ(Raw(L"L", L"SkinCount"), L"5");
    EXPECT_EQ(Raw(L"L", L"SkinItem0"), L"a");

    fw::TStringList two;
    two.Add(L"x");
    two.Add(L"y");
    WriteIniStrings(L"L", L"Skin", file_, &two);
    EXPECT_EQ(Raw(L"L", L"SkinCount"), L"2");
    for (int i = 2; i <= 4; ++i) EXPECT_NE(Raw(L"L", L"SkinItem" + fw::IntToStr(i)), L"<absent>") << i;

    fw::TStringList read;
    read.Add(L"old");
    ReadIniStrings(&read, L"L", L"Skin", file_);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read[0], L"x");
    EXPECT_EQ(read[1], L"y");
}

TEST_F(StorageTest, ListCountZeroOrUnreadable) {
    fw::TMemIniFile mem(String{});
    fw::TStringList items;
    items.Add(L"keep");
    ReadIniStrings(&items, L"L", L"K", &mem);  // no count at all: 0
    EXPECT_EQ(items.Count(), 1) << "a count of 0 leaves the list";
    mem.WriteString(L"L", L"KCount", L"zz");
    ReadIniStrings(&items, L"L", L"K", &mem);
    EXPECT_EQ(items.Count(), 0) << "an unreadable count only clears";
    mem.WriteString(L"L", L"KCount", L"2");
    mem.WriteString(L"L", L"KItem0", L"first");
    ReadIniStrings(&items, L"L", L"K", &mem);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items[1], L"") << "an absent item reads as empty";
}

TEST_F(StorageTest, FontLayoutRoundTrip) {
    fw::TMemIniFile mem(String{});
    fw::TFont font;
    font.SetName(L"Tahoma");
    font.SetSize(11);
    font.SetColor(0x123456);
    font.SetStyle(fw::TFontStyles{fw::fsBold, fw::fsStrikeOut});
    WriteIniFont(L"F", L"Title", &font, &mem);
    EXPECT_EQ(mem.ReadString(L"F", L"Title_Bold", L""), L"1");
    EXPECT_EQ(mem.ReadString(L"F", L"Title_Italic", L""), L"0");
    EXPECT_EQ(mem.ReadString(L"F", L"Title_Color", L""), fw::IntToStr(0x123456));

    fw::TFont back;
    back.SetStyle(fw::TFontStyles{fw::fsItalic});
    ReadIniFont(L"F", L"Title", &back, &mem);
    EXPECT_EQ(back.Name(), L"Tahoma");
    EXPECT_EQ(back.Size(), 11);
    EXPECT_EQ(back.Color(), 0x123456);
    EXPECT_EQ(back.Style(), (fw::TFontStyles{fw::fsBold, fw::fsItalic, fw::fsStrikeOut})) << "styles only added";
}

TEST_F(StorageTest, FontWithNoKeysTakesTheDefaults) {
    fw::TMemIniFile mem(String{});
    fw::TFont font;
    font.SetName(L"Courier New");
    font.SetColor(0xFF);
    font.SetSize(20);
    font.SetStyle(fw::TFontStyles{fw::fsUnderline});
    ReadIniFont(L"F", L"None", &font, &mem);
    EXPECT_EQ(font.Color(), 0);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Name(), L"Courier New");
    EXPECT_EQ(font.Style(), fw::TFontStyles{fw::fsUnderline});
}

class PlacementTest : public StorageTest {
protected:
    void SetUp() override {
        StorageTest::SetUp();
        form_ = fw::Create<fw::TForm>(nullptr);
        form_->SetName(L"Viewer");
        form_->SetBounds(10, 20, 300, 200);
    }
    void TearDown() override {
        form_->Free();
        StorageTest::TearDown();
    }
    fw::TForm* form_ = nullptr;
};

TEST_F(PlacementTest, NormalFormRoundTrip) {
    SaveFormPlacement(form_, file_);
    EXPECT_EQ(Raw(L"Viewer", L"State"), L"0");
    EXPECT_EQ(Raw(L"Viewer", L"Width"), L"300");
    form_->SetBounds(0, 0, 100, 100);
    RestoreFormPlacement(form_, file_);
    EXPECT_EQ(form_->Left(), 10);
    EXPECT_EQ(form_->Top(), 20);
    EXPECT_EQ(form_->Width(), 300);
    EXPECT_EQ(form_->Height(), 200);
}

TEST_F(PlacementTest, MaximizedFormStoresOnlyItsState) {
    form_->SetWindowState(fw::wsMaximized);
    SaveFormPlacement(form_, file_);
    EXPECT_EQ(Raw(L"Viewer", L"State"), L"2");
    EXPECT_EQ(Raw(L"Viewer", L"Left"), L"<absent>");

    form_->SetWindowState(fw::wsNormal);
    form_->SetBounds(5, 6, 70, 80);
    RestoreFormPlacement(form_, file_);
    EXPECT_EQ(form_->WindowState(), fw::wsMaximized);
    form_->SetWindowState(fw::wsNormal);
    EXPECT_EQ(form_->Left(), 5) << "position and size left alone";
    EXPECT_EQ(form_->Width(), 70);
}

TEST_F(PlacementTest, AbsentOrUnknownValuesChangeNothing) {
    RestoreFormPlacement(form_, file_);  // no section
    EXPECT_EQ(form_->Left(), 10);

    WriteIniStr(L"Viewer", L"State", L"0", file_);
    WriteIniStr(L"Viewer", L"Left", L"-1", file_);  // -1 reads as absent
    WriteIniStr(L"Viewer", L"Top", L"33", file_);
    WriteIniStr(L"Viewer", L"Width", L"wide", file_);
    RestoreFormPlacement(form_, file_);
    EXPECT_EQ(form_->Left(), 10);
    EXPECT_EQ(form_->Top(), 33);
    EXPECT_EQ(form_->Width(), 300);

    WriteIniStr(L"Viewer", L"State", L"7", file_);
    form_->SetWindowState(fw::wsMaximized);
    RestoreFormPlacement(form_, file_);
    EXPECT_EQ(form_->WindowState(), fw::wsMaximized) << "a state outside the layout is ignored";
    form_->SetWindowState(fw::wsNormal);
}

class RegistryStorageTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str()); }
    const String base = L"Software\\KvbSkinStorageTest" + fw::IntToStr(GetCurrentProcessId());
};

TEST_F(RegistryStorageTest, StringsIntegersAndDeletion) {
    String key = base + L"\\Options";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, L"Skin"), L"") << "absent key";
    WriteRegString(HKEY_CURRENT_USER, key, L"Skin", L"\xD55C\xAE00 Blue");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, L"Skin"), L"\xD55C\xAE00 Blue");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, L"Other"), L"") << "absent value";

    WriteRegInteger(key, L"Hue", -30);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, L"Hue"), L"-30") << "decimal text";

    DeleteRegParam(HKEY_CURRENT_USER, key, L"Skin");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, L"Skin"), L"");
    DeleteRegParam(HKEY_CURRENT_USER, base + L"\\Missing", L"Skin");  // nothing to do
    HKEY h;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (base + L"\\Missing").c_str(), 0, KEY_READ, &h), ERROR_SUCCESS)
        << "deleting never creates the key";

    // A key that cannot be created is an error, never a silent no-op.
    HKEY bogus = reinterpret_cast<HKEY>(uintptr_t(0x800000F0));
    EXPECT_THROW(WriteRegString(bogus, key, L"Skin", L"x"), fw::ERegistryException);
}

}  // namespace
