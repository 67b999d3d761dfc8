// The field rules of the movie's requests: fields are separated by "@@@", and
// the fields the viewer uses as paths or file names take "\" for the "/" the
// movie writes. Texts that are shown or stored (alerts, notes) keep theirs.
#pragma once

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

inline constexpr wchar_t kFieldSeparator[] = L"@@@";

// A text cut at its first separator. Without one, Before is the whole text,
// After is empty and Found is false.
struct SplitText {
    String Before;
    String After;
    bool Found = false;
};
SplitText SplitAtSeparator(const String& text);

// Every "/" becomes "\".
String SlashesToBackslashes(const String& text);

}  // namespace host
