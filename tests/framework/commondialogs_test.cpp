// Common dialogs: the filter and option translation, the seam, the runner
// that answers every Execute, the picture and colour dialogs, and the real
// save dialog driven under Xvfb.
#include "framework/windows/CommonDialogs.h"

#include <gtest/gtest.h>

#include "framework/graphics/Picture.h"
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

TEST(CommonDialogs, EveryExecuteGoesThroughAReplacedRunner) {
    struct Case {
        TCommonDialog* dialog;
        bool accept;
    };
    TOpenDialog open(nullptr);
    TSaveDialog save(nullptr);
    TOpenPictureDialog openPicture(nullptr);
    TSavePictureDialog savePicture(nullptr);
    TColorDialog color(nullptr);
    std::vector<Case> cases = {{&open, true},         {&save, false}, {&openPicture, true},
                               {&savePicture, false}, {&color, true}, {&color, false}};
    std::vector<String> ran;
    TDialogRunnerScope scope([&](TCommonDialog* d) {
        ran.push_back(d->ClassName());
        if (auto* file = dynamic_cast<TOpenDialog*>(d)) file->SetFileName(L"E:\\책\\" + d->ClassName());
        if (auto* c = dynamic_cast<TColorDialog*>(d)) c->SetColor(clTeal);
        return cases[ran.size() - 1].accept;
    });
    struct Events {
        std::vector<String> seen;
        void Show(TObject* s) { seen.push_back(L"show " + static_cast<TComponent*>(s)->ClassName()); }
        void Close(TObject* s) { seen.push_back(L"close " + static_cast<TComponent*>(s)->ClassName()); }
    } events;
    for (const Case& k : cases) {
        k.dialog->OnShow = TNotifyEvent(&events, &Events::Show);
        k.dialog->OnClose = TNotifyEvent(&events, &Events::Close);
    }
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cases[i].dialog->Execute(), cases[i].accept) << cases[i].dialog->ClassName().c_str();
    EXPECT_EQ(ran, (std::vector<String>{L"TOpenDialog", L"TSaveDialog", L"TOpenPictureDialog", L"TSavePictureDialog",
                                        L"TColorDialog", L"TColorDialog"}));
    EXPECT_EQ(open.FileName(), L"E:\\책\\TOpenDialog");
    EXPECT_EQ(color.Color(), clTeal);
    ASSERT_EQ(events.seen.size(), 12u);
    EXPECT_EQ(events.seen[0], L"show TOpenDialog");
    EXPECT_EQ(events.seen[1], L"close TOpenDialog");

    // The runner goes with its scope: the seam answers again.
    DialogSeam::Scope seam;
    {
        TDialogRunnerScope inner([](TCommonDialog*) { return true; });
        EXPECT_TRUE(open.Execute());
        EXPECT_TRUE(DialogSeam::Log().empty());
    }
    DialogRunner = nullptr;
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(DialogSeam::Log().size(), 1u);
}

TEST(CommonDialogs, PictureDialogsFilterEveryRegisteredFormat) {
    EXPECT_EQ(GraphicFilter(),
              L"All (*.bmp;*.ico;*.jpeg;*.jpg)|*.bmp;*.ico;*.jpeg;*.jpg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
              L"JPEG Image File (*.jpeg)|*.jpeg|JPEG Image File (*.jpg)|*.jpg");
    TOpenPictureDialog open(nullptr);
    TSavePictureDialog save(nullptr);
    EXPECT_EQ(open.Filter(), GraphicFilter());
    EXPECT_EQ(save.Filter(), GraphicFilter());
}

TEST(CommonDialogs, ColorDialogCustomColorsAndOptions) {
    TColorDialog dialog(nullptr);
    dialog.CustomColors()->Add(L"ColorA=0000FF");
    dialog.CustomColors()->Add(L"ColorC=80FF00");
    dialog.CustomColors()->Add(L"ColorD=not a colour");
    COLORREF colors[16];
    dialog.ReadCustomColors(colors);
    EXPECT_EQ(colors[0], RGB(0xFF, 0, 0));  // a TColor's bytes: blue green red
    EXPECT_EQ(colors[1], 0xFFFFFFu);        // missing: white
    EXPECT_EQ(colors[2], RGB(0, 0xFF, 0x80));
    EXPECT_EQ(colors[3], 0xFFFFFFu);  // unreadable: white
    colors[5] = RGB(1, 2, 3);
    dialog.WriteCustomColors(colors);
    EXPECT_EQ(dialog.CustomColors()->Count(), 16);
    EXPECT_EQ(dialog.CustomColors()->Strings(0), L"ColorA=0000FF");
    EXPECT_EQ(dialog.CustomColors()->Values(L"ColorF"), L"030201");
    EXPECT_EQ(ColorOptionsToFlags({}), DWORD(CC_RGBINIT));
    EXPECT_EQ(ColorOptionsToFlags({cdFullOpen, cdAnyColor}), DWORD(CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR));
}
