// Runs the calls workers queue with Synchronize, on this (the main) thread,
// while a test waits for them.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/rtl/Thread.h"

// Until cond holds (true) or ms pass (false).
inline bool PumpUntil(const std::function<bool()>& cond, int ms = 5000) {
    DWORD start = GetTickCount();
    while (!cond()) {
        if (static_cast<int>(GetTickCount() - start) > ms) return false;
        fw::CheckSynchronize(0);
        Sleep(1);
    }
    return true;
}

inline void PumpFor(int ms) {
    DWORD start = GetTickCount();
    while (static_cast<int>(GetTickCount() - start) < ms) {
        fw::CheckSynchronize(0);
        Sleep(1);
    }
}
