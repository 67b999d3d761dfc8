// The pop-up window on a live window with the stand-in player: built in its
// fixed order, sized, bordered and scaled from the settings, its own request
// table, and closing, which frees it even from inside its own request; the
// viewer's windows drawn from the default skin.
#include "host/ChildForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "host/CopyFilters.h"
#include "host/FileDownloadForm.h"
#include "host/INIController.h"
#include "host/PlayerForm.h"
#include "host/WindowControl.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

using namespace host;
using namespace fw;

namespace {

// Settings from a file of the given text, loaded into the shared object
// (with the application ready to host the player).
void LoadSettings(const std::string& text) {
    Application->Initialize();
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"ini", 0, name);
    FILE* f = _wfopen(name, L"wb");
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
    INIController::GetInstance()->Load(name);
    DeleteFileW(name);
}

// Tells when a component is destroyed.
class FreeWatch : public TComponent {
public:
    explicit FreeWatch(TComponent* watched) : TComponent(nullptr) { watched->FreeNotification(this); }
    bool freed = false;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove) freed = true;
    }
};

void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (LONG(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(10);
    }
}

struct FormFree {
    void operator()(TComponent* c) const {
        if (c) c->Free();
    }
};

}  // namespace

TEST(ChildForm, ComponentsAndFirstState) {
    LoadSettings("");
    std::unique_ptr<TChildForm, FormFree> form(Create<TChildForm>(Application, nullptr));
    ASSERT_EQ(3, form->ComponentCount());
    EXPECT_EQ(form->BackPanel, form->Components(0));
    EXPECT_EQ(form->ShockwaveFlash1, form->Components(1));
    EXPECT_EQ(form->fileSaveDialog, form->Components(2));
    EXPECT_EQ(form->BackPanel, form->ShockwaveFlash1->Parent());
    EXPECT_EQ(alClient, form->BackPanel->Align());
    EXPECT_EQ(alClient, form->ShockwaveFlash1->Align());
    EXPECT_EQ(L"PDF 파일|*.pdf", form->fileSaveDialog->Filter());
    EXPECT_EQ(L"0", form->CurrentPage);
    EXPECT_EQ(L"", form->OtherBook);
    EXPECT_EQ(L"about:blank", form->ShockwaveFlash1->Movie());
    EXPECT_EQ(L"TChildForm", form->ClassName());
}

TEST(ChildForm, SettingsGiveRestoredSizeBorderAndScale) {
    struct Row {
        const char* ini;
        TFormBorderStyle border;
        int width, height;
        const wchar_t* scale;
    };
    const Row rows[] = {
        {"[ChildForm]\r\nWidth=800\r\nHeight=600\r\nBorderStyle=bsDialog\r\nScale=exactfit\r\n", bsDialog, 808, 632,
         L"exactfit"},
        {"[ChildForm]\r\nBorderStyle=bsNone\r\n", bsNone, 1032, 732, L""},
        {"[ChildForm]\r\nWidth=abc\r\nBorderStyle=bssizetoolwin\r\n", bsSizeable, 1032, 732, L""},
        {"[ChildForm]\r\nBorderStyle=bsSizeToolWin\r\nHeight=300\r\n", bsSizeToolWin, 1032, 332, L""},
    };
    for (const Row& r : rows) {
        LoadSettings(r.ini);
        std::unique_ptr<TChildForm, FormFree> form(Create<TChildForm>(Application, nullptr));
        form->Show();
        // Always opens maximised; the settings give the size it takes when restored.
        EXPECT_EQ(wsMaximized, form->WindowState()) << r.ini;
        EXPECT_TRUE(IsZoomed(form->Handle())) << r.ini;
        EXPECT_EQ(r.border, form->BorderStyle()) << r.ini;
        EXPECT_EQ(r.scale, form->ShockwaveFlash1->Scale()) << r.ini;
        form->SetWindowState(wsNormal);
        RECT rc;
        GetWindowRect(form->Handle(), &rc);
        EXPECT_EQ(r.width, rc.right - rc.left) << r.ini;
        EXPECT_EQ(r.height, rc.bottom - rc.top) << r.ini;
    }
    // "wsMaximized" in the settings keeps the resource's size for restoring.
    LoadSettings("[ChildForm]\r\nWindowState=wsMaximized\r\nWidth=800\r\nHeight=600\r\n");
    std::unique_ptr<TChildForm, FormFree> form(Create<TChildForm>(Application, nullptr));
    form->Show();
    EXPECT_TRUE(IsZoomed(form->Handle()));
    form->SetWindowState(wsNormal);
    EXPECT_NE(808, form->Width());
}

