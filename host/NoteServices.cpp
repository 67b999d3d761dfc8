#include "host/NoteServices.h"

#include <cstdio>

#include "framework/rtl/SysUtils.h"

namespace host {

using namespace fw;

namespace {

String ExeFolderNoDelimiter(FileServiceContext& context) {
    return ExcludeTrailingPathDelimiter(ExtractFilePath(context.ExeName()));
}

// Creates or truncates the file in the C run-time's text mode and writes the
// text as 8-bit ANSI. False when the file cannot be created or fully written.
bool WriteAnsiTextFile(const String& path, const String& text) {
    FILE* f = std::fopen(ToAnsi(path).c_str(), "wt");
    if (!f) return false;
    AnsiString bytes = ToAnsi(text);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

// The ".txt" entries of a folder beside the executable, in the file system's
// order; every kind of entry counts, "." and ".." do not.
std::vector<String> TextEntries(FileServiceContext& context, const String& subFolder) {
    std::vector<String> names;
    TSearchRec rec;
    if (FindFirst(ExeFolderNoDelimiter(context) + L"\\" + subFolder + L"\\*.txt", faAnyFile, rec) == 0) {
        do {
            if (rec.Name != L"." && rec.Name != L"..") names.push_back(rec.Name);
        } while (FindNext(rec) == 0);
    }
    FindClose(rec);
    return names;
}

bool IsDeviceName(const String& name) {
    String base = UpperCase(TrimRight(name.substr(0, name.find(L'.'))));
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           base[3] >= L'1' && base[3] <= L'9';
}

}  // namespace

wchar_t FindRemovableDrive(FileServiceContext& context) {
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter)
        if (context.DriveType(String(1, letter) + L":\\") == DRIVE_REMOVABLE) return letter;
    return 0;
}

bool IsPlainFileName(const String& name) {
    if (name.empty() || name.find_first_of(L"\\/:") != String::npos) return false;
    if (name.find(L"..") != String::npos) return false;
    return !IsDeviceName(name);
}

bool IsFolderBelow(const String& subFolder) {
    const wchar_t* separators = L"\\/";
    size_t at = subFolder.find_first_not_of(separators);
    if (at == String::npos) return true;
    if (at > 0) return false;  // rooted, UNC or a device path
    while (at != String::npos) {
        size_t end = subFolder.find_first_of(separators, at);
        if (!IsPlainFileName(subFolder.substr(at, end == String::npos ? String::npos : end - at))) return false;
        at = subFolder.find_first_not_of(separators, end);
    }
    return true;
}

String NoteListText(const std::vector<String>& names) {
    String list = L"&name=";
    for (const String& name : names) list += name + L",";
    list.pop_back();
    return list + L"&";
}

String NoteListPath(const String& exeFolder, const String& subFolder, const String& suffix) {
    return StringReplace(exeFolder + L"\\" + subFolder + L"\\TxtList" + suffix, L"\\\\\\", L"\\", rfReplaceAll);
}

void SaveTextFile(FileServiceContext& context, const String& note, const String& fileName) {
    wchar_t drive = FindRemovableDrive(context);
    if (!drive || !IsPlainFileName(fileName)) {
        context.SetVariable(L"saveSuccess", L"fail");
        return;
    }
    String folder = String(1, drive) + L":\\" + kNotesFolder;
    CreateDir(folder);  // usually there already
    bool written = WriteAnsiTextFile(folder + fileName, note);
    context.SetVariable(L"saveSuccess", written ? L"success" : L"fail");
}

void LoadTextFile(FileServiceContext& context) {
    wchar_t drive = FindRemovableDrive(context);
    if (!drive) {
        context.SetVariable(L"loadSuccess", L"fail");
        return;
    }
    context.SetVariable(L"loadTxt", String(1, drive) + L":\\" + kNotesFolder);
    context.SetVariable(L"loadSuccess", L"success");
}

void SearchList(FileServiceContext& context, const String& subFolder) {
    String result;
    if (IsFolderBelow(subFolder))
        for (const String& name : TextEntries(context, subFolder)) result += name + L"@@@";
    context.SetVariable(L"resultList", result);
}

void TxtListSaveToFile(FileServiceContext& context, const String& subFolder, const String& suffix) {
    // The names are used as the 8-bit file functions would see them.
    String folder = FromAnsi(ToAnsi(subFolder));
    String listSuffix = FromAnsi(ToAnsi(suffix));
    if (!IsFolderBelow(folder) || !IsPlainFileName(L"TxtList" + listSuffix)) return;

    std::vector<String> names;
    for (const String& name : TextEntries(context, folder)) {
        if (name.find(L"TxtList") != String::npos) continue;
        names.push_back(name.substr(0, name.size() - ExtractFileExt(name).size()));
    }
    WriteAnsiTextFile(NoteListPath(ExeFolderNoDelimiter(context), folder, listSuffix), NoteListText(names));
}

}  // namespace host
