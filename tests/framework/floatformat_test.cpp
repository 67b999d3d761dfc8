#include "framework/rtl/FloatFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>

#include "format_settings_fixture.h"
#include "framework/rtl/Exception.h"

using namespace fw;
using fwtest::GermanSettings;
using fwtest::UsSettings;

namespace {

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

}  // namespace

TEST(FormatSettingsLocales, SeparatorsOfTwoLocales) {
    EXPECT_EQ(UsSettings().DecimalSeparator, L'.');
    EXPECT_EQ(UsSettings().ThousandSeparator, L',');
    EXPECT_EQ(UsSettings().CurrencyString, L"$");
    EXPECT_EQ(GermanSettings().DecimalSeparator, L',');
    EXPECT_EQ(GermanSettings().ThousandSeparator, L'.');
    EXPECT_EQ(GermanSettings().CurrencyString, L"€");
    // The date pictures in the framework's letters.
    EXPECT_EQ(UsSettings().ShortDateFormat, L"m/d/yyyy");
    EXPECT_EQ(UsSettings().LongTimeFormat, L"h:nn:ss ampm");
    EXPECT_EQ(GermanSettings().ShortDateFormat, L"d/m/yyyy");
    EXPECT_EQ(GermanSettings().DateSeparator, L'.');
    EXPECT_EQ(GermanSettings().LongTimeFormat, L"hh:nn:ss");
    EXPECT_EQ(GermanSettings().LongMonthNames[3], L"März");
    EXPECT_EQ(GermanSettings().LongDayNames[1], L"Sonntag");  // days count from Sunday
    EXPECT_EQ(UsSettings().ShortDayNames[7], L"Sat");
}

struct TextCase {
    String actualUs, actualDe;
    const wchar_t* us;
    const wchar_t* de;
};

TEST(FloatToStr, ExtendedValuesInTwoLocales) {
    const long double cases[] = {0.1L, 1.0L / 3, LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, 18446744073709551616.0L, -2.5L, 0};
    const wchar_t* us[] = {L"0.1",
                           L"0.333333333333333",
                           L"1.18973149535723E4932",
                           L"3.36210314311209E-4932",
                           L"3.64519953188247E-4951",
                           L"1.84467440737096E19",
                           L"-2.5",
                           L"0"};
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(FloatToStr(cases[i], UsSettings()), us[i]);
        String de = us[i];
        for (wchar_t& c : de)
            if (c == L'.') c = L',';
        EXPECT_EQ(FloatToStr(cases[i], GermanSettings()), de);
    }
}

