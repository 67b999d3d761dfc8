// Finding Acrobat Reader and opening a book's PDF in it: the three places in
// their order (with a test's own registry and files), the command line, and
// the real run through the shell with a stub reader that logs its arguments
// and folder, plus the two messages of a missing reader.
#include "host/PdfOpener.h"

#include <windows.h>
// shlobj.h needs windows.h before it
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Dialogs.h"

using namespace host;
using namespace fw;

namespace {

const wchar_t kUserKey[] = L"Software\\Adobe\\Acrobat Reader\\9.0\\InstallPath";
const wchar_t kClassesKey[] = L"Software\\Adobe\\Acrobat\\Exe";

// Keys by (root, name) and existing files.
struct FakePlaces {
    std::map<std::pair<HKEY, String>, String> keys;
    std::set<String> files;
    String programFiles = L"C:\\Program Files";

    AcrobatPlaces Places() {
        AcrobatPlaces p;
        p.ReadDefault = [this](HKEY root, const String& key, String& value) {
            auto it = keys.find({root, key});
            if (it == keys.end()) return false;
            value = it->second;
            return true;
        };
        p.ProgramFiles = [this] { return programFiles; };
        p.FileExists = [this](const String& f) { return files.count(f) != 0; };
        return p;
    }
};

}  // namespace

TEST(AcrobatLocation, TheFirstPlaceThatAppliesWins) {
    const String programFilesReader = L"C:\\Program Files\\Adobe\\Reader 9.0\\Reader\\AcroRd32.exe";
    FakePlaces f;
    EXPECT_EQ(L"", FindAcrobatReader(f.Places()));  // none
    f.files.insert(programFilesReader);
    EXPECT_EQ(programFilesReader, FindAcrobatReader(f.Places()));
    f.keys[{HKEY_CLASSES_ROOT, kClassesKey}] = L"\"D:\\Acro\\Acrobat.exe\"";
    EXPECT_EQ(L"\"D:\\Acro\\Acrobat.exe\"", FindAcrobatReader(f.Places()));  // used as it is
    f.keys[{HKEY_CURRENT_USER, kUserKey}] = L"E:\\Reader";
    EXPECT_EQ(L"E:\\Reader\\AcroRd32.exe", FindAcrobatReader(f.Places()));
    // A key that exists counts, even with an empty value; no file check.
    f.keys[{HKEY_CURRENT_USER, kUserKey}] = L"";
    EXPECT_EQ(L"\\AcroRd32.exe", FindAcrobatReader(f.Places()));
}

TEST(AcrobatLocation, ProgramFilesOnlyWhenTheFileIsThere) {
    FakePlaces f;
    f.files.insert(L"C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\AcroRd32.exe");
    EXPECT_EQ(L"", FindAcrobatReader(f.Places()));
    f.programFiles = L"";
    EXPECT_EQ(L"", FindAcrobatReader(f.Places()));
}

TEST(AcrobatParameters, OpenActionAndThePdfBesideTheExecutable) {
    EXPECT_EQ(L"/A \"page=5=OpenActions\" \"C:\\Viewer\\manual\\guide.pdf\"",
              AcrobatParameters(L"page=5", L"C:\\Viewer", L"manual\\guide.pdf"));
    // The path is taken as the movie sent it.
    EXPECT_EQ(L"/A \"=OpenActions\" \"C:\\Viewer\\manual/guide.pdf\"",
              AcrobatParameters(L"", L"C:\\Viewer", L"manual/guide.pdf"));
}

namespace {

String ExeFolder() { return ExcludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName())); }

String ScratchFolder() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    String folder = String(dir) + L"kvb-acro-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

