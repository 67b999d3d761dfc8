// System queries of the skinning library (caption font, WOW64), a message-
// processing delay and the short warning, error and question boxes. The
// unit's start-up switches glow and some layered painting off (x64woAero)
// on 64-bit Windows without desktop composition.
#pragma once

#include <windows.h>

#include "framework/rtl/Strings.h"

namespace skin {

// lfHeight of the system caption font; 0 when the system does not answer.
int GetCaptionFontSize();
// A new font of the system caption font (the caller deletes it); 0 on failure.
HFONT acGetTitleFont();
// A 32-bit process on 64-bit Windows; False when the system cannot tell.
bool IsWOW64Proc();
// Desktop composition is on (False where the system lacks it).
bool acAeroIsEnabled();

// Processes messages until MSecs have passed; returns the elapsed milliseconds.
DWORD Delay(DWORD MSecs);

// Warning / error box with an OK button.
void ShowWarning(const fw::String& Msg);
void ShowError(const fw::String& Msg);
void Alert();
void Alert(const fw::String& Msg);
void Alert(int Value);
// True when the user answers Yes.
bool CustomRequest(const fw::String& Msg);
bool DeleteRequest();  // "Delete this item?"

}  // namespace skin
