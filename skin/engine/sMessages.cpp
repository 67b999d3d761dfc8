#include "skin/engine/sMessages.h"

namespace skin {

// Set at start-up, before any window can receive it (constant initialisation).
UINT SM_ALPHACMD = SM_ALPHACMD_VALUE;

}  // namespace skin
