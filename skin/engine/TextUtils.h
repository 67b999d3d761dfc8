// General routines of the skinning library for text and arithmetic: a small
// reader of INI text held in string lists (no trimming: lines are taken as
// written), word scanning, string helpers, number helpers, rectangle helpers
// and the builders of cache information and messages. None raises: failed
// conversions give their documented fall-back values.
//
// Numbers are written and read with '.' as the decimal separator and ',' as
// the thousand separator, whatever the user's locale, as the framework does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "framework/rtl/Strings.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Messages.h"
#include "skin/engine/sConst.h"

namespace fw {
class TStrings;
class TStringList;
class TBitmap;
}  // namespace fw

namespace skin {

constexpr wchar_t acDecimalSeparator = L'.';
constexpr wchar_t acThousandSeparator = L',';

// A set of 8-bit characters (delimiters, allowed characters). Characters
// above 255 given to the constructor are ignored.
class TSysCharSet {
public:
    constexpr TSysCharSet() = default;
    constexpr TSysCharSet(std::wstring_view chars) {
        for (wchar_t c : chars)
            if (c <= 255) words_[c >> 5] |= uint32_t(1) << (c & 31);
    }
    constexpr TSysCharSet(const wchar_t* chars) : TSysCharSet(std::wstring_view(chars)) {}
    // Only characters 0..255 can be members.
    constexpr bool Contains(unsigned code) const { return code <= 255 && (words_[code >> 5] >> (code & 31)) & 1u; }

private:
    uint32_t words_[8] = {};
};

// ---- INI text in string lists ------------------------------------------------------

// Clears SectionsList and fills it with one item per section of the lines of
// IniList: its text the section name, its object a new TStringList of the
// section's lines (owned by the caller). Empty lines, ";" lines and lines
// before the first section are dropped.
void GetIniSections(fw::TStringList* IniList, fw::TStringList* SectionsList);
// Keys cleared, then the names (text before the first "=") of Section's lines.
void GetIniSection(const fw::String& Section, fw::TStrings* Sections, fw::TStrings* Keys);
// The text after the first "=" of key Ident in Section (both case-insensitive),
// Default when either is missing. IniList is not used.
fw::String ReadIniString(fw::TStringList* IniList, fw::TStringList* SectionsList, const fw::String& Section,
                         const fw::String& Ident, const fw::String& Default);
// As ReadIniString; "0x"/"0X" before hexadecimal digits is read as "$"; Default
// when the text is not an integer.
int ReadIniInteger(fw::TStringList* IniList, fw::TStringList* SectionsList, const fw::String& Section,
                   const fw::String& Ident, int Default);

// ---- Words --------------------------------------------------------------------------

// A word is a maximal run of characters that are not delimiters; positions are 1-based.
int WordCount(const fw::String& S, const TSysCharSet& WordDelims);
// Start of the N-th word, 0 when there is none.
int WordPosition(int N, const fw::String& S, const TSysCharSet& WordDelims);
fw::String ExtractWord(int N, const fw::String& S, const TSysCharSet& WordDelims);
// The same, where a character up to 0xF8F7 whose low byte is in WordDelims
// delimits (so U+0120 delimits when a blank does).
int acWordCount(const fw::String& S, const TSysCharSet& WordDelims);
int acWordPosition(int N, const fw::String& S, const TSysCharSet& WordDelims);
// Number of the first word equal to W (case-sensitive), -1 when none.
int GetWordNumber(const fw::String& W, const fw::String& S, const TSysCharSet& WordDelims);
bool IsWordPresent(const fw::String& W, const fw::String& S, const TSysCharSet& WordDelims);
// The text from Pos up to the next delimiter; Pos is moved past it (or to
// Length(S) + 1).
fw::String ExtractSubStr(const fw::String& S, int& Pos, const TSysCharSet& Delims);
// True when every character of S is in EmptyChars (and for an empty S).
bool IsEmptyStr(const fw::String& S, const TSysCharSet& EmptyChars);
// Lower case with the first character of every word in upper case.
fw::String AnsiProperCase(const fw::String& S, const TSysCharSet& WordDelims);

// ---- Strings ------------------------------------------------------------------------

fw::String DelESpace(const fw::String& S);  // trailing blanks (char 32) removed
fw::String DelBSpace(const fw::String& S);  // leading blanks removed
fw::String DelRSpace(const fw::String& S);  // both
fw::String DelChars(const fw::String& S, wchar_t Chr);
// Every occurrence of Srch replaced, left to right, case-sensitive; S when Srch is empty.
fw::String ReplaceStr(const fw::String& S, const fw::String& Srch, const fw::String& Replace);
bool SubStrInclude(const fw::String& SubStr, const fw::String& S, bool IgnoreCase);
// ' becomes `, ? becomes I, CR and LF become blanks, then DelRSpace.
fw::String CorrectString(const fw::String& S);
fw::AnsiString MakeStr(char C, int N);
// S padded with C on the left (AddChar) or right (AddCharR) to length N.
fw::AnsiString AddChar(char C, const fw::AnsiString& S, int N);
fw::AnsiString AddCharR(char C, const fw::AnsiString& S, int N);
void acFillString(fw::String& S, int Count, wchar_t Chr);
fw::String acMakeString(wchar_t Chr, int Count);
bool acSameText(const fw::String& S1, const fw::String& S2);
fw::String BoolToStr(bool B);  // "TRUE" / "FALSE"
inline fw::String iff(bool Condition, const fw::String& A, const fw::String& B) { return Condition ? A : B; }
inline fw::TObject* iffo(bool Condition, fw::TObject* A, fw::TObject* B) { return Condition ? A : B; }
inline int iffi(bool Condition, int A, int B) { return Condition ? A : B; }
// Text whose characters hold OEM code-page bytes (0..255), converted through
// the OEM code page; characters above 255 are kept as they are.
fw::String OemToAnsiStr(const fw::String& S);

// ---- Numbers ------------------------------------------------------------------------

// Hexadecimal text (one trailing "H" allowed); 0 for empty text or at the
// first character that is not a hexadecimal digit.
int64_t HexToInt(const fw::String& S);
// Trimmed, "," read as "."; 0 when it does not convert.
double StringToFloat(const fw::String& S);
// True when S holds only digits, signs, "E"/"e" and the decimal separator and
// converts; Value receives the number.
bool IsValidFloat(const fw::String& S, double& Value);
// Numeric text with thousand separators in its integer part when Thousands.
fw::String FormatFloatStr(const fw::String& S, bool Thousands);
int GetCents(double Value);     // Round(Frac(Value) * 100)
double CurRound(double Value);  // Round((Value + 0.000001) * 100) / 100
// Percentage A applied on top of percentage B.
int SumTrans(int A, int B);
int IntToByte(int Value);  // clamped to 0..255
// Min when Value < Min, else the smaller of Value and Max.
int LimitIt(int Value, int Min, int Max);
int CheckLimits(int Value, int Min, int Max);
bool Between(int Value, int Min, int Max);
inline int Maxi(int A, int B) { return A > B ? A : B; }
inline int Mini(int A, int B) { return A < B ? A : B; }
void Changei(int& A, int& B);

// Windows XP (5.1) or later.
bool IsNTFamily();

// ---- Rectangles, points and records --------------------------------------------------

int WidthOf(const fw::TRect& R, bool CheckNegative = false);
int HeightOf(const fw::TRect& R, bool CheckNegative = false);
// False when the rectangles only touch or do not meet, or R is empty.
bool RectIsVisible(const fw::TRect& ParentRect, const fw::TRect& R);
// SmallRect lies in BigRect, its right and bottom edges counted inside.
bool RectInRect(const fw::TRect& BigRect, const fw::TRect& SmallRect);
// The larger Left/Top and the smaller Right/Bottom (possibly empty or inverted).
fw::TRect RectsAnd(const fw::TRect& R1, const fw::TRect& R2);
fw::TRect RotateRect(const fw::TRect& R);  // X and Y swapped
fw::TPoint OffsetPoint(const fw::TPoint& P, int X, int Y);
// A ready background: the caller lies at X, Y in Bmp; no fill colour.
TCacheInfo MakeCacheInfo(fw::TBitmap* Bmp, int X = 0, int Y = 0);
fw::TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result);

}  // namespace skin
