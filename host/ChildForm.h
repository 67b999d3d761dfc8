// The pop-up book window: another movie (another book, or a page of one)
// shown above the main window. It answers its own movie's requests with a
// smaller set of services, opens anything else with the shell, and when it
// closes tells the main window's movie which book or page the reader went
// to, so that the main book can follow. It frees itself when closed.
#pragma once

#include "framework/windows/CommonDialogs.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "host/ShockwaveFlash.h"

namespace host {

using fw::String;
using fw::UnicodeString;

class KVBViewerControl;

// The invoke request the main movie gets when a pop-up closes: "otherBook_KVB"
// (book, page, "false") when the pop-up's movie named another book, else
// "goPageLink_KVB" (page, "false") when its page is above "0" in ordinal
// text order; empty when there is nothing to report.
String ChildCloseReport(const String& otherBook, const String& currentPage);

// The restored width or height of the pop-up: the settings' text read as a
// decimal integer (the fallback when it is empty or no number) plus the frame.
int ChildWindowExtent(const String& setting, int fallback, int frame);

class TChildForm : public fw::TForm {
public:
    // recorder: the main window's recorder control, shared, not owned.
    TChildForm(fw::TComponent* AOwner, KVBViewerControl* ARecorder);
    ~TChildForm() override;
    String ClassName() const override { return L"TChildForm"; }

    // Components, in creation order.
    fw::TPanel* BackPanel = nullptr;
    TShockwaveFlash* ShockwaveFlash1 = nullptr;
    fw::TSaveDialog* fileSaveDialog = nullptr;

    // Event handlers.
    void ShockwaveFlash1FSCommand(fw::TObject* Sender, const String& command, const String& args);
    void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
    void FormShow(fw::TObject* Sender);
    void FormCreate(fw::TObject* Sender);

    // Set by the pop-up movie's requests, read when the window closes.
    UnicodeString CurrentPage;
    UnicodeString OtherBook;
    KVBViewerControl* Recorder = nullptr;
};

}  // namespace host
