#include "skin/engine/MessageDialogs.h"

#include "framework/windows/Application.h"

namespace skin {

using fw::String;

int DlgLeft = -1;
int DlgTop = -1;

String sMsgDlgCaption(fw::TMsgDlgType DlgType) {
    switch (DlgType) {
        case fw::mtWarning:
            return L"Warning";
        case fw::mtError:
            return L"Error";
        case fw::mtInformation:
            return L"Information";
        case fw::mtConfirmation:
            return L"Confirm";
        default:
            return String();
    }
}

UINT sMsgDlgFlags(fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons) {
    UINT flags = MB_TOPMOST | MB_SETFOREGROUND;
    switch (DlgType) {
        case fw::mtWarning:
            flags |= MB_ICONWARNING;
            break;
        case fw::mtError:
            flags |= MB_ICONERROR;
            break;
        case fw::mtInformation:
            flags |= MB_ICONINFORMATION;
            break;
        case fw::mtConfirmation:
            flags |= MB_ICONQUESTION;
            break;
        default:
            break;
    }
    auto has = [&](fw::TMsgDlgBtn b) { return Buttons.Contains(b); };
    if (has(fw::mbOK) && has(fw::mbCancel))
        flags |= MB_OKCANCEL;
    else if (has(fw::mbOK))
        flags |= MB_OK;
    else if (has(fw::mbAbort) || has(fw::mbIgnore))
        flags |= MB_ABORTRETRYIGNORE;
    else if ((has(fw::mbYes) || has(fw::mbNo)) && has(fw::mbCancel))
        flags |= MB_YESNOCANCEL;
    else if (has(fw::mbYes) || has(fw::mbNo))
        flags |= MB_YESNO;
    else if (has(fw::mbRetry))
        flags |= MB_RETRYCANCEL;
    else
        flags |= MB_OK;
    if (has(fw::mbHelp)) flags |= MB_HELP;
    return flags;
}

int sMessageDlgPosHelp(const String& Title, const String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons,
                       int /*HelpCtx*/, int X, int Y, const String& /*HelpFileName*/) {
    UINT flags = sMsgDlgFlags(DlgType, Buttons);
    String caption = Title.empty() ? sMsgDlgCaption(DlgType) : Title;
    // The position holds while the box is up, however it ends.
    struct Position {
        Position(int x, int y) {
            DlgLeft = x;
            DlgTop = y;
        }
        ~Position() {
            DlgLeft = -1;
            DlgTop = -1;
        }
    } position(X, Y);
    // The application's box is owned by the active window, else by the
    // application window, and counts as a modal loop.
    return fw::Application->MessageBox(Msg, caption, flags);
}

int sMessageDlg(const String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons, int HelpCtx) {
    return sMessageDlgPosHelp(String(), Msg, DlgType, Buttons, HelpCtx, -1, -1, String());
}

int sMessageDlg(const String& Title, const String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons,
                int HelpCtx) {
    return sMessageDlgPosHelp(Title, Msg, DlgType, Buttons, HelpCtx, -1, -1, String());
}

int sMessageDlgPos(const String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons, int HelpCtx, int X, int Y) {
    return sMessageDlgPosHelp(String(), Msg, DlgType, Buttons, HelpCtx, X, Y, String());
}

int sMessageDlgPos(const String& Title, const String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons,
                   int HelpCtx, int X, int Y) {
    return sMessageDlgPosHelp(Title, Msg, DlgType, Buttons, HelpCtx, X, Y, String());
}

void sShowMessage(const String& Msg) { sShowMessagePos(Msg, -1, -1); }

void sShowMessage(const String& Title, const String& Msg) { sShowMessagePos(Title, Msg, -1, -1); }

void sShowMessageFmt(const String& Msg, const std::vector<fw::TVarRec>& Params) {
    sShowMessage(fw::Format(Msg, Params));
}

void sShowMessageFmt(const String& Title, const String& Msg, const std::vector<fw::TVarRec>& Params) {
    sShowMessage(Title, fw::Format(Msg, Params));
}

void sShowMessagePos(const String& Msg, int X, int Y) {
    sMessageDlgPos(Msg, fw::mtCustom, fw::TMsgDlgButtons{fw::mbOK}, 0, X, Y);
}

void sShowMessagePos(const String& Title, const String& Msg, int X, int Y) {
    sMessageDlgPos(Title, Msg, fw::mtCustom, fw::TMsgDlgButtons{fw::mbOK}, 0, X, Y);
}

bool sInputQuery(const String& ACaption, const String& APrompt, String& Value) {
    return fw::InputQuery(ACaption, APrompt, Value);
}

String sInputBox(const String& ACaption, const String& APrompt, const String& ADefault) {
    String value = ADefault;
    sInputQuery(ACaption, APrompt, value);
    return value;
}

fw::TMessageForm* sCreateMessageDialog(const String& /*Title*/, const String& Msg, fw::TMsgDlgType DlgType,
                                       fw::TMsgDlgButtons Buttons) {
    return fw::CreateMessageDialog(Msg, DlgType, Buttons);
}

}  // namespace skin
