// Copies of a book's contained files through the save dialog (answered by the
// dialog seam), the download prompt's choices, the programs the shell opens,
// and the two filter tables.
#include "host/CopyServices.h"

#include <gtest/gtest.h>

#include <functional>

#include "file_service_context_fake.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/DialogSeam.h"
#include "host/CopyFilters.h"
#include "service_files.h"

using namespace fw;
using Calls = std::vector<std::pair<String, String>>;

namespace {

class CopyServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.exeName = folder / L"viewer.exe";
        context.imageDialog.SetFilter(L"ImageFile|*.jpg,*.bmp");
        context.fileDialog.SetFilter(L"PDF 파일|*.pdf");
        pic = folder.Write(L"viewer_page_img\\contents\\pic.jpg", "\xFF\xD8 picture bytes");
        manual = folder.Write(L"docs\\Manual.PDF", "%PDF manual");
        report = folder.Write(L"docs\\report.HWP", "HWP report");
        top = folder.Write(L"top.hwp", "top-level document");
        CreateDirectoryW((folder / L"out").c_str(), nullptr);
    }

    const DialogSeam::Request& OnlyDialog() {
        EXPECT_EQ(DialogSeam::Log().size(), 1u);
        static DialogSeam::Request none;
        return DialogSeam::Log().empty() ? none : DialogSeam::Log().back();
    }

    ScratchFolder folder{L"copies"};
    DialogSeam::Scope seam;
    FakeFileServiceContext context;
    std::wstring pic, manual, report, top;
};

}  // namespace

TEST(CopyFilters, ByTheLowerCasedExtension) {
    struct Case {
        const wchar_t *file, *copy, *document;
    } cases[] = {
        {L"a.hwp", L"한글 문서 파일|*.hwp", L"한글 파일|*.hwp"},
        {L"A.HWP", L"한글 문서 파일|*.hwp", L"한글 파일|*.hwp"},
        {L"a.doc", L"마이크로소프트 워드 파일|*.doc;*.docx;", L"마이크로소프트 워드 파일|*.doc;*.docx"},
        {L"a.Docx", L"마이크로소프트 워드 파일|*.doc;*.docx;", L"마이크로소프트 워드 파일|*.doc;*.docx"},
        {L"a.xls", L"마이크로소프트 엑셀 파일|*.xls;*.xlsx;", L"마이크로소프트 엑셀 파일|*.xls;*.xlsx"},
        {L"a.xlsx", L"마이크로소프트 엑셀 파일|*.xls;*.xlsx;", L"마이크로소프트 엑셀 파일|*.xls;*.xlsx"},
        {L"a.ppt", L"마이크로소프트 파워포인트 파일|*.ppt;*.pptx;", L"마이크로소프트 파워포인트 파일|*.ppt;*.pptx"},
        {L"a.pptx", L"마이크로소프트 파워포인트 파일|*.ppt;*.pptx;", L"마이크로소프트 파워포인트 파일|*.ppt;*.pptx"},
        {L"a.jpg", L"이미지파일|*.jpg;*.bmp;*.png;", L""},
        {L"a.BMP", L"이미지파일|*.jpg;*.bmp;*.png;", L""},
        {L"a.png", L"이미지파일|*.jpg;*.bmp;*.png;", L""},
        {L"a.swf", L"플래시 파일|*.swf", L""},
        {L"docs\\Manual.PDF", L"PDF 파일|*.pdf", L""},
        {L"a.wmv", L"동영상 파일|*.wmv", L"동영상 파일|*.wmv"},
        {L"a.zip", L"모든 파일|*.*", L""},
        {L"noext", L"모든 파일|*.*", L""},
        {L"dir.hwp\\noext", L"모든 파일|*.*", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host::CopyFilter(c.file), c.copy) << c.file;
        EXPECT_EQ(host::DocumentFilter(c.file), c.document) << c.file;
    }
}

