// STAND-IN: the glow windows and window animations that the skin manager
// calls, under their own names, until they are built here. The message
// helpers and flags it used to hold are real now (sVclUtils, sCommonData).
#pragma once

#include <windows.h>

#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

// Removes every glow window (there are none yet).
void ClearGlows();
// The skin-change animation of a form: here a plain full redraw.
void AnimShowControl(fw::TWinControl* Ctrl, unsigned wTime, BYTE MaxTransparency, int AnimType);

}  // namespace skin
