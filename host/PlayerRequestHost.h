// The request host of the main window: answers go to its player control,
// window services act on the form, dialogs are the framework's message
// dialogs and the shell is the system's. Cheap to make per request.
#pragma once

#include "framework/windows/Forms.h"
#include "host/FileServiceContext.h"
#include "host/RequestHost.h"
#include "host/ScrapSave.h"
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

    // The file, note, list and page-capture services, once the window has
    // given them their context (the main window does; see UseFileServices).
    void UseFileServices(FileServiceContext* files, ScrapSave* scrap, fw::TSaveDialog* scrapDialog);
    void ImgCopy(const String& image) override;
    void DocCopy(const String& document) override;
    void FileCopy(const String& subFolder, const String& file) override;
    void FileCopyModal(const String& subFolder, const String& file, const String& shownFile) override;
    void SaveTextFile(const String& note, const String& fileName) override;
    void LoadTextFile() override;
    void SearchList(const String& subFolder) override;
    void TxtListSaveToFile(const String& subFolder, const String& suffix) override;
    void ShowProgram(const String& program, const String& parameter) override;
    void ScrapStart(const String& size) override;
    void ScrapData(const String& data) override;
    void ScrapEnd() override;

protected:
    fw::TCustomForm& form_;
    TShockwaveFlash& player_;
    String& moveSkinText_;
    FileServiceContext* files_ = nullptr;
    ScrapSave* scrap_ = nullptr;
    fw::TSaveDialog* scrapDialog_ = nullptr;
};

}  // namespace host
