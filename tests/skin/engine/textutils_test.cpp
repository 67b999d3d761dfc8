// INI text on string lists, words, strings, numbers and rectangles.
#include "skin/engine/TextUtils.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/rtl/StringList.h"

using namespace skin;
using fw::String;

namespace {

// A sections list that owns its section lists, as the skin loader keeps it.
struct IniText {
    fw::TStringList lines;
    fw::TStringList sections{true};

    explicit IniText(std::initializer_list<const wchar_t*> text) {
        for (const wchar_t* line : text) lines.Add(line);
        GetIniSections(&lines, &sections);
    }
    fw::TStrings* Section(int i) { return static_cast<fw::TStrings*>(sections.Objects(i)); }
    String Read(const String& section, const String& ident, const String& def = L"?") {
        return ReadIniString(&lines, &sections, section, ident, def);
    }
    int ReadInt(const String& section, const String& ident, int def) {
        return ReadIniInteger(&lines, &sections, section, ident, def);
    }
};

TEST(IniText, SectionsDropCommentsEmptyLinesAndLinesBeforeTheFirstSection) {
    IniText ini{L"x=1", L"[A]", L";c", L"k=v", L"", L"[B]"};
    ASSERT_EQ(ini.sections.Count(), 2);
    EXPECT_EQ(ini.sections[0], L"A");
    EXPECT_EQ(ini.sections[1], L"B");
    ASSERT_EQ(ini.Section(0)->Count(), 1);
    EXPECT_EQ(ini.Section(0)->Strings(0), L"k=v");
    EXPECT_EQ(ini.Section(1)->Count(), 0);
}

TEST(IniText, LinesAreTakenAsWritten) {
    IniText ini{L"[A]", L"k =v", L"K2=V2", L" [B]", L"BLANK= x ", L"[A]", L"late=1"};
    // A blank before "=" is part of the name; names compare without case.
    EXPECT_EQ(ini.Read(L"A", L"k"), L"?");
    EXPECT_EQ(ini.Read(L"A", L"k "), L"v");
    EXPECT_EQ(ini.Read(L"a", L"k2"), L"V2");
    // An indented section head is an ordinary line; values keep their blanks.
    EXPECT_EQ(ini.Read(L"A", L"BLANK"), L" x ");
    EXPECT_EQ(ini.Read(L"B", L"BLANK"), L"?");
    // A repeated section is a second entry; lookups find the first.
    EXPECT_EQ(ini.sections.Count(), 2);
    EXPECT_EQ(ini.Read(L"A", L"late"), L"?");
    EXPECT_EQ(ini.Read(L"Z", L"k", L"def"), L"def");
}

TEST(IniText, KeysOfASection) {
    IniText ini{L"[A]", L"one=1", L"two=", L"three", L"[B]", L"x=1"};
    fw::TStringList keys;
    keys.Add(L"stale");
    GetIniSection(L"a", &ini.sections, &keys);
    ASSERT_EQ(keys.Count(), 3);
    EXPECT_EQ(keys[0], L"one");
    EXPECT_EQ(keys[1], L"two");
    EXPECT_EQ(keys[2], L"three");
    GetIniSection(L"missing", &ini.sections, &keys);
    EXPECT_EQ(keys.Count(), 0);
}

TEST(IniText, IntegersAcceptHexAfter0x) {
    IniText ini{L"[S]", L"hex=0x1F", L"HEX=0X10", L"dollar=$20", L"bare=0x", L"word=abc", L"neg=-5", L"empty="};
    struct Case {
        const wchar_t* key;
        int expected;
    } cases[] = {
        {L"hex", 31},    {L"HEX", 31},  // the first "hex" line answers both (names without case)
        {L"dollar", 32}, {L"bare", 7}, {L"word", 7}, {L"neg", -5}, {L"empty", 7}, {L"absent", 7},
    };
    for (const Case& c : cases) EXPECT_EQ(ini.ReadInt(L"S", c.key, 7), c.expected) << c.key;
}

TEST(IniText, AddingASectionThatTheListRefusesIgnoresTheLine) {
    fw::TStringList lines;
    for (const wchar_t* l : {L"[A]", L"a=1", L"[A]", L"b=2"}) lines.Add(l);
    fw::TStringList sections(true);
    sections.SetSorted(true);
    sections.SetDuplicates(fw::dupError);
    GetIniSections(&lines, &sections);
    ASSERT_EQ(sections.Count(), 1);
    // The refused head is dropped; its lines stay with the current section.
    EXPECT_EQ(ReadIniString(&lines, &sections, L"A", L"b", L"?"), L"2");
}

TEST(Words, Scanning) {
    const TSysCharSet comma(L",");
    const TSysCharSet blank(L" ");
    struct Case {
        const wchar_t* s;
        const TSysCharSet* delims;
        int count;
        int n;
        int position;
        const wchar_t* word;
    } cases[] = {
        {L"a,,b", &comma, 2, 2, 4, L"b"},
        {L"  ", &blank, 0, 1, 0, L""},
        {L"", &blank, 0, 1, 0, L""},
        {L" one two ", &blank, 2, 1, 2, L"one"},
        {L" one two ", &blank, 2, 2, 6, L"two"},
        {L" one two ", &blank, 2, 3, 0, L""},
        {L"one", &blank, 1, 0, 0, L""},
        {L"x\x0120y", &blank, 1, 1, 1, L"x\x0120y"},  // above 255: never a plain delimiter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WordCount(c.s, *c.delims), c.count) << c.s;
        EXPECT_EQ(WordPosition(c.n, c.s, *c.delims), c.position) << c.s << " #" << c.n;
        EXPECT_EQ(ExtractWord(c.n, c.s, *c.delims), c.word) << c.s << " #" << c.n;
    }
}

TEST(Words, LowByteDelimitersAlsoSplitWideCharacters) {
    const TSysCharSet blank(L" ");
    // U+0120's low byte is a blank; U+F920 is above 0xF8F7 and never delimits.
    EXPECT_EQ(acWordCount(L"x\x0120y", blank), 2);
    EXPECT_EQ(acWordPosition(2, L"x\x0120y", blank), 3);
    EXPECT_EQ(acWordCount(L"x\xF920y", blank), 1);
    EXPECT_EQ(acWordCount(L" a  b ", blank), 2);
}

TEST(Words, FindingAndCutting) {
    const TSysCharSet delims(L" ,");
    EXPECT_EQ(GetWordNumber(L"two", L"one, two,three", delims), 2);
    EXPECT_EQ(GetWordNumber(L"Two", L"one, two,three", delims), -1) << "case-sensitive";
    EXPECT_EQ(GetWordNumber(L"tw", L"one, two", delims), -1) << "whole words only";
    EXPECT_TRUE(IsWordPresent(L"three", L"one, two,three", delims));
    EXPECT_FALSE(IsWordPresent(L"", L"one", delims));

    int pos = 1;
    EXPECT_EQ(ExtractSubStr(L"ab,cd", pos, TSysCharSet(L",")), L"ab");
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(ExtractSubStr(L"ab,cd", pos, TSysCharSet(L",")), L"cd");
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(ExtractSubStr(L"ab,cd", pos, TSysCharSet(L",")), L"");
    EXPECT_EQ(pos, 6);

    EXPECT_TRUE(IsEmptyStr(L"", TSysCharSet(L" ")));
    EXPECT_TRUE(IsEmptyStr(L" \t ", TSysCharSet(L" \t")));
    EXPECT_FALSE(IsEmptyStr(L" x", TSysCharSet(L" ")));
    EXPECT_EQ(AnsiProperCase(L"hELLO wORLD-again", TSysCharSet(L" ")), L"Hello World-again");
}

TEST(Strings, Helpers) {
    EXPECT_EQ(DelESpace(L"  a b  "), L"  a b");
    EXPECT_EQ(DelBSpace(L"  a b  "), L"a b  ");
    EXPECT_EQ(DelRSpace(L"  a b  "), L"a b");
    EXPECT_EQ(DelRSpace(L"\ta\t"), L"\ta\t") << "blanks only, not tabs";
    EXPECT_EQ(DelRSpace(L"    "), L"");
    EXPECT_EQ(DelChars(L"a-b-c", L'-'), L"abc");
    EXPECT_EQ(ReplaceStr(L"aaa", L"aa", L"b"), L"ba") << "left to right, non-overlapping";
    EXPECT_EQ(ReplaceStr(L"AbAb", L"b", L"xx"), L"AxxAxx");
    EXPECT_EQ(ReplaceStr(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(ReplaceStr(L"abc", L"B", L"x"), L"abc") << "case-sensitive";
    EXPECT_TRUE(SubStrInclude(L"BC", L"abcd", true));
    EXPECT_FALSE(SubStrInclude(L"BC", L"abcd", false));
    EXPECT_EQ(CorrectString(L"it's?\r\n"), L"it`sI");
    EXPECT_EQ(MakeStr('x', 3), "xxx");
    EXPECT_EQ(MakeStr('x', -1), "");
    EXPECT_EQ(AddChar('0', "42", 5), "00042");
    EXPECT_EQ(AddCharR('.', "42", 4), "42..");
    EXPECT_EQ(AddChar('0', "12345", 3), "12345");
    EXPECT_EQ(acMakeString(L'\xAC00', 2), L"\xAC00\xAC00");
    EXPECT_EQ(acMakeString(L'x', 0), L"");
    EXPECT_TRUE(acSameText(L"Button", L"BUTTON"));
    EXPECT_EQ(BoolToStr(true), L"TRUE");
    EXPECT_EQ(BoolToStr(false), L"FALSE");
    EXPECT_EQ(iff(false, L"a", L"b"), L"b");
    EXPECT_EQ(iffi(true, 1, 2), 1);
    // OEM bytes: plain ASCII is unchanged whatever the OEM code page.
    EXPECT_EQ(OemToAnsiStr(L"abc 123"), L"abc 123");
    EXPECT_EQ(OemToAnsiStr(L"\xAC00"), L"\xAC00");
}

TEST(Numbers, HexAndFloatText) {
    EXPECT_EQ(HexToInt(L"1Fh"), 31);
    EXPECT_EQ(HexToInt(L"1f"), 31);
    EXPECT_EQ(HexToInt(L"1G"), 0);
    EXPECT_EQ(HexToInt(L""), 0);
    EXPECT_EQ(HexToInt(L"FFFFFFFFFF"), 0xFFFFFFFFFFLL);

    EXPECT_DOUBLE_EQ(StringToFloat(L" 1,5 "), 1.5);
    EXPECT_DOUBLE_EQ(StringToFloat(L"-2.25"), -2.25);
    EXPECT_DOUBLE_EQ(StringToFloat(L"abc"), 0);
    EXPECT_DOUBLE_EQ(StringToFloat(L"1 5"), 0);

    double v = -1;
    EXPECT_TRUE(IsValidFloat(L"1.5e3", v));
    EXPECT_DOUBLE_EQ(v, 1500);
    v = -1;
    EXPECT_FALSE(IsValidFloat(L"1,5", v));
    EXPECT_FALSE(IsValidFloat(L" 1", v));
    EXPECT_FALSE(IsValidFloat(L"", v));
    EXPECT_FALSE(IsValidFloat(L"1-", v));
    EXPECT_DOUBLE_EQ(v, -1) << "a failed check leaves Value";

    struct Case {
        const wchar_t* in;
        bool thousands;
        const wchar_t* out;
    } cases[] = {
        {L"-1234567.5", true, L"-1,234,567.5"},
        {L"123", true, L"123"},
        {L"1234", true, L"1,234"},
        {L"+123456", true, L"+123,456"},
        {L"1234567E10", true, L"1,234,567E10"},
        {L"1234567.5", false, L"1234567.5"},
        {L"", true, L""},
        {L"-", true, L"-"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFloatStr(c.in, c.thousands), c.out) << c.in;
}

TEST(Numbers, ArithmeticHelpers) {
    EXPECT_EQ(GetCents(3.75), 75);
    EXPECT_EQ(GetCents(2.125), 12) << "halves to even";
    EXPECT_EQ(GetCents(-1.5), -50);
    EXPECT_DOUBLE_EQ(CurRound(2.675), 2.68);
    EXPECT_EQ(SumTrans(50, 50), 75);
    EXPECT_EQ(SumTrans(0, 30), 30);
    EXPECT_EQ(SumTrans(100, 0), 100);
    EXPECT_EQ(SumTrans(25, 10), 32) << "22.5 + 10 = 32.5, to even";
    EXPECT_EQ(IntToByte(-3), 0);
    EXPECT_EQ(IntToByte(300), 255);
    EXPECT_EQ(IntToByte(17), 17);
    EXPECT_EQ(LimitIt(-1, 0, 10), 0);
    EXPECT_EQ(LimitIt(11, 0, 10), 10);
    EXPECT_EQ(CheckLimits(5, 0, 10), 5);
    EXPECT_EQ(LimitIt(5, 8, 2), 8) << "Min first, then the smaller of Value and Max";
    EXPECT_EQ(LimitIt(9, 8, 2), 2);
    EXPECT_TRUE(Between(10, 0, 10));
    EXPECT_FALSE(Between(11, 0, 10));
    EXPECT_EQ(Maxi(3, 4), 4);
    EXPECT_EQ(Mini(3, 4), 3);
    int a = 1, b = 2;
    Changei(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    EXPECT_TRUE(IsNTFamily());
}

TEST(Rectangles, Helpers) {
    fw::TRect inverted(10, 10, 5, 4);
    EXPECT_EQ(WidthOf(inverted), -5);
    EXPECT_EQ(WidthOf(inverted, true), 0);
    EXPECT_EQ(HeightOf(inverted), -6);
    EXPECT_EQ(HeightOf(inverted, true), 0);

    struct Vis {
        fw::TRect parent, r;
        bool visible;
    } vis[] = {
        {fw::Rect(0, 0, 10, 10), fw::Rect(10, 0, 20, 10), false},  // only an edge in common
        {fw::Rect(0, 0, 10, 10), fw::Rect(0, 10, 10, 20), false},
        {fw::Rect(0, 0, 10, 10), fw::Rect(-5, -5, 0, 0), false},
        {fw::Rect(0, 0, 10, 10), fw::Rect(9, 9, 20, 20), true},
        {fw::Rect(0, 0, 10, 10), fw::Rect(5, 5, 5, 8), false},  // empty
    };
    for (const Vis& v : vis) EXPECT_EQ(RectIsVisible(v.parent, v.r), v.visible) << v.r.Left << "," << v.r.Top;

    EXPECT_TRUE(RectInRect(fw::Rect(0, 0, 10, 10), fw::Rect(0, 0, 10, 10))) << "edges count as inside";
    EXPECT_FALSE(RectInRect(fw::Rect(0, 0, 10, 10), fw::Rect(0, 0, 11, 10)));
    EXPECT_FALSE(RectInRect(fw::Rect(0, 0, 10, 10), fw::Rect(-1, 0, 5, 5)));

    EXPECT_EQ(RectsAnd(fw::Rect(0, 0, 10, 10), fw::Rect(5, 2, 20, 8)), fw::Rect(5, 2, 10, 8));
    EXPECT_EQ(RectsAnd(fw::Rect(0, 0, 2, 2), fw::Rect(5, 5, 8, 8)), fw::Rect(5, 5, 2, 2)) << "inverted as computed";
    EXPECT_EQ(RotateRect(fw::Rect(1, 2, 3, 4)), fw::Rect(2, 1, 4, 3));
    EXPECT_EQ(OffsetPoint(fw::Point(1, 2), 10, -5), fw::Point(11, -3));
}

TEST(Records, Builders) {
    auto* bmp = reinterpret_cast<fw::TBitmap*>(0x1234);
    TCacheInfo ci = MakeCacheInfo(bmp, 3, 4);
    EXPECT_EQ(ci.Bmp, bmp);
    EXPECT_EQ(ci.X, 3);
    EXPECT_EQ(ci.Y, 4);
    EXPECT_EQ(ci.FillColor, 0xFF00FF);
    EXPECT_TRUE(ci.Ready);
    fw::TMessage m = MakeMessage(0xA100, MAKEWPARAM(1, 26), 77, 5);
    EXPECT_EQ(m.Msg, 0xA100u);
    EXPECT_EQ(m.WParamHi(), 26);
    EXPECT_EQ(m.WParamLo(), 1);
    EXPECT_EQ(m.LParam, 77);
    EXPECT_EQ(m.Result, 5);
}

}  // namespace