TEST(ChildForm, RequestTable) {
    LoadSettings("");
    DialogSeam::Scope seam;
    std::unique_ptr<TChildForm, FormFree> form(Create<TChildForm>(Application, nullptr));
    form->Show();
    auto request = [&](const wchar_t* command, const wchar_t* args) {
        form->ShockwaveFlash1FSCommand(form->ShockwaveFlash1, command, args);
    };
    request(L"x", L"function_current_page@@@12@@@x");
    EXPECT_EQ(L"12@@@x", form->CurrentPage);  // the whole rest
    request(L"exec", L"function_reload_flash@@@book2/a.swf");
    EXPECT_EQ(L"book2/a.swf", form->OtherBook);  // no slash change here
    request(L"x", L"function_alert@@@2010/05/01");
    ASSERT_EQ(1u, DialogSeam::Log().size());
    EXPECT_EQ(L"2010/05/01", DialogSeam::Log()[0].Text);

    request(L"formcontrol", L"wsNormal");  // the main window's text
    EXPECT_EQ(wsMaximized, form->WindowState());
    request(L"formcontrol", L"wmNormal");
    EXPECT_EQ(wsNormal, form->WindowState());
    request(L"formcontrol", L"wsMinimized");
    EXPECT_EQ(wsMinimized, form->WindowState());
    request(L"formcontrol", L"wmMaximized");
    EXPECT_EQ(wsMaximized, form->WindowState());
    // Without a recorder the recording requests do nothing; a "formcontrol"
    // text is never a service name.
    request(L"x", L"function_recording_start");
    request(L"formcontrol", L"function_close");
    EXPECT_TRUE(form->Visible());
    // The pop-up's copy: the source is the executable's folder and the whole rest.
    DialogSeam::PushCancel();
    request(L"x", L"function_copyfile@@@docs@@@Manual.PDF");
    ASSERT_EQ(2u, DialogSeam::Log().size());
    EXPECT_EQ(L"docs@@@Manual.PDF", DialogSeam::Log()[1].Text);
    EXPECT_EQ(CopyFilter(L"Manual.PDF"), DialogSeam::Log()[1].Filter);
}

TEST(ChildForm, ClosingFromItsOwnRequestFreesIt) {
    LoadSettings("");
    for (const wchar_t* command : {L"formcontrol", L"x"}) {
        TChildForm* form = Create<TChildForm>(Application, nullptr);
        FreeWatch watch(form);
        form->Show();
        form->ShockwaveFlash1FSCommand(form->ShockwaveFlash1, command,
                                       String(command) == L"x" ? L"function_close" : L"Close");
        EXPECT_FALSE(watch.freed);  // not while its handler runs
        Pump(300);
        EXPECT_TRUE(watch.freed) << command;
    }
}

namespace {

class ClosingForm : public TForm {
public:
    using TForm::TForm;
    int closes = 0;
    void Closing(TObject*, TCloseAction&) { ++closes; }
};

}  // namespace

TEST(WindowControl, CloseAndUnknownTextsOnALiveWindow) {
    Application->Initialize();
    std::unique_ptr<ClosingForm, FormFree> form(Create<ClosingForm>(Application));
    form->OnClose = TCloseEvent(form.get(), &ClosingForm::Closing);
    form->Show();
    ApplyWindowControl(*form, MainWindowControl(L"close"));
    ApplyWindowControl(*form, MainWindowControl(L"wmNormal"));
    EXPECT_EQ(0, form->closes);
    EXPECT_TRUE(form->Visible());
    ApplyWindowControl(*form, MainWindowControl(L"Close"));
    EXPECT_EQ(1, form->closes);
    EXPECT_FALSE(form->Visible());
}

