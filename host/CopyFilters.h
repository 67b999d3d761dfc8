// The save dialog's filters for a contained file, chosen by its extension
// (lower-cased): the copy table of the copies and the pop-up's copies, and
// the document table of "function_doccopy", which has no catch-all entry.
#pragma once

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

// The copy table; "모든 파일|*.*" for any other extension.
String CopyFilter(const String& fileName);
// The document table; empty when the extension is not in it (the dialog
// then keeps the filter it had).
String DocumentFilter(const String& fileName);

}  // namespace host
