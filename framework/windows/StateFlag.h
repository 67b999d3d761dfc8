// Sets a ControlState flag for a scope and clears it however the scope is
// left.
#pragma once

#include "framework/windows/Controls.h"

namespace fw {

struct StateFlag {
    TControlState& state;
    TControlStateItem item;
    StateFlag(TControlState& s, TControlStateItem i) : state(s), item(i) { state.Include(item); }
    ~StateFlag() { state.Exclude(item); }
    StateFlag(const StateFlag&) = delete;
    StateFlag& operator=(const StateFlag&) = delete;
};

}  // namespace fw
