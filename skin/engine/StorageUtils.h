// Single values, string lists, fonts and form placements kept in INI files
// and in the registry, in fixed key layouts. The file forms open the file for
// the one call (TIniFile writes at once); the ini forms work on a TMemIniFile
// that the caller loads and saves. File and registry errors are the
// framework's and propagate; the objects made for one call are always freed.
//
// Integer rule: a value read as text; empty or absent gives Default, text
// that is not an integer gives -1.
// List layout: Ident+"Count", then Ident+"Item0", Ident+"Item1", ...
// Font layout: Ident+"_Color", "_Name", "_Size", "_Bold", "_Italic",
// "_Underline", "_StrikeOut" (styles as "1"/"0").
// Placement layout, in the section named after the form: "Left", "Top",
// "Width", "Height" (normal state only) and "State" (0, 1, 2).
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"

namespace fw {
class TStrings;
class TMemIniFile;
class TFont;
class TForm;
}  // namespace fw

namespace skin {

fw::String ReadIniString(const fw::String& Section, const fw::String& Ident, const fw::String& FileName);
fw::String ReadIniString(const fw::String& Section, const fw::String& Ident, fw::TMemIniFile* IniFile);
int ReadIniInteger(const fw::String& Section, const fw::String& Ident, int Default, const fw::String& FileName);
// -1 when IniFile is null.
int ReadIniInteger(const fw::String& Section, const fw::String& Ident, int Default, fw::TMemIniFile* IniFile);

// A count of 0 leaves Items untouched; otherwise Items is cleared and filled
// (a count that is not a number only clears it).
void ReadIniStrings(fw::TStrings* Items, const fw::String& Section, const fw::String& Ident,
                    const fw::String& FileName);
void ReadIniStrings(fw::TStrings* Items, const fw::String& Section, const fw::String& Ident, fw::TMemIniFile* IniFile);

void WriteIniStr(const fw::String& Section, const fw::String& Ident, const fw::String& Value,
                 const fw::String& FileName);
void WriteIniStr(const fw::String& Section, const fw::String& Ident, const fw::String& Value, fw::TMemIniFile* IniFile);

// Items written beyond an earlier, longer list stay in the file. The file
// form saves the file even when writing failed.
void WriteIniStrings(const fw::String& Section, const fw::String& Ident, const fw::String& FileName,
                     fw::TStrings* Items);
void WriteIniStrings(const fw::String& Section, const fw::String& Ident, fw::TStrings* Items, fw::TMemIniFile* IniFile);

void WriteIniFont(const fw::String& Section, const fw::String& Ident, fw::TFont* Font, fw::TMemIniFile* IniFile);
// Colour default 0, size default 8; never removes a style the font has.
void ReadIniFont(const fw::String& Section, const fw::String& Ident, fw::TFont* Font, fw::TMemIniFile* IniFile);

void SaveFormPlacement(fw::TForm* Form, const fw::String& FileName);
// A stored state other than 0, 1 and 2 (or none) leaves the form unchanged.
void RestoreFormPlacement(fw::TForm* Form, const fw::String& FileName);

// The string value Ident of key Section under RootKey; empty when absent.
fw::String ReadRegString(HKEY RootKey, const fw::String& Section, const fw::String& Ident);
// Creates key Section when missing.
void WriteRegString(HKEY RootKey, const fw::String& Section, const fw::String& Ident, const fw::String& Value);
void DeleteRegParam(HKEY RootKey, const fw::String& Section, const fw::String& Ident);
// Under HKEY_CURRENT_USER, as decimal text.
void WriteRegInteger(const fw::String& Section, const fw::String& Ident, int Value);

}  // namespace skin
