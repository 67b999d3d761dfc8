// A section's gradient keys parsed into stops: the skin loader reads them
// here, the painting layer paints them (sGradient).
#pragma once

#include "framework/rtl/Types.h"
#include "skin/engine/sConst.h"

namespace skin {

// Words Color1;Color2;Percent;Mode1;(unused) per stop; words after the last
// whole group are ignored. A word that is no number counts as 0, so a
// malformed skin never stops the skin from loading.
void PrepareGradArray(const fw::String& GradientData, TsGradArray& GradArray);

}  // namespace skin
