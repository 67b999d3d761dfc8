#include "framework/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include "format_settings_fixture.h"
#include "framework/rtl/Exception.h"
#include "framework/windows/Application.h"

using namespace fw;
using fwtest::GermanSettings;
using fwtest::UsSettings;

namespace {

// Sets the clock for one test and gives the system's back.
struct ClockGuard {
    explicit ClockGuard(TDateTime now) {
        SetClockSource([now] { return now; });
    }
    ~ClockGuard() { SetClockSource(nullptr); }
};

}  // namespace

TEST(DateUtils, EncodeAndDecodeDates) {
    struct Case {
        int y, m, d;
        TDateTime serial;
        int dayOfWeek;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 7},     {1900, 1, 1, 2, 2},    {2000, 2, 29, 36585, 3},    {2026, 3, 5, 46086, 5},
        {2026, 12, 11, 46367, 6}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        uint16_t y, m, d;
        // The time of day changes nothing; before 1899 it counts back from the day.
        DecodeDate(c.serial >= 0 ? c.serial + 0.75 : c.serial - 0.75, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
        EXPECT_EQ(DayOfWeek(c.serial), c.dayOfWeek);
    }
    for (int year : {1900, 2026, 2100}) EXPECT_FALSE(IsLeapYear(year)) << year;
    for (int year : {2000, 2024, 2400}) EXPECT_TRUE(IsLeapYear(year)) << year;
    const int invalid[][3] = {{2026, 2, 29}, {2026, 13, 1}, {2026, 4, 31}, {0, 1, 1}, {10000, 1, 1}, {2026, 1, 0}};
    for (const auto& v : invalid) {
        TDateTime d = 42;
        EXPECT_FALSE(TryEncodeDate(v[0], v[1], v[2], d));
        EXPECT_EQ(d, 42);
    }
    try {
        EncodeDate(2026, 2, 29);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"Invalid argument to date encode");
    }
}

TEST(DateUtils, EncodeAndDecodeTimes) {
    const int cases[][4] = {{0, 0, 0, 0}, {12, 0, 0, 0}, {23, 59, 59, 999}, {14, 7, 9, 500}};
    for (const auto& c : cases) {
        uint16_t h, n, s, ms;
        DecodeTime(46086 + EncodeTime(c[0], c[1], c[2], c[3]), h, n, s, ms);
        EXPECT_EQ(h, c[0]);
        EXPECT_EQ(n, c[1]);
        EXPECT_EQ(s, c[2]);
        EXPECT_EQ(ms, c[3]);
    }
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    // A DOS date and time: 5 March 2026 14:07:08.
    EXPECT_DOUBLE_EQ(FileDateToDateTime(((46 << 9 | 3 << 5 | 5) << 16) | (14 << 11 | 7 << 5 | 4)),
                     EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 8, 0));
}

TEST(DateUtils, ClockATestSets) {
    ClockGuard clock(EncodeDate(2026, 12, 11) + EncodeTime(18, 30, 0, 0));
    EXPECT_EQ(Date(), EncodeDate(2026, 12, 11));
    EXPECT_NEAR(Time(), EncodeTime(18, 30, 0, 0), 1e-9);
    EXPECT_EQ(CurrentYear(), 2026);
}

