// The format settings number and date conversions follow: separators, the
// currency text, date and time formats and the month and day names. The
// global FormatSettings is read from the user's locale at start-up and again
// when the application hears of a change (WM_WININICHANGE); it is plain data,
// so a test sets it to see another locale.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"

namespace fw {

struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    String CurrencyString;
    uint8_t CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    uint8_t NegCurrFormat = 0;   // LOCALE_INEGCURR
    uint8_t CurrencyDecimals = 2;
    wchar_t ListSeparator = L',';

    wchar_t DateSeparator = L'/';
    wchar_t TimeSeparator = L':';
    // In the framework's letters (d m y h n s, with '/' and ':' standing for
    // the separators), converted from the locale's pictures.
    String ShortDateFormat;
    String LongDateFormat;
    String ShortTimeFormat;
    String LongTimeFormat;
    String TimeAMString;
    String TimePMString;
    // Indexed from 1 as in the framework: months 1..12, days 1..7 from Sunday.
    String ShortMonthNames[13];
    String LongMonthNames[13];
    String ShortDayNames[8];
    String LongDayNames[8];
    int TwoDigitYearCenturyWindow = 50;
};

extern TFormatSettings FormatSettings;

// Settings of the given locale (LOCALE_USER_DEFAULT, or e.g. 0x0407 for German).
void GetLocaleFormatSettings(LCID Locale, TFormatSettings& Settings);
// Re-reads the global settings from the user's locale.
void GetFormatSettings();
// '.' and ',' and the US date format, whatever the user's locale: for files
// whose numbers must read the same everywhere.
const TFormatSettings& InvariantFormatSettings();

// A locale date or time picture ("dd.MM.yyyy", "H:mm:ss tt") in the
// framework's letters ("dd/mm/yyyy", "h:nn:ss ampm"); `dateSeparator` and
// `timeSeparator` are the characters that become '/' and ':'.
String TranslateDateFormat(const String& picture, wchar_t dateSeparator);
String TranslateTimeFormat(const String& picture, wchar_t timeSeparator);

}  // namespace fw
