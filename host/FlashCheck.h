// Start-up's check of the Flash player control: it must be registered with a
// file that exists, whose path holds "flash" and whose name gives version 10
// or later. The registry is only read, never written.
#pragma once

#include <functional>

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

inline constexpr wchar_t kFlashServerKey[] = L"\\CLSID\\{D27CDB6E-AE6D-11cf-96B8-444553540000}\\InprocServer32";
inline constexpr int kMinimumFlashVersion = 10;

// The registered control's file (the key's default value); empty when the key
// or value is missing or unreadable.
String RegisteredFlashPath();

// The major version in a control's file name: the name without extension,
// its first five characters dropped, then the digits that follow
// ("Flash10e.ocx" gives 10). A name without those digits, or with more than
// fit, gives 0, so the installer runs rather than start-up failing.
int FlashVersionFromPath(const String& Path);
// The version of the registered control.
int GetFlashVersion();

// The four tests in order: path not empty, file exists, path (lower-cased)
// holds "flash", version at least 10.
bool FlashControlPasses(const String& Path, const std::function<bool(const String&)>& Exists);
// The check on the registered control; never raises.
bool FlashControlInstalled();

}  // namespace host
