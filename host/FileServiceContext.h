// What the file, note and list services need of the window that serves the
// request: the answers to its movie, its save dialogs and the download
// prompt, its message dialog, the executable, the shell and the drives. The
// main window and the pop-up each give their own; tests give a recording one.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"
#include "framework/windows/CommonDialogs.h"

namespace host {

using fw::String;

class FileServiceContext {
public:
    virtual ~FileServiceContext() = default;

    // A variable of the movie.
    virtual void SetVariable(const String& name, const String& value) = 0;
    // The executable's full path; its folder holds the book's files.
    virtual String ExeName() = 0;

    // The image and file save dialogs; a service sets their file name (and
    // the file dialog's filter) and both stay set for the next use.
    virtual fw::TSaveDialog& ImageSaveDialog() = 0;
    virtual fw::TSaveDialog& FileSaveDialog() = 0;
    // The download prompt, modal: mrOk to open, mrYes to save, else mrCancel.
    virtual int AskOpenOrSave() = 0;
    // The plain message dialog.
    virtual void ShowMessage(const String& text) = 0;

    // "open" through the shell; results of 32 or less are failures.
    virtual int ShellOpen(const String& file, const String& parameters) = 0;
    // GetDriveType of a root such as "E:\".
    virtual UINT DriveType(const String& root) = 0;
};

}  // namespace host