TEST(FloatToStrF, DigitsOfTheStoredExtendedValue) {
    const TFormatSettings& us = UsSettings();
    const TFormatSettings& de = GermanSettings();
    const TextCase cases[] = {
        // More digits than a double holds.
        {FloatToStrF(123456789012345678.0L, ffGeneral, 18, 0, us),
         FloatToStrF(123456789012345678.0L, ffGeneral, 18, 0, de), L"123456789012345678", L"123456789012345678"},
        // 0.1 read as a double is not 0.1 as an extended value.
        {FloatToStrF(0.1L, ffGeneral, 18, 0, us), FloatToStrF(0.1L, ffGeneral, 18, 0, de), L"0.1", L"0,1"},
        {FloatToStrF(static_cast<long double>(0.1), ffGeneral, 18, 0, us),
         FloatToStrF(static_cast<long double>(0.1), ffGeneral, 18, 0, de), L"0.100000000000000006",
         L"0,100000000000000006"},
        // The calculator's 16 digits.
        {FloatToStrF(0.1L + 0.2L, ffGeneral, 16, 0, us), FloatToStrF(0.1L + 0.2L, ffGeneral, 16, 0, de), L"0.3",
         L"0,3"},
        {FloatToStrF(2.0L / 3, ffGeneral, 16, 0, us), FloatToStrF(2.0L / 3, ffGeneral, 16, 0, de),
         L"0.6666666666666667", L"0,6666666666666667"},
        // The spin edit's fixed 18 digits; a half goes away from zero.
        {FloatToStrF(2.5L, ffFixed, 18, 0, us), FloatToStrF(-2.5L, ffFixed, 18, 0, de), L"3", L"-3"},
        {FloatToStrF(0.125L, ffFixed, 18, 2, us), FloatToStrF(0.125L, ffFixed, 18, 2, de), L"0.13", L"0,13"},
        {FloatToStrF(1234.5L, ffFixed, 18, 3, us), FloatToStrF(1234.5L, ffFixed, 18, 3, de), L"1234.500", L"1234,500"},
        {FloatToStrF(1e20L, ffFixed, 15, 2, us), FloatToStrF(1e20L, ffFixed, 15, 2, de), L"1E20", L"1E20"},
        {FloatToStrF(1234567.891L, ffNumber, 18, 2, us), FloatToStrF(1234567.891L, ffNumber, 18, 2, de),
         L"1,234,567.89", L"1.234.567,89"},
        {FloatToStrF(-0.00012L, ffExponent, 3, 0, us), FloatToStrF(-0.00012L, ffExponent, 3, 0, de), L"-1.20E-4",
         L"-1,20E-4"},
        {FloatToStrF(LDBL_MAX, ffExponent, 18, 4, us), FloatToStrF(LDBL_MAX, ffExponent, 18, 4, de),
         L"1.18973149535723177E+4932", L"1,18973149535723177E+4932"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.actualUs, c.us);
        EXPECT_EQ(c.actualDe, c.de);
    }
}

