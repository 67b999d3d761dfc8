// File and folder helpers of the skinning library: path normalising, the
// executable's and system's folders, thin wide-character wrappers of the
// file functions that answer with a Boolean or a number (never raise),
// short/long name conversion, copying files by mask, clearing folders and
// the shell icon of a file. The skin loaders and the packed-skin routines
// build every path with NormalDir.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/rtl/Strings.h"
#include "framework/rtl/SysUtils.h"

namespace fw {
class TStrings;
class TIcon;
}  // namespace fw

namespace skin {

// Dir with a trailing backslash: "" stays "", "C" becomes "C:\", a final "/"
// becomes "\", a Dir already ending in "\" is returned unchanged.
fw::String NormalDir(const fw::String& Dir);

// Folder of the running executable, with a trailing backslash.
fw::String GetAppPath();
// File name of the running executable without folder and extension, lower case.
fw::String GetAppName();
fw::String GetSystemDir();
fw::String acGetCurrentDir();
bool acSetCurrentDir(const fw::String& Dir);

bool acDirExists(const fw::String& Dir);
// One level only: the parent must exist.
bool acCreateDir(const fw::String& Dir);
// The folder must be empty.
bool acRemoveDir(const fw::String& Dir);
bool acDeleteFile(const fw::String& FileName);
bool acCopyFile(const fw::String& Source, const fw::String& Dest, bool FailIfExists);
// GetFileAttributesW: INVALID_FILE_ATTRIBUTES (0xFFFFFFFF) on failure.
DWORD acFileGetAttr(const fw::String& FileName);
// 0 on success, else the system error code.
DWORD acFileSetAttr(const fw::String& FileName, DWORD Attr);

// The framework's FindFirst/FindNext/FindClose: 0 on success, else the error.
int acFindFirst(const fw::String& Path, int Attr, fw::TSearchRec& F);
int acFindNext(fw::TSearchRec& F);
void acFindClose(fw::TSearchRec& F);
// FindFirstFileW / FindNextFileW.
HANDLE acFindFirstFile(const fw::String& FileName, WIN32_FIND_DATAW& FindData);
bool acFindNextFile(HANDLE FindHandle, WIN32_FIND_DATAW& FindData);

// Size in bytes of the file named by the expanded name, -1 when not found.
// Inside namespace skin it hides the Win32 GetFileSize(HANDLE, DWORD*): call
// that one as ::GetFileSize.
int64_t GetFileSize(const fw::String& FileName);
// Not empty and free of < > " | * ? and "/" (backslash and colon are allowed).
bool ValidFileName(const fw::String& FileName);

// The found entry's long (or short) name, without folder; empty when not found.
fw::String ShortToLongFileName(const fw::String& FileName);
fw::String LongToShortFileName(const fw::String& FileName);
// Every component of Path converted, from the last to the first.
fw::String ShortToLongPath(const fw::String& Path);
fw::String LongToShortPath(const fw::String& Path);

// Copies the entries FromDir + Mask (FromDir ends in a backslash) into ToDir,
// creating ToDir (one level) and overwriting; failures of single copies are ignored.
void CopyFiles(const fw::String& Mask, const fw::String& FromDir, const fw::String& ToDir);
// Deletes everything inside Dir (read-only files too), and Dir itself when
// DelDir (never a bare drive). True when everything succeeded; False when Dir
// does not exist.
bool ClearDir(const fw::String& Dir, bool DelDir);
// List cleared, then the names of Path's sub-folders (names starting with "." skipped).
void GetDirs(const fw::String& Path, fw::TStrings* List);
// A new icon with the shell's icon of the file (SHGetFileInfoW with Flags |
// SHGFI_ICON); nullptr when the file does not exist or has none. The caller frees it.
fw::TIcon* GetIconForFile(const fw::String& FileName, UINT Flags);

}  // namespace skin
