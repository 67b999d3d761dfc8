// Small services of the main window that its requests ask for.
#pragma once

#include <windows.h>

namespace host {

// The pause before "function_forward" brings the window to the front.
inline constexpr DWORD kForwardPauseMs = 3000;

// Topmost and at once not topmost again, then the foreground window: in front
// of the others without staying above them.
void BringWindowToFront(HWND window);

}  // namespace host
