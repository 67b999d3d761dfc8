#include "host/PlayerForm.h"

#include <windows.h>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Screen.h"
#include "host/BookLoading.h"
#include "host/FormServiceContext.h"
#include "host/INIController.h"
#include "host/KVBTxtParser.h"
#include "host/KVBViewerControl.h"
#include "host/PlayerRequestHost.h"
#include "host/RequestDispatcher.h"
#include "skin/engine/sStoredSkins.h"

namespace host {

using namespace fw;

TPlayerForm* PlayerForm = nullptr;

namespace {

// The packed default skin linked into the program (host/resources).
void LoadViewerSkin(TMemoryStream& Data) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!FindResourceW(instance, L"VIEWERSKIN", RT_RCDATA)) return;
    TResourceStream skin(instance, L"VIEWERSKIN");
    Data.LoadFromStream(&skin);
}

}  // namespace

TPlayerForm::TPlayerForm(TComponent* AOwner) : TForm(AOwner) {
    BeginLoading(this);
    SetName(L"PlayerForm");
    SetLeft(0);
    SetTop(0);
    SetCaption(L"PlayerForm");
    SetClientSize(800, 600);
    SetColor(clBtnFace);
    Font()->SetName(L"Tahoma");
    Font()->SetHeight(-11);
    Font()->SetCharset(DEFAULT_CHARSET);
    Font()->SetColor(clWindowText);
    SetPosition(poMainFormCenter);
    // Forms take the application's icon, as the taskbar shows the main form.
    if (Application->Icon()->HandleAllocated()) Icon()->Assign(Application->Icon());
    OnClose = TCloseEvent(this, &TPlayerForm::FormClose);
    OnCreate = TNotifyEvent(this, &TPlayerForm::FormCreate);
    OnDestroy = TNotifyEvent(this, &TPlayerForm::FormDestroy);
    OnShow = TNotifyEvent(this, &TPlayerForm::FormShow);

    FlashPlayer = Create<TShockwaveFlash>(this);
    FlashPlayer->SetName(L"FlashPlayer");
    FlashPlayer->SetParent(this);
    FlashPlayer->SetBounds(0, 0, 800, 600);
    FlashPlayer->SetAlign(alClient);
    FlashPlayer->SetTabOrder(0);
    FlashPlayer->OnFSCommand = TFlashFSCommandEvent(this, &TPlayerForm::FlashPlayerFSCommand);

    const TOpenOptions saveOptions{ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing};
    imgSaveDialog = Create<TSaveDialog>(this);
    imgSaveDialog->SetName(L"imgSaveDialog");
    imgSaveDialog->SetFilter(L"ImageFile|*.jpg,*.bmp");
    imgSaveDialog->SetOptions(saveOptions);

    fileSaveDialog = Create<TSaveDialog>(this);
    fileSaveDialog->SetName(L"fileSaveDialog");
    fileSaveDialog->SetFilter(L"PDF 파일|*.pdf");
    fileSaveDialog->SetOptions(saveOptions);

    FileOpenDialog = Create<TOpenDialog>(this);
    FileOpenDialog->SetName(L"FileOpenDialog");
    FileOpenDialog->SetFilter(L"텍스트 파일|*.txt");
    FileOpenDialog->SetOptions({ofHideReadOnly, ofNoChangeDir, ofEnableSizing});

    // The skin is read while the form is loading: a broken skin in the skin
    // directory goes to the application's error dialog and the viewer goes
    // on without a skin. Every form the manager meets gets a skin provider.
    sSkinManager1 = Create<skin::TsSkinManager>(this);
    sSkinManager1->SetName(L"sSkinManager1");
    sSkinManager1->SetAllowGlowing(false);
    skin::TsStoredSkin* stored = sSkinManager1->InternalSkins()->Add();
    stored->SetName(kViewerSkinName);
    LoadViewerSkin(*stored->PackedData);
    sSkinManager1->SetSkinDirectory(kViewerSkinDirectory);
    sSkinManager1->SetSkinName(kViewerSkinName);

    DXAudioIn1 = Create<acs::TDXAudioIn>(this);
    DXAudioIn1->SetName(L"DXAudioIn1");
    DXAudioIn1->SetLatency(0);
    DXAudioIn1->SetSamplesToRead(-1);
    DXAudioIn1->SetDeviceNumber(0);
    DXAudioIn1->SetInBitsPerSample(16);
    DXAudioIn1->SetInChannels(1);
    DXAudioIn1->SetInSampleRate(44100);
    DXAudioIn1->SetRecTime(-1);
    DXAudioIn1->SetEchoRecording(false);
    DXAudioIn1->SetFramesInBuffer(24576);
    DXAudioIn1->SetPollingInterval(80);

    MP3Out1 = Create<acs::TMP3Out>(this);
    MP3Out1->SetName(L"MP3Out1");
    MP3Out1->SetInput(DXAudioIn1);
    MP3Out1->SetShareMode(0);
    MP3Out1->SetBitRate(acs::mbrAuto);
    MP3Out1->SetMode(acs::mmMono);
    MP3Out1->SetEnableBitReservoir(false);
    MP3Out1->SetStrictISO(false);
    MP3Out1->SetVBRQuality(acs::mp3ql0);
    MP3Out1->SetEnableVBR(false);
    MP3Out1->SetAverageBitrate(acs::mbrAuto);
    MP3Out1->SetMaximumBitrate(acs::mbrAuto);
    EndLoading(this);

    Recorder = new KVBViewerControl(MP3Out1);
}

TPlayerForm::~TPlayerForm() { delete Recorder; }

String TPlayerForm::FindMoviePath() {
    return MoviePathFromCommandLine(ParamCount(), ParamStr(1), Application->ExeName());
}

void TPlayerForm::FormCreate(TObject*) { LoadBook(FindMoviePath()); }

void TPlayerForm::LoadBook(const String& MoviePath) {
    INIController* settings = INIController::GetInstance();
    settings->Load();
    if (settings->GetMainBorderStyle() == L"bsNone") SetBorderStyle(bsNone);

    KVBTxtParser vars;
    bool haveVars = vars.Load(VariableFilePath(MoviePath)) != -1;
    BookWindowPlan plan = PlanBookWindow(haveVars ? &vars : nullptr, MoviePath, Screen->Width(), Screen->Height());
    SetTitle(plan.Title);
    if (plan.Sized) SetBounds(plan.Left, plan.Top, plan.Width, plan.Height);
    if (plan.Maximised) SetWindowState(wsMaximized);

    FlashPlayer->SetMovie(MoviePath);
}

void TPlayerForm::SetTitle(const String& Title) { SetCaption(Title); }

void TPlayerForm::FormShow(TObject*) {
    if (ParamCount() >= 1 && IsPageOption(ParamStr(1)))
        FlashPlayer->SetVariable(L"_root.BOOKLOAD_FIRSTPAGE", PageOptionValue(ParamStr(1)));
}

// The movie's requests are served by the request dispatcher.
void TPlayerForm::FlashPlayerFSCommand(TObject*, const String& command, const String& args) {
    PlayerRequestHost requestHost(*this, *FlashPlayer, MoveSkinText);
    FormServiceContext files(*this, *FlashPlayer, *imgSaveDialog, *fileSaveDialog);
    requestHost.UseFileServices(&files, &Scrap, fileSaveDialog);
    DispatchFSCommand(requestHost, command, args);
}

// Closing the main window ends the application.
void TPlayerForm::FormClose(TObject*, TCloseAction&) {}

void TPlayerForm::FormDestroy(TObject*) {
    delete Recorder;
    Recorder = nullptr;
}

}  // namespace host
