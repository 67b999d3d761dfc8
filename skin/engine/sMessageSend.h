// Sending the library's message (SM_ALPHACMD) to one window or control and
// down a control tree. The engine broadcasts skin changes with these; the
// painting layer and above use them through sVclUtils.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"
#include "framework/windows/Messages.h"
#include "skin/engine/sConst.h"

namespace skin {

// True while a window animation runs; SetParentUpdated waits for its end.
extern bool InAnimationProcess;

// SendMessage(Handle, SM_ALPHACMD, Cmd shl 16, LParam).
LRESULT SendAMessage(HWND Handle, int Cmd, LPARAM LParam = 0);
// A graphic control by Perform; a windowed one only when its window exists
// and it is not being destroyed (else 0, nothing sent).
LRESULT SendAMessage(fw::TControl* Control, int Cmd, LPARAM LParam = 0);
void SetBoolMsg(HWND Handle, unsigned Cmd, bool Value);
// The low byte of the answer is non-zero.
bool GetBoolMsg(fw::TWinControl* Control, unsigned Cmd);
// The window answers exactly 1.
bool GetBoolMsg(HWND Handle, unsigned Cmd);
// Message to every direct WS_CHILD child window.
void BroadCastMsg(HWND Handle, const fw::TMessage& Message);
// Message down Control's tree: children that answer smcIsHandled get it
// (and pass it on themselves), the tree below the others is walked. A child
// being destroyed ends the broadcast.
void AlphaBroadCast(fw::TWinControl* Control, fw::TMessage& Message);
// Message to the direct child windows of Handle.
void AlphaBroadCast(HWND Handle, fw::TMessage& Message);

}  // namespace skin
