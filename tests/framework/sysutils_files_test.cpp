// File search, folder helpers and OS error text on a real folder tree made
// under the temporary folder.
#include "framework/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace fw;

namespace {

class TempTree : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = IncludeTrailingPathDelimiter(temp) + L"rtl_" + IntToStr(GetCurrentProcessId()) + L"_" +
                IntToStr(GetTickCount()) + L"\\";
        ASSERT_TRUE(ForceDirectories(root_));
    }

    void TearDown() override { RemoveTree(ExcludeTrailingPathDelimiter(root_)); }

    void MakeFile(const String& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL, const char* content = "") {
        HANDLE h = CreateFileW((root_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written;
        WriteFile(h, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
        CloseHandle(h);
        if (attributes != FILE_ATTRIBUTE_NORMAL) SetAttributes(name, attributes);
    }

    void SetAttributes(const String& name, DWORD attributes) {
        ASSERT_TRUE(SetFileAttributesW((root_ + name).c_str(), attributes));
        ASSERT_EQ(GetFileAttributesW((root_ + name).c_str()) & attributes, attributes)
            << "the file system keeps no DOS attributes";
    }

    std::set<String> Find(const String& pattern, int attr) {
        std::set<String> names;
        TSearchRec sr;
        int r = FindFirst(root_ + pattern, attr, sr);
        while (r == 0) {
            names.insert(sr.Name);
            r = FindNext(sr);
        }
        EXPECT_EQ(r, ERROR_NO_MORE_FILES);
        FindClose(sr);
        return names;
    }

    static void RemoveTree(const String& dir) {
        TSearchRec sr;
        for (int r = FindFirst(dir + L"\\*", faAnyFile, sr); r == 0; r = FindNext(sr)) {
            if (sr.Name == L"." || sr.Name == L"..") continue;
            String path = dir + L"\\" + sr.Name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (sr.Attr & faDirectory)
                RemoveTree(path);
            else
                DeleteFile(path);
        }
        FindClose(sr);
        RemoveDir(dir);
    }

    String root_;
};

TEST_F(TempTree, FindFirstMatchesOnlyWithinTheRequestedAttributes) {
    MakeFile(L"plain.txt", FILE_ATTRIBUTE_NORMAL, "12345");
    MakeFile(L"readonly.txt", FILE_ATTRIBUTE_READONLY);
    MakeFile(L"archive.txt", FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(L"hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(L"system.txt", FILE_ATTRIBUTE_SYSTEM);
    MakeFile(L"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(L"녹음 메모.txt");
    MakeFile(L"other.dat");
    ASSERT_TRUE(CreateDir(root_ + L"folder.txt"));

    const std::set<String> normal = {L"plain.txt", L"readonly.txt", L"archive.txt", L"녹음 메모.txt"};
    auto with = [&](std::initializer_list<const wchar_t*> more) {
        std::set<String> s = normal;
        for (auto m : more) s.insert(m);
        return s;
    };
    EXPECT_EQ(Find(L"*.txt", 0), normal);
    EXPECT_EQ(Find(L"*.txt", faReadOnly | faArchive), normal);
    EXPECT_EQ(Find(L"*.txt", faHidden), with({L"hidden.txt"}));
    EXPECT_EQ(Find(L"*.txt", faSysFile), with({L"system.txt"}));
    EXPECT_EQ(Find(L"*.txt", faHidden | faSysFile), with({L"hidden.txt", L"system.txt", L"both.txt"}));
    EXPECT_EQ(Find(L"*.txt", faDirectory), with({L"folder.txt"}));
    EXPECT_EQ(Find(L"*.txt", faAnyFile), with({L"hidden.txt", L"system.txt", L"both.txt", L"folder.txt"}));
    EXPECT_EQ(Find(L"*", faAnyFile).size(), 11u);  // nine entries, "." and ".."
}

TEST_F(TempTree, SearchRecordDescribesTheEntry) {
    MakeFile(L"data.bin", FILE_ATTRIBUTE_NORMAL, "12345");
    ASSERT_TRUE(CreateDir(root_ + L"dir"));

    TSearchRec sr;
    ASSERT_EQ(FindFirst(root_ + L"data.bin", faAnyFile, sr), 0);
    EXPECT_EQ(sr.Name, L"data.bin");
    EXPECT_EQ(sr.Size, 5);
    EXPECT_FALSE(sr.Attr & faDirectory);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ((static_cast<unsigned>(sr.Time) >> 25) + 1980, now.wYear);  // DOS date in the high word
    EXPECT_EQ(FindNext(sr), ERROR_NO_MORE_FILES);
    FindClose(sr);
    FindClose(sr);  // a second close is harmless

    ASSERT_EQ(FindFirst(root_ + L"dir", faDirectory, sr), 0);
    EXPECT_TRUE(sr.Attr & faDirectory);
    FindClose(sr);
    // A folder is not found without faDirectory: the search reports no file.
    EXPECT_EQ(FindFirst(root_ + L"dir", 0, sr), ERROR_NO_MORE_FILES);
    EXPECT_EQ(sr.FindHandle, INVALID_HANDLE_VALUE);

    EXPECT_EQ(FindFirst(root_ + L"*.none", faAnyFile, sr), ERROR_FILE_NOT_FOUND);
    FindClose(sr);
    EXPECT_NE(FindFirst(root_ + L"missing\\*.txt", faAnyFile, sr), 0);
    FindClose(sr);
    EXPECT_EQ(FindNext(sr), ERROR_INVALID_HANDLE);
}

TEST_F(TempTree, FileAndFolderHelpers) {
    MakeFile(L"a.txt");
    EXPECT_TRUE(FileExists(root_ + L"a.txt"));
    EXPECT_FALSE(DirectoryExists(root_ + L"a.txt"));
    EXPECT_FALSE(FileExists(root_ + L"*.txt"));  // a pattern names no file
    EXPECT_FALSE(FileExists(root_ + L"b.txt"));
    EXPECT_FALSE(FileExists(ExcludeTrailingPathDelimiter(root_)));
    EXPECT_TRUE(DirectoryExists(root_));
    EXPECT_TRUE(DeleteFile(root_ + L"a.txt"));
    EXPECT_FALSE(FileExists(root_ + L"a.txt"));
    EXPECT_FALSE(DeleteFile(root_ + L"a.txt"));

    const String deep = root_ + L"x\\책\\z\\";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));  // already there
    EXPECT_THROW(ForceDirectories(L""), EInOutError);
    MakeFile(L"blocker");
    EXPECT_FALSE(ForceDirectories(root_ + L"blocker\\sub"));

    const String saved = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(root_ + L"x"));
    EXPECT_TRUE(AnsiSameText(IncludeTrailingPathDelimiter(GetCurrentDir()), root_ + L"x\\"));
    // A short relative name is made in the current folder, not skipped.
    EXPECT_TRUE(ForceDirectories(L"ab"));
    EXPECT_TRUE(DirectoryExists(root_ + L"x\\ab"));
    EXPECT_FALSE(SetCurrentDir(root_ + L"missing"));
    ASSERT_TRUE(SetCurrentDir(saved));
}

TEST(SysErrorMessage, SystemTextWithoutTrailingDotOrBreak) {
    String text = SysErrorMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_GT(text.back(), L' ');
    EXPECT_EQ(text.find(L'\n'), String::npos);
}

TEST(SysErrorMessage, RaiseLastOSErrorCarriesCodeAndText) {
    try {
        SetLastError(ERROR_ACCESS_DENIED);
        RaiseLastOSError();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(e.Message, L"System Error.  Code: 5.\r\n" + SysErrorMessage(ERROR_ACCESS_DENIED));
        EXPECT_EQ(e.ClassName(), L"EOSError");
    }
    try {
        RaiseLastOSError(0);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, L"A call to an OS function failed");
    }
}

}  // namespace
