#include "skin/engine/TextUtils.h"

#include <memory>
#include <vector>

#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

namespace skin {

using fw::String;

// ---- INI text in string lists ------------------------------------------------------

void GetIniSections(fw::TStringList* IniList, fw::TStringList* SectionsList) {
    if (!SectionsList) return;
    SectionsList->Clear();
    if (!IniList) return;
    fw::TStringList* current = nullptr;
    for (int i = 0; i < IniList->Count(); ++i) {
        String line = IniList->Strings(i);
        if (line.empty() || line[0] == L';') continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            auto section = std::make_unique<fw::TStringList>();
            try {
                SectionsList->AddObject(line.substr(1, line.size() - 2), section.get());
            } catch (const fw::Exception&) {
                continue;  // a list that refuses the name: the line is ignored
            }
            current = section.release();
            continue;
        }
        if (current) current->Add(line);
    }
}

// The section's line list, or nullptr.
static fw::TStrings* FindSection(fw::TStrings* Sections, const String& Section) {
    if (!Sections) return nullptr;
    int i = Sections->IndexOf(Section);
    if (i < 0) return nullptr;
    return dynamic_cast<fw::TStrings*>(Sections->Objects(i));
}

void GetIniSection(const String& Section, fw::TStrings* Sections, fw::TStrings* Keys) {
    if (!Keys) return;
    Keys->BeginUpdate();
    try {
        Keys->Clear();
        if (fw::TStrings* lines = FindSection(Sections, Section)) {
            for (int i = 0; i < lines->Count(); ++i) {
                String line = lines->Strings(i);
                size_t at = line.find(L'=');
                Keys->Add(at == String::npos ? line : line.substr(0, at));
            }
        }
    } catch (...) {
        Keys->EndUpdate();
        throw;
    }
    Keys->EndUpdate();
}

String ReadIniString(fw::TStringList* /*IniList*/, fw::TStringList* SectionsList, const String& Section,
                     const String& Ident, const String& Default) {
    fw::TStrings* lines = FindSection(SectionsList, Section);
    if (!lines) return Default;
    int i = lines->IndexOfName(Ident);
    if (i < 0) return Default;
    return lines->ValueFromIndex(i);
}

