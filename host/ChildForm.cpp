#include "host/ChildForm.h"

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Dialogs.h"
#include "host/CopyServices.h"
#include "host/FormServiceContext.h"
#include "host/INIController.h"
#include "host/InvokeRequest.h"
#include "host/KVBViewerControl.h"
#include "host/PlayerForm.h"
#include "host/RequestFields.h"
#include "host/Shell.h"
#include "host/WindowControl.h"

namespace host {

using namespace fw;

namespace {

// What the frame adds to the settings' width and height.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 32;

bool IsDecimal(const String& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < L'0' || text[i] > L'9') return false;
    return true;
}

}  // namespace

String ChildCloseReport(const String& otherBook, const String& currentPage) {
    if (!otherBook.empty()) return InvokeRequest(L"otherBook_KVB", {otherBook, currentPage, L"false"});
    if (CompareStr(currentPage, L"0") > 0) return InvokeRequest(L"goPageLink_KVB", {currentPage, L"false"});
    return String();
}

int ChildWindowExtent(const String& setting, int fallback, int frame) {
    int32_t value = fallback;
    if (!IsDecimal(setting) || !TryStrToInt(setting, value)) value = fallback;
    return value + frame;
}

TChildForm::TChildForm(TComponent* AOwner, KVBViewerControl* ARecorder) : TForm(AOwner) {
    BeginLoading(this);
    SetLeft(0);
    SetTop(0);
    SetClientSize(515, 366);
    SetColor(clBtnFace);
    Font()->SetName(L"Tahoma");
    Font()->SetHeight(-11);
    SetWindowState(wsMaximized);
    OnClose = TCloseEvent(this, &TChildForm::FormClose);
    OnCreate = TNotifyEvent(this, &TChildForm::FormCreate);
    OnShow = TNotifyEvent(this, &TChildForm::FormShow);

    BackPanel = Create<TPanel>(this);
    BackPanel->SetName(L"BackPanel");
    BackPanel->SetParent(this);
    BackPanel->SetBounds(0, 0, 515, 366);
    BackPanel->SetAlign(alClient);
    BackPanel->SetBevelOuter(bvNone);
    BackPanel->SetColor(clInfoText);
    BackPanel->SetParentBackground(false);
    BackPanel->SetTabOrder(0);

    ShockwaveFlash1 = Create<TShockwaveFlash>(this);
    ShockwaveFlash1->SetName(L"ShockwaveFlash1");
    ShockwaveFlash1->SetParent(BackPanel);
    ShockwaveFlash1->SetBounds(0, 0, 515, 366);
    ShockwaveFlash1->SetAlign(alClient);
    ShockwaveFlash1->SetTabOrder(0);
    ShockwaveFlash1->OnFSCommand = TFlashFSCommandEvent(this, &TChildForm::ShockwaveFlash1FSCommand);

    fileSaveDialog = Create<TSaveDialog>(this);
    fileSaveDialog->SetName(L"fileSaveDialog");
    fileSaveDialog->SetFilter(L"PDF 파일|*.pdf");
    fileSaveDialog->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing});
    EndLoading(this);

    CurrentPage = IntToStr(0);
    Recorder = ARecorder;
}

TChildForm::~TChildForm() = default;

void TChildForm::FormCreate(TObject*) {
    ShockwaveFlash1->SetMovie(L"about:blank");
    INIController* settings = INIController::GetInstance();
    if (settings->GetChildWindowState() == L"wsMaximized") {
        SetWindowState(wsMaximized);
    } else {
        // The form is maximised already, so this is the size it takes when restored.
        SetWidth(ChildWindowExtent(settings->GetChildWidth(), 1024, kFrameWidth));
        SetHeight(ChildWindowExtent(settings->GetChildHeight(), 700, kFrameHeight));
    }
    String border = settings->GetChildBorderStyle();
    if (border == L"bsNone")
        SetBorderStyle(bsNone);
    else if (border == L"bsDialog")
        SetBorderStyle(bsDialog);
    else if (border == L"bsSizeToolWin")
        SetBorderStyle(bsSizeToolWin);
    ShockwaveFlash1->SetScale(settings->GetChildScale());
}

// No lasting effect: the player is aligned to fill the window.
void TChildForm::FormShow(TObject*) {}

void TChildForm::ShockwaveFlash1FSCommand(TObject*, const String& command, const String& args) {
    if (command == L"formcontrol") {
        ApplyWindowControl(*this, ChildWindowControl(args));
        return;
    }
    SplitText request = SplitAtSeparator(args);
    const String& name = request.Before;
    const String& rest = request.After;
    if (name == L"function_close") {
        Close();
    } else if (name == L"function_alert") {
        fw::ShowMessage(rest);
    } else if (name == L"function_recording_start") {
        if (Recorder) Recorder->StartRecording();
    } else if (name == L"function_recording_stop") {
        if (Recorder) Recorder->StopRecording(*ShockwaveFlash1);
    } else if (name == L"function_current_page") {
        CurrentPage = rest;
    } else if (name == L"function_reload_flash") {
        OtherBook = rest;
    } else if (name == L"function_copyfile") {
        FormServiceContext context(*this, *ShockwaveFlash1, *fileSaveDialog, *fileSaveDialog);
        CopyFileAndReport(context, String(), rest);
    } else if (name == L"function_copyfileModal") {
        // As the main window's: "sub-folder@@@file" or the file alone.
        SplitText two = SplitAtSeparator(rest);
        String file = two.Found ? two.After : rest;
        FormServiceContext context(*this, *ShockwaveFlash1, *fileSaveDialog, *fileSaveDialog);
        CopyFileModal(context, SlashesToBackslashes(two.Found ? two.Before : String()), SlashesToBackslashes(file),
                      file);
    } else if (!args.empty()) {
        // The shell has nothing to open for an empty text.
        ShellOpen(args, String());
    }
}

void TChildForm::FormClose(TObject*, TCloseAction& Action) {
    String report = ChildCloseReport(OtherBook, CurrentPage);
    if (!report.empty() && PlayerForm && PlayerForm->FlashPlayer) PlayerForm->FlashPlayer->CallFunction(report);
    Action = caFree;
}

}  // namespace host