namespace {

// Shows the form in front, checks that its frame is its provider's image
// and saves the window as drawn.
void CheckSkinnedFrame(TCustomForm* form, const wchar_t* name) {
    const HWND h = form->Handle();
    SetForegroundWindow(h);
    Pump(200);
    skin::TsSkinProvider* sp = skin::ProviderOf(form);
    ASSERT_NE(nullptr, sp) << name;
    ASSERT_TRUE(sp->Skinned()) << name;
    EXPECT_EQ(0, GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU) << name;
    RECT wr;
    GetWindowRect(h, &wr);
    TBitmap shot(wr.right - wr.left, wr.bottom - wr.top, pf24bit);
    HDC dc = GetWindowDC(h);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot.SaveToFile(String(L"..\\screenshots\\") + name + L".bmp");
    // The title band on the window is the provider's picture of it.
    TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(nullptr, cache) << name;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool haveRgn = GetWindowRgn(h, rgn) != ERROR;
    int bad = 0;
    for (int y = 0; y < std::min(sp->OffsetY(), cache->Height()); ++y)
        for (int x = 0; x < std::min(shot.Width(), cache->Width()); ++x)
            if ((!haveRgn || PtInRegion(rgn, x, y)) &&
                GetPixel(shot.Canvas()->Handle(), x, y) != GetPixel(cache->Canvas()->Handle(), x, y) && !bad++)
                ADD_FAILURE() << name << ": first difference at " << x << "," << y;
    DeleteObject(rgn);
    EXPECT_EQ(0, bad) << name;
}

}  // namespace

// The viewer's windows drawn from its default skin: the main window (normal
// and maximised) and the pop-up window get their skin providers when first
// activated, and their frames on the screen are the providers' images; the
// download prompt's push buttons are skinned too. Screenshots of the four go
// to build/screenshots.
TEST(SkinnedViewer, MainAndPopUpWindowsWearTheDefaultSkin) {
    Application->Initialize();
    std::unique_ptr<TPlayerForm, FormFree> main(Create<TPlayerForm>(Application));
    main->SetCaption(L"KVB Viewer");
    main->Show();
    main->SetWindowState(wsNormal);
    main->SetBounds(40, 30, 640, 480);
    CheckSkinnedFrame(main.get(), L"viewer-main");

    main->SetWindowState(wsMaximized);
    Pump(100);
    EXPECT_TRUE(IsZoomed(main->Handle()));
    CheckSkinnedFrame(main.get(), L"viewer-main-maximised");
    main->SetWindowState(wsNormal);

    LoadSettings("[ChildForm]\r\nWidth=560\r\nHeight=360\r\n");
    std::unique_ptr<TChildForm, FormFree> popup(Create<TChildForm>(Application, nullptr));
    popup->Show();
    // It opens maximised; the screenshot shows its frame restored.
    popup->SetWindowState(wsNormal);
    popup->SetCaption(L"Pop-up book");
    CheckSkinnedFrame(popup.get(), L"viewer-popup");

    // The download prompt's push buttons are wrapped by its provider's
    // control adapter and drawn from the skin.
    std::unique_ptr<TFileDownloadForm, FormFree> prompt(Create<TFileDownloadForm>(main.get()));
    prompt->Show();
    CheckSkinnedFrame(prompt.get(), L"viewer-download-prompt");
    for (TButton* b : {prompt->OpenButton, prompt->SaveButton, prompt->AbortButton})
        EXPECT_EQ(1, SendMessageW(b->Handle(), skin::SM_ALPHACMD, MAKEWPARAM(0, skin::smcIsHandled), 0)) << b->Name();
}