TEST(FormatDateTime, PicturesInTwoLocales) {
    const TDateTime thursday = EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 45);
    const TDateTime midnight = EncodeDate(2026, 3, 5);
    struct Case {
        const wchar_t* format;
        TDateTime value;
        const wchar_t* us;
        const wchar_t* de;
    };
    const Case cases[] = {
        {L"dd/mm/yyyy", thursday, L"05/03/2026", L"05.03.2026"},
        {L"d/m/yy", thursday, L"5/3/26", L"5.3.26"},
        // The date edit's display formats, in capitals.
        {L"MM/DD/YYYY", thursday, L"03/05/2026", L"03.05.2026"},
        {L"YY/MM/DD", thursday, L"26/03/05", L"26.03.05"},
        {L"d mmmm yyyy", thursday, L"5 March 2026", L"5 März 2026"},
        {L"dddd", thursday, L"Thursday", L"Donnerstag"},
        {L"hh:mm:ss.zzz", thursday, L"14:07:09.045", L"14:07:09.045"},
        {L"h:nn am/pm", thursday, L"2:07 pm", L"2:07 pm"},
        {L"'Day' d, \"mm\" m", thursday, L"Day 5, mm 3", L"Day 5, mm 3"},
        {L"ddddd", thursday, L"3/5/2026", L"5.3.2026"},
        {L"c", thursday, L"3/5/2026 2:07:09 PM", L"5.3.2026 14:07:09"},
        {L"c", midnight, L"3/5/2026", L"5.3.2026"},
        {L"", midnight, L"3/5/2026", L"5.3.2026"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(c.format, c.value, UsSettings()), c.us) << ToUtf8(c.format);
        String s;
        DateTimeToString(s, c.format, c.value, GermanSettings());
        EXPECT_EQ(s, c.de) << ToUtf8(c.format);
    }
}

TEST(TryStrToDate, ShortDateOrderOfTwoLocales) {
    ClockGuard clock(EncodeDate(2026, 12, 11));
    struct Case {
        const wchar_t* text;
        const TFormatSettings* settings;
        TDateTime date;  // 0: refused
    };
    const Case cases[] = {
        {L"3/5/2026", &UsSettings(), EncodeDate(2026, 3, 5)},
        {L" 3 / 5 / 2026 ", &UsSettings(), EncodeDate(2026, 3, 5)},
        {L"5.3.2026", &GermanSettings(), EncodeDate(2026, 3, 5)},
        {L"5.3", &GermanSettings(), EncodeDate(2026, 3, 5)},  // this year
        {L"3/5", &UsSettings(), EncodeDate(2026, 3, 5)},
        // Two-digit years: the hundred years from 1976 on in 2026.
        {L"5.3.76", &GermanSettings(), EncodeDate(1976, 3, 5)},
        {L"5.3.75", &GermanSettings(), EncodeDate(2075, 3, 5)},
        {L"29.2.2024", &GermanSettings(), EncodeDate(2024, 2, 29)},
        {L"31.2.2026", &GermanSettings(), 0},
        {L"5/3/2026", &GermanSettings(), 0},
        {L"5.3.2026x", &GermanSettings(), 0},
        {L"5..2026", &GermanSettings(), 0},
        {L"", &UsSettings(), 0},
    };
    for (const Case& c : cases) {
        TDateTime d = -1;
        EXPECT_EQ(TryStrToDate(c.text, d, *c.settings), c.date != 0) << ToUtf8(c.text);
        EXPECT_EQ(d, c.date != 0 ? c.date : -1) << ToUtf8(c.text);
    }
    fwtest::FormatSettingsGuard guard;
    FormatSettings = GermanSettings();
    EXPECT_EQ(StrToDate(L"11.12.2026"), EncodeDate(2026, 12, 11));
    try {
        StrToDate(L"12/11/2026");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"'12/11/2026' is not a valid date");
    }
}

// The application reads the settings again when the system announces a change,
// before its hooks see the message.
TEST(FormatSettingsRefresh, WinIniChangeReadsTheUserLocale) {
    fwtest::FormatSettingsGuard guard;
    TFormatSettings user;
    GetLocaleFormatSettings(LOCALE_USER_DEFAULT, user);
    struct Hook {
        wchar_t seen = 0;
        bool OnMessage(TMessage& m) {
            if (m.Msg == WM_WININICHANGE) seen = FormatSettings.DateSeparator;
            return false;
        }
    } hook;
    TWindowHook method(&hook, &Hook::OnMessage);
    Application->HookMainWindow(method);
    FormatSettings.DateSeparator = L'#';
    SendMessageW(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_EQ(FormatSettings.DateSeparator, user.DateSeparator);
    EXPECT_EQ(hook.seen, user.DateSeparator);

    Application->SetUpdateFormatSettings(false);
    FormatSettings.DateSeparator = L'#';
    SendMessageW(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_EQ(FormatSettings.DateSeparator, L'#');
    Application->SetUpdateFormatSettings(true);
    Application->UnhookMainWindow(method);
}
