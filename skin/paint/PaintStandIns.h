// STAND-IN: the window animation that the skin manager calls, under its own
// name, until it is built here. The message helpers, flags and glows it used
// to hold are real now (sVclUtils, sCommonData, acGlow).
#pragma once

#include <windows.h>

#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

// The skin-change animation of a form: here a plain full redraw.
void AnimShowControl(fw::TWinControl* Ctrl, unsigned wTime, BYTE MaxTransparency, int AnimType);

}  // namespace skin
