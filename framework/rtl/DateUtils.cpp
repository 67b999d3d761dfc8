#include "framework/rtl/DateUtils.h"

#include <windows.h>

#include <cmath>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FloatFormat.h"

namespace fw {

namespace {

constexpr int kDateDelta = 693594;  // days from 1 January 1 to 30 December 1899
constexpr double kMSecsPerDay = 86400000.0;

TClockSource& ClockSource() {
    static TClockSource source;
    return source;
}

TDateTime SystemNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay) + EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

}  // namespace

void SetClockSource(TClockSource source) { ClockSource() = std::move(source); }

TDateTime Now() { return ClockSource() ? ClockSource()() : SystemNow(); }

TDateTime Date() { return std::floor(Now()); }

TDateTime Time() {
    TDateTime now = Now();
    return now - std::floor(now);
}

int CurrentYear() {
    uint16_t y, m, d;
    DecodeDate(Now(), y, m, d);
    return y;
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
    int days = day;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    int y = year - 1;
    date = y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime d;
    if (!TryEncodeDate(year, month, day, d)) throw EConvertError(L"Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
    time = (((hour * 60 + min) * 60 + sec) * 1000.0 + msec) / kMSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime t;
    if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError(L"Invalid argument to time encode");
    return t;
}

void DecodeDate(TDateTime date, uint16_t& year, uint16_t& month, uint16_t& day) {
    year = month = day = 0;
    if (!std::isfinite(date)) return;
    double whole = std::trunc(date) + kDateDelta;
    if (whole < 1 || whole > 3652059) return;  // 1 January 1 .. 31 December 9999
    int t = static_cast<int>(whole) - 1;
    int y = 1;
    y += 400 * (t / 146097);
    t %= 146097;
    int c = t / 36524;
    if (c == 4) c = 3;  // the last day of a 400-year cycle
    y += 100 * c;
    t -= c * 36524;
    y += 4 * (t / 1461);
    t %= 1461;
    int k = t / 365;
    if (k == 4) k = 3;  // the last day of a leap year
    y += k;
    t -= k * 365;
    int m = 1;
    while (t >= DaysInMonth(y, m)) t -= DaysInMonth(y, m++);
    year = static_cast<uint16_t>(y);
    month = static_cast<uint16_t>(m);
    day = static_cast<uint16_t>(t + 1);
}

void DecodeTime(TDateTime time, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec) {
    double fraction = std::isfinite(time) ? std::fabs(time - std::trunc(time)) : 0;
    int64_t ms = Round(fraction * kMSecsPerDay);
    if (ms >= 86400000) ms = 86399999;
    msec = static_cast<uint16_t>(ms % 1000);
    ms /= 1000;
    sec = static_cast<uint16_t>(ms % 60);
    ms /= 60;
    min = static_cast<uint16_t>(ms % 60);
    hour = static_cast<uint16_t>(ms / 60);
}

int DayOfWeek(TDateTime date) {
    int64_t days = Trunc(date) + kDateDelta;  // day 1 (1 January 1) was a Monday
    return static_cast<int>(((days % 7) + 7) % 7) + 1;
}

TDateTime FileDateToDateTime(int fileDate) {
    int d = (fileDate >> 16) & 0xFFFF, t = fileDate & 0xFFFF;
    TDateTime date, time;
    if (!TryEncodeDate((d >> 9) + 1980, (d >> 5) & 15, d & 31, date)) return 0;
    if (!TryEncodeTime(t >> 11, (t >> 5) & 63, (t & 31) * 2, 0, time)) return 0;
    return date + time;
}

// ---- Writing ---------------------------------------------------------------------

namespace {

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool StartsWithText(const String& s, size_t i, const wchar_t* word) {
    for (size_t k = 0; word[k]; ++k)
        if (i + k >= s.size() || Upper(s[i + k]) != Upper(word[k])) return false;
    return true;
}

String Padded(int v, int width) {
    String s = std::to_wstring(v);
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), L'0');
    return s;
}

