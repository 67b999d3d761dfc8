#include "skin/engine/FileUtils.h"

#include <shellapi.h>

#include <memory>

#include "framework/graphics/Icon.h"
#include "framework/rtl/StringList.h"

namespace skin {

using fw::String;

String NormalDir(const String& Dir) {
    if (Dir.empty()) return Dir;
    if (Dir.back() == L'\\') return Dir;
    if (Dir.back() == L'/') return Dir.substr(0, Dir.size() - 1) + L'\\';
    if (Dir.size() == 1) return Dir + L":\\";
    return Dir + L'\\';
}

String GetAppPath() { return fw::ExtractFilePath(fw::ParamStr(0)); }

String GetAppName() {
    String name = fw::ExtractFileName(fw::ParamStr(0));
    return fw::AnsiLowerCase(fw::ChangeFileExt(name, String()));
}

String GetSystemDir() {
    wchar_t buf[1024];
    UINT n = GetSystemDirectoryW(buf, 1024);
    return n > 0 && n < 1024 ? String(buf, n) : String();
}

String acGetCurrentDir() { return fw::GetCurrentDir(); }

bool acSetCurrentDir(const String& Dir) { return fw::SetCurrentDir(Dir); }

bool acDirExists(const String& Dir) { return fw::DirectoryExists(Dir); }

bool acCreateDir(const String& Dir) { return fw::CreateDir(Dir); }

bool acRemoveDir(const String& Dir) { return fw::RemoveDir(Dir); }

bool acDeleteFile(const String& FileName) { return fw::DeleteFile(FileName); }

bool acCopyFile(const String& Source, const String& Dest, bool FailIfExists) {
    return CopyFileW(Source.c_str(), Dest.c_str(), FailIfExists ? TRUE : FALSE) != 0;
}

DWORD acFileGetAttr(const String& FileName) { return GetFileAttributesW(FileName.c_str()); }

DWORD acFileSetAttr(const String& FileName, DWORD Attr) {
    return SetFileAttributesW(FileName.c_str(), Attr) ? 0 : GetLastError();
}

int acFindFirst(const String& Path, int Attr, fw::TSearchRec& F) { return fw::FindFirst(Path, Attr, F); }

int acFindNext(fw::TSearchRec& F) { return fw::FindNext(F); }

void acFindClose(fw::TSearchRec& F) { fw::FindClose(F); }

HANDLE acFindFirstFile(const String& FileName, WIN32_FIND_DATAW& FindData) {
    return FindFirstFileW(FileName.c_str(), &FindData);
}

bool acFindNextFile(HANDLE FindHandle, WIN32_FIND_DATAW& FindData) { return FindNextFileW(FindHandle, &FindData) != 0; }

static String ExpandName(const String& FileName) {
    if (FileName.empty()) return FileName;
    DWORD n = GetFullPathNameW(FileName.c_str(), 0, nullptr, nullptr);
    if (n == 0) return FileName;
    std::wstring buf(n, L'\0');
    n = GetFullPathNameW(FileName.c_str(), n, buf.data(), nullptr);
    buf.resize(n);
    return buf;
}

int64_t GetFileSize(const String& FileName) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (FileName.empty() || !GetFileAttributesExW(ExpandName(FileName).c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool ValidFileName(const String& FileName) {
    if (FileName.empty()) return false;
    return FileName.find_first_of(L"<>\"|*?/") == String::npos;
}

// The entry the system finds for FileName: its long name (Long) or its 8.3
// alternate name; each falls back to the other when empty.
static String FoundName(const String& FileName, bool Long) {
    if (FileName.empty()) return String();
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(FileName.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return String();
    ::FindClose(h);
    String longName = data.cFileName;
    String shortName = data.cAlternateFileName;
    if (Long) return longName.empty() ? shortName : longName;
    return shortName.empty() ? longName : shortName;
}

String ShortToLongFileName(const String& FileName) { return FoundName(FileName, true); }

String LongToShortFileName(const String& FileName) { return FoundName(FileName, false); }

static String ConvertPath(const String& Path, bool Long) {
    String rest = Path;
    String result;
    for (size_t slash = rest.rfind(L'\\'); slash != String::npos; slash = rest.rfind(L'\\')) {
        result = L'\\' + FoundName(rest, Long) + result;
        rest.resize(slash);
    }
    return rest + result;
}

String ShortToLongPath(const String& Path) { return ConvertPath(Path, true); }

String LongToShortPath(const String& Path) { return ConvertPath(Path, false); }

static bool IsDotName(const String& Name) { return !Name.empty() && Name[0] == L'.'; }

void CopyFiles(const String& Mask, const String& FromDir, const String& ToDir) {
    if (!acDirExists(ToDir)) acCreateDir(ToDir);
    String to = NormalDir(ToDir);
    fw::TSearchRec sr;
    int rc = fw::FindFirst(FromDir + Mask, fw::faAnyFile, sr);
    while (rc == 0) {
        if (!IsDotName(sr.Name) && !(sr.Attr & fw::faVolumeID))
            CopyFileW((FromDir + sr.Name).c_str(), (to + sr.Name).c_str(), FALSE);
        rc = fw::FindNext(sr);
    }
    fw::FindClose(sr);
}

bool ClearDir(const String& Dir, bool DelDir) {
    if (!acDirExists(Dir)) return false;
    bool result = true;
    String dir = NormalDir(Dir);
    fw::TSearchRec sr;
    int rc = fw::FindFirst(dir + L"*.*", fw::faAnyFile, sr);
    while (rc == 0) {
        if (!IsDotName(sr.Name) && !(sr.Attr & fw::faVolumeID)) {
            String path = dir + sr.Name;
            if (sr.Attr & fw::faDirectory) {
                // A linked folder (junction, symbolic link) points outside the
                // tree being cleared: remove the link, never what it points at.
                if (sr.FindData.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                    result = acRemoveDir(path) && result;
                else
                    result = ClearDir(path, DelDir) && result;
            } else {
                if (sr.Attr & fw::faReadOnly) acFileSetAttr(path, FILE_ATTRIBUTE_ARCHIVE);
                result = acDeleteFile(path) && result;
            }
        }
        rc = fw::FindNext(sr);
    }
    fw::FindClose(sr);
    if (DelDir && result && (rc == ERROR_NO_MORE_FILES || rc == ERROR_FILE_NOT_FOUND)) {
        bool bareDrive = Dir.size() == 2 && Dir[1] == L':';
        if (!bareDrive) result = acRemoveDir(Dir) && result;
    }
    return result;
}

void GetDirs(const String& Path, fw::TStrings* List) {
    if (!List) return;
    List->Clear();
    if (!acDirExists(Path)) return;
    fw::TSearchRec sr;
    int rc = fw::FindFirst(NormalDir(Path) + L"*.*", fw::faDirectory, sr);
    while (rc == 0) {
        if ((sr.Attr & fw::faDirectory) && !IsDotName(sr.Name)) List->Add(sr.Name);
        rc = fw::FindNext(sr);
    }
    fw::FindClose(sr);
}

fw::TIcon* GetIconForFile(const String& FileName, UINT Flags) {
    if (FileName.empty() || GetFileAttributesW(FileName.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(FileName.c_str(), 0, &info, sizeof(info), Flags | SHGFI_ICON)) return nullptr;
    if (!info.hIcon) return nullptr;
    auto icon = std::make_unique<fw::TIcon>();
    icon->SetHandle(info.hIcon);
    return icon.release();
}

}  // namespace skin
