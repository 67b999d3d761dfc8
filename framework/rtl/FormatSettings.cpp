#include "framework/rtl/FormatSettings.h"

namespace fw {

namespace {

String LocaleText(LCID locale, LCTYPE type, const wchar_t* fallback) {
    wchar_t buffer[256];
    int n = GetLocaleInfoW(locale, type, buffer, 256);
    return n > 1 ? String(buffer, n - 1) : String(fallback);
}

wchar_t LocaleChar(LCID locale, LCTYPE type, wchar_t fallback) {
    String s = LocaleText(locale, type, L"");
    return s.empty() ? fallback : s[0];
}

int LocaleInt(LCID locale, LCTYPE type, int fallback) {
    String s = LocaleText(locale, type, L"");
    if (s.empty() || s[0] < L'0' || s[0] > L'9') return fallback;
    int v = 0;
    for (wchar_t c : s) {
        if (c < L'0' || c > L'9') break;
        v = v * 10 + (c - L'0');
    }
    return v;
}

// Copies a quoted run ('...' in a locale picture) as it stands.
size_t CopyQuoted(const String& picture, size_t i, String& out) {
    size_t end = picture.find(picture[i], i + 1);
    if (end == String::npos) end = picture.size() - 1;
    out += picture.substr(i, end - i + 1);
    return end + 1;
}

}  // namespace

namespace {

// Copies quoted runs as they stand and hands every other character to
// `map`, which appends its translation and returns the next position.
template <typename Map>
String TranslatePicture(const String& picture, Map map) {
    String out;
    for (size_t i = 0; i < picture.size();) {
        if (picture[i] == L'\'' || picture[i] == L'"')
            i = CopyQuoted(picture, i, out);
        else
            i = map(picture, i, out);
    }
    return out;
}

}  // namespace

String TranslateDateFormat(const String& picture, wchar_t dateSeparator) {
    return TranslatePicture(picture, [&](const String& p, size_t i, String& out) {
        wchar_t c = p[i];
        if (c == L'M')
            out += L'm';
        else if (c == dateSeparator)
            out += L'/';
        else if (c != L'g')  // era names are not shown
            out += c;
        return i + 1;
    });
}

String TranslateTimeFormat(const String& picture, wchar_t timeSeparator) {
    return TranslatePicture(picture, [&](const String& p, size_t i, String& out) {
        wchar_t c = p[i];
        if (c == L't') {
            // "t" or "tt": the locale's AM/PM designator.
            out += L"ampm";
            while (i + 1 < p.size() && p[i + 1] == L't') ++i;
        } else if (c == L'H') {
            out += L'h';
        } else if (c == L'm') {
            out += L'n';
        } else if (c == timeSeparator) {
            out += L':';
        } else {
            out += c;
        }
        return i + 1;
    });
}

void GetLocaleFormatSettings(LCID locale, TFormatSettings& s) {
    s.DecimalSeparator = LocaleChar(locale, LOCALE_SDECIMAL, L'.');
    s.ThousandSeparator = LocaleChar(locale, LOCALE_STHOUSAND, L',');
    s.CurrencyString = LocaleText(locale, LOCALE_SCURRENCY, L"");
    s.CurrencyFormat = static_cast<uint8_t>(LocaleInt(locale, LOCALE_ICURRENCY, 0));
    s.NegCurrFormat = static_cast<uint8_t>(LocaleInt(locale, LOCALE_INEGCURR, 0));
    s.CurrencyDecimals = static_cast<uint8_t>(LocaleInt(locale, LOCALE_ICURRDIGITS, 2));
    s.ListSeparator = LocaleChar(locale, LOCALE_SLIST, L',');
    s.DateSeparator = LocaleChar(locale, LOCALE_SDATE, L'/');
    s.TimeSeparator = LocaleChar(locale, LOCALE_STIME, L':');
    s.ShortDateFormat = TranslateDateFormat(LocaleText(locale, LOCALE_SSHORTDATE, L"M/d/yyyy"), s.DateSeparator);
    s.LongDateFormat =
        TranslateDateFormat(LocaleText(locale, LOCALE_SLONGDATE, L"dddd, MMMM d, yyyy"), s.DateSeparator);
    s.LongTimeFormat = TranslateTimeFormat(LocaleText(locale, LOCALE_STIMEFORMAT, L"h:mm:ss tt"), s.TimeSeparator);
    // The short time is the long one without its seconds.
    String shortTime = s.LongTimeFormat;
    size_t sec = shortTime.find(L":ss");
    if (sec != String::npos) shortTime.erase(sec, 3);
    s.ShortTimeFormat = shortTime;
    s.TimeAMString = LocaleText(locale, LOCALE_S1159, L"AM");
    s.TimePMString = LocaleText(locale, LOCALE_S2359, L"PM");
    for (int m = 1; m <= 12; ++m) {
        s.ShortMonthNames[m] = LocaleText(locale, LOCALE_SABBREVMONTHNAME1 + m - 1, L"");
        s.LongMonthNames[m] = LocaleText(locale, LOCALE_SMONTHNAME1 + m - 1, L"");
    }
    // The locale counts days from Monday (LOCALE_SDAYNAME1); ours from Sunday.
    for (int d = 1; d <= 7; ++d) {
        LCTYPE day = d == 1 ? 6 : d - 2;
        s.ShortDayNames[d] = LocaleText(locale, LOCALE_SABBREVDAYNAME1 + day, L"");
        s.LongDayNames[d] = LocaleText(locale, LOCALE_SDAYNAME1 + day, L"");
    }
}

void GetFormatSettings() { GetLocaleFormatSettings(LOCALE_USER_DEFAULT, FormatSettings); }

namespace {
TFormatSettings ReadUserSettings() {
    TFormatSettings s;
    GetLocaleFormatSettings(LOCALE_USER_DEFAULT, s);
    return s;
}
}  // namespace

TFormatSettings FormatSettings = ReadUserSettings();

const TFormatSettings& InvariantFormatSettings() {
    static const TFormatSettings settings = [] {
        TFormatSettings s;
        GetLocaleFormatSettings(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), s);
        s.DecimalSeparator = L'.';
        s.ThousandSeparator = L',';
        s.DateSeparator = L'/';
        s.TimeSeparator = L':';
        s.ShortDateFormat = L"m/d/yyyy";
        return s;
    }();
    return settings;
}

}  // namespace fw
