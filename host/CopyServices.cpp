#include "host/CopyServices.h"

#include "framework/rtl/SysUtils.h"
#include "host/CopyFilters.h"

namespace host {

using namespace fw;

namespace {

String ExeFolder(FileServiceContext& context) { return ExtractFilePath(context.ExeName()); }

// A contained file: the executable's folder, the optional sub-folder, the file.
String ContainedFile(FileServiceContext& context, const String& subFolder, const String& file) {
    return IncludeTrailingPathDelimiter(ExeFolder(context) + subFolder) + file;
}

// The path as the ANSI file functions will see it.
String AsAnsiPath(const String& path) { return FromAnsi(ToAnsi(path)); }

bool FileIdentity(const String& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(h, &info) != FALSE;
    CloseHandle(h);
    return ok;
}

String FullPath(const String& path) {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 2, buffer, nullptr);
    return n > 0 && n < MAX_PATH * 2 ? String(buffer, n) : path;
}

// The save dialog, then the copy. False when cancelled; copied tells the outcome.
bool SaveCopy(TSaveDialog& dialog, const String& source, const String& file, bool& copied, String& target) {
    dialog.SetFilter(CopyFilter(file));
    dialog.SetFileName(ExtractFileName(file));
    if (!dialog.Execute()) return false;
    target = dialog.FileName();
    copied = CopyToChosenFile(source, target);
    return true;
}

}  // namespace

bool IsSameFile(const String& a, const String& b) {
    if (AnsiSameText(FullPath(a), FullPath(b))) return true;
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    if (!FileIdentity(a, ia) || !FileIdentity(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

bool CopyToChosenFile(const String& source, const String& target) {
    if (IsSameFile(AsAnsiPath(source), AsAnsiPath(target))) return false;
    return CopyFileA(ToAnsi(source).c_str(), ToAnsi(target).c_str(), FALSE) != FALSE;
}

void ImgCopy(FileServiceContext& context, const String& image) {
    String exe = context.ExeName();
    String source =
        ExtractFilePath(exe) + ChangeFileExt(ExtractFileName(exe), String()) + L"_page_img\\contents\\" + image;
    TSaveDialog& dialog = context.ImageSaveDialog();
    dialog.SetFileName(image);
    if (dialog.Execute()) CopyToChosenFile(source, dialog.FileName());
}

void DocCopy(FileServiceContext& context, const String& document) {
    String source = ExeFolder(context) + document;
    TSaveDialog& dialog = context.FileSaveDialog();
    String filter = DocumentFilter(document);
    if (!filter.empty()) dialog.SetFilter(filter);
    dialog.SetFileName(ExtractFileName(document));
    if (dialog.Execute()) CopyToChosenFile(source, dialog.FileName());
}

void CopyFileAndReport(FileServiceContext& context, const String& subFolder, const String& file) {
    bool copied = false;
    String target;
    if (!SaveCopy(context.FileSaveDialog(), ContainedFile(context, subFolder, file), file, copied, target)) return;
    context.ShowMessage(ExtractFileName(file) + (copied ? kCopySavedMessage : kCopyFailedMessage));
}

void CopyFileModal(FileServiceContext& context, const String& subFolder, const String& file, const String& shownFile) {
    String source = ContainedFile(context, subFolder, file);
    int choice = context.AskOpenOrSave();
    if (choice == IDOK) {
        context.ShellOpen(source, String());
        return;
    }
    if (choice != IDYES) return;
    bool copied = false;
    String target;
    if (!SaveCopy(context.FileSaveDialog(), source, file, copied, target)) return;
    // The book's files are often read-only; the reader's copy should not be.
    if (copied) SetFileAttributesA(ToAnsi(target).c_str(), FILE_ATTRIBUTE_NORMAL);
    context.ShowMessage(shownFile + (copied ? kCopySavedMessage : kCopyFailedMessage));
}

void ShowProgram(FileServiceContext& context, const String& program, const String& parameter) {
    String folder = ExcludeTrailingPathDelimiter(ExeFolder(context));
    context.ShellOpen(L"\"" + folder + L"\\" + program + L"\"", L"\"" + parameter + L"\"");
}

}  // namespace host
