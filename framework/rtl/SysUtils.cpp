#include "framework/rtl/SysUtils.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace fw {

// ---- Command line -------------------------------------------------------

namespace {

// One argument from p on; returns the position after it.
size_t NextParam(const String& line, size_t p, String& param) {
    const size_t n = line.size();
    for (;;) {
        while (p < n && line[p] <= L' ') ++p;
        if (p + 1 < n && line[p] == L'"' && line[p + 1] == L'"')
            p += 2;  // an empty quoted argument is skipped, not returned
        else
            break;
    }
    param.clear();
    while (p < n && line[p] > L' ') {
        if (line[p] == L'"') {
            ++p;
            while (p < n && line[p] != L'"') param += line[p++];
            if (p < n) ++p;
        } else {
            param += line[p++];
        }
    }
    return p;
}

}  // namespace

std::vector<String> ParseCommandLine(const String& commandLine) {
    std::vector<String> result;
    String param;
    size_t p = NextParam(commandLine, 0, param);
    result.push_back(param);
    for (;;) {
        p = NextParam(commandLine, p, param);
        if (param.empty()) break;
        result.push_back(param);
    }
    return result;
}

String ParamStr(int index) {
    if (index == 0) {
        String buffer(MAX_PATH, L'\0');
        for (;;) {
            DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (n < buffer.size()) {
                buffer.resize(n);
                return buffer;
            }
            buffer.resize(buffer.size() * 2);
        }
    }
    if (index < 0) return {};
    std::vector<String> params = ParseCommandLine(GetCommandLineW());
    return static_cast<size_t>(index) < params.size() ? params[index] : String();
}

int ParamCount() { return static_cast<int>(ParseCommandLine(GetCommandLineW()).size()) - 1; }

// ---- Paths ---------------------------------------------------------------

namespace {

// 1-based index of the last character of s found in delimiters; 0 when none.
size_t LastDelimiter(const wchar_t* delimiters, const String& s) {
    size_t i = s.find_last_of(delimiters);
    return i == String::npos ? 0 : i + 1;
}

}  // namespace

String ExtractFileName(const String& fileName) { return fileName.substr(LastDelimiter(L"\\:", fileName)); }

String ExtractFilePath(const String& fileName) { return fileName.substr(0, LastDelimiter(L"\\:", fileName)); }

String ExtractFileDir(const String& fileName) {
    size_t i = LastDelimiter(L"\\:", fileName);
    // "C:\" and "\" keep their delimiter; "C:\a\" loses it.
    if (i > 1 && fileName[i - 1] == PathDelim && fileName[i - 2] != PathDelim && fileName[i - 2] != DriveDelim) --i;
    return fileName.substr(0, i);
}

String ExtractFileExt(const String& fileName) {
    size_t i = LastDelimiter(L".\\:", fileName);
    if (i > 0 && fileName[i - 1] == L'.') return fileName.substr(i - 1);
    return {};
}

String ChangeFileExt(const String& fileName, const String& extension) {
    size_t i = LastDelimiter(L".\\:", fileName);
    if (i == 0 || fileName[i - 1] != L'.') return fileName + extension;
    return fileName.substr(0, i - 1) + extension;
}

String IncludeTrailingPathDelimiter(const String& s) {
    if (!s.empty() && s.back() == PathDelim) return s;
    return s + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& s) {
    if (!s.empty() && s.back() == PathDelim) return s.substr(0, s.size() - 1);
    return s;
}

bool FileExists(const String& fileName) {
    DWORD attr = GetFileAttributesW(fileName.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& dir) {
    DWORD attr = GetFileAttributesW(dir.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const String& dir) { return CreateDirectoryW(dir.c_str(), nullptr) != 0; }

bool RemoveDir(const String& dir) { return RemoveDirectoryW(dir.c_str()) != 0; }

bool ForceDirectories(const String& dir) {
    if (dir.empty()) throw EInOutError(L"Unable to create directory");
    String d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty() || DirectoryExists(d)) return true;  // "\" is the current drive's root
    String parent = ExtractFilePath(d);
    if (parent == d) return false;  // a drive ("X:") that does not exist
    // A short relative name ("ab") is created too, not reported as done.
    if (!parent.empty() && !ForceDirectories(parent)) return false;
    // Another process may have made it meanwhile.
    return CreateDir(d) || DirectoryExists(d);
}

bool DeleteFile(const String& fileName) { return DeleteFileW(fileName.c_str()) != 0; }

bool SetCurrentDir(const String& dir) { return SetCurrentDirectoryW(dir.c_str()) != 0; }

String GetCurrentDir() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    String buffer(n, L'\0');
    n = GetCurrentDirectoryW(n, buffer.data());
    buffer.resize(n);
    return buffer;
}

