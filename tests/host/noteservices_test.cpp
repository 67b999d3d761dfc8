// The reader's notes on the removable drive (E:, mapped as removable in the
// test prefix) and the note lists of a folder beside the executable: the
// bytes on disk, the answers to the movie in their order, and the names
// that are refused because they would leave their folder.
#include "host/NoteServices.h"

#include <gtest/gtest.h>

#include <set>

#include "file_service_context_fake.h"
#include "framework/rtl/SysUtils.h"
#include "service_files.h"

using namespace fw;
using Vars = std::vector<std::pair<String, String>>;

namespace {

std::set<String> SplitSet(String text, const String& separator) {
    std::set<String> items;
    for (size_t at; (at = text.find(separator)) != String::npos; text.erase(0, at + separator.size()))
        items.insert(text.substr(0, at));
    if (!text.empty()) items.insert(text);
    return items;
}

// The notes folder of the test prefix's removable drive.
const std::wstring kNotes = L"E:\\TxtData\\";

class NoteServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 949u) << "the tests run in the Korean ANSI code page";
        ASSERT_EQ(GetDriveTypeA("E:\\"), UINT(DRIVE_REMOVABLE)) << "scripts/test maps E: as a removable drive";
        context.exeName = folder / L"viewer.exe";
    }
    void TearDown() override {
        for (const std::wstring& name : notes) {
            SetFileAttributesW((kNotes + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((kNotes + name).c_str());
            RemoveDirectoryW((kNotes + name).c_str());
        }
    }
    // A note name of this run, removed afterwards.
    std::wstring NoteName(const std::wstring& stem) {
        notes.push_back(stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L".txt");
        return notes.back();
    }

    ScratchFolder folder{L"notes"};
    FakeFileServiceContext context;
    std::vector<std::wstring> notes;
};

}  // namespace

TEST_F(NoteServicesTest, ANoteIsWrittenInTheAnsiCodePageInTextMode) {
    std::wstring name = NoteName(L"메모");
    const std::wstring note = L"첫 줄\n둘째 줄 2010/05/01 a\\b";
    host::SaveTextFile(context, note, name);
    EXPECT_EQ(context.variables, (Vars{{L"saveSuccess", L"success"}}));
    // Each line feed became CR LF; the slash is the reader's and stays.
    EXPECT_EQ(ScratchFolder::ReadBytes(kNotes + name), Cp949(L"첫 줄\r\n둘째 줄 2010/05/01 a\\b"));

    // Saving again replaces the whole note.
    host::SaveTextFile(context, L"짧게", name);
    EXPECT_EQ(ScratchFolder::ReadBytes(kNotes + name), Cp949(L"짧게"));
}

