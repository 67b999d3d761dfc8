// The library's message boxes: a standard system message box (which the
// library's window-creation hook skins like any system dialog) at an
// optional position. They return the system's button identifier, which is
// also the framework's modal result: IDOK 1, IDCANCEL 2, IDABORT 3,
// IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7.
#pragma once

#include <vector>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Dialogs.h"

namespace skin {

// Position for the next skinned system dialog; -1 keeps the system's. Set
// only for the duration of one message box; the dialog skinning reads them.
extern int DlgLeft;
extern int DlgTop;

// The caption of a dialog type when no title is given ("Warning", "Error",
// "Information", "Confirm"; empty for mtCustom).
fw::String sMsgDlgCaption(fw::TMsgDlgType DlgType);
// The MB_* flags that show DlgType and Buttons: icon, button group (first
// rule that applies: OK+Cancel, OK, Abort/Ignore, Yes/No+Cancel, Yes/No,
// Retry, else OK), MB_HELP for mbHelp, always on top and in the foreground.
UINT sMsgDlgFlags(fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons);

// HelpCtx and HelpFileName are not used.
int sMessageDlgPosHelp(const fw::String& Title, const fw::String& Msg, fw::TMsgDlgType DlgType,
                       fw::TMsgDlgButtons Buttons, int HelpCtx, int X, int Y, const fw::String& HelpFileName);
int sMessageDlg(const fw::String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons, int HelpCtx);
int sMessageDlg(const fw::String& Title, const fw::String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons,
                int HelpCtx);
int sMessageDlgPos(const fw::String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons, int HelpCtx, int X,
                   int Y);
int sMessageDlgPos(const fw::String& Title, const fw::String& Msg, fw::TMsgDlgType DlgType, fw::TMsgDlgButtons Buttons,
                   int HelpCtx, int X, int Y);
// An OK box without icon; the caption is Title, or empty.
void sShowMessage(const fw::String& Msg);
void sShowMessage(const fw::String& Title, const fw::String& Msg);
void sShowMessageFmt(const fw::String& Msg, const std::vector<fw::TVarRec>& Params);
void sShowMessageFmt(const fw::String& Title, const fw::String& Msg, const std::vector<fw::TVarRec>& Params);
void sShowMessagePos(const fw::String& Msg, int X, int Y);
void sShowMessagePos(const fw::String& Title, const fw::String& Msg, int X, int Y);
// The framework's input query; sInputBox starts from ADefault and gives it
// back when cancelled.
bool sInputQuery(const fw::String& ACaption, const fw::String& APrompt, fw::String& Value);
fw::String sInputBox(const fw::String& ACaption, const fw::String& APrompt, const fw::String& ADefault);
// The framework's message dialog form; Title is not used.
fw::TMessageForm* sCreateMessageDialog(const fw::String& Title, const fw::String& Msg, fw::TMsgDlgType DlgType,
                                       fw::TMsgDlgButtons Buttons);

}  // namespace skin