int ReadIniInteger(fw::TStringList* IniList, fw::TStringList* SectionsList, const String& Section, const String& Ident,
                   int Default) {
    String s = ReadIniString(IniList, SectionsList, Section, Ident, String());
    if (s.size() > 2 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')) s = L'$' + s.substr(2);
    return fw::StrToIntDef(s, Default);
}

// ---- Words --------------------------------------------------------------------------

namespace {

// The two delimiter tests: 8-bit characters only, or any character up to
// 0xF8F7 by its low byte.
struct PlainDelims {
    const TSysCharSet& set;
    bool operator()(wchar_t c) const { return set.Contains(c); }
};
struct LowByteDelims {
    const TSysCharSet& set;
    bool operator()(wchar_t c) const { return c <= 0xF8F7 && set.Contains(c & 0xFF); }
};

template <typename IsDelim>
int CountWords(const String& S, IsDelim isDelim) {
    int count = 0;
    size_t i = 0;
    const size_t n = S.size();
    while (i < n) {
        while (i < n && isDelim(S[i])) ++i;
        if (i < n) ++count;
        while (i < n && !isDelim(S[i])) ++i;
    }
    return count;
}

template <typename IsDelim>
int PositionOfWord(int N, const String& S, IsDelim isDelim) {
    int count = 0;
    size_t i = 0;
    const size_t n = S.size();
    while (i < n && count != N) {
        while (i < n && isDelim(S[i])) ++i;
        if (i < n) {
            ++count;
            if (count == N) return static_cast<int>(i) + 1;
        }
        while (i < n && !isDelim(S[i])) ++i;
    }
    return 0;
}

}  // namespace

int WordCount(const String& S, const TSysCharSet& WordDelims) { return CountWords(S, PlainDelims{WordDelims}); }

int WordPosition(int N, const String& S, const TSysCharSet& WordDelims) {
    return PositionOfWord(N, S, PlainDelims{WordDelims});
}

String ExtractWord(int N, const String& S, const TSysCharSet& WordDelims) {
    int pos = WordPosition(N, S, WordDelims);
    if (pos == 0) return String();
    size_t start = static_cast<size_t>(pos) - 1;
    size_t end = start;
    while (end < S.size() && !WordDelims.Contains(S[end])) ++end;
    return S.substr(start, end - start);
}

int acWordCount(const String& S, const TSysCharSet& WordDelims) { return CountWords(S, LowByteDelims{WordDelims}); }

int acWordPosition(int N, const String& S, const TSysCharSet& WordDelims) {
    return PositionOfWord(N, S, LowByteDelims{WordDelims});
}

int GetWordNumber(const String& W, const String& S, const TSysCharSet& WordDelims) {
    int count = WordCount(S, WordDelims);
    for (int i = 1; i <= count; ++i)
        if (ExtractWord(i, S, WordDelims) == W) return i;
    return -1;
}

bool IsWordPresent(const String& W, const String& S, const TSysCharSet& WordDelims) {
    return GetWordNumber(W, S, WordDelims) > 0;
}

String ExtractSubStr(const String& S, int& Pos, const TSysCharSet& Delims) {
    const int n = static_cast<int>(S.size());
    if (Pos < 1) Pos = 1;
    int i = Pos;
    while (i <= n && !Delims.Contains(S[i - 1])) ++i;
    String result = Pos <= n ? S.substr(Pos - 1, i - Pos) : String();
    Pos = i <= n ? i + 1 : n + 1;
    return result;
}

bool IsEmptyStr(const String& S, const TSysCharSet& EmptyChars) {
    for (wchar_t c : S)
        if (!EmptyChars.Contains(c)) return false;
    return true;
}

String AnsiProperCase(const String& S, const TSysCharSet& WordDelims) {
    String result = fw::AnsiLowerCase(S);
    size_t i = 0;
    while (i < result.size()) {
        while (i < result.size() && WordDelims.Contains(result[i])) ++i;
        if (i < result.size()) result[i] = fw::AnsiUpperCase(String(1, result[i]))[0];
        while (i < result.size() && !WordDelims.Contains(result[i])) ++i;
    }
    return result;
}

// ---- Strings ------------------------------------------------------------------------

String DelESpace(const String& S) {
    size_t end = S.find_last_not_of(L' ');
    return end == String::npos ? String() : S.substr(0, end + 1);
}

String DelBSpace(const String& S) {
    size_t start = S.find_first_not_of(L' ');
    return start == String::npos ? String() : S.substr(start);
}

String DelRSpace(const String& S) { return DelBSpace(DelESpace(S)); }

String DelChars(const String& S, wchar_t Chr) {
    String result;
    result.reserve(S.size());
    for (wchar_t c : S)
        if (c != Chr) result += c;
    return result;
}

String ReplaceStr(const String& S, const String& Srch, const String& Replace) {
    return fw::StringReplace(S, Srch, Replace, fw::rfReplaceAll);
}

bool SubStrInclude(const String& SubStr, const String& S, bool IgnoreCase) {
    if (IgnoreCase) return fw::AnsiUpperCase(S).find(fw::AnsiUpperCase(SubStr)) != String::npos;
    return S.find(SubStr) != String::npos;
}

String CorrectString(const String& S) {
    String result = S;
    for (wchar_t& c : result) {
        if (c == L'\'')
            c = L'`';
        else if (c == L'?')
            c = L'I';
        else if (c == L'\r' || c == L'\n')
            c = L' ';
    }
    return DelRSpace(result);
}

fw::AnsiString MakeStr(char C, int N) { return N > 0 ? fw::AnsiString(static_cast<size_t>(N), C) : fw::AnsiString(); }

fw::AnsiString AddChar(char C, const fw::AnsiString& S, int N) {
    if (static_cast<int>(S.size()) >= N) return S;
    return MakeStr(C, N - static_cast<int>(S.size())) + S;
}

fw::AnsiString AddCharR(char C, const fw::AnsiString& S, int N) {
    if (static_cast<int>(S.size()) >= N) return S;
    return S + MakeStr(C, N - static_cast<int>(S.size()));
}

void acFillString(String& S, int Count, wchar_t Chr) {
    if (Count <= 0)
        S.clear();
    else
        S.assign(static_cast<size_t>(Count), Chr);
}

String acMakeString(wchar_t Chr, int Count) {
    String s;
    acFillString(s, Count, Chr);
    return s;
}

bool acSameText(const String& S1, const String& S2) { return fw::SameText(S1, S2); }

String BoolToStr(bool B) { return sBoolArray[B ? 1 : 0]; }

String OemToAnsiStr(const String& S) {
    String result;
    result.reserve(S.size());
    size_t i = 0;
    while (i < S.size()) {
        if (S[i] > 255) {
            result += S[i++];
            continue;
        }
        // A run of byte-valued characters is one OEM byte string.
        std::string bytes;
        while (i < S.size() && S[i] <= 255) bytes += static_cast<char>(S[i++]);
        int n = MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        if (n <= 0) continue;
        String converted(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), static_cast<int>(bytes.size()), converted.data(), n);
        result += converted;
    }
    return result;
}

// ---- Numbers ------------------------------------------------------------------------