// ---- Integers ------------------------------------------------------------

namespace {

bool ParseInteger(const String& s, int bits, int64_t& out) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n && s[i] == L' ') ++i;
    bool negative = false;
    if (i < n && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
    bool hex = false;
    if (i < n && (s[i] == L'$' || s[i] == L'x' || s[i] == L'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) return false;

    uint64_t v = 0;
    if (hex) {
        // Hexadecimal gives the bit pattern: $FFFFFFFF is -1 as a 32-bit value.
        const uint64_t limit = bits == 32 ? 0xFFFFFFFFull : ~0ull;
        for (; i < n; ++i) {
            wchar_t c = s[i];
            unsigned d;
            if (c >= L'0' && c <= L'9')
                d = c - L'0';
            else if (c >= L'a' && c <= L'f')
                d = c - L'a' + 10;
            else if (c >= L'A' && c <= L'F')
                d = c - L'A' + 10;
            else
                return false;
            if (v > (limit >> 4)) return false;
            v = v * 16 + d;
        }
        if (negative) v = 0 - v;
        out = bits == 32 ? static_cast<int32_t>(static_cast<uint32_t>(v)) : static_cast<int64_t>(v);
        return true;
    }
    const uint64_t limit = (1ull << (bits - 1)) - (negative ? 0 : 1);
    for (; i < n; ++i) {
        wchar_t c = s[i];
        if (c < L'0' || c > L'9') return false;
        unsigned d = c - L'0';
        if (v > (limit - d) / 10) return false;
        v = v * 10 + d;
    }
    out = negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
    return true;
}

[[noreturn]] void InvalidInteger(const String& s) { throw EConvertError(L"'" + s + L"' is not a valid integer value"); }

}  // namespace

bool TryStrToInt(const String& s, int32_t& value) {
    int64_t v;
    if (!ParseInteger(s, 32, v)) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryStrToInt64(const String& s, int64_t& value) { return ParseInteger(s, 64, value); }

int32_t StrToInt(const String& s) {
    int32_t v;
    if (!TryStrToInt(s, v)) InvalidInteger(s);
    return v;
}

int64_t StrToInt64(const String& s) {
    int64_t v;
    if (!TryStrToInt64(s, v)) InvalidInteger(s);
    return v;
}

int32_t StrToIntDef(const String& s, int32_t def) {
    int32_t v;
    return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64Def(const String& s, int64_t def) {
    int64_t v;
    return TryStrToInt64(s, v) ? v : def;
}

namespace detail {

String UnsignedToStr(uint64_t value) {
    wchar_t buffer[24];
    wchar_t* p = buffer + 24;
    do {
        *--p = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    return String(p, buffer + 24);
}

String SignedToStr(int64_t value) {
    if (value < 0) return L"-" + UnsignedToStr(0 - static_cast<uint64_t>(value));
    return UnsignedToStr(static_cast<uint64_t>(value));
}

String HexDigits(uint64_t value, int digits) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    String s;
    do {
        s.insert(s.begin(), kHex[value & 15]);
        value >>= 4;
    } while (value);
    if (digits > static_cast<int>(s.size())) s.insert(0, digits - s.size(), L'0');
    return s;
}

}  // namespace detail

// ---- Format ----------------------------------------------------------------

String Format(const String& format, const std::vector<TVarRec>& args) {
    auto invalid = [&]() -> EConvertError {
        return EConvertError(L"Format '" + format + L"' invalid or incompatible with argument");
    };
    String out;
    size_t argIndex = 0;
    const size_t n = format.size();
    auto nextArg = [&]() -> const TVarRec& {
        if (argIndex >= args.size()) throw EConvertError(L"No argument for format '" + format + L"'");
        return args[argIndex++];
    };
    // Digits or '*' (an integer argument); -1 when neither is there.
    auto number = [&](size_t& p) -> int {
        if (p < n && format[p] == L'*') {
            ++p;
            const TVarRec& a = nextArg();
            if (a.kind != TVarRec::vtInteger) throw invalid();
            return static_cast<int>(a.i);
        }
        if (p >= n || format[p] < L'0' || format[p] > L'9') return -1;
        int v = 0;
        for (; p < n && format[p] >= L'0' && format[p] <= L'9'; ++p)
            if (v < 100000) v = v * 10 + (format[p] - L'0');
        return v;
    };

    for (size_t p = 0; p < n;) {
        wchar_t c = format[p++];
        if (c != L'%') {
            out += c;
            continue;
        }
        if (p < n && format[p] == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        // [index:]
        size_t start = p;
        size_t savedArg = argIndex;
        int v = number(p);
        if (v >= 0 && p < n && format[p] == L':') {
            argIndex = static_cast<size_t>(v);
            ++p;
        } else {
            p = start;
            argIndex = savedArg;
        }
        bool left = false;
        if (p < n && format[p] == L'-') {
            left = true;
            ++p;
        }
        int width = number(p);
        int precision = -1;
        if (p < n && format[p] == L'.') {
            ++p;
            precision = number(p);
            if (precision < 0) precision = 0;
        }
        if (p >= n) throw invalid();
        wchar_t type = format[p++];
        if (type >= L'a' && type <= L'z') type = static_cast<wchar_t>(type - 32);

        if (String(L"DUXEFGNS").find(type) == String::npos) throw invalid();
        const TVarRec& a = nextArg();
        String text;
        const bool isInt = a.kind == TVarRec::vtInteger || a.kind == TVarRec::vtInt64;
        switch (type) {
            case L'D':
            case L'U':
            case L'X': {
                if (!isInt) throw invalid();
                bool negative = false;
                uint64_t magnitude;
                if (type == L'D') {
                    negative = a.i < 0;
                    magnitude = negative ? 0 - static_cast<uint64_t>(a.i) : static_cast<uint64_t>(a.i);
                } else {
                    magnitude = a.kind == TVarRec::vtInteger ? static_cast<uint32_t>(a.i) : static_cast<uint64_t>(a.i);
                }
                text = type == L'X' ? detail::HexDigits(magnitude, precision) : detail::UnsignedToStr(magnitude);
                if (type != L'X' && precision > static_cast<int>(text.size()))
                    text.insert(0, precision - text.size(), L'0');
                if (negative) text.insert(0, 1, L'-');
                break;
            }
            case L'E':
                if (a.kind != TVarRec::vtFloat) throw invalid();
                text = FloatToStrF(a.f, ffExponent, precision < 0 ? 15 : precision, 3);
                break;
            case L'F':
            case L'N':
                if (a.kind != TVarRec::vtFloat) throw invalid();
                text = FloatToStrF(a.f, type == L'N' ? ffNumber : ffFixed, 18, precision < 0 ? 2 : precision);
                break;
            case L'G':
                if (a.kind != TVarRec::vtFloat) throw invalid();
                text = FloatToStrF(a.f, ffGeneral, precision < 0 ? 15 : precision, 3);
                break;
            case L'S':
                if (a.kind == TVarRec::vtString)
                    text = a.s;
                else if (a.kind == TVarRec::vtChar)
                    text = String(1, a.c);
                else
                    throw invalid();
                if (precision >= 0 && static_cast<size_t>(precision) < text.size()) text.resize(precision);
                break;
        }
        if (width > static_cast<int>(text.size())) {
            String pad(width - text.size(), L' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

// ---- Text ------------------------------------------------------------------

String Trim(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= L' ') ++b;
    while (e > b && s[e - 1] <= L' ') --e;
    return s.substr(b, e - b);
}

String TrimLeft(const String& s) {
    size_t b = 0;
    while (b < s.size() && s[b] <= L' ') ++b;
    return s.substr(b);
}

String TrimRight(const String& s) {
    size_t e = s.size();
    while (e > 0 && s[e - 1] <= L' ') --e;
    return s.substr(0, e);
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern, TReplaceFlags flags) {
    if (oldPattern.empty()) return s;
    // Case folding keeps the length, so positions in the folded copy are
    // positions in s.
    const bool ignoreCase = flags & rfIgnoreCase;
    const String searchIn = ignoreCase ? AnsiUpperCase(s) : s;
    const String pattern = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
    String result;
    size_t from = 0;
    for (;;) {
        size_t at = searchIn.find(pattern, from);
        if (at == String::npos) break;
        result.append(s, from, at - from);
        result += newPattern;
        from = at + pattern.size();
        if (!(flags & rfReplaceAll)) break;
    }
    result.append(s, from, String::npos);
    return result;
}

int Pos(const String& sub, const String& s) { return PosEx(sub, s, 1); }

int PosEx(const String& sub, const String& s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
    size_t at = s.find(sub, offset - 1);
    return at == String::npos ? 0 : static_cast<int>(at) + 1;
}

String Copy(const String& s, int index, int count) {
    const int length = static_cast<int>(s.size());
    int start = index - 1;
    if (start < 0) start = 0;
    if (start > length) start = length;
    int available = length - start;
    if (count < 0) count = 0;
    if (count > available) count = available;
    return s.substr(start, count);
}

String UpperCase(const String& s) {
    String r = s;
    for (wchar_t& c : r)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return r;
}

String LowerCase(const String& s) {
    String r = s;
    for (wchar_t& c : r)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    return r;
}

String AnsiUpperCase(const String& s) {
    String r = s;
    if (!r.empty()) CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
    return r;
}

String AnsiLowerCase(const String& s) {
    String r = s;
    if (!r.empty()) CharLowerBuffW(r.data(), static_cast<DWORD>(r.size()));
    return r;
}

int CompareStr(const String& a, const String& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(const String& a, const String& b) {
    auto up = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - 32 : static_cast<int>(c); };
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int d = up(a[i]) - up(b[i]);
        if (d) return d;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

namespace {
int CompareLocale(const String& a, const String& b, DWORD flags) {
    return CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}
}  // namespace

int AnsiCompareStr(const String& a, const String& b) { return CompareLocale(a, b, 0); }

int AnsiCompareText(const String& a, const String& b) { return CompareLocale(a, b, NORM_IGNORECASE); }

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

String QuotedStr(const String& s) { return AnsiQuotedStr(s, L'\''); }

String AnsiQuotedStr(const String& s, wchar_t quote) {
    String r(1, quote);
    for (wchar_t c : s) {
        r += c;
        if (c == quote) r += c;
    }
    r += quote;
    return r;
}

// ---- File search -------------------------------------------------------

namespace {

int FindMatchingFile(TSearchRec& f) {
    while (f.FindData.dwFileAttributes & static_cast<DWORD>(f.ExcludeAttr))
        if (!FindNextFileW(f.FindHandle, &f.FindData)) return static_cast<int>(GetLastError());
    FILETIME local;
    WORD date = 0, time = 0;
    FileTimeToLocalFileTime(&f.FindData.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    f.Time = static_cast<int>((static_cast<DWORD>(date) << 16) | time);
    f.Size = static_cast<int64_t>((static_cast<uint64_t>(f.FindData.nFileSizeHigh) << 32) | f.FindData.nFileSizeLow);
    f.Attr = static_cast<int>(f.FindData.dwFileAttributes);
    f.Name = f.FindData.cFileName;
    return 0;
}

}  // namespace

int FindFirst(const String& path, int attr, TSearchRec& f) {
    constexpr int special = faHidden | faSysFile | faVolumeID | faDirectory;
    f.ExcludeAttr = ~attr & special;
    f.FindHandle = FindFirstFileW(path.c_str(), &f.FindData);
    if (f.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    int result = FindMatchingFile(f);
    if (result != 0) FindClose(f);
    return result;
}

int FindNext(TSearchRec& f) {
    if (f.FindHandle == INVALID_HANDLE_VALUE) return ERROR_INVALID_HANDLE;
    if (!FindNextFileW(f.FindHandle, &f.FindData)) return static_cast<int>(GetLastError());
    return FindMatchingFile(f);
}

void FindClose(TSearchRec& f) {
    if (f.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(f.FindHandle);
    f.FindHandle = INVALID_HANDLE_VALUE;
}

// ---- OS errors ---------------------------------------------------------

String SysErrorMessage(DWORD errorCode) {
    wchar_t buffer[1024];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             nullptr, errorCode, 0, buffer, sizeof buffer / sizeof buffer[0], nullptr);
    while (n > 0 && (buffer[n - 1] <= L' ' || buffer[n - 1] == L'.')) --n;
    return String(buffer, n);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD lastError) {
    if (lastError == 0) throw EOSError(L"A call to an OS function failed", 0);
    throw EOSError(
        Format(L"System Error.  Code: %d.\r\n%s", static_cast<int32_t>(lastError), SysErrorMessage(lastError)),
        lastError);
}

// ---- Random numbers ------------------------------------------------------

namespace {
std::atomic<uint32_t> randSeed{0};
}

uint32_t GetRandSeed() { return randSeed.load(); }

void SetRandSeed(uint32_t seed) { randSeed.store(seed); }

void Randomize() {
    LARGE_INTEGER counter;
    if (QueryPerformanceCounter(&counter))
        SetRandSeed(static_cast<uint32_t>(counter.QuadPart));
    else
        SetRandSeed(GetTickCount());
}

int32_t Random(int32_t range) {
    uint32_t seed = randSeed.load();
    uint32_t next;
    do {
        next = seed * 0x08088405u + 1;
    } while (!randSeed.compare_exchange_weak(seed, next));
    if (range <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(static_cast<uint32_t>(range)) * next) >> 32);
}

// ---- The system

namespace {

TSysLocale ReadSysLocale() {
    TSysLocale locale;
    locale.MiddleEast = GetSystemMetrics(SM_MIDEASTENABLED) != 0;
    return locale;
}

int ReadMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) ? int(info.dwMajorVersion) : 0;
}

}  // namespace

TSysLocale SysLocale = ReadSysLocale();
int Win32MajorVersion = ReadMajorVersion();

}  // namespace fw
