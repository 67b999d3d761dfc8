// The shell's "open" and its association lookup, called with 8-bit paths in
// the system's ANSI code page, as the viewer's documents are named there.
#pragma once

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

// ShellExecuteA "open", an empty working folder, SW_SHOWNORMAL. Results of 32
// or less are failures.
int ShellOpen(const String& file, const String& parameters);
// FindExecutableA; program receives the associated program on success.
int FindAssociatedProgram(const String& file, String& program);

}  // namespace host