bool HasAmPm(const String& f) {
    for (size_t i = 0; i < f.size(); ++i)
        if (StartsWithText(f, i, L"am/pm") || StartsWithText(f, i, L"a/p") || StartsWithText(f, i, L"ampm"))
            return true;
    return false;
}

class DateWriter {
public:
    DateWriter(TDateTime v, const TFormatSettings& fs) : fs_(fs) {
        DecodeDate(v, year_, month_, day_);
        DecodeTime(v, hour_, min_, sec_, msec_);
        dow_ = DayOfWeek(v);
    }

    void Write(const String& f, int depth) {
        if (depth > 2) return;  // a format naming itself
        const bool twelve = HasAmPm(f);
        bool afterHour = false;
        for (size_t i = 0; i < f.size();) {
            wchar_t c = f[i];
            wchar_t u = Upper(c);
            size_t run = 1;
            while (i + run < f.size() && Upper(f[i + run]) == u) ++run;
            if (c == L'\'' || c == L'"') {
                size_t end = f.find(c, i + 1);
                if (end == String::npos) end = f.size();
                out_ += f.substr(i + 1, end - i - 1);
                i = end + 1;
                continue;
            }
            bool wasHour = false;
            if (u == L'A' &&
                (StartsWithText(f, i, L"am/pm") || StartsWithText(f, i, L"ampm") || StartsWithText(f, i, L"a/p"))) {
                size_t len = StartsWithText(f, i, L"am/pm") ? 5 : StartsWithText(f, i, L"ampm") ? 4 : 3;
                bool pm = hour_ >= 12;
                if (len == 4)
                    out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
                else if (len == 5)
                    out_ += pm ? (f[i] == L'a' ? L"pm" : L"PM") : (f[i] == L'a' ? L"am" : L"AM");
                else
                    out_ += pm ? (f[i] == L'a' ? L"p" : L"P") : (f[i] == L'a' ? L"a" : L"A");
                i += len;
                continue;
            }
            switch (u) {
                case L'C':
                    Write(fs_.ShortDateFormat, depth + 1);
                    if (hour_ || min_ || sec_ || msec_) {
                        out_ += L' ';
                        Write(fs_.LongTimeFormat, depth + 1);
                    }
                    run = 1;
                    break;
                case L'D':
                    if (run == 1 || run == 2) out_ += Padded(day_, static_cast<int>(run));
                    if (run == 3) out_ += fs_.ShortDayNames[dow_];
                    if (run == 4) out_ += fs_.LongDayNames[dow_];
                    if (run == 5) Write(fs_.ShortDateFormat, depth + 1);
                    if (run >= 6) {
                        Write(fs_.LongDateFormat, depth + 1);
                        run = 6;
                    }
                    break;
                case L'M':
                    if (afterHour && run <= 2) {
                        out_ += Padded(min_, static_cast<int>(run));
                        break;
                    }
                    if (run > 4) run = 4;
                    if (run <= 2) out_ += Padded(month_, static_cast<int>(run));
                    if (run == 3) out_ += fs_.ShortMonthNames[month_];
                    if (run == 4) out_ += fs_.LongMonthNames[month_];
                    break;
                case L'Y':
                    out_ += run <= 2 ? Padded(year_ % 100, 2) : Padded(year_, 4);
                    break;
                case L'H': {
                    if (run > 2) run = 2;
                    int h = hour_;
                    if (twelve) h = h % 12 == 0 ? 12 : h % 12;
                    out_ += Padded(h, static_cast<int>(run));
                    wasHour = true;
                    break;
                }
                case L'N':
                    if (run > 2) run = 2;
                    out_ += Padded(min_, static_cast<int>(run));
                    break;
                case L'S':
                    if (run > 2) run = 2;
                    out_ += Padded(sec_, static_cast<int>(run));
                    break;
                case L'Z':
                    if (run >= 3) run = 3;
                    out_ += Padded(msec_, run == 3 ? 3 : 1);
                    break;
                case L'T':
                    if (run > 2) run = 2;
                    Write(run == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
                    break;
                case L'/':
                    out_ += fs_.DateSeparator;
                    run = 1;
                    break;
                case L':':
                    out_ += fs_.TimeSeparator;
                    run = 1;
                    break;
                default:
                    out_ += c;
                    run = 1;
                    break;
            }
            // An m run right after an hour (blanks and separators between) means minutes.
            if (wasHour)
                afterHour = true;
            else if (u != L':' && u != L' ')
                afterHour = false;
            i += run;
        }
    }

    String out_;

private:
    const TFormatSettings& fs_;
    uint16_t year_, month_, day_, hour_, min_, sec_, msec_;
    int dow_;
};

}  // namespace

