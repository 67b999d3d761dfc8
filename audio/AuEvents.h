// The event types of the sinks: all carry only the sending component.
#pragma once

#include "framework/rtl/Method.h"

namespace fw {
class TComponent;
}

namespace acs {

using TOutputDoneEvent = fw::Method<void(fw::TComponent* Sender)>;
using TOutputProgressEvent = fw::Method<void(fw::TComponent* Sender)>;
using TThreadExceptionEvent = fw::Method<void(fw::TComponent* Sender)>;
using TGenericEvent = fw::Method<void(fw::TComponent* Sender)>;

}  // namespace acs