TEST_F(NoteServicesTest, ANoteThatCannotBeWrittenAnswersFail) {
    std::wstring busy = NoteName(L"a-folder");
    CreateDirectoryW(kNotes.c_str(), nullptr);  // a fresh drive has no notes folder yet
    ASSERT_TRUE(CreateDirectoryW((kNotes + busy).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::wstring names[] = {
        busy,                               // a folder of that name is there
        L"bad*name.txt",                    // a name the file system refuses
        std::wstring(300, L'x') + L".txt",  // too long
    };
    for (const std::wstring& name : names) {
        context.variables.clear();
        host::SaveTextFile(context, L"note", name);
        EXPECT_EQ(context.variables, (Vars{{L"saveSuccess", L"fail"}})) << name;
    }
}

TEST_F(NoteServicesTest, ANoteNameThatLeavesTheNotesFolderIsRefused) {
    const std::wstring names[] = {
        L"..\\escaped-note.txt",
        L"sub\\note.txt",
        L"sub/note.txt",
        L"E:escaped-note.txt",
        L"C:\\escaped-note.txt",
        L"..",
        L"",
        L"NUL",
        L"con.txt",
        L"COM1",
    };
    for (const std::wstring& name : names) {
        context.variables.clear();
        host::SaveTextFile(context, L"note", name);
        EXPECT_EQ(context.variables, (Vars{{L"saveSuccess", L"fail"}})) << name;
    }
    EXPECT_FALSE(ScratchFolder::Exists(L"E:\\escaped-note.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(L"C:\\escaped-note.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(kNotes + L"sub"));
}

TEST_F(NoteServicesTest, LoadAnswersTheNotesFolderThenSuccess) {
    host::LoadTextFile(context);
    EXPECT_EQ(context.variables, (Vars{{L"loadTxt", L"E:\\TxtData\\"}, {L"loadSuccess", L"success"}}));
}

TEST_F(NoteServicesTest, TheFirstRemovableLetterWins) {
    context.fakeDrives = true;
    struct Case {
        std::map<wchar_t, UINT> drives;
        wchar_t found;
    } cases[] = {
        {{{L'A', DRIVE_REMOVABLE}, {L'C', DRIVE_FIXED}, {L'E', DRIVE_REMOVABLE}, {L'F', DRIVE_REMOVABLE}}, L'E'},
        {{{L'D', DRIVE_CDROM}, {L'F', DRIVE_REMOVABLE}, {L'Z', DRIVE_REMOVABLE}}, L'F'},
        {{{L'Z', DRIVE_REMOVABLE}}, L'Z'},
        {{{L'A', DRIVE_REMOVABLE}, {L'B', DRIVE_REMOVABLE}, {L'C', DRIVE_FIXED}}, 0},  // A and B are not asked
    };
    for (const Case& c : cases) {
        context.drives = c.drives;
        EXPECT_EQ(host::FindRemovableDrive(context), c.found);
    }
}

TEST_F(NoteServicesTest, WithoutARemovableDriveSaveAndLoadAnswerFail) {
    context.fakeDrives = true;
    context.drives = {{L'C', DRIVE_FIXED}, {L'Z', DRIVE_FIXED}};
    host::SaveTextFile(context, L"note", L"never.txt");
    host::LoadTextFile(context);
    EXPECT_EQ(context.variables, (Vars{{L"saveSuccess", L"fail"}, {L"loadSuccess", L"fail"}}));
    EXPECT_FALSE(ScratchFolder::Exists(kNotes + L"never.txt"));
}

TEST_F(NoteServicesTest, SearchListAnswersEveryTextEntryOfTheFolder) {
    folder.Write(L"notes\\a.txt", "a");
    folder.Write(L"notes\\b.txt", "b");
    folder.Write(L"notes\\c.doc", "c");
    folder.Write(L"notes\\h.txt", "h");
    SetFileAttributesW((folder / L"notes\\h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW((folder / L"notes\\d.txt").c_str(), nullptr);  // folders count too

    host::SearchList(context, L"notes");
    ASSERT_EQ(context.variables.size(), 1u);
    EXPECT_EQ(context.variables[0].first, L"resultList");
    const String& list = context.variables[0].second;
    EXPECT_EQ(list.substr(list.size() - 3), L"@@@");
    EXPECT_EQ(SplitSet(list, L"@@@"), (std::set<String>{L"a.txt", L"b.txt", L"d.txt", L"h.txt"}));

    context.variables.clear();
    CreateDirectoryW((folder / L"empty").c_str(), nullptr);
    host::SearchList(context, L"empty");
    host::SearchList(context, L"missing");
    EXPECT_EQ(context.variables, (Vars{{L"resultList", L""}, {L"resultList", L""}}));
}

TEST_F(NoteServicesTest, TheListFileNamesTheOtherNotes) {
    folder.Write(L"notes\\a.txt", "a");
    folder.Write(L"notes\\TxtList1.txt", "old list, much longer than the new one");
    folder.Write(L"notes\\b.txt", "b");
    host::TxtListSaveToFile(context, L"notes", L"1.txt");
    EXPECT_TRUE(context.variables.empty());
    std::string list = ScratchFolder::ReadBytes(folder / L"notes\\TxtList1.txt");
    EXPECT_TRUE(list == "&name=a,b&" || list == "&name=b,a&") << list;

    struct Case {
        std::vector<std::wstring> files;
        std::string list;
    } cases[] = {
        {{}, "&name&"},
        {{L"가나.txt"}, "&name=" + Cp949(L"가나") + "&"},
        {{L"txtlist.txt"}, "&name=txtlist&"},  // "TxtList" is skipped case-sensitively
        {{L"MyTxtList.txt"}, "&name&"},        // anywhere in the name
        {{L"v1.2.txt"}, "&name=v1.2&"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::wstring sub = L"case" + std::to_wstring(n++);
        CreateDirectoryW((folder / sub).c_str(), nullptr);
        for (const std::wstring& f : c.files) folder.Write(sub + L"\\" + f, "x");
        host::TxtListSaveToFile(context, sub, L".txt");
        EXPECT_EQ(ScratchFolder::ReadBytes(folder / (sub + L"\\TxtList.txt")), c.list) << sub;
    }
}

TEST_F(NoteServicesTest, AListSuffixThatLeavesItsFolderWritesNothing) {
    folder.Write(L"deep\\notes\\a.txt", "a");
    const std::wstring suffixes[] = {L"\\..\\..\\escaped.txt", L"/../escaped.txt", L"..txt", L"C:\\escaped.txt"};
    for (const std::wstring& suffix : suffixes) host::TxtListSaveToFile(context, L"deep\\notes", suffix);
    EXPECT_FALSE(ScratchFolder::Exists(folder / L"TxtList\\..\\..\\escaped.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(folder / L"escaped.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(folder / L"deep\\escaped.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(L"C:\\escaped.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(folder / L"deep\\notes\\TxtList..txt"));
}

// The sub-folder of a list request is taken below the executable's folder.
// A form that could name a folder elsewhere is answered as a missing folder
// is: an empty "resultList", and no list file written. A sub-folder of
// separators only is the executable's folder itself.
TEST_F(NoteServicesTest, AListSubFolderStaysBelowTheExecutablesFolder) {
    context.exeName = folder / L"book\\viewer.exe";
    folder.Write(L"secret.txt", "outside");
    folder.Write(L"outside\\other.txt", "outside");
    folder.Write(L"book\\top.txt", "t");
    folder.Write(L"book\\notes\\a.txt", "a");
    folder.Write(L"book\\deep\\notes\\b.txt", "b");
    const std::wstring noDrive = folder.Path().substr(2);  // \...\kvb-notes-N\ (rooted, no drive)

    struct Case {
        std::wstring sub;
        std::set<String> found;   // empty: answered as a missing folder
        std::wstring listFolder;  // where TxtList1.txt lands, below folder; empty: nowhere
    } cases[] = {
        {L"notes", {L"a.txt"}, L"book\\notes\\"},
        {L"deep\\notes", {L"b.txt"}, L"book\\deep\\notes\\"},
        {L"deep/notes/", {L"b.txt"}, L"book\\deep\\notes\\"},
        {L"\\", {L"top.txt"}, L"book\\"},
        {L"", {L"top.txt"}, L"book\\"},
        // ".." anywhere
        {L"..", {}, L""},
        {L"..\\", {}, L""},
        {L"../outside", {}, L""},
        {L"notes\\..\\..", {}, L""},
        {L"notes/../../outside", {}, L""},
        {L"notes\\...\\..", {}, L""},
        // a drive
        {L"E:\\TxtData", {}, L""},
        {L"E:TxtData", {}, L""},
        {folder.Path().substr(0, 2) + noDrive + L"outside", {}, L""},
        // an absolute path
        {noDrive + L"outside", {}, L""},
        {L"/" + noDrive.substr(1) + L"outside", {}, L""},
        {L"\\notes", {}, L""},
        // a UNC or device path
        {L"\\\\localhost\\C$", {}, L""},
        {L"//localhost/C$", {}, L""},
        {L"\\\\?\\" + folder.Path() + L"outside", {}, L""},
        {L"\\\\.\\C:", {}, L""},
        // a device name
        {L"notes\\CON", {}, L""},
    };
    const std::wstring escapes[] = {folder / L"TxtList1.txt", folder / L"outside\\TxtList1.txt",
                                    kNotes + L"TxtList1.txt", L"C:\\TxtList1.txt"};
    for (const Case& c : cases) {
        SCOPED_TRACE(ToAnsi(c.sub));
        context.variables.clear();
        host::SearchList(context, c.sub);
        ASSERT_EQ(context.variables.size(), 1u);
        EXPECT_EQ(context.variables[0].first, L"resultList");
        EXPECT_EQ(SplitSet(context.variables[0].second, L"@@@"), c.found);

        host::TxtListSaveToFile(context, c.sub, L"1.txt");
        EXPECT_TRUE(context.variables.size() == 1u);  // no answer
        if (!c.listFolder.empty()) {
            const std::wstring list = folder / (c.listFolder + L"TxtList1.txt");
            EXPECT_TRUE(ScratchFolder::Exists(list));
            DeleteFileW(list.c_str());
        }
        for (const std::wstring& escaped : escapes) {
            EXPECT_FALSE(ScratchFolder::Exists(escaped)) << ToAnsi(escaped);
            DeleteFileW(escaped.c_str());
        }
    }
}

TEST(NoteServices, ListPathAndListText) {
    struct PathCase {
        const wchar_t *sub, *suffix, *path;
    } paths[] = {
        {L"notes", L"1.txt", L"C:\\book\\notes\\TxtList1.txt"},
        {L"\\", L"1.txt", L"C:\\book\\TxtList1.txt"},  // three backslashes become one
        {L"notes\\", L"1.txt", L"C:\\book\\notes\\\\TxtList1.txt"},
        {L"a\\\\\\b", L"", L"C:\\book\\a\\b\\TxtList"},
    };
    for (const PathCase& c : paths) EXPECT_EQ(host::NoteListPath(L"C:\\book", c.sub, c.suffix), c.path) << c.sub;

    EXPECT_EQ(host::NoteListText({}), L"&name&");
    EXPECT_EQ(host::NoteListText({L"first"}), L"&name=first&");
    EXPECT_EQ(host::NoteListText({L"first", L"second"}), L"&name=first,second&");
}
