// What the engine calls of the painting layer around a skin change. The
// painting library sets these when it is part of the program (its start-up
// object); without it they stay null: there are then no glows to clear and
// no window to animate.
#pragma once

#include <windows.h>

#include "skin/engine/sConst.h"

namespace fw {
class TWinControl;
}

namespace skin {

// Frees every glow window (ClearGlows).
extern void (*acClearGlows)();
// Fades a control to its new content (AnimShowControl).
extern void (*acAnimShowControl)(fw::TWinControl* Ctrl, WORD Time, int Alpha, TacAnimType AnimType);

}  // namespace skin