String FormatDateTime(const String& format, TDateTime value) { return FormatDateTime(format, value, FormatSettings); }

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings) {
    DateWriter w(value, settings);
    w.Write(format.empty() ? String(L"c") : format, 0);
    return w.out_;
}

void DateTimeToString(String& result, const String& format, TDateTime value) {
    result = FormatDateTime(format, value, FormatSettings);
}

void DateTimeToString(String& result, const String& format, TDateTime value, const TFormatSettings& settings) {
    result = FormatDateTime(format, value, settings);
}

String DateToStr(TDateTime date) { return FormatDateTime(FormatSettings.ShortDateFormat, date); }

// ---- Reading ---------------------------------------------------------------------

namespace {

void SkipBlanks(const String& s, size_t& i) {
    while (i < s.size() && s[i] == L' ') ++i;
}

bool ScanNumber(const String& s, size_t& i, int& n) {
    SkipBlanks(s, i);
    size_t start = i;
    n = 0;
    while (i < s.size() && s[i] >= L'0' && s[i] <= L'9' && i - start < 4) n = n * 10 + (s[i++] - L'0');
    return i > start && !(i < s.size() && s[i] >= L'0' && s[i] <= L'9');
}

bool ScanSeparator(const String& s, size_t& i, wchar_t separator) {
    SkipBlanks(s, i);
    if (i < s.size() && s[i] == separator) {
        ++i;
        return true;
    }
    return false;
}

// Which of d, m, y comes first in a date picture.
wchar_t FirstDatePart(const String& format) {
    for (wchar_t c : format) {
        wchar_t u = Upper(c);
        if (u == L'D' || u == L'M' || u == L'Y') return u;
    }
    return L'M';
}

}  // namespace

bool TryStrToDate(const String& s, TDateTime& date) { return TryStrToDate(s, date, FormatSettings); }

bool TryStrToDate(const String& s, TDateTime& date, const TFormatSettings& settings) {
    size_t i = 0;
    int n1, n2, n3 = 0;
    if (!ScanNumber(s, i, n1) || !ScanSeparator(s, i, settings.DateSeparator) || !ScanNumber(s, i, n2)) return false;
    const bool three = ScanSeparator(s, i, settings.DateSeparator);
    if (three && !ScanNumber(s, i, n3)) return false;
    SkipBlanks(s, i);
    if (i != s.size()) return false;
    int y, m, d;
    const wchar_t order = FirstDatePart(settings.ShortDateFormat);
    if (!three) {
        y = CurrentYear();
        m = order == L'D' ? n2 : n1;
        d = order == L'D' ? n1 : n2;
    } else {
        if (order == L'D')
            d = n1, m = n2, y = n3;
        else if (order == L'Y')
            y = n1, m = n2, d = n3;
        else
            m = n1, d = n2, y = n3;
        if (y < 100 && settings.TwoDigitYearCenturyWindow > 0) {
            // The hundred years from now - window on.
            int first = CurrentYear() - settings.TwoDigitYearCenturyWindow;
            y += first / 100 * 100;
            if (y < first) y += 100;
        }
    }
    return TryEncodeDate(y, m, d, date);
}

TDateTime StrToDate(const String& s) {
    TDateTime d;
    if (!TryStrToDate(s, d)) throw EConvertError(L"'" + s + L"' is not a valid date");
    return d;
}

}  // namespace fw
