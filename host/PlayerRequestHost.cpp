#include "host/PlayerRequestHost.h"

#include "host/CopyServices.h"
#include "host/NoteServices.h"

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Dialogs.h"
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

void PlayerRequestHost::UseFileServices(FileServiceContext* files, ScrapSave* scrap, fw::TSaveDialog* scrapDialog) {
    files_ = files;
    scrap_ = scrap;
    scrapDialog_ = scrapDialog;
}

void PlayerRequestHost::ImgCopy(const String& image) {
    if (files_) host::ImgCopy(*files_, image);
}

void PlayerRequestHost::DocCopy(const String& document) {
    if (files_) host::DocCopy(*files_, document);
}

void PlayerRequestHost::FileCopy(const String& subFolder, const String& file) {
    if (files_) CopyFileAndReport(*files_, subFolder, file);
}

void PlayerRequestHost::FileCopyModal(const String& subFolder, const String& file, const String& shownFile) {
    if (files_) CopyFileModal(*files_, subFolder, file, shownFile);
}

void PlayerRequestHost::SaveTextFile(const String& note, const String& fileName) {
    if (files_) host::SaveTextFile(*files_, note, fileName);
}

void PlayerRequestHost::LoadTextFile() {
    if (files_) host::LoadTextFile(*files_);
}

void PlayerRequestHost::SearchList(const String& subFolder) {
    if (files_) host::SearchList(*files_, subFolder);
}

void PlayerRequestHost::TxtListSaveToFile(const String& subFolder, const String& suffix) {
    if (files_) host::TxtListSaveToFile(*files_, subFolder, suffix);
}

void PlayerRequestHost::ShowProgram(const String& program, const String& parameter) {
    if (files_) host::ShowProgram(*files_, program, parameter);
}

// A new start throws away what an earlier capture left.
void PlayerRequestHost::ScrapStart(const String& size) {
    if (!scrap_) return;
    scrap_->Reset();
    scrap_->Start(size);
}

void PlayerRequestHost::ScrapData(const String& data) {
    if (scrap_) scrap_->AddData(data);
}

void PlayerRequestHost::ScrapEnd() {
    if (scrap_ && scrapDialog_) scrap_->Finish(*scrapDialog_);
}

}  // namespace host