int64_t HexToInt(const String& S) {
    if (S.empty()) return 0;
    String s = fw::UpperCase(S);
    if (!s.empty() && s.back() == L'H') s.pop_back();
    uint64_t value = 0;
    for (wchar_t c : s) {
        int digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            return 0;
        value = value * 16 + static_cast<uint64_t>(digit);  // wraps like the 64-bit original
    }
    return static_cast<int64_t>(value);
}

double StringToFloat(const String& S) {
    String s = fw::Trim(S);
    for (wchar_t& c : s)
        if (c == L',') c = L'.';
    double value = 0;
    // The run-time conversion accepts no blanks inside the text.
    if (s.find(L' ') != String::npos || !fw::TryStrToFloat(s, value, fw::InvariantFormatSettings())) return 0;
    return value;
}

bool IsValidFloat(const String& S, double& Value) {
    for (wchar_t c : S) {
        bool ok =
            (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'E' || c == L'e' || c == acDecimalSeparator;
        if (!ok) return false;
    }
    double v = 0;
    if (!fw::TryStrToFloat(S.substr(0, 127), v, fw::InvariantFormatSettings())) return false;
    Value = v;
    return true;
}

String FormatFloatStr(const String& S, bool Thousands) {
    size_t start = 0;
    bool sign = !S.empty() && (S[0] == L'+' || S[0] == L'-');
    if (sign) start = 1;
    size_t end = start;
    while (end < S.size() && S[end] != acDecimalSeparator && S[end] != L'E' && S[end] != L'e') ++end;
    String result = S.substr(end);
    String integer = S.substr(start, end - start);
    int placed = 0;
    for (size_t k = integer.size(); k > 0; --k) {
        result.insert(result.begin(), integer[k - 1]);
        ++placed;
        if (Thousands && placed % 3 == 0 && k > 1) result.insert(result.begin(), acThousandSeparator);
    }
    if (sign) result.insert(result.begin(), S[0]);
    return result;
}

int GetCents(double Value) { return static_cast<int>(fw::Round(fw::Frac(Value) * 100)); }

double CurRound(double Value) { return static_cast<double>(fw::Round((Value + 0.000001) * 100)) / 100; }

int SumTrans(int A, int B) { return static_cast<int>(fw::Round((100 - B) * (A / 100.0) + B)); }

int IntToByte(int Value) { return Value < 0 ? 0 : Value > 255 ? 255 : Value; }

int LimitIt(int Value, int Min, int Max) {
    if (Value < Min) return Min;
    return Value < Max ? Value : Max;
}

int CheckLimits(int Value, int Min, int Max) { return LimitIt(Value, Min, Max); }

bool Between(int Value, int Min, int Max) { return Min <= Value && Value <= Max; }

void Changei(int& A, int& B) {
    int t = A;
    A = B;
    B = t;
}

bool IsNTFamily() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) return false;
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion > 0);
}

// ---- Rectangles, points and records --------------------------------------------------

int WidthOf(const fw::TRect& R, bool CheckNegative) {
    int w = R.Right - R.Left;
    return CheckNegative && w < 0 ? 0 : w;
}

int HeightOf(const fw::TRect& R, bool CheckNegative) {
    int h = R.Bottom - R.Top;
    return CheckNegative && h < 0 ? 0 : h;
}

bool RectIsVisible(const fw::TRect& ParentRect, const fw::TRect& R) {
    if (ParentRect.Top >= R.Bottom || ParentRect.Left >= R.Right || R.Left >= ParentRect.Right ||
        R.Top >= ParentRect.Bottom)
        return false;
    return !R.IsEmpty();
}

bool RectInRect(const fw::TRect& BigRect, const fw::TRect& SmallRect) {
    fw::TRect big(BigRect.Left, BigRect.Top, BigRect.Right + 1, BigRect.Bottom + 1);
    return big.Contains(SmallRect.TopLeft()) && big.Contains(SmallRect.BottomRight());
}

fw::TRect RectsAnd(const fw::TRect& R1, const fw::TRect& R2) {
    return fw::TRect(R1.Left > R2.Left ? R1.Left : R2.Left, R1.Top > R2.Top ? R1.Top : R2.Top,
                     R1.Right < R2.Right ? R1.Right : R2.Right, R1.Bottom < R2.Bottom ? R1.Bottom : R2.Bottom);
}

fw::TRect RotateRect(const fw::TRect& R) { return fw::TRect(R.Top, R.Left, R.Bottom, R.Right); }

fw::TPoint OffsetPoint(const fw::TPoint& P, int X, int Y) { return fw::TPoint(P.X + X, P.Y + Y); }

TCacheInfo MakeCacheInfo(fw::TBitmap* Bmp, int X, int Y) { return TCacheInfo{Bmp, X, Y, TColor(0xFF00FF), true}; }

fw::TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result) {
    fw::TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    m.Result = Result;
    return m;
}

}  // namespace skin
