// INI settings in memory and through the system's profile functions.
#include "framework/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

using namespace fw;

namespace {

String TempName(const String& stem) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return String(dir) + stem + std::to_wstring(GetCurrentProcessId()) + L".ini";
}

std::string ReadBytes(const String& fileName) {
    std::ifstream in(ToAnsi(fileName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const String& fileName, const std::string& bytes) {
    std::ofstream(ToAnsi(fileName), std::ios::binary) << bytes;
}

String Lines(const TStrings& list) {
    String text;
    for (int i = 0; i < list.Count(); ++i) text += (i ? L"|" : L"") + list[i];
    return text;
}

class TempFile {
public:
    explicit TempFile(const String& stem) : name(TempName(stem)) { DeleteFileW(name.c_str()); }
    ~TempFile() { DeleteFileW(name.c_str()); }
    const String name;
};

TMemIniFile* FromText(const String& text) {
    TStringList lines;
    lines.SetText(text);
    auto* ini = new TMemIniFile;
    ini->SetStrings(&lines);
    return ini;
}

}  // namespace

TEST(MemIniFile, ParsesByTheDocumentedRules) {
    std::unique_ptr<TMemIniFile> ini(
        FromText(L"orphan=before any section\r\n"
                 L"[Main]\r\n"
                 L"Name = a=b=c \r\n"
                 L"Empty=\r\n"
                 L"; Comment=hidden\r\n"
                 L"\r\n"
                 L"  Spaced Key  =\t spaced value  \r\n"
                 L"Bare\r\n"
                 L"[ Second ]\r\n"
                 L"Zeta=1\r\n"
                 L"Alpha=2\r\n"
                 L"[MAIN]\r\n"
                 L"Extra=3\r\n"
                 L"name=shadowed\r\n"));
    const struct {
        const wchar_t *section, *ident, *expected;
    } reads[] = {
        {L"main", L"NAME", L"a=b=c"},  // after the first '=', blanks dropped, any case
        {L"Main", L"Empty", L""},      // present but empty: not the default
        {L"Main", L"spaced key", L"spaced value"},
        {L"Main", L"Bare", L""},
        {L"Main", L"; Comment", L"?"},  // comments are not keys
        {L"Main", L"Extra", L"3"},      // the repeated section continues the first
        {L"Second", L"alpha", L"2"},
        {L"Main", L"orphan", L"?"},
        {L"Missing", L"Name", L"?"},
    };
    for (const auto& r : reads) EXPECT_EQ(ini->ReadString(r.section, r.ident, L"?"), r.expected) << r.ident;

    TStringList list;
    ini->ReadSections(&list);
    EXPECT_EQ(Lines(list), L"Main|Second");
    ini->ReadSection(L"MAIN", &list);
    EXPECT_EQ(Lines(list), L"Name|Empty|Spaced Key|Bare|Extra|name");  // file order
    ini->ReadSection(L"second", &list);
    EXPECT_EQ(Lines(list), L"Zeta|Alpha");  // not sorted
    ini->ReadSectionValues(L"Second", &list);
    EXPECT_EQ(Lines(list), L"Zeta=1|Alpha=2");
    ini->ReadSection(L"Missing", &list);
    EXPECT_EQ(list.Count(), 0);

    EXPECT_TRUE(ini->SectionExists(L"SECOND"));
    EXPECT_FALSE(ini->SectionExists(L"Third"));
    EXPECT_TRUE(ini->ValueExists(L"main", L"empty"));
    EXPECT_FALSE(ini->ValueExists(L"main", L"nothing"));
}

TEST(MemIniFile, NumbersAndBooleans) {
    std::unique_ptr<TMemIniFile> ini(
        FromText(L"[N]\r\nhex=$1F\r\nchex=0x1f\r\nupper=0X10\r\nneg=-12\r\nbad=12x\r\nempty=\r\nword=abc\r\n"
                 L"all=$FFFFFFFF\r\nhuge=99999999999\r\nf1=1.5\r\nf2=2,5\r\nf3=-1e3\r\nb0=0\r\nb1=1\r\nb7=7\r\n"));
    const struct {
        const wchar_t* ident;
        int expected;
    } ints[] = {{L"hex", 31},  {L"chex", 31}, {L"upper", 16}, {L"neg", -12}, {L"bad", 5},
                {L"empty", 5}, {L"word", 5},  {L"all", -1},   {L"huge", 5},  {L"none", 5}};
    for (const auto& c : ints) EXPECT_EQ(ini->ReadInteger(L"N", c.ident, 5), c.expected) << c.ident;
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"N", L"f1", 0), 1.5);
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"N", L"f2", 9), 9);  // only '.' separates decimals
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"N", L"f3", 0), -1000);
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"N", L"none", 0.25), 0.25);
    EXPECT_FALSE(ini->ReadBool(L"N", L"b0", true));
    EXPECT_TRUE(ini->ReadBool(L"N", L"b1", false));
    EXPECT_TRUE(ini->ReadBool(L"N", L"b7", false));
    EXPECT_TRUE(ini->ReadBool(L"N", L"none", true));
    EXPECT_FALSE(ini->ReadBool(L"N", L"word", false));
}

