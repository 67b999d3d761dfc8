#include "host/FormServiceContext.h"

#include <memory>

#include "framework/windows/Application.h"
#include "framework/windows/Dialogs.h"
#include "host/FileDownloadForm.h"
#include "host/Shell.h"

namespace host {

using namespace fw;

FormServiceContext::FormServiceContext(TCustomForm& form, TShockwaveFlash& player, TSaveDialog& imageSaveDialog,
                                       TSaveDialog& fileSaveDialog)
    : form_(form), player_(player), imageSaveDialog_(imageSaveDialog), fileSaveDialog_(fileSaveDialog) {}

void FormServiceContext::SetVariable(const String& name, const String& value) { player_.SetVariable(name, value); }

String FormServiceContext::ExeName() { return Application->ExeName(); }

int FormServiceContext::AskOpenOrSave() {
    struct Free {
        void operator()(TComponent* c) const { c->Free(); }
    };
    std::unique_ptr<TFileDownloadForm, Free> prompt(Create<TFileDownloadForm>(&form_));
    return prompt->ShowModal();
}

void FormServiceContext::ShowMessage(const String& text) { fw::ShowMessage(text); }

int FormServiceContext::ShellOpen(const String& file, const String& parameters) {
    return host::ShellOpen(file, parameters);
}

UINT FormServiceContext::DriveType(const String& root) { return GetDriveTypeA(ToAnsi(root).c_str()); }

}  // namespace host
