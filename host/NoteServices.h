// The reader's notes and the note lists. Notes are written to "TxtData\" on
// the first removable drive from C: to Z: and the movie loads them from
// there itself; lists name the ".txt" files of a folder beside the
// executable. Note and list texts are 8-bit, in the ANSI code page, written
// in text mode (each line feed becomes CR LF).
//
// The file names come from the movie: a name with a path separator, a drive,
// ".." or a device name is refused, so notes stay inside "TxtData\" and a
// list inside its folder. A list's folder is confined the same way to the
// executable's folder and what lies below it; a refused one is answered as a
// missing folder is.
#pragma once

#include <vector>

#include "host/FileServiceContext.h"

namespace host {

inline constexpr wchar_t kNotesFolder[] = L"TxtData\\";

// "function_saveTextFile": "saveSuccess" is "success" only when the whole
// note was written; "fail" without a removable drive, for a refused name, or
// when the file cannot be created or written.
void SaveTextFile(FileServiceContext& context, const String& note, const String& fileName);
// "function_loadTextFile": "loadTxt" the notes folder (such as E:\TxtData\)
// then "loadSuccess" "success"; only "loadSuccess" "fail" without a drive.
void LoadTextFile(FileServiceContext& context);
// "function_searchList": "resultList" each ".txt" entry of the folder
// followed by "@@@", in the file system's order.
void SearchList(FileServiceContext& context, const String& subFolder);
// "function_TxtListSaveToFile": writes "TxtList" + suffix in the folder with
// the names (no extension) of its other ".txt" entries; no answer. A refused
// suffix writes nothing.
void TxtListSaveToFile(FileServiceContext& context, const String& subFolder, const String& suffix);

// The first letter from C to Z whose root is a removable drive, or 0.
wchar_t FindRemovableDrive(FileServiceContext& context);
// A name that stays in its folder: not empty, no "\", "/", ":", "..", and not a device (CON, NUL, COM1...).
bool IsPlainFileName(const String& name);
// A folder below the executable's: relative, each part a plain name ("a\b",
// "a/b/"); separators alone ("", "\") are the executable's folder itself.
// Not absolute, UNC, on a drive, nor through "..".
bool IsFolderBelow(const String& subFolder);
// "&name=a,b&" from the names; "&name&" when there are none.
String NoteListText(const std::vector<String>& names);
// The list file of a folder: every run of three backslashes becomes one.
String NoteListPath(const String& exeFolder, const String& subFolder, const String& suffix);

}  // namespace host
