#include "host/PlayerRequestHost.h"

#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "host/Shell.h"
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

}  // namespace host
