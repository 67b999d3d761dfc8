// Registry access under a private key of HKEY_CURRENT_USER, removed afterwards.
#include "framework/rtl/Registry.h"

#include <gtest/gtest.h>

#include "framework/rtl/StringList.h"

using namespace fw;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    const String base = L"Software\\KvbRegistryTest" + std::to_wstring(GetCurrentProcessId());
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str()); }
};

}  // namespace

TEST_F(RegistryTest, ValuesRoundTrip) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(L"\\" + base, true));
    EXPECT_EQ(reg.CurrentPath(), base);
    reg.WriteString(L"Title", L"전자책 뷰어");
    reg.WriteString(L"", L"default text");
    reg.WriteString(L"Empty", L"");
    reg.WriteInteger(L"Count", -5);
    reg.WriteBool(L"Enabled", true);
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);

    TRegistry reader(KEY_READ);
    ASSERT_TRUE(reader.OpenKey(L"\\" + base, false));
    EXPECT_EQ(reader.ReadString(L"Title"), L"전자책 뷰어");
    EXPECT_EQ(reader.ReadString(L""), L"default text");
    EXPECT_EQ(reader.ReadString(L"Empty"), L"");
    EXPECT_EQ(reader.ReadString(L"Missing"), L"");  // missing reads as empty
    EXPECT_EQ(reader.ReadInteger(L"Count"), -5);
    EXPECT_TRUE(reader.ReadBool(L"Enabled"));
    EXPECT_TRUE(reader.ValueExists(L"Empty"));
    EXPECT_FALSE(reader.ValueExists(L"Missing"));
    EXPECT_THROW(reader.WriteString(L"Title", L"x"), ERegistryException);  // opened for reading
}

TEST_F(RegistryTest, WrongTypesAndMissingIntegersRaise) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(L"\\" + base, true));
    reg.WriteInteger(L"Number", 3);
    reg.WriteString(L"Text", L"3");
    try {
        reg.ReadString(L"Number");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, L"Invalid data type for 'Number'");
    }
    EXPECT_THROW(reg.ReadInteger(L"Text"), ERegistryException);
    try {
        reg.ReadInteger(L"Missing");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, L"Failed to get data for 'Missing'");
    }
}

TEST_F(RegistryTest, RelativeAndAbsolutePaths) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(L"\\" + base, true));
    ASSERT_TRUE(reg.OpenKey(L"Child\\Grandchild", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), base + L"\\Child\\Grandchild");
    reg.WriteString(L"Where", L"deep");

    EXPECT_FALSE(reg.OpenKey(L"Nowhere", false));  // a failed open keeps the current key
    EXPECT_EQ(reg.CurrentPath(), base + L"\\Child\\Grandchild");

    ASSERT_TRUE(reg.OpenKey(L"\\" + base + L"\\Child", false));  // absolute from the root
    EXPECT_EQ(reg.CurrentPath(), base + L"\\Child");
    EXPECT_TRUE(reg.KeyExists(L"Grandchild"));
    EXPECT_TRUE(reg.KeyExists(L"\\" + base + L"\\Child\\Grandchild"));
    EXPECT_FALSE(reg.KeyExists(L"Grandchild\\Nowhere"));
    EXPECT_EQ(reg.CurrentPath(), base + L"\\Child");  // KeyExists opens nothing

    ASSERT_TRUE(reg.OpenKeyReadOnly(L"Grandchild"));
    EXPECT_EQ(reg.ReadString(L"Where"), L"deep");
    EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));
    ASSERT_TRUE(reg.OpenKey(L"", false));  // reopens the current key
    EXPECT_EQ(reg.CurrentPath(), base + L"\\Child\\Grandchild");
    EXPECT_EQ(reg.ReadString(L"Where"), L"deep");

    reg.SetRootKey(HKEY_CLASSES_ROOT);  // changing the root closes the key
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), L"");
}

TEST_F(RegistryTest, CreateListAndDeleteKeys) {
    TRegistry reg;
    EXPECT_TRUE(reg.CreateKey(L"\\" + base + L"\\B"));
    EXPECT_TRUE(reg.CreateKey(L"\\" + base + L"\\A\\Deep\\Deeper"));
    ASSERT_TRUE(reg.OpenKey(L"\\" + base, false));
    reg.WriteString(L"one", L"1");
    reg.WriteInteger(L"two", 2);

    TStringList names;
    names.Add(L"stale");
    reg.GetKeyNames(&names);
    names.Sort();
    EXPECT_EQ(names.CommaText(), L"A,B");
    reg.GetValueNames(&names);
    names.Sort();
    EXPECT_EQ(names.CommaText(), L"one,two");

    EXPECT_TRUE(reg.DeleteKey(L"A"));  // with its subkeys
    EXPECT_FALSE(reg.KeyExists(L"A"));
    EXPECT_FALSE(reg.DeleteKey(L"A"));
    EXPECT_TRUE(reg.KeyExists(L"B"));
    EXPECT_TRUE(reg.DeleteValue(L"one"));
    EXPECT_FALSE(reg.ValueExists(L"one"));
    EXPECT_THROW(reg.CreateKey(L""), ERegistryException);
}

TEST_F(RegistryTest, RegIniFileStoresSectionsAsSubkeys) {
    {
        TRegIniFile ini(base);
        EXPECT_EQ(ini.ReadString(L"Window", L"Caption", L"none"), L"none");
        EXPECT_EQ(ini.ReadInteger(L"Window", L"Left", -1), -1);
        ini.WriteString(L"Window", L"Caption", L"보기");
        ini.WriteInteger(L"Window", L"Left", 120);
        ini.WriteInteger(L"Window", L"Top", -7);
        EXPECT_EQ(ini.CurrentPath(), base);  // sections do not move the current key
    }
    TRegistry raw;
    ASSERT_TRUE(raw.OpenKey(L"\\" + base + L"\\Window", false));
    EXPECT_EQ(raw.ReadString(L"Left"), L"120");  // integers are stored as decimal text
    raw.WriteString(L"Hex", L"$1F");
    raw.WriteString(L"Bad", L"12x");
    raw.WriteInteger(L"Dword", 99);

    TRegIniFile ini(base);
    const struct {
        const wchar_t* ident;
        int expected;
    } cases[] = {{L"Left", 120}, {L"Top", -7}, {L"Hex", 31}, {L"Bad", 5}, {L"Dword", 99}, {L"Missing", 5}};
    for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger(L"Window", c.ident, 5), c.expected) << c.ident;
    EXPECT_EQ(ini.ReadString(L"Window", L"Caption", L""), L"보기");
    EXPECT_EQ(ini.ReadString(L"NoSection", L"Caption", L"dflt"), L"dflt");
    EXPECT_FALSE(ini.KeyExists(L"NoSection"));  // reading creates no section
}
