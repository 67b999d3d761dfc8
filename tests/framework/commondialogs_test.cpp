// Open and save dialogs: the filter and option translation, the seam, and
// the real save dialog driven under Xvfb.
#include "framework/windows/CommonDialogs.h"

#include <gtest/gtest.h>

#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Timer.h"

using namespace fw;

TEST(CommonDialogs, FilterPairsBecomeNulSeparated) {
    static const wchar_t expected[] = L"한글 문서 파일\0*.hwp\0모든 파일\0*.*\0";  // + the literal's NUL
    EXPECT_EQ(FilterToSystem(L"한글 문서 파일|*.hwp|모든 파일|*.*"), std::wstring(expected, std::size(expected)));
    EXPECT_EQ(FilterToSystem(L""), std::wstring(L"\0\0", 2));
}

TEST(CommonDialogs, OptionsBecomeFlags) {
    TOpenOptions o{ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing};
    EXPECT_EQ(OpenOptionsToFlags(o),
              DWORD(OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING));
    EXPECT_EQ(OpenOptionsToFlags({ofPathMustExist, ofFileMustExist}),
              DWORD(OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(OpenOptionsToFlags({ofOldStyleDialog}), DWORD(OFN_EXPLORER));
    TSaveDialog d(nullptr);
    EXPECT_EQ(d.Options(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
    EXPECT_EQ(d.FilterIndex(), 1);
    EXPECT_EQ(d.ClassName(), L"TSaveDialog");
}

TEST(CommonDialogs, SeamAnswersAndStateIsKeptBetweenUses) {
    DialogSeam::Scope seam;
    TSaveDialog dialog(nullptr);
    dialog.SetFilter(L"PDF 파일|*.pdf");
    dialog.SetFileName(L"manual.pdf");
    dialog.SetInitialDir(L"C:\\books");
    DialogSeam::PushFileName(L"E:\\copy\\manual.pdf", 1);
    DialogSeam::PushCancel();
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), L"E:\\copy\\manual.pdf");
    // Cancelled: the name and filter chosen before stay.
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), L"E:\\copy\\manual.pdf");
    EXPECT_EQ(dialog.Filter(), L"PDF 파일|*.pdf");
    // Nothing queued: cancelled.
    EXPECT_FALSE(dialog.Execute());

    const auto& log = DialogSeam::Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].kind, DialogSeam::Kind::SaveDialog);
    EXPECT_EQ(log[0].Text, L"manual.pdf");
    EXPECT_EQ(log[0].Filter, L"PDF 파일|*.pdf");
    EXPECT_EQ(log[0].InitialDir, L"C:\\books");
    EXPECT_EQ(log[1].Text, L"E:\\copy\\manual.pdf");

    TOpenDialog open(nullptr);
    DialogSeam::PushFileName(L"C:\\a.txt", 2);
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FilterIndex(), 2);
    EXPECT_EQ(DialogSeam::Log().back().kind, DialogSeam::Kind::OpenDialog);
}

namespace {
// Types a name into the shown file dialog and presses its default button.
struct FileDialogDriver {
    String path;
    bool found = false;
    TTimer timer{nullptr};
    explicit FileDialogDriver(String p) : path(std::move(p)) {
        timer.SetInterval(100);
        timer.OnTimer = TNotifyEvent(this, &FileDialogDriver::Tick);
    }
    static BOOL CALLBACK Find(HWND wnd, LPARAM self) {
        wchar_t name[32] = {};
        GetClassNameW(wnd, name, 32);
        if (String(name) == L"#32770" && IsWindowVisible(wnd)) {
            *reinterpret_cast<HWND*>(self) = wnd;
            return FALSE;
        }
        return TRUE;
    }
    void Tick(TObject*) {
        HWND dlg = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&dlg));
        if (!dlg) return;
        timer.SetEnabled(false);
        found = true;
        // The file-name box: the combo's edit (cmb13) or the plain edit (edt1).
        HWND edit = GetDlgItem(dlg, 0x47c);
        if (!edit) edit = GetDlgItem(dlg, 0x480);
        if (edit) SetWindowTextW(edit, path.c_str());
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
};
}  // namespace

TEST(CommonDialogs, RealSaveDialogIsDrivenUnderXvfb) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    String path = String(temp) + L"kvb_save_dialog_test.txt";
    DeleteFileW(path.c_str());

    TSaveDialog dialog(nullptr);
    dialog.SetFilter(L"Text|*.txt|All|*.*");
    dialog.SetOptions({ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing});
    dialog.SetFileName(L"start.txt");
    FileDialogDriver driver(path);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_TRUE(driver.found);
    EXPECT_EQ(lstrcmpiW(dialog.FileName().c_str(), path.c_str()), 0) << dialog.FileName().c_str();
    EXPECT_EQ(dialog.FilterIndex(), 1);
}