TEST(MemIniFile, WritesInPlaceAndAppendsInOrder) {
    std::unique_ptr<TMemIniFile> ini(FromText(L"[One]\r\nA=1\r\nB=2\r\nb=dup\r\n[Two]\r\nC=3\r\n"));
    ini->WriteString(L"ONE", L"a", L"x=y");  // keeps the key's own spelling and place
    ini->WriteString(L"One", L"New", L"n");
    ini->WriteInteger(L"Three", L"Int", -4);
    ini->WriteBool(L"Three", L"Flag", true);
    TStringList text;
    ini->GetStrings(&text);
    EXPECT_EQ(Lines(text), L"[One]|A=x=y|B=2|b=dup|New=n||[Two]|C=3||[Three]|Int=-4|Flag=1|");

    ini->DeleteKey(L"one", L"B");  // every line of the key
    EXPECT_FALSE(ini->ValueExists(L"One", L"b"));
    ini->EraseSection(L"two");
    ini->GetStrings(&text);
    EXPECT_EQ(Lines(text), L"[One]|A=x=y|New=n||[Three]|Int=-4|Flag=1|");
    ini->Clear();
    ini->ReadSections(&text);
    EXPECT_EQ(text.Count(), 0);
}

TEST(MemIniFile, KoreanRoundTripsThroughAnAnsiFile) {
    TempFile file(L"kvb-memini-");
    {
        TMemIniFile ini(file.name);  // no file yet: empty
        TStringList none;
        ini.ReadSections(&none);
        EXPECT_EQ(none.Count(), 0);
        ini.WriteString(L"보기", L"글꼴", L"맑은 고딕");
        ini.WriteString(L"General", L"Path", L"C:\\책\\a=b.ini");
        ini.UpdateFile();
    }
    const std::string expected = ToAnsi(L"[보기]\r\n글꼴=맑은 고딕\r\n\r\n[General]\r\nPath=C:\\책\\a=b.ini\r\n\r\n");
    EXPECT_EQ(ReadBytes(file.name), expected);  // the ANSI code page, no byte-order mark

    TMemIniFile again(file.name);
    EXPECT_EQ(again.ReadString(L"보기", L"글꼴", L""), L"맑은 고딕");
    EXPECT_EQ(again.ReadString(L"GENERAL", L"path", L""), L"C:\\책\\a=b.ini");
    TIniFile profile(file.name);  // the same file read through the system
    EXPECT_EQ(profile.ReadString(L"보기", L"글꼴", L""), L"맑은 고딕");
}

TEST(MemIniFile, ReadsAFileAsTheProfileFunctionsDoSaveComments) {
    TempFile file(L"kvb-memini-same-");
    WriteBytes(file.name, ToAnsi(L"top=orphan\r\n"
                                 L"[ Main ]\r\n"
                                 L"  Spaced Key  =  spaced value  \r\n"
                                 L"; Comment=hidden\r\n"
                                 L"Eq=a=b\r\n"
                                 L"Empty=\r\n"
                                 L"Dup=first\r\n"
                                 L"dup=second\r\n"
                                 L"한글=값\r\n"));
    TMemIniFile memory(file.name);
    TIniFile profile(file.name);
    const struct {
        const wchar_t *section, *ident;
    } reads[] = {{L"main", L"spaced key"}, {L"Main", L"Eq"},   {L"Main", L"Empty"},
                 {L"MAIN", L"DUP"},        {L"Main", L"한글"}, {L"None", L"Eq"}};
    for (const auto& r : reads)
        EXPECT_EQ(memory.ReadString(r.section, r.ident, L"?"), profile.ReadString(r.section, r.ident, L"?"))
            << r.section << L"/" << r.ident;
    // The system takes ';' lines for keys and keeps lines above the first
    // section; in memory they are comments and ignored.
    EXPECT_EQ(profile.ReadString(L"Main", L"; Comment", L"?"), L"hidden");
    EXPECT_EQ(memory.ReadString(L"Main", L"; Comment", L"?"), L"?");
    EXPECT_EQ(memory.ReadString(L"", L"top", L"?"), L"?");
}

