// The lock of the run-time loader of the tag library, created at start-up.
#pragma once

#include "framework/SyncObjs.h"

namespace acs {

fw::TCriticalSection& TagLibLock();

}  // namespace acs