TEST_F(CopyServicesTest, ImgCopyCopiesThePageImageSilently) {
    DialogSeam::PushFileName(folder / L"out\\copy.jpg");
    host::ImgCopy(context, L"pic.jpg");
    EXPECT_EQ(OnlyDialog().Text, L"pic.jpg");
    EXPECT_EQ(OnlyDialog().Filter, L"ImageFile|*.jpg,*.bmp");  // the image dialog keeps its own
    EXPECT_EQ(ScratchFolder::ReadBytes(folder / L"out\\copy.jpg"), ScratchFolder::ReadBytes(pic));

    DialogSeam::PushFileName(folder / L"out\\missing-copy.jpg");
    host::ImgCopy(context, L"missing.jpg");  // a failed copy says nothing either
    host::ImgCopy(context, L"pic.jpg");      // cancelled
    EXPECT_TRUE(context.messages.empty());
    EXPECT_FALSE(ScratchFolder::Exists(folder / L"out\\missing-copy.jpg"));
}

TEST_F(CopyServicesTest, DocCopyTakesTheDocumentFilterOrKeepsTheLastOne) {
    DialogSeam::PushFileName(folder / L"out\\r.hwp");
    host::DocCopy(context, L"docs\\report.HWP");
    EXPECT_EQ(OnlyDialog().Filter, L"한글 파일|*.hwp");
    EXPECT_EQ(OnlyDialog().Text, L"report.HWP");
    EXPECT_EQ(ScratchFolder::ReadBytes(folder / L"out\\r.hwp"), ScratchFolder::ReadBytes(report));

    DialogSeam::ClearLog();
    host::DocCopy(context, L"archive.zip");
    EXPECT_EQ(OnlyDialog().Filter, L"한글 파일|*.hwp");
    EXPECT_EQ(OnlyDialog().Text, L"archive.zip");
    EXPECT_TRUE(context.messages.empty());
}

TEST_F(CopyServicesTest, CopyFileShowsTheOutcomeAfterTheFileName) {
    DialogSeam::PushFileName(folder / L"out\\m.pdf");
    host::CopyFileAndReport(context, L"docs", L"Manual.PDF");
    EXPECT_EQ(OnlyDialog().Filter, L"PDF 파일|*.pdf");
    EXPECT_EQ(OnlyDialog().Text, L"Manual.PDF");
    EXPECT_EQ(ScratchFolder::ReadBytes(folder / L"out\\m.pdf"), ScratchFolder::ReadBytes(manual));
    EXPECT_EQ(context.messages, std::vector<String>{L"Manual.PDF 파일이 저장되었습니다."});

    // No sub-folder: beside the executable. Over an existing file: replaced.
    DialogSeam::PushFileName(folder / L"out\\m.pdf");
    host::CopyFileAndReport(context, L"", L"top.hwp");
    EXPECT_EQ(ScratchFolder::ReadBytes(folder / L"out\\m.pdf"), ScratchFolder::ReadBytes(top));

    // Failures: a target folder that is not there, a source that is not there.
    context.messages.clear();
    DialogSeam::PushFileName(folder / L"nowhere\\m.pdf");
    host::CopyFileAndReport(context, L"docs", L"Manual.PDF");
    DialogSeam::PushFileName(folder / L"out\\gone.doc");
    host::CopyFileAndReport(context, L"docs\\inner", L"gone.doc");
    EXPECT_EQ(context.messages, (std::vector<String>{L"Manual.PDF 파일 저장 실패\n경로를 확인해 주세요.",
                                                     L"gone.doc 파일 저장 실패\n경로를 확인해 주세요."}));

    // Cancelled: no message.
    context.messages.clear();
    host::CopyFileAndReport(context, L"docs", L"Manual.PDF");
    EXPECT_TRUE(context.messages.empty());
}

TEST_F(CopyServicesTest, ACopyOntoItsOwnSourceLeavesTheSourceWhole) {
    const std::string bytes = ScratchFolder::ReadBytes(manual);
    std::wstring upper = manual;
    for (wchar_t& c : upper) c = towupper(c);
    // Another name of the same file.
    std::wstring link = folder / L"out\\linked.pdf";
    ASSERT_TRUE(CreateHardLinkW(link.c_str(), manual.c_str(), nullptr));
    const std::wstring targets[] = {
        link, manual, upper, folder / L"docs\\.\\Manual.PDF", folder / L"out\\..\\docs\\Manual.PDF",
    };
    for (const std::wstring& target : targets) {
        context.messages.clear();
        DialogSeam::PushFileName(target);
        host::CopyFileAndReport(context, L"docs", L"Manual.PDF");
        EXPECT_EQ(context.messages, std::vector<String>{L"Manual.PDF 파일 저장 실패\n경로를 확인해 주세요."}) << target;

        context.messages.clear();
        context.promptAnswers = {mrYes};
        DialogSeam::PushFileName(target);
        host::CopyFileModal(context, L"docs", L"Manual.PDF", L"Manual.PDF");
        EXPECT_EQ(context.messages, std::vector<String>{L"Manual.PDF 파일 저장 실패\n경로를 확인해 주세요."}) << target;

        DialogSeam::PushFileName(target);
        host::DocCopy(context, L"docs\\Manual.PDF");
        EXPECT_EQ(ScratchFolder::ReadBytes(manual), bytes) << target;
    }
    EXPECT_TRUE(host::IsSameFile(manual, upper));
    EXPECT_FALSE(host::IsSameFile(manual, report));
    EXPECT_FALSE(host::IsSameFile(manual, folder / L"out\\not-there.pdf"));
}

