#include "audio/TagLibLock.h"

namespace acs {

fw::TCriticalSection& TagLibLock() {
    // Made on first use, so it exists before any loader needs it whatever the start-up order.
    static fw::TCriticalSection lock;
    return lock;
}

}  // namespace acs
