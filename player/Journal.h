// One line per call the host makes, appended to the file named by the
// STANDIN_JOURNAL environment variable, so tests can read what the host did.
#pragma once

#include <string>

namespace player {

// Appends "<seq> #<instance> <host window class> <text>" as a UTF-8 line.
// Does nothing when STANDIN_JOURNAL is unset. Each line is written and the file
// closed at once, so nothing is lost if the host dies.
void JournalWrite(int instance, const std::wstring& hostClass, const std::wstring& text);

// Appends one line as it is (the line break is added); what JournalWrite uses,
// and what a program without a host window (the installer) can write with.
void JournalAppendLine(const std::wstring& line);

// A text in double quotes; inner quotes and line breaks are escaped, backslashes
// stay as they are so that Windows paths read naturally.
std::wstring Quoted(const std::wstring& text);

}  // namespace player
