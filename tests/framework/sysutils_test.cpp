// Command line, integer and floating-point conversion, rounding, paths, text
// helpers, and what the program knows of the system it runs on.
#include "framework/rtl/SysUtils.h"
#include "format_settings_fixture.h"
#include "framework/windows/UxTheme.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using namespace fw;

namespace {

struct CommandLineCase {
    const wchar_t* line;
    std::vector<String> expected;
};

TEST(ParseCommandLine, QuotingRules) {
    const CommandLineCase cases[] = {
        {L"prog.exe a b", {L"prog.exe", L"a", L"b"}},
        {L"\"C:\\Program Files\\kvb.exe\" \"D:\\my books\\book.swf\"",
         {L"C:\\Program Files\\kvb.exe", L"D:\\my books\\book.swf"}},
        {L"prog a\"b c\"d", {L"prog", L"ab cd"}},  // quotes toggle inside an argument
        {L"prog \"a\\\"b\"", {L"prog", L"a\\b"}},  // no backslash escapes
        {L"prog \"unterminated arg", {L"prog", L"unterminated arg"}},
        {L"prog \"\" x", {L"prog", L"x"}},  // an empty quoted argument is skipped
        {L"prog x \"\" \"\" y", {L"prog", L"x", L"y"}},
        {L"prog \"a\"\"\"", {L"prog", L"a"}},
        {L"prog\ta\r\nb", {L"prog", L"a", L"b"}},  // every char <= ' ' separates
        {L"  prog   -p  ", {L"prog", L"-p"}},
        {L"prog \"\"\"\"", {L"prog"}},
        {L"", {L""}},
        {L"뷰어.exe \"책 1.swf\" 3", {L"뷰어.exe", L"책 1.swf", L"3"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.line), c.expected) << "line: " << ToUtf8(c.line);
}

TEST(ParamStr, ModuleNameAndTheTestRunnersArguments) {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(ParamStr(0), module);
    EXPECT_EQ(ExtractFileName(ParamStr(0)), L"framework_tests.exe");
    // ctest starts each test with a --gtest_filter argument.
    ASSERT_GE(ParamCount(), 1);
    bool sawFilter = false;
    for (int i = 1; i <= ParamCount(); ++i) sawFilter |= Pos(L"--gtest_filter", ParamStr(i)) == 1;
    EXPECT_TRUE(sawFilter);
    EXPECT_EQ(ParamStr(ParamCount() + 1), L"");
    EXPECT_EQ(ParamStr(-1), L"");
}

TEST(StrToInt, AcceptedForms) {
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {L"0", 0},
        {L"123", 123},
        {L"-123", -123},
        {L"+7", 7},
        {L"007", 7},
        {L"  42", 42},
        {L"$FF", 255},
        {L"$ff", 255},
        {L"0x1A", 26},
        {L"0X1a", 26},
        {L"x10", 16},
        {L"-$10", -16},
        {L"$0000000000FF", 255},
        {L"$FFFFFFFF", -1},  // hexadecimal is a bit pattern
        {L"$80000000", INT_MIN},
        {L"2147483647", INT_MAX},
        {L"-2147483648", INT_MIN},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(StrToInt(text), value) << ToUtf8(text);
        int32_t v = 0;
        EXPECT_TRUE(TryStrToInt(text, v));
        EXPECT_EQ(StrToIntDef(text, -99), value);
    }
}

TEST(StrToInt, RejectedFormsRaiseConvertError) {
    const wchar_t* cases[] = {L"",           L" ",   L"-",    L"+",    L"$",          L"0x",
                              L"12 ",        L"1.5", L"abc",  L"1e3",  L"2147483648", L"-2147483649",
                              L"$100000000", L"--1", L"0x-1", L"１２", L"12abc"};
    for (const wchar_t* text : cases) {
        int32_t v = 1234;
        EXPECT_FALSE(TryStrToInt(text, v)) << ToUtf8(text);
        EXPECT_EQ(v, 1234) << "a failed conversion leaves the value alone";
        EXPECT_EQ(StrToIntDef(text, -99), -99);
        try {
            StrToInt(text);
            ADD_FAILURE() << "no exception for " << ToUtf8(text);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, L"'" + String(text) + L"' is not a valid integer value");
        }
    }
}