String ReadLog(const String& path, DWORD waitMs = 10000) {
    DWORD end = GetTickCount() + waitMs;
    for (;;) {
        std::ifstream in(path.c_str(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        String text = FromUtf8(bytes.str());
        if (text.find(L"end\n") != String::npos || LONG(end - GetTickCount()) <= 0) return text;
        Sleep(50);
    }
}

// The current user's Reader 9.0 key, set for one test and removed after.
struct UserReaderKey {
    explicit UserReaderKey(const String& installPath) {
        HKEY h;
        RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
        RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(installPath.c_str()),
                       static_cast<DWORD>((installPath.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(h);
    }
    ~UserReaderKey() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Adobe"); }
};

}  // namespace

// Sets a key's default value for one test; the key's tree goes afterwards.
struct DefaultValue {
    HKEY root;
    String tree;
    DefaultValue(HKEY root, const String& key, const String& tree, const String& value) : root(root), tree(tree) {
        HKEY h;
        RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
        RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(h);
    }
    ~DefaultValue() { RegDeleteTreeW(root, tree.c_str()); }
};

// The reader registered for the user, registered for the classes (its value
// quoted, as installers write it) and in the program-files folder: each
// starts with the open action, the PDF beside the executable, in that folder.
TEST(RunPDF, StartsTheReaderFromEachPlaceInTheExecutablesFolder) {
    String folder = ScratchFolder();
    String log = folder + L"\\acro.log";
    String stub = ExeFolder() + L"\\logargs.exe";
    char programFiles[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles)));
    String adobe = FromAnsi(programFiles) + L"\\Adobe";
    String programFilesReader = adobe + L"\\Reader 9.0\\Reader";
    ASSERT_TRUE(CopyFileW(stub.c_str(), (folder + L"\\AcroRd32.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(stub.c_str(), (folder + L"\\Acrobat.exe").c_str(), FALSE));
    SetEnvironmentVariableW(L"LOGARGS_LOG", log.c_str());
    DialogSeam::Scope seam;

    for (int place = 0; place < 3; ++place) {
        std::unique_ptr<DefaultValue> key;
        if (place == 0)
            key = std::make_unique<DefaultValue>(HKEY_CURRENT_USER, kUserKey, L"Software\\Adobe", folder);
        else if (place == 1)
            key = std::make_unique<DefaultValue>(HKEY_CLASSES_ROOT, kClassesKey, L"Software\\Adobe",
                                                 L"\"" + folder + L"\\Acrobat.exe\"");
        else {
            SHCreateDirectoryExW(nullptr, programFilesReader.c_str(), nullptr);
            ASSERT_TRUE(CopyFileW(stub.c_str(), (programFilesReader + L"\\AcroRd32.exe").c_str(), FALSE));
        }
        DeleteFileW(log.c_str());
        SetCurrentDir(folder);  // RunPDF moves to the executable's folder itself
        RunPDF(L"page=5", L"manual\\guide.pdf");
        EXPECT_EQ(L"run\ncwd=" + ExeFolder() + L"\narg=/A\narg=page=5=OpenActions\narg=" + ExeFolder() +
                      L"\\manual\\guide.pdf\nend\n",
                  ReadLog(log))
            << place;
        EXPECT_EQ(ExeFolder(), ExcludeTrailingPathDelimiter(GetCurrentDir()));
    }
    SetEnvironmentVariableW(L"LOGARGS_LOG", nullptr);
    DeleteFileW((programFilesReader + L"\\AcroRd32.exe").c_str());
    RemoveDirectoryW(programFilesReader.c_str());
    RemoveDirectoryW((adobe + L"\\Reader 9.0").c_str());
    RemoveDirectoryW(adobe.c_str());
    EXPECT_TRUE(DialogSeam::Log().empty());
}

TEST(RunPDF, AMissingReaderIsReported) {
    struct Row {
        bool registered;
        const wchar_t* message;
    };
    // Registered but its file is gone: the shell's "file not found"; not
    // registered anywhere: the install message.
    const Row rows[] = {{true, kAcrobatNotFoundMessage}, {false, kAcrobatMissingMessage}};
    for (const Row& r : rows) {
        DialogSeam::Scope seam;
        FakePlaces none;
        if (r.registered) {
            UserReaderKey key(ScratchFolder() + L"\\nowhere");
            RunPDF(L"page=1", L"a.pdf");
        } else {
            RunPDF(L"page=1", L"a.pdf", none.Places());
        }
        ASSERT_EQ(1u, DialogSeam::Log().size()) << r.registered;
        EXPECT_EQ(r.message, DialogSeam::Log()[0].Text);
        EXPECT_EQ(int(mtInformation), DialogSeam::Log()[0].DlgType);
        EXPECT_EQ(unsigned(1u << mbOK), DialogSeam::Log()[0].Buttons);
    }
}
