// The message handling every skinned control, window wrapper and skin
// provider runs first: CommonWndProc keeps the skin data's flags in step with
// focus, mouse, visibility, size and position, triggers and hides glows, and
// hands the library's message to CommonMessage, which carries out the
// sub-commands all skinned controls share. An owner stops when either
// answers True (the message is answered); otherwise it goes on with its own
// handling and then the framework's.
#pragma once

#include <windows.h>

#include "framework/windows/Messages.h"

namespace skin {

class TsCommonData;

// False for a nil SkinData.
bool CommonWndProc(fw::TMessage& Message, TsCommonData* SkinData);
// SM_ALPHACMD only: the sub-command in the high word of WParam, its small
// argument in the low word, a pointer or value in LParam, the answer in
// Result. True only for the answered queries (smcIsHandled, smcGetUpdating,
// smcGetHalfVisible, smcGetRepaintIfMoved, smcGetColor, smcGetSkinIndex,
// smcSkinState).
bool CommonMessage(fw::TMessage& Message, TsCommonData* SkinData);
// Shows the section's glow around the control while the mouse is over it
// (when the manager allows glowing), hides it otherwise, on a press, or on a
// click while it shows. Handle serves owners without a control.
void ShowGlowingIfNeeded(TsCommonData* SkinData, bool Clicked, HWND Handle);

}  // namespace skin
