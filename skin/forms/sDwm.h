// Desktop composition, looked up at run time: without "DWMAPI.DLL" (or its
// entry points) composition counts as off.
#pragma once

#include <windows.h>

namespace skin {

extern HMODULE hDWMAPI;
// Loads "DWMAPI.DLL" once.
void InitDwmApi();
// Windows 6 or later with composition reported on.
bool AeroIsEnabled();
// Under composition: the system draws no frame of Handle while Active.
void InitDwm(HWND Handle, bool Active, bool Refresh = false);

}  // namespace skin
