#include "framework/rtl/FloatFormat.h"

#include <cmath>
#include <limits>
#include <string>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FloatDecimal.h"

namespace fw {

namespace {

constexpr int kMaxDigits = 18;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The value's digits rounded to `significant` digits and `decimals` places.
TDecimalDigits Digits(long double value, int significant, int decimals) {
    TDecimalDigits exact = ExactDecimal(value);
    return RoundDecimal(RoundDecimal(exact, kMaxDigits, -1), significant, decimals);
}

String Widen(const std::string& s) { return String(s.begin(), s.end()); }

String SpecialFloat(long double value) {
    if (std::isnan(value)) return L"NAN";
    return value < 0 ? L"-INF" : L"INF";
}

String ExponentText(wchar_t letter, int exponent, bool plusSign, int minDigits) {
    String s(1, letter);
    if (exponent < 0)
        s += L'-';
    else if (plusSign)
        s += L'+';
    String digits = Widen(std::to_string(exponent < 0 ? -exponent : exponent));
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), L'0');
    return s + digits;
}

// Digits as integer and fraction parts: "1234", "5" for 1234.5.
void SplitDigits(const TDecimalDigits& d, std::string& intPart, std::string& fracPart) {
    std::string digits = d.digits;
    intPart.clear();
    fracPart.clear();
    if (digits.empty()) return;
    if (d.exponent <= 0) {
        fracPart = std::string(-d.exponent, '0') + digits;
    } else {
        if (static_cast<int>(digits.size()) < d.exponent) digits.resize(d.exponent, '0');
        intPart = digits.substr(0, d.exponent);
        fracPart = digits.substr(d.exponent);
    }
}

String Grouped(const std::string& intPart, wchar_t separator) {
    String s = Widen(intPart);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3) s.insert(i, 1, separator);
    return s;
}

String FormatExponent(long double value, int precision, int expDigits, const TFormatSettings& fs) {
    if (!std::isfinite(value)) return SpecialFloat(value);
    precision = Clamp(precision, 1, kMaxDigits);
    TDecimalDigits d = Digits(value, precision, -1);
    std::string digits = d.digits;
    int exponent = digits.empty() ? 0 : d.exponent - 1;
    digits.resize(precision, '0');
    String s = d.negative && !d.digits.empty() ? L"-" : L"";
    s += static_cast<wchar_t>(digits[0]);
    if (precision > 1) {
        s += fs.DecimalSeparator;
        s += Widen(digits.substr(1));
    }
    return s + ExponentText(L'E', exponent, true, expDigits);
}

String FormatGeneral(long double value, int precision, int expDigits, const TFormatSettings& fs) {
    if (!std::isfinite(value)) return SpecialFloat(value);
    precision = Clamp(precision, 1, kMaxDigits);
    TDecimalDigits d = Digits(value, precision, -1);
    if (d.digits.empty()) return L"0";
    String s = d.negative ? L"-" : L"";
    const String digits = Widen(d.digits);
    if (d.exponent > precision || d.exponent < -3) {
        s += digits[0];
        if (digits.size() > 1) {
            s += fs.DecimalSeparator;
            s += digits.substr(1);
        }
        return s + ExponentText(L'E', d.exponent - 1, false, expDigits);
    }
    std::string intPart, fracPart;
    SplitDigits(d, intPart, fracPart);
    s += intPart.empty() ? L"0" : Widen(intPart);
    if (!fracPart.empty()) {
        s += fs.DecimalSeparator;
        s += Widen(fracPart);
    }
    return s;
}

String FormatFixed(long double value, int precision, int decimals, bool thousands, const TFormatSettings& fs) {
    if (!std::isfinite(value)) return SpecialFloat(value);
    precision = Clamp(precision, 1, kMaxDigits);
    decimals = Clamp(decimals, 0, kMaxDigits);
    TDecimalDigits d = Digits(value, precision, decimals);
    if (d.exponent > precision) return FormatGeneral(value, precision, 0, fs);
    std::string intPart, fracPart;
    SplitDigits(d, intPart, fracPart);
    if (intPart.empty()) intPart.assign(1, '0');
    fracPart.resize(decimals, '0');
    String s = d.negative && !d.digits.empty() ? L"-" : L"";
    s += thousands ? Grouped(intPart, fs.ThousandSeparator) : Widen(intPart);
    if (decimals > 0) {
        s += fs.DecimalSeparator;
        s += Widen(fracPart);
    }
    return s;
}

// ---- FormatFloat ----------------------------------------------------------------

// One section of a picture, read once.
struct Section {
    String text;
    bool thousands = false;
    bool scientific = false;
    int intPlaces = 0;   // '0' and '#' before the point
    int intZeros = 0;    // places from the first '0' before the point on
    int fracPlaces = 0;  // '0' and '#' after the point
    int fracZeros = 0;   // places up to the last '0' after the point
};

