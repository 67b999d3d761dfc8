// Dates and times as TDateTime: days since 30 December 1899, the time of day
// as the fraction. Reading and writing follow a TFormatSettings (the global
// FormatSettings unless one is given); the clock can be replaced by a test.
#pragma once

#include <functional>

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/Strings.h"

namespace fw {

using TDateTime = double;

// The local time now; a test replaces the source with SetClockSource (an
// empty function restores the system's clock).
using TClockSource = std::function<TDateTime()>;
void SetClockSource(TClockSource source);
TDateTime Now();
TDateTime Date();  // Now without the time of day
TDateTime Time();  // the time of day alone
int CurrentYear();

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// Years 1..9999; EConvertError "Invalid argument to date encode" /
// "Invalid argument to time encode" for anything out of range.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// A value outside years 1..9999 decodes as all zeros.
void DecodeDate(TDateTime date, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime time, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec);
int DayOfWeek(TDateTime date);  // 1 = Sunday .. 7 = Saturday

// A DOS date and time (date in the high word) as TDateTime; 0 when invalid.
TDateTime FileDateToDateTime(int fileDate);

// Picture letters, case ignored: c (short date, then the long time unless it
// is midnight), d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after
// an h), yy yyyy, h hh, n nn, s ss, z zzz, t tt, am/pm a/p ampm (and with one
// of them the hour counts 1..12), '/' the date and ':' the time separator,
// text in quotes as it stands. An empty picture is "c".
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings);
void DateTimeToString(String& result, const String& format, TDateTime value);
void DateTimeToString(String& result, const String& format, TDateTime value, const TFormatSettings& settings);
String DateToStr(TDateTime date);  // the short date format

// Two or three numbers separated by the date separator, in the order of the
// short date format (two numbers: day and month in that order, this year);
// blanks around them allowed. Years below 100 fall within the hundred years
// from now - TwoDigitYearCenturyWindow on (0: taken as written).
bool TryStrToDate(const String& s, TDateTime& date);
bool TryStrToDate(const String& s, TDateTime& date, const TFormatSettings& settings);
TDateTime StrToDate(const String& s);  // EConvertError "'s' is not a valid date"

}  // namespace fw