TEST(StrToInt64, FullRange) {
    EXPECT_EQ(StrToInt64(L"9223372036854775807"), LLONG_MAX);
    EXPECT_EQ(StrToInt64(L"-9223372036854775808"), LLONG_MIN);
    EXPECT_EQ(StrToInt64(L"$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64(L"5000000000"), 5000000000LL);
    EXPECT_THROW(StrToInt64(L"9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def(L"$10000000000000000", 3), 3);
}

TEST(IntToStr, SignedUnsignedAndHex) {
    EXPECT_EQ(IntToStr(0), L"0");
    EXPECT_EQ(IntToStr(-5), L"-5");
    EXPECT_EQ(IntToStr(INT_MIN), L"-2147483648");
    EXPECT_EQ(IntToStr(LLONG_MIN), L"-9223372036854775808");
    EXPECT_EQ(IntToStr(4000000000u), L"4000000000");
    EXPECT_EQ(IntToStr(static_cast<DWORD>(0xFFFFFFFF)), L"4294967295");

    EXPECT_EQ(IntToHex(255, 2), L"FF");
    EXPECT_EQ(IntToHex(255, 6), L"0000FF");
    EXPECT_EQ(IntToHex(0x1234, 2), L"1234");
    EXPECT_EQ(IntToHex(0, 0), L"0");
    EXPECT_EQ(IntToHex(-1, 2), L"FFFFFFFF");
    EXPECT_EQ(IntToHex(static_cast<int64_t>(-1), 4), L"FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(static_cast<uint8_t>(0xAB), 4), L"00AB");
}

TEST(Round, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int64_t> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {126.5, 126},
        {127.5, 128},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {-3.5, -4},
        {2.4999, 2},
        {2.5000001, 3},
        {-2.6, -3},
        {-2.4, -2},
        {0.0, 0},
        {7.0, 7},
        {1e10 + 0.5, 10000000000LL},
        {4503599627370497.0, 4503599627370497LL},  // 2^52 + 1 has no fraction
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(Round(value), expected) << value;
}

TEST(Round, TruncAndFrac) {
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(5e9), 5000000000LL);
    EXPECT_EQ(Round(1e300), LLONG_MAX);  // saturates instead of an undefined cast
    EXPECT_EQ(Trunc(-1e300), LLONG_MIN);
    EXPECT_DOUBLE_EQ(Frac(2.75), 0.75);
    EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
    EXPECT_DOUBLE_EQ(Frac(3.0), 0.0);
    // Cents of a price: Round(Frac(v) * 100); 12.125 is exact, its cents a tie.
    EXPECT_EQ(Round(Frac(12.125) * 100), 12);
    EXPECT_EQ(Round(Frac(12.135) * 100), 13);  // 12.135 is stored a little below
}

TEST(FloatToStr, ShortestOfFifteenDigits) {
    const std::pair<double, const wchar_t*> cases[] = {
        {0.0, L"0"},
        {-0.0, L"0"},
        {0.5, L"0.5"},
        {100.0, L"100"},
        {-2.5, L"-2.5"},
        {123.456, L"123.456"},
        {1e20, L"1E20"},
        {1e15, L"1E15"},
        {1e14, L"100000000000000"},
        {1.0 / 3, L"0.333333333333333"},
        {2.0 / 3, L"0.666666666666667"},
        {0.1 + 0.2, L"0.3"},
        {0.0001, L"0.0001"},
        {0.00001, L"1E-5"},
        {1.5e-7, L"1.5E-7"},
        {-1234567890123456789.0, L"-1.23456789012346E18"},
        {999999999999999.9, L"1E15"},
        {1234567.5, L"1234567.5"},
        {std::numeric_limits<double>::quiet_NaN(), L"NAN"},
        {std::numeric_limits<double>::infinity(), L"INF"},
        {-std::numeric_limits<double>::infinity(), L"-INF"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FloatToStr(value), text) << value;
}

TEST(FloatToStrF, EachForm) {
    const std::pair<String, const wchar_t*> cases[] = {
        {FloatToStrF(2.0 / 3, ffGeneral, 4, 0), L"0.6667"},
        {FloatToStrF(1234.5, ffGeneral, 2, 0), L"1.2E3"},
        {FloatToStrF(0.5, ffGeneral, 2, 0), L"0.5"},
        {FloatToStrF(1.25, ffFixed, 18, 2), L"1.25"},
        {FloatToStrF(1.005, ffFixed, 18, 2), L"1.00"},  // stored a little below 1.005
        {FloatToStrF(-7.0, ffFixed, 18, 0), L"-7"},
        {FloatToStrF(12.5, ffFixed, 18, 3), L"12.500"},
        {FloatToStrF(1e20, ffFixed, 15, 2), L"1E20"},  // more integer digits than precision
        {FloatToStrF(1234.5, ffExponent, 4, 2), L"1.235E+03"},
        {FloatToStrF(-0.00012, ffExponent, 3, 0), L"-1.20E-4"},
        {FloatToStrF(1234567.891, ffNumber, 18, 2), L"1,234,567.89"},
        {FloatToStrF(-123.0, ffNumber, 18, 1), L"-123.0"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
}

TEST(StrToFloat, DotSeparatorOfAnEnglishLocale) {
    fwtest::FormatSettingsGuard guard;
    FormatSettings = fwtest::UsSettings();
    const std::pair<const wchar_t*, double> accepted[] = {
        {L"1.5", 1.5}, {L" -2.5e3 ", -2500.0}, {L"+.5", 0.5},    {L"5.", 5.0},     {L"1E-5", 1e-5},
        {L"0", 0.0},   {L"007.25", 7.25},      {L"1e+2", 100.0}, {L"1e-400", 0.0}, {L"1234567.5", 1234567.5},
    };
    for (const auto& [text, value] : accepted) {
        EXPECT_DOUBLE_EQ(StrToFloat(text), value) << ToUtf8(text);
        EXPECT_DOUBLE_EQ(StrToFloatDef(text, 99.0), value);
    }
    const wchar_t* rejected[] = {L"",       L".",    L"1,5", L"1.2.3", L"e5",  L"1e",  L"abc",
                                 L"1e5000", L"0x10", L"inf", L"nan",   L"- 1", L"1 2", L"1e5x"};
    for (const wchar_t* text : rejected) {
        double v = 42;
        EXPECT_FALSE(TryStrToFloat(text, v)) << ToUtf8(text);
        EXPECT_EQ(v, 42);
        EXPECT_EQ(StrToFloatDef(text, 7.5), 7.5);
    }
    try {
        StrToFloat(L"1,5");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"'1,5' is not a valid floating point value");
    }
}

TEST(StrToFloat, RoundTripsFloatToStr) {
    for (double v : {0.1, 123.456, -9.875e-3, 1e20, 1.5e-7, 98765.4321}) EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(v)), v);
}

struct PathCase {
    const wchar_t* file;
    const wchar_t* name;
    const wchar_t* path;
    const wchar_t* dir;
    const wchar_t* ext;
};

TEST(Paths, ExtractParts) {
    const PathCase cases[] = {
        {L"C:\\dir\\file.txt", L"file.txt", L"C:\\dir\\", L"C:\\dir", L".txt"},
        {L"C:\\file.txt", L"file.txt", L"C:\\", L"C:\\", L".txt"},
        {L"C:file.txt", L"file.txt", L"C:", L"C:", L".txt"},
        {L"file", L"file", L"", L"", L""},
        {L"C:\\dir.v2\\file", L"file", L"C:\\dir.v2\\", L"C:\\dir.v2", L""},
        {L"C:\\dir\\", L"", L"C:\\dir\\", L"C:\\dir", L""},
        {L"\\root.txt", L"root.txt", L"\\", L"\\", L".txt"},
        {L"\\\\server\\share\\a.b.c", L"a.b.c", L"\\\\server\\share\\", L"\\\\server\\share", L".c"},
        {L".profile", L".profile", L"", L"", L".profile"},
        {L"C:/x/y.txt", L"/x/y.txt", L"C:", L"C:", L".txt"},  // '/' is no delimiter
        {L"C:\\책\\녹음 파일.mp3", L"녹음 파일.mp3", L"C:\\책\\", L"C:\\책", L".mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.file));
        EXPECT_EQ(ExtractFileName(c.file), c.name);
        EXPECT_EQ(ExtractFilePath(c.file), c.path);
        EXPECT_EQ(ExtractFileDir(c.file), c.dir);
        EXPECT_EQ(ExtractFileExt(c.file), c.ext);
    }
}

TEST(Paths, ChangeExtAndTrailingDelimiters) {
    EXPECT_EQ(ChangeFileExt(L"C:\\books\\kvb.exe", L".swf"), L"C:\\books\\kvb.swf");
    EXPECT_EQ(ChangeFileExt(L"C:\\a.d\\b", L".swf"), L"C:\\a.d\\b.swf");
    EXPECT_EQ(ChangeFileExt(L"b.tar.gz", L""), L"b.tar");
    EXPECT_EQ(ChangeFileExt(L"noext", L".x"), L"noext.x");
    EXPECT_EQ(ChangeFileExt(L"C:\\dir\\", L".x"), L"C:\\dir\\.x");

    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L""), L"\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(L"C:\\"), L"C:");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(L"C:\\a"), L"C:\\a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(L""), L"");
}

TEST(Text, CopyClampsIndexAndCount) {
    const String s = L"abcdef";
    const std::tuple<int, int, const wchar_t*> cases[] = {
        {2, 3, L"bcd"},          {0, 3, L"abc"}, {-5, 3, L"abc"},  // an index below 1 does not shorten the count
        {5, 10, L"ef"},          {6, 1, L"f"},   {7, 1, L""},     {100, 1, L""}, {2, -1, L""},
        {1, INT_MAX, L"abcdef"}, {3, 0, L""},
    };
    for (const auto& [index, count, expected] : cases)
        EXPECT_EQ(Copy(s, index, count), expected) << index << "," << count;
    EXPECT_EQ(Copy(L"", 1, 1), L"");
}

TEST(Text, PosAndPosEx) {
    EXPECT_EQ(Pos(L"cd", L"abcdcd"), 3);
    EXPECT_EQ(Pos(L"x", L"abc"), 0);
    EXPECT_EQ(Pos(L"", L"abc"), 0);
    EXPECT_EQ(Pos(L"abcd", L"abc"), 0);
    EXPECT_EQ(Pos(L":\\", L"D:\\book.swf"), 2);
    EXPECT_EQ(PosEx(L"cd", L"abcdcd", 4), 5);
    EXPECT_EQ(PosEx(L"d", L"abcd", 4), 4);
    EXPECT_EQ(PosEx(L"cd", L"abcdcd", 0), 0);
    EXPECT_EQ(PosEx(L"cd", L"abcdcd", 7), 0);
}

TEST(Text, TrimDropsControlCharactersAndSpaces) {
    EXPECT_EQ(Trim(L"  a b \t\r\n"), L"a b");
    EXPECT_EQ(Trim(String(L"\0x\x1F", 3)), L"x");
    EXPECT_EQ(Trim(L"\u00A0x\u00A0"), L"\u00A0x\u00A0");  // no-break space is text
    EXPECT_EQ(Trim(L" \t "), L"");
    EXPECT_EQ(TrimLeft(L"  a  "), L"a  ");
    EXPECT_EQ(TrimRight(L"  a  "), L"  a");
}

TEST(Text, StringReplace) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, int, const wchar_t*> cases[] = {
        {L"aXbXc", L"X", L"-", 0, L"a-bXc"},
        {L"aXbXc", L"X", L"-", rfReplaceAll, L"a-b-c"},
        {L"aXbxc", L"x", L"-", rfReplaceAll, L"aXb-c"},
        {L"aXbxc", L"x", L"-", rfReplaceAll | rfIgnoreCase, L"a-b-c"},
        {L"aaa", L"aa", L"b", rfReplaceAll, L"ba"},
        {L"abc", L"", L"z", rfReplaceAll, L"abc"},
        {L"a%26b%26", L"%26", L"&", rfReplaceAll, L"a&b&"},
        {L"ÄbcäBC", L"ä", L"x", rfReplaceAll | rfIgnoreCase, L"xbcxBC"},
        {L"녹음 녹음", L"녹음", L"rec", rfReplaceAll, L"rec rec"},
    };
    for (const auto& [s, from, to, flags, expected] : cases)
        EXPECT_EQ(StringReplace(s, from, to, flags), expected) << ToUtf8(s);
}

TEST(Text, CaseMappingAndComparison) {
    EXPECT_EQ(UpperCase(L"abc.zipÄä"), L"ABC.ZIPÄä");  // ASCII only
    EXPECT_EQ(LowerCase(L".ZIP녹음Ä"), L".zip녹음Ä");
    EXPECT_EQ(AnsiUpperCase(L"abcä녹음"), L"ABCÄ녹음");
    EXPECT_EQ(AnsiLowerCase(L"ABCÄ 녹음"), L"abcä 녹음");

    EXPECT_LT(CompareStr(L"a", L"b"), 0);
    EXPECT_GT(CompareStr(L"a", L"B"), 0);  // ordinal
    EXPECT_GT(CompareStr(L"ab", L"a"), 0);
    EXPECT_EQ(CompareStr(L"x", L"x"), 0);
    EXPECT_LT(CompareText(L"abc", L"ABD"), 0);
    EXPECT_EQ(CompareText(L"Rock", L"rOCK"), 0);
    EXPECT_LT(CompareText(L"ab", L"ABC"), 0);
    EXPECT_TRUE(SameText(L"launcher", L"LAUNCHER"));
    EXPECT_FALSE(SameText(L"ä", L"Ä"));
    EXPECT_FALSE(SameText(L"a", L"a "));
    EXPECT_TRUE(AnsiSameText(L"ä", L"Ä"));
    EXPECT_TRUE(AnsiSameText(L"녹음", L"녹음"));
    EXPECT_FALSE(AnsiSameText(L"녹음", L"녹"));
    EXPECT_LT(AnsiCompareText(L"a", L"B"), 0);
    EXPECT_GT(AnsiCompareText(L"b", L"A"), 0);
    EXPECT_LT(AnsiCompareStr(L"a", L"B"), 0);  // by locale, not by code
    EXPECT_NE(AnsiCompareStr(L"a", L"A"), 0);
    EXPECT_EQ(AnsiCompareStr(L"녹음", L"녹음"), 0);

    EXPECT_EQ(QuotedStr(L"it's"), L"'it''s'");
    EXPECT_EQ(AnsiQuotedStr(L"a\"b", L'"'), L"\"a\"\"b\"");
}

TEST(Random, SeededSequenceIsFixed) {
    SetRandSeed(0);
    std::vector<int> seq;
    for (int i = 0; i < 6; ++i) seq.push_back(Random(100));
    EXPECT_EQ(seq, (std::vector<int>{0, 3, 86, 20, 27, 67}));
    EXPECT_EQ(Random(0), 0);
    SetRandSeed(12345);
    for (int i = 0; i < 1000; ++i) {
        int r = Random(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
    }
    Randomize();
    uint32_t a = GetRandSeed();
    Sleep(2);
    Randomize();
    EXPECT_NE(GetRandSeed(), a);
}

}  // namespace

TEST(System, VersionAndThemesAreTheSystemsAsThisProgramSeesThem) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(Win32MajorVersion, int(info.dwMajorVersion));
    EXPECT_GE(Win32MajorVersion, 5);
    // No manifest asks for themed common controls.
    EXPECT_FALSE(UseThemes());
}
