// The file services' context on a window that plays a book: answers go to
// its player control, the download prompt is owned by the window, the
// messages are the framework's, and the executable, the shell and the
// drives are the system's.
#pragma once

#include "framework/windows/Forms.h"
#include "host/FileServiceContext.h"
#include "host/ShockwaveFlash.h"

namespace host {

class FormServiceContext : public FileServiceContext {
public:
    // A window with a single save dialog passes it as both.
    FormServiceContext(fw::TCustomForm& form, TShockwaveFlash& player, fw::TSaveDialog& imageSaveDialog,
                       fw::TSaveDialog& fileSaveDialog);

    void SetVariable(const String& name, const String& value) override;
    String ExeName() override;
    fw::TSaveDialog& ImageSaveDialog() override { return imageSaveDialog_; }
    fw::TSaveDialog& FileSaveDialog() override { return fileSaveDialog_; }
    int AskOpenOrSave() override;
    void ShowMessage(const String& text) override;
    int ShellOpen(const String& file, const String& parameters) override;
    UINT DriveType(const String& root) override;

private:
    fw::TCustomForm& form_;
    TShockwaveFlash& player_;
    fw::TSaveDialog& imageSaveDialog_;
    fw::TSaveDialog& fileSaveDialog_;
};

}  // namespace host
