// The request host of the main window: answers go to its player control,
// window services act on the form, dialogs are the framework's message
// dialogs and the shell is the system's. Cheap to make per request.
#pragma once

#include "framework/Forms.h"
#include "host/RequestHost.h"
#include "host/ShockwaveFlash.h"

namespace host {

class PlayerRequestHost : public RequestHost {
public:
    // moveSkinText: the form's field that "MoveSkin" writes.
    PlayerRequestHost(fw::TCustomForm& form, TShockwaveFlash& player, String& moveSkinText);

    void SetVariable(const String& name, const String& value) override;
    void CallFunction(const String& invokeRequest) override;
    void SetMoveSkinText(const String& movieName) override;
    void Maximize() override;
    void Close() override;
    void BringToFrontAfterPause() override;
    void ShowMessage(const String& text) override;
    void ShowError(const String& text) override;
    String FirstArgument() override;
    String ExeFolder() override;
    void SetCurrentFolder(const String& folder) override;
    int ShellOpen(const String& file, const String& parameters) override;
    int FindProgramFor(const String& file, String& program) override;

    void RunPDF(const String& openParameter, const String& pdfPath) override;
    void OpenPopUp(const String& movie, const String& parameter) override;
    void FormControl(const String& text) override;
    void RecordingStart() override;
    void RecordingStop() override;

protected:
    fw::TCustomForm& form_;
    TShockwaveFlash& player_;
    String& moveSkinText_;
};

}  // namespace host