TEST(MemIniFile, AByteOrderMarkedFileKeepsItsEncoding) {
    TempFile file(L"kvb-memini-bom-");
    const String thai = L"ภาษาไทย";  // not in the Korean code page
    WriteBytes(file.name, "\xEF\xBB\xBF" + ToUtf8(L"[T]\r\nText=" + thai + L"\r\n"));
    {
        TMemIniFile ini(file.name);
        EXPECT_EQ(ini.ReadString(L"T", L"Text", L""), thai);
        ini.WriteString(L"T", L"More", L"1");
        ini.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(file.name), "\xEF\xBB\xBF" + ToUtf8(L"[T]\r\nText=" + thai + L"\r\nMore=1\r\n\r\n"));
    TMemIniFile reloaded(L"");
    reloaded.Rename(file.name, true);
    EXPECT_EQ(reloaded.ReadString(L"T", L"Text", L""), thai);
}

TEST(MemIniFile, UpdateFileReportsAFileItCannotWrite) {
    TMemIniFile unnamed;
    unnamed.WriteString(L"S", L"K", L"V");
    EXPECT_THROW(unnamed.UpdateFile(), EFCreateError);
    TMemIniFile nowhere(TempName(L"no-such-folder\\x"));
    nowhere.WriteString(L"S", L"K", L"V");
    EXPECT_THROW(nowhere.UpdateFile(), EFCreateError);
}

TEST(IniFile, ProfileFunctionsRoundTrip) {
    TempFile file(L"kvb-ini-");
    TIniFile ini(file.name);
    EXPECT_EQ(ini.ReadString(L"Player", L"Skin", L"default"), L"default");
    ini.WriteString(L"Player", L"Skin", L"Office");
    ini.WriteString(L"Player", L"Title", L"전자책");
    ini.WriteInteger(L"Player", L"Left", 0x1F);
    ini.WriteBool(L"Player", L"Max", true);
    ini.WriteString(L"Recent", L"File1", L"a.kvb");
    const String longValue(5000, L'x');  // longer than a first read buffer
    ini.WriteString(L"Recent", L"Long", longValue);
    ini.UpdateFile();

    EXPECT_EQ(ini.ReadString(L"PLAYER", L"skin", L""), L"Office");
    EXPECT_EQ(ini.ReadString(L"Player", L"Title", L""), L"전자책");
    EXPECT_EQ(ini.ReadInteger(L"Player", L"Left", 0), 31);
    EXPECT_TRUE(ini.ReadBool(L"Player", L"Max", false));
    EXPECT_EQ(ini.ReadString(L"Recent", L"Long", L""), longValue);

    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), L"Player|Recent");
    ini.ReadSection(L"Player", &list);
    EXPECT_EQ(Lines(list), L"Skin|Title|Left|Max");
    ini.ReadSectionValues(L"Recent", &list);
    EXPECT_EQ(list[0], L"File1=a.kvb");
    EXPECT_TRUE(ini.ValueExists(L"player", L"TITLE"));
    EXPECT_TRUE(ini.SectionExists(L"recent"));

    ini.DeleteKey(L"Player", L"Title");
    EXPECT_FALSE(ini.ValueExists(L"Player", L"Title"));
    ini.EraseSection(L"Recent");
    EXPECT_FALSE(ini.SectionExists(L"Recent"));
    ini.UpdateFile();

    TMemIniFile check(file.name);  // what reached the disk
    EXPECT_EQ(check.ReadString(L"Player", L"Skin", L""), L"Office");
    EXPECT_FALSE(check.SectionExists(L"Recent"));
}
