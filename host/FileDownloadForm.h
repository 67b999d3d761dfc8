// The download prompt: asks whether a contained file is to be opened or
// saved. Created owned by the asking window, shown with ShowModal and freed
// by the caller; the modal result is the choice: mrOk to open, mrYes to save,
// mrCancel to cancel (the close box too).
#pragma once

#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace host {

using fw::String;

class TFileDownloadForm : public fw::TForm {
public:
    explicit TFileDownloadForm(fw::TComponent* AOwner);
    String ClassName() const override { return L"TFileDownloadForm"; }

    // Components, in creation order.
    fw::TButton* SaveButton = nullptr;
    fw::TButton* AbortButton = nullptr;
    fw::TButton* OpenButton = nullptr;
    fw::TLabel* Label1 = nullptr;

    // Each only sets the modal result, which ends the modal loop.
    void OpenButtonClick(fw::TObject* Sender);
    void SaveButtonClick(fw::TObject* Sender);
    void AbortButtonClick(fw::TObject* Sender);
};

}  // namespace host