// Splits the picture at ';' outside quotes.
std::vector<String> SplitSections(const String& format) {
    std::vector<String> sections(1);
    wchar_t quote = 0;
    for (wchar_t c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == L'\'' || c == L'"') {
            quote = c;
        } else if (c == L';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

bool IsExponentAt(const String& t, size_t i) {
    return (t[i] == L'E' || t[i] == L'e') && i + 1 < t.size() && (t[i + 1] == L'+' || t[i + 1] == L'-');
}

Section ReadSection(const String& text) {
    Section s;
    s.text = text;
    bool point = false;
    wchar_t quote = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == L'\'' || c == L'"') {
            quote = c;
        } else if (c == L'0' || c == L'#') {
            if (point) {
                ++s.fracPlaces;
                if (c == L'0') s.fracZeros = s.fracPlaces;
            } else {
                ++s.intPlaces;
                if (c == L'0' || s.intZeros > 0) ++s.intZeros;
            }
        } else if (c == L'.') {
            point = true;
        } else if (c == L',' && !point) {
            s.thousands = true;
        } else if (IsExponentAt(text, i)) {
            s.scientific = true;
            break;
        }
    }
    return s;
}

// Writes the value's digits into a section's picture.
String ApplySection(const Section& s, long double magnitude, bool minus, const TFormatSettings& fs) {
    std::string intPart, fracPart;
    int exponent = 0;
    if (s.scientific) {
        int before = s.intPlaces > 0 ? s.intPlaces : 1;
        TDecimalDigits d = Digits(magnitude, Clamp(before + s.fracPlaces, 1, kMaxDigits), -1);
        if (!d.digits.empty()) {
            exponent = d.exponent - before;
            d.exponent = before;
        }
        SplitDigits(d, intPart, fracPart);
    } else {
        SplitDigits(Digits(magnitude, kMaxDigits, s.fracPlaces), intPart, fracPart);
    }
    size_t firstKept = intPart.find_first_not_of('0');
    intPart = firstKept == std::string::npos ? std::string() : intPart.substr(firstKept);
    if (static_cast<int>(intPart.size()) < s.intZeros) intPart.insert(0, s.intZeros - intPart.size(), '0');
    while (static_cast<int>(fracPart.size()) > s.fracZeros && !fracPart.empty() && fracPart.back() == '0')
        fracPart.pop_back();
    if (static_cast<int>(fracPart.size()) < s.fracZeros) fracPart.resize(s.fracZeros, '0');

    String out = minus ? L"-" : L"";
    const int intDigits = static_cast<int>(intPart.size());
    int intPlace = 0, fracPlace = 0, written = 0;
    bool point = false;
    auto writeDigit = [&]() {
        out += static_cast<wchar_t>(intPart[written++]);
        int left = intDigits - written;
        if (s.thousands && left > 0 && left % 3 == 0) out += fs.ThousandSeparator;
    };
    const String& t = s.text;
    for (size_t i = 0; i < t.size(); ++i) {
        wchar_t c = t[i];
        if (c == L'\'' || c == L'"') {
            size_t end = t.find(c, i + 1);
            if (end == String::npos) end = t.size();
            if (point || intPlace == 0 || written > 0 || intPlace == s.intPlaces) out += t.substr(i + 1, end - i - 1);
            i = end;
        } else if ((c == L'0' || c == L'#') && !point) {
            // Digits beyond the places go to the first place.
            int due = intDigits - (s.intPlaces - intPlace) + 1;
            while (written < due) writeDigit();
            ++intPlace;
        } else if ((c == L'0' || c == L'#') && point) {
            if (fracPlace < static_cast<int>(fracPart.size())) out += static_cast<wchar_t>(fracPart[fracPlace]);
            ++fracPlace;
        } else if (c == L'.' && !point) {
            point = true;
            while (written < intDigits) writeDigit();
            if (!fracPart.empty()) out += fs.DecimalSeparator;
        } else if (c == L',' && !point) {
            // Thousands come from the digits.
        } else if (IsExponentAt(t, i)) {
            int zeros = 0;
            size_t j = i + 2;
            while (j < t.size() && t[j] == L'0' && zeros < 4) ++zeros, ++j;
            while (written < intDigits) writeDigit();
            out += ExponentText(c, exponent, t[i + 1] == L'+', zeros);
            i = j - 1;
        } else if (point || intPlace == 0 || written > 0 || intPlace == s.intPlaces) {
            // A literal; between integer places only once a digit is out.
            out += c;
        }
    }
    while (written < intDigits) writeDigit();
    return out;
}

}  // namespace