TEST(FormatFloat, PicturesInTwoLocales) {
    struct Case {
        const wchar_t* format;
        long double value;
        const wchar_t* us;
        const wchar_t* de;
    };
    const Case cases[] = {
        // The decimal spin edit's display format; its blanks are literals and
        // show only once a digit stands before them.
        {L"### ### ##0.00;-### ### ##0.00;0", 0, L"0", L"0"},
        {L"### ### ##0.00;-### ### ##0.00;0", 12.5L, L"12.50", L"12,50"},
        {L"### ### ##0.00;-### ### ##0.00;0", 1234.5L, L"1 234.50", L"1 234,50"},
        {L"### ### ##0.00;-### ### ##0.00;0", -1234567.5L, L"-1 234 567.50", L"-1 234 567,50"},
        {L"### ### ##0.00", 123456789012.25L, L"123456 789 012.25", L"123456 789 012,25"},
        {L"#,##0.00", 1234567.891L, L"1,234,567.89", L"1.234.567,89"},
        {L"#,##0", -999.5L, L"-1,000", L"-1.000"},
        {L"0.##", 2.5L, L"2.5", L"2,5"},
        {L"0.##", 3.0L, L"3", L"3"},
        {L"#.##", 0.5L, L".5", L",5"},
        {L"000", 7, L"007", L"007"},
        {L"0.0", 0.05L, L"0.1", L"0,1"},
        {L"0.00E+00", 1234.5L, L"1.23E+03", L"1,23E+03"},
        {L"0.00E+00", 0.000123L, L"1.23E-04", L"1,23E-04"},
        {L"0.###E-0", 1234.5L, L"1.235E3", L"1,235E3"},
        {L"0.00E+0000", LDBL_MAX, L"1.19E+4932", L"1,19E+4932"},
        {L"0.00E+00", 0, L"0.00E+00", L"0,00E+00"},
        {L"'Total: '0.0", 2.25L, L"Total: 2.3", L"Total: 2,3"},
        {L"0.00 \"kg\"", 1.5L, L"1.50 kg", L"1,50 kg"},
        {L"0.00;(0.00);\"zero\"", -5, L"(5.00)", L"(5,00)"},
        {L"0.00;(0.00);\"zero\"", -0.001L, L"zero", L"zero"},
        {L"0.00;;\"zero\"", -5, L"-5.00", L"-5,00"},
        {L"", 0.5L, L"0.5", L"0,5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFloat(c.format, c.value, UsSettings()), c.us) << ToUtf8(c.format);
        EXPECT_EQ(FormatFloat(c.format, c.value, GermanSettings()), c.de) << ToUtf8(c.format);
    }
}

TEST(StrToFloat, NearestExtendedValueInTwoLocales) {
    struct Case {
        const wchar_t* us;
        const wchar_t* de;
        long double value;
    };
    const Case cases[] = {
        {L"1.5", L"1,5", 1.5L},
        {L" -2.5e3 ", L" -2,5e3 ", -2500.0L},
        {L"+.5", L"+,5", 0.5L},
        {L"0.1", L"0,1", 0.1L},
        {L"123456789012345678901234567890", L"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {L"1.18973149535723176502e4932", L"1,18973149535723176502e4932", LDBL_MAX},
        {L"3.3621031431120935063e-4932", L"3,3621031431120935063e-4932", LDBL_MIN},
        {L"3.6451995318824746025e-4951", L"3,6451995318824746025e-4951", LDBL_TRUE_MIN},
        {L"1e-5000", L"1e-5000", 0.0L},
        // Halves go to the even neighbour: 2^64 + 1 and 2^64 + 3 lie halfway.
        {L"18446744073709551617", L"18446744073709551617", 18446744073709551616.0L},
        {L"18446744073709551619", L"18446744073709551619", 18446744073709551620.0L},
        {L"9223372036854775809", L"9223372036854775809", 9223372036854775809.0L},
    };
    for (const Case& c : cases) {
        long double us = 42, de = 42;
        EXPECT_TRUE(TryStrToFloat(c.us, us, UsSettings())) << ToUtf8(c.us);
        EXPECT_TRUE(TryStrToFloat(c.de, de, GermanSettings())) << ToUtf8(c.de);
        EXPECT_TRUE(SameBits(us, c.value)) << ToUtf8(c.us);
        EXPECT_TRUE(SameBits(de, c.value)) << ToUtf8(c.de);
    }
    // Each locale's own separator only; no thousand separators.
    const std::pair<const wchar_t*, const TFormatSettings*> rejected[] = {
        {L"1,5", &UsSettings()},      {L"1.5", &GermanSettings()}, {L"1,000.5", &UsSettings()},
        {L"1.2e4932", &UsSettings()}, {L"", &UsSettings()},        {L".", &UsSettings()},
        {L"1e", &UsSettings()},       {L"- 1", &UsSettings()},     {L"1.5.", &UsSettings()},
    };
    for (const auto& [text, settings] : rejected) {
        long double v = 42;
        EXPECT_FALSE(TryStrToFloat(text, v, *settings)) << ToUtf8(text);
        EXPECT_EQ(v, 42);
    }
    try {
        StrToFloat(L"1.5", GermanSettings());
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"'1.5' is not a valid floating point value");
    }
}

TEST(StrToFloat, FollowsTheGlobalSettings) {
    fwtest::FormatSettingsGuard guard;
    FormatSettings = GermanSettings();
    EXPECT_EQ(StrToFloat(L"2,25"), 2.25L);
    EXPECT_EQ(FloatToStr(2.25L), L"2,25");
    EXPECT_EQ(FloatToStrF(1234.5L, ffNumber, 18, 1), L"1.234,5");
    FormatSettings.DecimalSeparator = L'#';
    EXPECT_EQ(FormatFloat(L"0.0", 1.25L), L"1#3");
}

TEST(Round, ExtendedHalvesToEven) {
    const std::pair<long double, int64_t> cases[] = {
        {2.5L, 2},
        {3.5L, 4},
        {-2.5L, -2},
        {-3.5L, -4},
        {0.5L, 0},
        // Just above a half: a double would round it down to 2.5.
        {2.5000000000000000003L, 3},
        {9007199254740993.5L, 9007199254740994},  // beyond a double's integers
    };
    for (const auto& [value, rounded] : cases) EXPECT_EQ(Round(value), rounded) << static_cast<double>(value);
    EXPECT_EQ(Trunc(-2.9L), -2);
    EXPECT_EQ(Frac(-2.75L), -0.75L);
}
