// Path and file helpers on a private temporary tree; nothing outside it is touched.
#include "skin/engine/FileUtils.h"

#include <gtest/gtest.h>

#include <memory>

#include "EngineTestFiles.h"
#include "framework/graphics/Icon.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

using namespace skin;
using fw::String;

namespace {

// A fresh folder under the temporary folder, removed with everything in it.
class FileUtilsTest : public ::testing::Test {
protected:
    void MakeFile(const String& name, const std::string& content = "data") {
        HANDLE h = CreateFileW((root_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        DWORD done = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &done, nullptr);
        CloseHandle(h);
    }
    void MakeDir(const String& name) { ASSERT_TRUE(CreateDirectoryW((root_ + name).c_str(), nullptr)) << name; }
    bool Exists(const String& name) const {
        return GetFileAttributesW((root_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    enginetest::TempDir dir_{L"kfu"};
    const String root_ = dir_.Path() + L"\\";
};

TEST(NormalDir, EndsEveryDirInOneBackslash) {
    struct Case {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"C", L"C:\\"},
        {L"C:\\dir/", L"C:\\dir\\"},
        {L"C:/a/dir", L"C:/a/dir\\"},  // only a final slash is replaced
        {L"C:\\dir\\", L"C:\\dir\\"},
        {L"", L""},
        {L"C:", L"C:\\"},
        {L"rel", L"rel\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalDir(c.in), c.out) << c.in;
}

TEST(ValidFileName, RejectsWildcardsAndSlashes) {
    struct Case {
        const wchar_t* name;
        bool valid;
    } cases[] = {
        {L"a:\\b.txt", true}, {L"a?.txt", false}, {L"", false},    {L"a*b", false}, {L"a<b", false},
        {L"a>b", false},      {L"a\"b", false},   {L"a|b", false}, {L"a/b", false}, {L"\xD55C\xAE00.txt", true},
    };
    for (const Case& c : cases) EXPECT_EQ(ValidFileName(c.name), c.valid) << c.name;
}

TEST(AppPaths, ExecutableFolderAndName) {
    String exe = fw::ParamStr(0);
    EXPECT_EQ(GetAppPath(), fw::ExtractFilePath(exe));
    EXPECT_EQ(GetAppPath().back(), L'\\');
    EXPECT_EQ(GetAppName(), L"skin_engine_tests");
    EXPECT_TRUE(acDirExists(GetSystemDir()));
    EXPECT_FALSE(acGetCurrentDir().empty());
}

TEST_F(FileUtilsTest, FolderAndFileWrappersAnswerWithResults) {
    String saved = acGetCurrentDir();
    EXPECT_TRUE(acSetCurrentDir(root_));
    EXPECT_EQ(NormalDir(acGetCurrentDir()), root_);
    EXPECT_TRUE(acSetCurrentDir(saved));
    EXPECT_FALSE(acSetCurrentDir(root_ + L"missing"));

    EXPECT_TRUE(acCreateDir(root_ + L"one"));
    EXPECT_FALSE(acCreateDir(root_ + L"one")) << "already there";
    EXPECT_FALSE(acCreateDir(root_ + L"x\\y")) << "one level only";
    EXPECT_TRUE(acDirExists(root_ + L"one"));
    EXPECT_FALSE(acDirExists(L""));

    MakeFile(L"one\\f.txt", "12345");
    EXPECT_FALSE(acRemoveDir(root_ + L"one")) << "not empty";
    EXPECT_EQ(GetFileSize(root_ + L"one\\f.txt"), 5);
    EXPECT_EQ(GetFileSize(root_ + L"one\\..\\one\\f.txt"), 5) << "the expanded name";
    EXPECT_EQ(GetFileSize(root_ + L"none.txt"), -1);

    EXPECT_TRUE(acCopyFile(root_ + L"one\\f.txt", root_ + L"g.txt", true));
    EXPECT_FALSE(acCopyFile(root_ + L"one\\f.txt", root_ + L"g.txt", true));
    EXPECT_TRUE(acCopyFile(root_ + L"one\\f.txt", root_ + L"g.txt", false));

    EXPECT_EQ(acFileSetAttr(root_ + L"g.txt", FILE_ATTRIBUTE_READONLY), 0u);
    EXPECT_TRUE(acFileGetAttr(root_ + L"g.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(acFileSetAttr(root_ + L"none.txt", FILE_ATTRIBUTE_NORMAL), 0u);
    EXPECT_EQ(acFileGetAttr(root_ + L"none.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(acFileSetAttr(root_ + L"g.txt", FILE_ATTRIBUTE_NORMAL), 0u);

    EXPECT_TRUE(acDeleteFile(root_ + L"one\\f.txt"));
    EXPECT_FALSE(acDeleteFile(root_ + L"one\\f.txt"));
    EXPECT_TRUE(acRemoveDir(root_ + L"one"));
}

TEST_F(FileUtilsTest, SearchHelpers) {
    MakeFile(L"a.bmp");
    MakeFile(L"b.bmp");
    MakeFile(L"c.png");
    fw::TSearchRec sr;
    int found = 0;
    for (int rc = acFindFirst(root_ + L"*.bmp", fw::faAnyFile, sr); rc == 0; rc = acFindNext(sr)) ++found;
    acFindClose(sr);
    EXPECT_EQ(found, 2);

    WIN32_FIND_DATAW fd;
    HANDLE h = acFindFirstFile(root_ + L"*.png", fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(fd.cFileName, L"c.png");
    EXPECT_FALSE(acFindNextFile(h, fd));
    FindClose(h);
}

TEST_F(FileUtilsTest, ClearDirRemovesReadOnlyFilesAndSubFolders) {
    MakeDir(L"victim");
    MakeFile(L"victim\\ro.txt");
    ASSERT_TRUE(SetFileAttributesW((root_ + L"victim\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    MakeDir(L"victim\\sub");
    MakeFile(L"victim\\sub\\inner.txt");
    MakeFile(L"keep.txt");  // beside the folder: must survive

    EXPECT_TRUE(ClearDir(root_ + L"victim", true));
    EXPECT_FALSE(Exists(L"victim"));
    EXPECT_TRUE(Exists(L"keep.txt"));
}

TEST_F(FileUtilsTest, ClearDirWithoutDelDirKeepsTheFolderTree) {
    MakeDir(L"v");
    MakeFile(L"v\\f.txt");
    MakeDir(L"v\\sub");
    MakeFile(L"v\\sub\\g.txt");
    EXPECT_TRUE(ClearDir(root_ + L"v\\", false));
    EXPECT_TRUE(Exists(L"v"));
    EXPECT_TRUE(Exists(L"v\\sub")) << "sub-folders are emptied, not removed";
    EXPECT_FALSE(Exists(L"v\\f.txt"));
    EXPECT_FALSE(Exists(L"v\\sub\\g.txt"));

    EXPECT_FALSE(ClearDir(root_ + L"missing", true));
    EXPECT_FALSE(ClearDir(L"", true)) << "never the current folder";
}

TEST_F(FileUtilsTest, ClearDirReportsAFileItCannotDelete) {
    MakeDir(L"busy");
    MakeFile(L"busy\\open.txt");
    MakeFile(L"busy\\other.txt");
    HANDLE h = CreateFileW((root_ + L"busy\\open.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ClearDir(root_ + L"busy", true));
    CloseHandle(h);
    EXPECT_TRUE(Exists(L"busy")) << "the folder stays when something inside failed";
    EXPECT_FALSE(Exists(L"busy\\other.txt"));
}

TEST_F(FileUtilsTest, CopyFilesCreatesTheTargetAndOverwrites) {
    MakeDir(L"from");
    MakeFile(L"from\\a.bmp", "new");
    MakeFile(L"from\\b.bmp", "bbb");
    MakeFile(L"from\\c.txt", "ccc");
    MakeDir(L"from\\dir.bmp");
    MakeDir(L"to");
    MakeFile(L"to\\a.bmp", "old-content");

    CopyFiles(L"*.bmp", root_ + L"from\\", root_ + L"to");
    EXPECT_EQ(GetFileSize(root_ + L"to\\a.bmp"), 3) << "overwritten";
    EXPECT_TRUE(Exists(L"to\\b.bmp"));
    EXPECT_FALSE(Exists(L"to\\c.txt"));
    EXPECT_FALSE(Exists(L"to\\dir.bmp")) << "folders are not copied";

    CopyFiles(L"*.txt", root_ + L"from\\", root_ + L"new/");
    EXPECT_TRUE(Exists(L"new\\c.txt"));
}

TEST_F(FileUtilsTest, GetDirsListsSubFoldersOnly) {
    MakeDir(L"p");
    MakeDir(L"p\\alpha");
    MakeDir(L"p\\beta");
    MakeDir(L"p\\.hidden");
    MakeFile(L"p\\file.txt");
    fw::TStringList list;
    list.Add(L"stale");
    GetDirs(root_ + L"p", &list);
    list.Sort();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], L"alpha");
    EXPECT_EQ(list[1], L"beta");
    GetDirs(root_ + L"missing", &list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(FileUtilsTest, ShortAndLongNamesRoundTrip) {
    MakeDir(L"Long Folder Name");
    MakeFile(L"Long Folder Name\\A long file name.text");
    MakeFile(L"SHORT.TXT");
    String longPath = root_ + L"Long Folder Name\\A long file name.text";

    EXPECT_EQ(ShortToLongFileName(longPath), L"A long file name.text");
    EXPECT_EQ(LongToShortFileName(root_ + L"SHORT.TXT"), L"SHORT.TXT") << "already 8.3";
    EXPECT_EQ(LongToShortFileName(root_ + L"none.txt"), L"");
    EXPECT_EQ(ShortToLongFileName(root_ + L"none.txt"), L"");

    String shortPath = LongToShortPath(longPath);
    EXPECT_NE(shortPath.find(L':'), String::npos);
    EXPECT_EQ(shortPath.find(L"Long Folder Name"), String::npos) << shortPath;
    EXPECT_EQ(GetFileSize(shortPath), 4) << "the short path names the same file";
    EXPECT_TRUE(fw::SameText(ShortToLongPath(shortPath), longPath)) << ShortToLongPath(shortPath);

    String caller = shortPath;
    ShortToLongPath(caller);
    EXPECT_EQ(caller, shortPath) << "the caller's text is never changed";
}

TEST_F(FileUtilsTest, IconForAFile) {
    MakeFile(L"doc.txt");
    std::unique_ptr<fw::TIcon> icon(GetIconForFile(root_ + L"doc.txt", SHGFI_SMALLICON));
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(icon->Handle(), nullptr);
    EXPECT_EQ(GetIconForFile(root_ + L"none.txt", SHGFI_SMALLICON), nullptr);
    EXPECT_EQ(GetIconForFile(L"", SHGFI_SMALLICON), nullptr);
}

}  // namespace
