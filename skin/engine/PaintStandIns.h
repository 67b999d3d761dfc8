// STAND-IN: the least of the skin-painting services that the skin manager and
// the form registry call, under their own names; replaced by skin/paint/ when
// it lands. Message helpers send SM_ALPHACMD as the painting layer will; the
// glow, animation and drawing-restriction parts keep only their flags.
#pragma once

#include <windows.h>

#include "framework/windows/Messages.h"

namespace fw {
class TControl;
class TWinControl;
}  // namespace fw

namespace skin {

// SendMessage(Handle, SM_ALPHACMD, Cmd shl 16, LParam).
LRESULT SendAMessage(HWND Handle, int Cmd, LPARAM LParam = 0);
// A graphic control by Perform; a windowed one only when its window exists
// and it is not being destroyed (else 0, nothing sent).
LRESULT SendAMessage(fw::TControl* Control, int Cmd, LPARAM LParam = 0);
// The low byte of the answer is non-zero.
bool GetBoolMsg(fw::TWinControl* Control, unsigned Cmd);
// The window answers exactly 1.
bool GetBoolMsg(HWND Handle, unsigned Cmd);
// Sends Message down Control's tree: children that answer smcIsHandled get
// it (and pass it on themselves), the tree below the others is walked.
void AlphaBroadCast(fw::TWinControl* Control, fw::TMessage& Message);

// True while the default manager's forms are locked for a skin change.
extern bool InAnimationProcess;
// Skinned controls do not paint while set.
extern bool RestrictDrawing;
// Removes every glow window (there are none yet).
void ClearGlows();
// The skin-change animation of a form: here a plain full redraw.
void AnimShowControl(fw::TWinControl* Ctrl, unsigned wTime, BYTE MaxTransparency, int AnimType);

}  // namespace skin