TEST_F(CopyServicesTest, CopyFileModalOpensSavesOrDoesNothing) {
    std::wstring readOnly = folder.Write(L"docs\\sub\\ro.hwp", "read-only document");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

    // Open: the shell opens the source; nothing is copied or said.
    context.promptAnswers = {mrOk};
    host::CopyFileModal(context, L"docs\\", L"sub\\ro.hwp", L"sub/ro.hwp");
    EXPECT_EQ(context.shellCalls, (Calls{{readOnly, L""}}));
    EXPECT_TRUE(DialogSeam::Log().empty());

    // Save: a writable copy, and the file as the movie wrote it in the message.
    context.promptAnswers = {mrYes};
    DialogSeam::PushFileName(folder / L"out\\ro-copy.hwp");
    host::CopyFileModal(context, L"docs", L"sub\\ro.hwp", L"sub/ro.hwp");
    EXPECT_EQ(OnlyDialog().Filter, L"한글 문서 파일|*.hwp");
    EXPECT_EQ(OnlyDialog().Text, L"ro.hwp");
    EXPECT_EQ(ScratchFolder::ReadBytes(folder / L"out\\ro-copy.hwp"), ScratchFolder::ReadBytes(readOnly));
    EXPECT_EQ(GetFileAttributesW((folder / L"out\\ro-copy.hwp").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(context.messages, std::vector<String>{L"sub/ro.hwp 파일이 저장되었습니다."});

    // Cancel, the close box, or a cancelled save dialog: nothing at all.
    context.messages.clear();
    DialogSeam::ClearLog();
    context.promptAnswers = {mrCancel, mrNone, mrYes};
    for (int i = 0; i < 3; ++i) host::CopyFileModal(context, L"docs", L"Manual.PDF", L"Manual.PDF");
    EXPECT_EQ(context.prompts, 5);
    EXPECT_EQ(DialogSeam::Log().size(), 1u);  // only the last one got to the save dialog
    EXPECT_TRUE(context.messages.empty());
    EXPECT_EQ(context.shellCalls.size(), 1u);
}

TEST_F(CopyServicesTest, ShowOpensAProgramOfTheExecutableFolderQuoted) {
    host::ShowProgram(context, L"tools\\reader.exe", L"my page.txt");
    String exeFolder = ExcludeTrailingPathDelimiter(folder.Path());
    EXPECT_EQ(context.shellCalls, (Calls{{L"\"" + exeFolder + L"\\tools\\reader.exe\"", L"\"my page.txt\""}}));
}

TEST_F(CopyServicesTest, ShowRunsTheProgramWithItsParameterAsOneArgument) {
    // The stub that logs its arguments sits beside the test program.
    std::wstring log = folder / L"logargs.log";
    SetEnvironmentVariableW(L"LOGARGS_LOG", log.c_str());
    context.exeName = ParamStr(0);
    context.realShell = true;
    host::ShowProgram(context, L"logargs.exe", L"메모 1.txt");
    ASSERT_EQ(context.shellCalls.size(), 1u);

    std::string text;
    for (DWORD end = GetTickCount() + 10000; LONG(end - GetTickCount()) > 0; Sleep(50))
        if ((text = ScratchFolder::ReadBytes(log)).find("end\n") != std::string::npos) break;
    String lines = FromUtf8(text);
    EXPECT_NE(lines.find(L"arg=메모 1.txt\n"), String::npos) << ToUtf8(lines);
    EXPECT_EQ(lines.find(L"arg=", lines.find(L"arg=") + 1), String::npos) << "one argument only";
}
