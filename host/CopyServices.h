// The copy and open services of a book's contained files: copies through a
// save dialog (the page images, the documents, any contained file with a
// message after it, or after the download prompt), and programs of the
// executable's folder opened through the shell. Paths reach the file and
// shell functions in the ANSI code page.
#pragma once

#include "host/FileServiceContext.h"

namespace host {

// Shown after the file's name.
inline constexpr wchar_t kCopySavedMessage[] = L" 파일이 저장되었습니다.";
inline constexpr wchar_t kCopyFailedMessage[] = L" 파일 저장 실패\n경로를 확인해 주세요.";

// "function_imgcopy": an image of the page contents folder (the executable's
// name without extension, "_page_img\contents\"); says nothing.
void ImgCopy(FileServiceContext& context, const String& image);
// "function_doccopy": a document by its path under the executable's folder; says nothing.
void DocCopy(FileServiceContext& context, const String& document);
// "function_copyfile": subFolder may be empty (the file is in the
// executable's folder); the outcome is shown after the file's name.
void CopyFileAndReport(FileServiceContext& context, const String& subFolder, const String& file);
// "function_copyfileModal": the download prompt first; open runs the file's
// program, save copies it (a writable copy even of a read-only file) and
// shows the outcome after shownFile, the file as the movie wrote it.
void CopyFileModal(FileServiceContext& context, const String& subFolder, const String& file, const String& shownFile);
// "function_show": the program of the executable's folder, with the parameter, both quoted.
void ShowProgram(FileServiceContext& context, const String& program, const String& parameter);

// True when both name the same existing file, however spelt.
bool IsSameFile(const String& a, const String& b);
// Copies over an existing target. A target that is the source itself is
// refused, so the source is never truncated.
bool CopyToChosenFile(const String& source, const String& target);

}  // namespace host