String FloatToStr(long double value) { return FloatToStr(value, FormatSettings); }

String FloatToStr(long double value, const TFormatSettings& settings) { return FormatGeneral(value, 15, 0, settings); }

String FloatToStrF(long double value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStrF(long double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings) {
    switch (format) {
        case ffExponent:
            return FormatExponent(value, precision, digits, settings);
        case ffFixed:
            return FormatFixed(value, precision, digits, false, settings);
        case ffNumber:
            return FormatFixed(value, precision, digits, true, settings);
        case ffGeneral:
            break;
    }
    return FormatGeneral(value, precision, digits, settings);
}

String FormatFloat(const String& format, long double value) { return FormatFloat(format, value, FormatSettings); }

String FormatFloat(const String& format, long double value, const TFormatSettings& settings) {
    if (format.empty()) return FloatToStr(value, settings);
    if (!std::isfinite(value)) return SpecialFloat(value);
    std::vector<String> texts = SplitSections(format);
    auto sectionText = [&](size_t i) { return i < texts.size() && !texts[i].empty() ? texts[i] : String(); };
    Section first = ReadSection(texts[0]);
    const long double magnitude = std::fabs(value);
    bool zero = first.scientific ? magnitude == 0 : Digits(magnitude, kMaxDigits, first.fracPlaces).digits.empty();
    if (zero && !sectionText(2).empty()) return ApplySection(ReadSection(texts[2]), 0, false, settings);
    if (value < 0 && !zero) {
        if (!sectionText(1).empty()) return ApplySection(ReadSection(texts[1]), magnitude, false, settings);
        return ApplySection(first, magnitude, true, settings);
    }
    return ApplySection(first, magnitude, false, settings);
}

// ---- Reading ---------------------------------------------------------------------

bool TryStrToFloat(const String& s, long double& value) { return TryStrToFloat(s, value, FormatSettings); }

bool TryStrToFloat(const String& s, long double& value, const TFormatSettings& settings) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n && s[i] == L' ') ++i;
    bool negative = false;
    if (i < n && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
    std::string digits;
    long pointAt = -1;
    for (; i < n; ++i) {
        if (s[i] >= L'0' && s[i] <= L'9')
            digits += static_cast<char>(s[i]);
        else if (s[i] == settings.DecimalSeparator && pointAt < 0)
            pointAt = static_cast<long>(digits.size());
        else
            break;
    }
    if (digits.empty()) return false;
    long exponent = 0;
    if (i < n && (s[i] == L'e' || s[i] == L'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (s[i] == L'+' || s[i] == L'-')) expNegative = s[i++] == L'-';
        int expDigits = 0;
        for (; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++expDigits)
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - L'0');
        if (expDigits == 0) return false;
        if (expNegative) exponent = -exponent;
    }
    while (i < n && s[i] == L' ') ++i;
    if (i != n) return false;
    // 0.<digits> x 10^e
    long e = (pointAt < 0 ? static_cast<long>(digits.size()) : pointAt) + exponent;
    long double v;
    if (!DecimalToExtended(digits, e, negative, v)) return false;
    value = v;
    return true;
}

bool TryStrToFloat(const String& s, double& value) { return TryStrToFloat(s, value, FormatSettings); }

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings) {
    long double v;
    if (!TryStrToFloat(s, v, settings) || std::fabs(v) > std::numeric_limits<double>::max()) return false;
    value = static_cast<double>(v);
    return true;
}

long double StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

long double StrToFloat(const String& s, const TFormatSettings& settings) {
    long double v;
    if (!TryStrToFloat(s, v, settings)) throw EConvertError(L"'" + s + L"' is not a valid floating point value");
    return v;
}

long double StrToFloatDef(const String& s, long double def) { return StrToFloatDef(s, def, FormatSettings); }

long double StrToFloatDef(const String& s, long double def, const TFormatSettings& settings) {
    long double v;
    return TryStrToFloat(s, v, settings) ? v : def;
}

// ---- Integers of a value --------------------------------------------------------------

namespace {

// An integral value as int64, saturated: out-of-range casts are undefined.
int64_t ToInt64(long double integral) {
    if (std::isnan(integral)) return 0;
    if (integral >= 9223372036854775808.0L) return std::numeric_limits<int64_t>::max();
    if (integral < -9223372036854775808.0L) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(integral);
}

}  // namespace

int64_t Round(long double value) {
    // Independent of the FPU rounding mode: value - floor(value) is exact.
    long double f = std::floor(value);
    long double rest = value - f;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(f, 2.0L) != 0)) f += 1;
    return ToInt64(f);
}

int64_t Trunc(long double value) { return ToInt64(std::trunc(value)); }

long double Frac(long double value) { return value - std::trunc(value); }

}  // namespace fw
