// Format: each specifier with width, precision, '*', '-' and argument index.
#include "framework/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <climits>

using namespace fw;

namespace {

struct FormatCase {
    String expected;
    String actual;
};

TEST(Format, Integers) {
    const FormatCase cases[] = {
        {L"42", Format(L"%d", 42)},
        {L"   42", Format(L"%5d", 42)},
        {L"42   |", Format(L"%-5d|", 42)},
        {L"007", Format(L"%.3d", 7)},
        {L"-007", Format(L"%.3d", -7)},
        {L"05:07:09", Format(L"%0.2d:%0.2d:%0.2d", 5, 7, 9)},
        {L"12:30", Format(L"%0.2d:%0.2d", 12, 30)},
        {L"    3", Format(L"%05d", 3)},  // a leading 0 is part of the width, not a pad character
        {L"-2147483648", Format(L"%d", INT_MIN)},
        {L"10000000000", Format(L"%d", 10000000000LL)},
        {L"Value must be between -2147483647 and 99", Format(L"Value must be between %d and %d", -2147483647, 100 - 1)},
        {L"4294967295", Format(L"%u", -1)},
        {L"4000000000", Format(L"%d", static_cast<DWORD>(4000000000u))},  // a DWORD stays positive
        {L"FF", Format(L"%x", 255)},
        {L"FF", Format(L"%X", 255)},
        {L"00FF", Format(L"%.4x", 255)},
        {L"Input failed: DirectSound error 0x88780078",
         Format(L"Input failed: DirectSound error 0x%x", static_cast<HRESULT>(0x88780078))},
        {L"FFFFFFFFFFFFFFFF", Format(L"%x", static_cast<int64_t>(-1))},
        {L"Error code $5", Format(L"Error code $%x", static_cast<DWORD>(5))},
        {L"   42", Format(L"%*d", 5, 42)},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, Floats) {
    const FormatCase cases[] = {
        {L"1.50", Format(L"%f", 1.5)},
        {L"3.142", Format(L"%.3f", 3.14159)},
        {L"3", Format(L"%.0f", 2.5)},  // halves round away from zero
        {L"0.13", Format(L"%.2f", 0.125)},
        {L"-0.13", Format(L"%.2f", -0.125)},
        {L"2.67", Format(L"%.2f", 2.675)},  // stored a little below 2.675
        {L"    3.14", Format(L"%8.2f", 3.14159)},
        {L"0.0", Format(L"%.1f", -0.01)},
        {L"1234567.89", Format(L"%f", 1234567.891)},
        {L"100.00", Format(L"%f", 99.999)},
        {L"0.000010", Format(L"%.6f", 0.00001)},
        {L"1,234,567.89", Format(L"%n", 1234567.891)},
        {L"-1,235", Format(L"%.0n", -1234.5)},
        {L"999.00", Format(L"%n", 999.0)},
        {L"1.00000000000000E+000", Format(L"%e", 1.0)},
        {L"1.23E+004", Format(L"%.3e", 12345.678)},
        {L"-1.23E-004", Format(L"%.3e", -0.00012345)},
        {L"0.00E+000", Format(L"%.3e", 0.0)},
        {L"0.5", Format(L"%g", 0.5)},
        {L"100", Format(L"%g", 100.0)},
        {L"3.14", Format(L"%.3g", 3.14159)},
        {L"2.3     |", Format(L"%-*.*f|", 8, 1, 2.25)},
        {L"1.5", Format(L"%.1f", 1.5f)},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, StringsIndexesAndPercent) {
    const String korean = L"녹음";
    const FormatCase cases[] = {
        {L"abc", Format(L"%s", L"abc")},
        {L"  abc", Format(L"%5s", String(L"abc"))},
        {L"abc  |", Format(L"%-5s|", L"abc")},
        {L"ab", Format(L"%.2s", L"abc")},
        {L"xy", Format(L"%s", "xy")},
        {L"Z", Format(L"%s", L'Z')},
        {L"녹음 파일", Format(L"%s 파일", korean)},
        {L"녹음", Format(L"%s", ToAnsi(korean))},  // 8-bit text arrives through the ANSI code page
        {L"Error Setting Path : C:\\x", Format(L"Error Setting Path : %s", L"C:\\x")},
        {L"Cannot assign a TFoo to a TBar", Format(L"Cannot assign a %s to a %s", L"TFoo", L"TBar")},
        {L"b a", Format(L"%1:s %0:s", L"a", L"b")},
        {L"b c", Format(L"%1:s %s", L"a", L"b", L"c")},  // numbering goes on after an index
        {L"100%", Format(L"100%%")},
        {L"no args", Format(L"no args")},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);

    std::vector<TVarRec> args{L"x", 3};
    EXPECT_EQ(Format(L"%s=%d", args), L"x=3");
}

TEST(Format, UnsuitableOrMissingArgumentsRaise) {
    auto messageOf = [](auto&& call) -> String {
        try {
            call();
        } catch (const EConvertError& e) {
            return e.Message;
        }
        return L"(nothing raised)";
    };
    EXPECT_EQ(messageOf([] { Format(L"%d", 1.5); }), L"Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(messageOf([] { Format(L"%f", 1); }), L"Format '%f' invalid or incompatible with argument");
    EXPECT_EQ(messageOf([] { Format(L"%s", 1); }), L"Format '%s' invalid or incompatible with argument");
    EXPECT_EQ(messageOf([] { Format(L"%x", L"a"); }), L"Format '%x' invalid or incompatible with argument");
    EXPECT_EQ(messageOf([] { Format(L"a%", 1); }), L"Format 'a%' invalid or incompatible with argument");
    EXPECT_EQ(messageOf([] { Format(L"%q", 1); }), L"Format '%q' invalid or incompatible with argument");
    EXPECT_EQ(messageOf([] { Format(L"%d %d", 1); }), L"No argument for format '%d %d'");
    EXPECT_EQ(messageOf([] { Format(L"%5:d", 1); }), L"No argument for format '%5:d'");
}

}  // namespace
