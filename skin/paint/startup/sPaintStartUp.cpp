// Hands the engine the painting services it calls around a skin change. This
// object goes into every program that links the painting library, so the
// services are there before the first skin manager is made.
#include "skin/engine/sPaintHooks.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sAnimShow.h"

namespace skin {
namespace {

const bool registered = [] {
    acClearGlows = &ClearGlows;
    acAnimShowControl = &AnimShowControl;
    return true;
}();

}  // namespace
}  // namespace skin
