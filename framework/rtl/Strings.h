// Text types. Inside the program text is UTF-16; 8-bit text appears only at
// file and operating-system boundaries, always in the system's ANSI code page.
#pragma once

#include <string>

namespace fw {

using String = std::wstring;  // UTF-16, as every Win32 "W" function takes it
using UnicodeString = std::wstring;
using AnsiString = std::string;  // bytes in the ANSI code page (CP_ACP)

// Conversions through CP_ACP; characters the code page lacks become '?'.
AnsiString ToAnsi(const String& s);
String FromAnsi(const AnsiString& s);

// UTF-8 is used only where a library asks for it (TagLib's C binding).
std::string ToUtf8(const String& s);
String FromUtf8(const std::string& s);

}  // namespace fw
