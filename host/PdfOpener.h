// Opening a book's PDF in Acrobat Reader 9 at the place the movie names,
// with the reader's "/A" open parameters. The reader is found through the
// registry or the program-files folder.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

inline constexpr wchar_t kAcrobatMissingMessage[] = L"아크로뱃 뷰어9.0을 설치하셔야 보실 수 있습니다.";
inline constexpr wchar_t kAcrobatNotFoundMessage[] = L"아크로뱃 뷰어를 설치하셔야 보실 수 있습니다.";

// Where the reader may be; the system's by default, a test's own otherwise.
struct AcrobatPlaces {
    // The default value of a key; false when the key does not exist.
    std::function<bool(HKEY root, const String& key, String& value)> ReadDefault;
    // The program-files folder, without a trailing separator.
    std::function<String()> ProgramFiles;
    std::function<bool(const String& path)> FileExists;
};
AcrobatPlaces SystemAcrobatPlaces();

// The first that applies: the current user's Reader 9.0 install path with
// "\AcroRd32.exe"; the classes' Acrobat "Exe" value as it is; the program
// files' "Adobe\Reader 9.0\Reader\AcroRd32.exe" when that file exists.
// Empty when none does.
String FindAcrobatReader(const AcrobatPlaces& places);

// /A "<open parameter>=OpenActions" "<exe folder>\<pdf path>"
String AcrobatParameters(const String& openParameter, const String& exeFolder, const String& pdfPath);

// The "RunPDF" request: the PDF under the executable's folder, opened by the
// reader in that folder. A reader that is missing is reported in a message.
void RunPDF(const String& openParameter, const String& pdfPath, const AcrobatPlaces& places = SystemAcrobatPlaces());

}  // namespace host
