#include "host/PdfOpener.h"

#include <shellapi.h>
#include <shlobj.h>

#include "framework/rtl/Registry.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Dialogs.h"

namespace host {

using namespace fw;

namespace {

// True when the key opens; a missing value, or one that is not text, reads as "".
bool ReadDefaultValue(HKEY root, const String& key, String& value) {
    TRegistry reg(KEY_READ);
    reg.SetRootKey(root);
    if (!reg.OpenKeyReadOnly(key)) return false;
    try {
        value = reg.ReadString(L"");
    } catch (const ERegistryException&) {
        value.clear();
    }
    return true;
}

String ProgramFilesFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path))) return String();
    return FromAnsi(path);
}

void ShowInformation(const String& text) { MessageDlg(text, mtInformation, TMsgDlgButtons{mbOK}); }

}  // namespace

AcrobatPlaces SystemAcrobatPlaces() {
    AcrobatPlaces places;
    places.ReadDefault = ReadDefaultValue;
    places.ProgramFiles = ProgramFilesFolder;
    places.FileExists = [](const String& path) { return fw::FileExists(path); };
    return places;
}

String FindAcrobatReader(const AcrobatPlaces& places) {
    String value;
    if (places.ReadDefault(HKEY_CURRENT_USER, L"Software\\Adobe\\Acrobat Reader\\9.0\\InstallPath", value))
        return value + L"\\AcroRd32.exe";
    if (places.ReadDefault(HKEY_CLASSES_ROOT, L"Software\\Adobe\\Acrobat\\Exe", value)) return value;
    String folder = places.ProgramFiles();
    if (folder.empty()) return String();
    String reader = folder + L"\\Adobe\\Reader 9.0\\Reader\\AcroRd32.exe";
    return places.FileExists(reader) ? reader : String();
}

String AcrobatParameters(const String& openParameter, const String& exeFolder, const String& pdfPath) {
    return L"/A \"" + openParameter + L"=OpenActions\" \"" + exeFolder + L"\\" + pdfPath + L"\"";
}

void RunPDF(const String& openParameter, const String& pdfPath, const AcrobatPlaces& places) {
    String reader = FindAcrobatReader(places);
    if (reader.empty()) {
        ShowInformation(kAcrobatMissingMessage);
        return;
    }
    String exeFolder = ExcludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName()));
    String parameters = AcrobatParameters(openParameter, exeFolder, pdfPath);
    SetCurrentDir(exeFolder);
    INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(
        nullptr, "open", ToAnsi(reader).c_str(), ToAnsi(parameters).c_str(), ToAnsi(exeFolder).c_str(), SW_SHOWNORMAL));
    if (result == SE_ERR_FNF) ShowInformation(kAcrobatNotFoundMessage);
}

}  // namespace host
