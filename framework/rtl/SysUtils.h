// Run-time routines the libraries call by their familiar names: command line,
// paths, integer conversion, formatting, text helpers, file search and OS
// error text. Everything works on UTF-16 String; floating-point text (also
// Format's %e %f %g %n) is in FloatFormat.h and follows FormatSettings.
#pragma once

#include <windows.h>

// windows.h maps DeleteFile to DeleteFileW, which would rename ours in some
// translation units and not in others.
#ifdef DeleteFile
#undef DeleteFile
#endif

#include <concepts>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FloatFormat.h"
#include "framework/rtl/Strings.h"

namespace fw {

// Raised by RaiseLastOSError; ErrorCode keeps the Win32 code.
class EOSError : public Exception {
public:
    EOSError(String message, DWORD code) : Exception(std::move(message)), ErrorCode(code) {}
    String ClassName() const override { return L"EOSError"; }
    DWORD ErrorCode;
};

FW_EXCEPTION(EInOutError, Exception);

// ---- Command line -------------------------------------------------------

// Splits a command line the way ParamStr reads it: blanks (chars <= ' ')
// separate arguments, a quote toggles quoting and is dropped, backslashes are
// plain characters and an empty quoted argument ("") is skipped. Element 0 is
// the program as written on the command line.
std::vector<String> ParseCommandLine(const String& commandLine);

// ParamStr(0) is the module's full file name; 1..ParamCount() the arguments;
// anything else the empty text.
String ParamStr(int index);
int ParamCount();

// ---- Paths ---------------------------------------------------------------

constexpr wchar_t PathDelim = L'\\';
constexpr wchar_t DriveDelim = L':';

String ExtractFileName(const String& fileName);  // after the last '\' or ':'
String ExtractFilePath(const String& fileName);  // up to and including it
String ExtractFileDir(const String& fileName);   // without the delimiter, except for a root
String ExtractFileExt(const String& fileName);   // from the last '.', with the dot
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& s);
String ExcludeTrailingPathDelimiter(const String& s);

bool FileExists(const String& fileName);  // an existing entry that is not a folder
bool DirectoryExists(const String& dir);
bool CreateDir(const String& dir);
bool RemoveDir(const String& dir);
// Creates dir and every missing parent; raises EInOutError for an empty name.
bool ForceDirectories(const String& dir);
bool DeleteFile(const String& fileName);
bool SetCurrentDir(const String& dir);
String GetCurrentDir();

// ---- Integers ------------------------------------------------------------

// Decimal with optional sign, or hexadecimal after "$", "x", "0x" (either
// case); leading spaces allowed, nothing after the digits. Out of range fails.
bool TryStrToInt(const String& s, int32_t& value);
bool TryStrToInt64(const String& s, int64_t& value);
int32_t StrToInt(const String& s);  // EConvertError "'s' is not a valid integer value"
int64_t StrToInt64(const String& s);
int32_t StrToIntDef(const String& s, int32_t def);
int64_t StrToInt64Def(const String& s, int64_t def);

namespace detail {
template <typename T>
concept PlainInteger =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
    !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;
String SignedToStr(int64_t value);
String UnsignedToStr(uint64_t value);
String HexDigits(uint64_t value, int digits);
}  // namespace detail

template <detail::PlainInteger T>
String IntToStr(T value) {
    if constexpr (std::is_signed_v<T>)
        return detail::SignedToStr(value);
    else
        return detail::UnsignedToStr(value);
}

// Upper-case hexadecimal, at least `digits` digits. Values up to 32 bits are
// written as their 32-bit pattern (-1 gives FFFFFFFF), wider ones as 64-bit.
template <detail::PlainInteger T>
String IntToHex(T value, int digits) {
    if constexpr (sizeof(T) <= 4)
        return detail::HexDigits(static_cast<uint32_t>(value), digits);
    else
        return detail::HexDigits(static_cast<uint64_t>(value), digits);
}

// ---- Format ----------------------------------------------------------------

// One argument of Format.
struct TVarRec {
    enum Kind { vtInteger, vtInt64, vtFloat, vtString, vtChar } kind;
    int64_t i = 0;  // vtInteger (a 32-bit value) and vtInt64
    long double f = 0;
    String s;
    wchar_t c = 0;

