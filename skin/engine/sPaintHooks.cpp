#include "skin/engine/sPaintHooks.h"

namespace skin {

void (*acClearGlows)() = nullptr;
void (*acAnimShowControl)(fw::TWinControl* Ctrl, WORD Time, int Alpha, TacAnimType AnimType) = nullptr;

}  // namespace skin
