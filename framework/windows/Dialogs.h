// Message dialogs. ShowMessage and MessageDlg build a form of class
// TMessageForm: the text is a TLabel named "Message", each button a TButton
// named after it ("OK", "Yes", "No"...), the icon painted by the form; the
// form skinning finds them by those classes. Under the test seam
// (DialogSeam.h) they answer from its queue without a window.
#pragma once

#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace fw {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbClose
};
using TMsgDlgButtons = Set<TMsgDlgBtn>;

constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The form of the message dialogs.
class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* AOwner);
    ~TMessageForm() override;
    String ClassName() const override { return L"TMessageForm"; }

    // The system icon shown left of the text (at At, client coordinates), or
    // nullptr. It is drawn by a graphic control of the form named "Image", as
    // the label draws the text: a skinned form paints its controls over its
    // own background and never runs the form's own painting.
    HICON IconHandle() const { return icon_; }
    void SetIconHandle(HICON Value, TPoint At = TPoint());

    // The message the label draws. A label has no window, so the text is also
    // published as the window property "MessageText" (a pointer to this
    // string, valid while the window lives) for UI automation to read.
    const String& MessageText() const { return messageText_; }
    void SetMessageText(const String& Value) { messageText_ = Value; }

protected:
    void CreateHandleDone() override;
    void DestroyWnd() override;

private:
    HICON icon_ = nullptr;
    TGraphicControl* image_ = nullptr;  // owned by the form
    String messageText_;
};

// Caption of a dialog type ("Warning", "Error", "Information", "Confirmation";
// mtCustom: the application title) and the result of each button (mbHelp: none).
String MsgDlgCaption(TMsgDlgType DlgType);
TModalResult MsgDlgButtonResult(TMsgDlgBtn Button);
// The button Enter presses (OK, else Yes, else the first) and the one Esc
// presses (Cancel, else No, else OK; none when there is none of them).
TMsgDlgBtn MsgDlgDefaultButton(TMsgDlgButtons Buttons);
bool MsgDlgCancelButton(TMsgDlgButtons Buttons, TMsgDlgBtn& Button);

// The dialog, built and not shown; the caller shows it with ShowModal and frees it.
TMessageForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// Modal; the result of the button pressed (the close box gives mrCancel).
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// Plain OK dialog captioned with the application title.
void ShowMessage(const String& Msg);

// A modal form asking for one line of text: Caption, a prompt above an edit
// holding Value, OK and Cancel. True (and Value changed) when OK was pressed.
bool InputQuery(const String& ACaption, const String& APrompt, String& Value);
// InputQuery starting from ADefault; ADefault again when cancelled.
String InputBox(const String& ACaption, const String& APrompt, const String& ADefault);

}  // namespace fw
