#include "host/PlayerRequestHost.h"

#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "host/InvokeRequest.h"
#include "host/KVBViewerControl.h"
#include "host/PdfOpener.h"
#include "host/PlayerForm.h"
#include "host/PopUpRequest.h"
#include "host/Shell.h"
#include "host/WindowControl.h"
#include "host/WindowServices.h"

namespace host {

PlayerRequestHost::PlayerRequestHost(fw::TCustomForm& form, TShockwaveFlash& player, String& moveSkinText)
    : form_(form), player_(player), moveSkinText_(moveSkinText) {}

void PlayerRequestHost::SetVariable(const String& name, const String& value) { player_.SetVariable(name, value); }
void PlayerRequestHost::CallFunction(const String& invokeRequest) { player_.CallFunction(invokeRequest); }
void PlayerRequestHost::SetMoveSkinText(const String& movieName) { moveSkinText_ = movieName; }
void PlayerRequestHost::Maximize() { form_.SetWindowState(fw::wsMaximized); }
void PlayerRequestHost::Close() { form_.Close(); }

void PlayerRequestHost::BringToFrontAfterPause() {
    Sleep(kForwardPauseMs);
    BringWindowToFront(form_.Handle());
}

void PlayerRequestHost::ShowMessage(const String& text) { fw::ShowMessage(text); }
void PlayerRequestHost::ShowError(const String& text) {
    fw::MessageDlg(text, fw::mtError, fw::TMsgDlgButtons{fw::mbOK});
}
String PlayerRequestHost::FirstArgument() { return fw::ParamStr(1); }
String PlayerRequestHost::ExeFolder() { return fw::ExtractFilePath(fw::ParamStr(0)); }
void PlayerRequestHost::SetCurrentFolder(const String& folder) { fw::SetCurrentDir(folder); }

int PlayerRequestHost::ShellOpen(const String& file, const String& parameters) {
    return host::ShellOpen(file, parameters);
}

int PlayerRequestHost::FindProgramFor(const String& file, String& program) {
    return FindAssociatedProgram(file, program);
}

void PlayerRequestHost::RunPDF(const String& openParameter, const String& pdfPath) {
    host::RunPDF(openParameter, pdfPath);
}

// The pop-up's texts pass through the ANSI code page, as its movie search's paths do.
void PlayerRequestHost::OpenPopUp(const String& movie, const String& parameter) {
    String name = fw::FromAnsi(fw::ToAnsi(movie));
    String path = FindPopUpMovie(fw::ParamStr(0), moveSkinText_, fw::ParamStr(1), name,
                                 [](const String& p) { return fw::FileExists(p); });
    auto* main = dynamic_cast<TPlayerForm*>(&form_);
    ShowPopUp(&form_, main ? main->Recorder : nullptr, path, fw::FromAnsi(fw::ToAnsi(parameter)));
}

void PlayerRequestHost::FormControl(const String& text) { ApplyWindowControl(form_, MainWindowControl(text)); }

void PlayerRequestHost::RecordingStart() {
    if (auto* main = dynamic_cast<TPlayerForm*>(&form_); main && main->Recorder) main->Recorder->StartRecording();
}

// A stop without a recorder still answers, with the empty path.
void PlayerRequestHost::RecordingStop() {
    auto* main = dynamic_cast<TPlayerForm*>(&form_);
    if (main && main->Recorder)
        main->Recorder->StopRecording(player_);
    else
        player_.CallFunction(InvokeRequest(kRecordCompleteFunction, {String()}));
}

}  // namespace host
