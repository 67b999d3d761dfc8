// The Flash player installer that travels at the end of the viewer's own
// executable: its bytes, then its length in 4 bytes, big-endian. Start-up
// writes it to "<system drive>\temp\flash10.exe", runs it, waits for it and
// deletes it. A missing or damaged trailer is no installer: nothing runs and
// start-up goes on.
#pragma once

#include <cstdint>

#include "framework/rtl/Strings.h"

namespace host {

using fw::AnsiString;
using fw::String;

// The first two characters of the Windows system folder (its drive) and
// "\temp", created when missing (a failure, such as an existing folder, is
// ignored).
AnsiString MakeTempFolder();
// MakeTempFolder() and "\flash10.exe".
AnsiString InstallerTempPath();

// Where the installer starts in a file of FileSize bytes whose last 4 bytes
// read Length (big-endian): only 0 < Length <= FileSize - 4 is accepted.
// False for anything else; the caller still checks the executable header.
bool InstallerOffset(uint64_t FileSize, uint32_t Length, uint64_t& Offset);

// Copies the installer appended to ExePath into Target. False, with nothing
// left at Target, when the file cannot be read, the trailer is out of bounds,
// the bytes do not start with an executable header ("MZ"), or Target cannot
// be written.
bool ExtractInstaller(const AnsiString& ExePath, const AnsiString& Target);

// Runs the program at Path and waits for it without a time limit. False when
// it cannot be started. An exit code of STILL_ACTIVE shows the message
// "Process is still active\n".
bool RunInstaller(const AnsiString& Path);

// The whole installation from the application's executable: extract, run,
// wait, delete. Never raises; reports nothing else to the user.
void InstallFlashPlayer();

}  // namespace host
