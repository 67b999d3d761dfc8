// Answers modal dialogs from a queue instead of showing them, for tests.
// While the seam is on, the message dialogs, Application.MessageBox and the
// common file dialogs each take the next queued answer of their kind, and
// every one of them (the error dialog too, which needs no answer) writes what
// it was asked into the log; no window is created. Off (the default), the
// real dialogs run.
#pragma once

#include <vector>

#include "framework/rtl/Strings.h"

namespace fw::DialogSeam {

enum class Kind {
    MessageDialog,  // ShowMessage, MessageDlg (TMessageForm)
    MessageBox,     // Application.MessageBox
    ErrorDialog,    // Application.ShowException
    OpenDialog,     // TOpenDialog.Execute
    SaveDialog,     // TSaveDialog.Execute
    InputQuery,     // InputQuery, InputBox
};

// One dialog as it was asked.
struct Request {
    Kind kind = Kind::MessageDialog;
    String Caption;
    String Text;           // message text; for file dialogs the initial FileName
    int DlgType = -1;      // TMsgDlgType for message dialogs, else -1
    unsigned Buttons = 0;  // TMsgDlgButtons bits, or MB_* flags for MessageBox
    String Filter;         // file dialogs: the Filter property as set
    String InitialDir;     // file dialogs
};

// Turns the seam on or off; turning it either way clears queue and log.
void Enable(bool on);
bool Enabled();

// Queues the result of the next message dialog or message box (mrOk, mrYes,
// IDOK...). With nothing queued a message dialog answers its default button.
void Push(int result);
// Queues the answer of the next file dialog: Execute returns true with this
// name. PushCancel queues a cancelled dialog. With nothing queued, a file
// dialog is cancelled.
void PushFileName(const String& fileName, int filterIndex = 0);
void PushCancel();
// Queues the answer of the next input query: OK with this text. Input
// queries share the file dialogs' queue (PushCancel cancels either); with
// nothing queued an input query is cancelled.
void PushText(const String& text);

// Every dialog asked while the seam was on, oldest first.
const std::vector<Request>& Log();
void ClearLog();

// RAII: the seam on for one test.
class Scope {
public:
    Scope() { Enable(true); }
    ~Scope() { Enable(false); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

// Used by the dialogs. Each records the request; the Take functions return
// false when nothing is queued for that kind of dialog.
void Record(const Request& request);
bool TakeResult(int& result);
struct FileAnswer {
    bool Accepted = false;
    String FileName;
    int FilterIndex = 0;  // 0 keeps the dialog's own
};
bool TakeFileAnswer(FileAnswer& answer);

}  // namespace fw::DialogSeam