    // Unsigned 32-bit values (DWORD) go in as 64-bit so that %d stays positive.
    template <detail::PlainInteger T>
    TVarRec(T v) : kind(sizeof(T) < 4 || (sizeof(T) == 4 && std::is_signed_v<T>) ? vtInteger : vtInt64) {
        i = static_cast<int64_t>(v);
    }
    TVarRec(double v) : kind(vtFloat), f(v) {}
    TVarRec(float v) : kind(vtFloat), f(v) {}
    TVarRec(long double v) : kind(vtFloat), f(v) {}
    TVarRec(const String& v) : kind(vtString), s(v) {}
    TVarRec(const wchar_t* v) : kind(vtString), s(v ? v : L"") {}
    TVarRec(const AnsiString& v) : kind(vtString), s(FromAnsi(v)) {}
    TVarRec(const char* v) : kind(vtString), s(v ? FromAnsi(v) : String()) {}
    TVarRec(wchar_t v) : kind(vtChar), c(v) {}
};

// Specifiers: %[index:][-][width][.precision]type with width and precision
// given as digits or '*'. Types (either case): d u x e f g n s, and %% for '%'.
// %x writes upper-case digits; %d/%u/%x precision is a minimum digit count;
// %e/%g precision counts significant digits (default 15), %f/%n decimals
// (default 2); %s precision cuts the text. A missing or unsuitable argument
// raises EConvertError.
String Format(const String& format, const std::vector<TVarRec>& args);

template <typename... Args>
String Format(const String& format, const Args&... args) {
    return Format(format, std::vector<TVarRec>{TVarRec(args)...});
}

// ---- Text ------------------------------------------------------------------

String Trim(const String& s);  // drops chars <= ' ' at both ends
String TrimLeft(const String& s);
String TrimRight(const String& s);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;
String StringReplace(const String& s, const String& oldPattern, const String& newPattern, TReplaceFlags flags);

// 1-based position of sub in s; 0 when absent or sub is empty.
int Pos(const String& sub, const String& s);
// The same, searching from offset (1-based); 0 for an offset outside s.
int PosEx(const String& sub, const String& s, int offset = 1);
// Copy: count characters from the 1-based index. An index below 1 counts as 1
// (the count is not shortened), an index past the end or a negative count
// gives the empty text, and the count stops at the end.
String Copy(const String& s, int index, int count);

String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);  // every letter, by the system's rules
String AnsiLowerCase(const String& s);

int CompareStr(const String& a, const String& b);   // ordinal, case-sensitive
int CompareText(const String& a, const String& b);  // ordinal, ASCII case folded
bool SameText(const String& a, const String& b);
int AnsiCompareStr(const String& a, const String& b);   // user locale
int AnsiCompareText(const String& a, const String& b);  // user locale, case ignored
bool AnsiSameText(const String& a, const String& b);

String QuotedStr(const String& s);  // 'it''s'
String AnsiQuotedStr(const String& s, wchar_t quote);

// ---- File search -------------------------------------------------------

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    int Time = 0;  // last write, local time, DOS date (high word) and time (low word)
    int64_t Size = 0;
    int Attr = 0;
    String Name;
    int ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW FindData{};
};

// Returns 0 on success, else the Win32 error (ERROR_FILE_NOT_FOUND or
// ERROR_NO_MORE_FILES when nothing more matches). An entry matches when its
// hidden, system and directory attributes are all among those asked for;
// read-only, archive and the rest never exclude it.
int FindFirst(const String& path, int attr, TSearchRec& f);
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);  // safe to call twice or after a failed FindFirst
// Keeps the Win32 function reachable by its plain name inside namespace fw.
inline BOOL FindClose(HANDLE findHandle) { return ::FindClose(findHandle); }

// ---- OS errors ---------------------------------------------------------

// The system's text for a Win32 error, without the trailing blanks and dot.
String SysErrorMessage(DWORD errorCode);
// Raises EOSError "System Error.  Code: N.\r\n<text>" for GetLastError().
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD lastError);

// ---- Random numbers ------------------------------------------------------

// The generator's state: a 32-bit linear congruential sequence, so a given
// seed always gives the same numbers.
uint32_t GetRandSeed();
void SetRandSeed(uint32_t seed);
void Randomize();               // seeds from the performance counter
int32_t Random(int32_t range);  // 0 <= result < range (0 for range <= 0)

// ---- The system -----------------------------------------------------------

// What the run-time library knows of the system's locale, read at start-up.
// Plain data: a test may set it to see another system's behaviour.
struct TSysLocale {
    // Right-to-left scripts are enabled (SM_MIDEASTENABLED): only then do
    // controls with a right-to-left BiDiMode read and align right to left.
    bool MiddleEast = false;
};
extern TSysLocale SysLocale;

// The system's major version as GetVersionExW reports it to this program,
// read at start-up.
extern int Win32MajorVersion;

}  // namespace fw
