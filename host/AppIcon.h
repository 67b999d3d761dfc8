// The application's icon: the ".ico" file beside the executable when there is
// one, else the icon the shell shows for the executable's file name.
#pragma once

#include "framework/graphics/Icon.h"

namespace host {

using fw::String;

// A new icon holding the large icon the shell gives for Path's name alone
// (the file is not opened). The caller owns it.
fw::TIcon* GetShellIcon(const String& Path);

// Gives the application object its icon.
void SetApplicationIcon();

}  // namespace host
