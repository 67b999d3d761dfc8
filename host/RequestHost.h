// What the request dispatcher needs of the main window: the answers to the
// movie, the window services, the message dialogs, the process and the shell,
// and one entry per service of the other units. The dispatcher has already
// split each request into that service's fields and turned "/" into "\" in
// the fields used as paths; the entries of services not connected yet do
// nothing, so their requests go unanswered.
#pragma once

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

class RequestHost {
public:
    virtual ~RequestHost() = default;

    // ---- answers to the movie
    virtual void SetVariable(const String& name, const String& value) = 0;
    virtual void CallFunction(const String& invokeRequest) = 0;

    // ---- the main window
    virtual void SetMoveSkinText(const String& movieName) = 0;
    virtual void Maximize() = 0;
    virtual void Close() = 0;
    // Waits, then brings the window to the front without leaving it topmost.
    virtual void BringToFrontAfterPause() = 0;

    // ---- message dialogs
    virtual void ShowMessage(const String& text) = 0;  // plain, OK
    virtual void ShowError(const String& text) = 0;    // error, OK

    // ---- process and shell
    virtual String FirstArgument() = 0;  // the first command-line argument, or empty
    virtual String ExeFolder() = 0;      // with its trailing "\"
    virtual void SetCurrentFolder(const String& folder) = 0;
    // "open" through the shell; results of 32 or less are failures.
    virtual int ShellOpen(const String& file, const String& parameters) = 0;
    virtual int FindProgramFor(const String& file, String& program) = 0;

    // ---- PDF, pop-up and window control
    virtual void RunPDF(const String& /*openParameter*/, const String& /*pdfPath*/) {}
    // Only for requests named "PopUpForm"; parameter is its first field only.
    virtual void OpenPopUp(const String& /*movie*/, const String& /*parameter*/) {}
    virtual void FormControl(const String& /*text*/) {}

    // ---- files, notes and lists. A rest without "@@@" is the first field and
    // the second is empty; for the copies, whose sub-folder is optional, it
    // is the file and the sub-folder is empty.
    virtual void ImgCopy(const String& /*image*/) {}
    virtual void DocCopy(const String& /*document*/) {}
    virtual void FileCopy(const String& /*subFolder*/, const String& /*file*/) {}
    // shownFile: the file text as the movie sent it, for the message.
    virtual void FileCopyModal(const String& /*subFolder*/, const String& /*file*/, const String& /*shownFile*/) {}
    virtual void SaveTextFile(const String& /*note*/, const String& /*fileName*/) {}
    virtual void LoadTextFile() {}
    virtual void SearchList(const String& /*subFolder*/) {}
    virtual void TxtListSaveToFile(const String& /*subFolder*/, const String& /*suffix*/) {}
    virtual void ShowProgram(const String& /*program*/, const String& /*parameter*/) {}

    // ---- page capture
    virtual void ScrapStart(const String& /*size*/) {}
    virtual void ScrapData(const String& /*data*/) {}
    virtual void ScrapEnd() {}

    // ---- recording
    virtual void RecordingStart() {}
    virtual void RecordingStop() {}
};

}  // namespace host
