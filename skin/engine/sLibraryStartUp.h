// What the skinning library sets up once before the program's entry point:
// the operating-system version, the two built-in form-shadow images and the
// "/acver" switch that shows the library's version.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/rtl/Strings.h"

namespace skin {

class TPNGGraphic;

extern OSVERSIONINFOW OSVersionInfo;
extern bool IsNT;  // an NT-family Windows

// Default shadow templates of active and inactive forms, read from the
// RCDATA resources "acSHDA" and "acSHDI". Null when a resource is missing or
// unreadable: the library then starts without them instead of failing.
extern TPNGGraphic* acShdaImage;
extern TPNGGraphic* acShdiImage;

// The text the switch shows.
extern const wchar_t* const acVersionText;  // "Skin components v6.64"

// Shows acVersionText once (ShowMessage) when any argument reads "/acver"
// in any case. Returns whether it was shown.
bool CheckAcVerSwitch(const std::vector<fw::String>& Args);

// The program's arguments 1..ParamCount.
std::vector<fw::String> ProgramArguments();

// Reads one shadow template; null when the resource is missing or bad.
TPNGGraphic* LoadShadowImage(const fw::String& ResName);

}  // namespace skin
